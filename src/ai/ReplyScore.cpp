#include "ai/ReplyScore.h"

#include <array>
#include <bit>
#include <cstdint>

namespace lumaro {
namespace {

using Mask = std::uint32_t;  // bit p for point p

constexpr Mask range(int from, int to) {
    Mask m = 0;
    for (int p = from; p <= to; ++p)
        if (p >= 1 && p <= 24) m |= Mask{1} << p;
    return m;
}

constexpr Mask kWhiteHome = range(19, 24);
constexpr Mask kBlackHome = range(1, 6);
constexpr Mask kWhiteKeyPoints = (Mask{1} << 1) | (Mask{1} << 5) | (Mask{1} << 6) | (Mask{1} << 7) |
                                 (Mask{1} << 18) | (Mask{1} << 19) | (Mask{1} << 20) | (Mask{1} << 21);

constexpr int kSpread[16] = {0, 0, 5, 4, 3, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};

// Points that hit a blot on p from below, by hit weight: 3 within six pips, 2 within twelve,
// 1 from 15, 16, 18 and 20 pips.
struct ShotMasks {
    std::array<Mask, 25> near{}, far{}, indirect{};
};
constexpr ShotMasks makeShotMasks() {
    ShotMasks m;
    for (int p = 1; p <= 24; ++p) {
        m.near[p] = range(p - 6, p - 1);
        m.far[p] = range(p - 12, p - 7);
        for (int d : {15, 16, 18, 20}) m.indirect[p] |= range(p - d, p - d);
    }
    return m;
}
constexpr ShotMasks kShots = makeShotMasks();

// The wall value of the six points below a black checker: point p - k counts k.
constexpr std::array<int, 64> makeWallWeights() {
    std::array<int, 64> w{};
    for (int bits = 0; bits < 64; ++bits)
        for (int j = 0; j < 6; ++j)
            if (bits & (1 << j)) w[bits] += 6 - j;  // bit j is point p - 6 + j
    return w;
}
constexpr std::array<int, 64> kWallWeights = makeWallWeights();

// The score itself, compiled twice below: once for any x86-64 and once with the one-instruction
// bit count, which most processors have and the look-ahead's many bit counts gain from.
[[gnu::always_inline]] inline int scoreReply(const Position& pos) {
    Mask whiteAny = 0, whiteBlots = 0, whiteMade = 0, blackAny = 0;
    int spread = 0, homeSpread = 0, homeCount = 0, progress = 0, backAdvance = 0, blackHomeCount = 0;
    for (int p = 1; p <= 24; ++p) {
        const int n = pos.count[p];
        if (n == 0) continue;
        const Mask bit = Mask{1} << p;
        if (pos.colour[p] == kWhite) {
            whiteAny |= bit;
            if (n == 1) whiteBlots |= bit;
            else whiteMade |= bit;
            spread += kSpread[n];
            if (p <= 18) progress += n * p;
            else {
                homeSpread += kSpread[n];
                homeCount += n;
            }
            if (p <= 6) backAdvance += n * p;
        } else {
            blackAny |= bit;
            if (p <= 6) blackHomeCount += n;
        }
    }
    if ((whiteAny & range(1, 18)) == 0) progress += 400;

    const int blots = std::popcount(whiteBlots);
    const int backBlots = std::popcount(whiteBlots & kBlackHome);
    const int homeBlots = std::popcount(whiteBlots & kWhiteHome);
    const int anchors = std::popcount(whiteMade & kBlackHome);
    const int homePoints = std::popcount(whiteMade & kWhiteHome);
    const int keyPoints = std::popcount(whiteMade & kWhiteKeyPoints);

    int contact = pos.barWhite > 0 || pos.barBlack > 0;
    if (!contact && whiteAny && blackAny) contact = (31 - std::countl_zero(blackAny)) > std::countr_zero(whiteAny);

    int blockade = 0;
    const std::uint64_t wall = static_cast<std::uint64_t>(whiteMade) << 6;
    for (Mask held = blackAny & ~Mask{3}; held; held &= held - 1) {
        const int p = std::countr_zero(held);
        const int value = kWallWeights[(wall >> p) & 63];
        if (value > blockade) blockade = value;
    }

    int shots = 0;
    for (Mask b = whiteBlots & range(2, 18); b; b &= b - 1) {
        const int p = std::countr_zero(b);
        shots += 3 * std::popcount(blackAny & kShots.near[p]) + 2 * std::popcount(blackAny & kShots.far[p]) +
                 std::popcount(blackAny & kShots.indirect[p]);
    }
    if (pos.barBlack > 0) shots += 3 * homeBlots;

    int whitePhase = 0;
    if (pos.barWhite > 0) whitePhase = 1;
    else if (whiteAny & kBlackHome) whitePhase = 2;
    else if (homeCount == kCheckersPerSide) whitePhase = 3;
    else if (homeCount + pos.offWhite == kCheckersPerSide) whitePhase = 4;
    int blackPhase = 0;
    if (pos.barBlack > 0) blackPhase = 1;
    else if (blackAny & kWhiteHome) blackPhase = 2;
    else if (blackHomeCount == kCheckersPerSide) blackPhase = 3;
    else if (blackHomeCount + pos.offBlack == kCheckersPerSide) blackPhase = 4;

    static constexpr int kPhaseBonus[5] = {100, 10, 50, 100000, 100005};
    int score = kPhaseBonus[whitePhase];
    score += 15 * pos.barBlack - 8 * blots;  // attack, category 0
    if (whitePhase == 0 || whitePhase == 2) {
        int c = homeSpread;
        if (!contact) c += 100 * progress + 4000 * homeCount - 5000 * (anchors + backBlots);
        c += 10 * spread + 2 * progress;
        if (blackPhase == 1) c += 200 * homePoints - 100 * homeBlots;
        c += blockade + homePoints;
        if (!contact) c += keyPoints;
        score += c;
    }
    score -= shots;
    if (blots > 1) score -= 10 * blots;
    if (whitePhase == 1) {
        score += backAdvance;  // category 0
        if (contact) score += anchors;
    }
    if (whitePhase >= 3) {
        if (contact) score += homePoints + pos.offWhite - 10 * homeBlots;
        else score += 610 * pos.offWhite + 100 * homeBlots;
    }
    return score;
}

#if defined(__x86_64__)
[[gnu::target("popcnt"), gnu::flatten]] int replyScoreWithPopcnt(const Position& pos) { return scoreReply(pos); }
#endif

}  // namespace

[[gnu::flatten]] int replyScoreBaseline(const Position& pos) { return scoreReply(pos); }

int replyScore(const Position& pos) {
#if defined(__x86_64__)
    static const bool hasPopcnt = __builtin_cpu_supports("popcnt");
    if (hasPopcnt) return replyScoreWithPopcnt(pos);
#endif
    return replyScoreBaseline(pos);
}

}  // namespace lumaro
