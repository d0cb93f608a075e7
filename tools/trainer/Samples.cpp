#include "Samples.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>

#include "Rng.h"
#include "Threads.h"
#include "TrainingGame.h"
#include "ai/Features.h"
#include "rules/PlayApply.h"
#include "rules/PositionId.h"

namespace lumaro::train {

namespace {

constexpr char kMagic[8] = {'L', 'M', 'S', 'A', 'M', 'P', 'L', '1'};
constexpr int kMaxPlies = 4000;
// The largest block a reader accepts: far more than any collection writes at once, small enough
// that a damaged count cannot ask for all the memory.
constexpr std::uint64_t kMostSamplesInBlock = 50'000'000;

// Plays one game and adds its after-states in contact, with their look-ahead values.
void collectGame(const Nets& teacher, const SampleSettings& settings, std::uint64_t game, GameWork& work,
                 std::vector<Sample>& out) {
    Rng rng(settings.seed, game);
    Position pos = startingPosition();  // always seen by the side to move, as Black
    // Without starts no number is drawn for the choice, so earlier sample files are collected alike.
    const bool fromStart = !settings.starts.empty() && rng.uniform() < settings.startShare;
    if (fromStart) pos = settings.starts[static_cast<std::size_t>(rng.below(static_cast<int>(settings.starts.size())))];
    Byte dieA = static_cast<Byte>(rng.below(6) + 1);
    Byte dieB = static_cast<Byte>(rng.below(6) + 1);
    while (!fromStart && dieB == dieA) dieB = static_cast<Byte>(rng.below(6) + 1);  // an opening roll
    Scored trial;
    std::vector<std::pair<float, std::size_t>> ranked;
    std::vector<Position> learnt;
    for (int ply = 0; ply < kMaxPlies; ++ply) {
        legalAfterStates(pos, dieA, dieB, work);
        encodePosition(pos, work.baseX.data());
        work.baseReady = {};
        const std::size_t count = work.candidates.size();
        ranked.clear();
        for (std::size_t k = 0; k < count; ++k) {
            score(teacher, work.candidates[k], true, work, trial);
            ranked.emplace_back(trial.y, k);
        }
        // The best first; among equal values the play generated first, as a strict > would choose.
        std::stable_sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
        std::size_t chosen = ranked.empty() ? 0 : ranked[0].second;
        if (count > 0 && rng.uniform() < settings.explore)
            chosen = static_cast<std::size_t>(rng.below(static_cast<int>(count)));
        const Position after = count == 0 ? pos : work.candidates[chosen];
        learnt.clear();
        learnt.push_back(after);
        for (const auto& [value, k] : ranked) {
            if (static_cast<int>(learnt.size()) >= settings.siblings) break;
            if (k != chosen) learnt.push_back(work.candidates[k]);
        }
        // lookaheadValue uses work's candidate list: the positions to learn are copied out first.
        for (const Position& p : learnt)
            if (p.offBlack < kCheckersPerSide && contactOf(p) > 0)
                out.push_back({p, {}, lookaheadValue(teacher, p, true, work)});
        // Once contact is gone the game is the race estimate's; the networks learn no more of it.
        if (after.offBlack == kCheckersPerSide || contactOf(after) == 0) return;
        pos = mirrored(after);
        dieA = static_cast<Byte>(rng.below(6) + 1);
        dieB = static_cast<Byte>(rng.below(6) + 1);
    }
}

template <class T>
bool get(std::ifstream& in, T& v) {
    return static_cast<bool>(in.read(reinterpret_cast<char*>(&v), sizeof v));
}
template <class T>
void put(std::ofstream& out, const T& v) {
    out.write(reinterpret_cast<const char*>(&v), sizeof v);
}

// A sample read from a file is used only if it could be a position of a game: counts in range,
// fifteen checkers a side, a finite target in [-1, 1].
bool plausible(const Sample& s) {
    const Position& p = s.after;
    for (int k = 1; k <= 24; ++k)
        if (p.count[k] > kCheckersPerSide || p.colour[k] > 1) return false;
    if (p.barWhite > kCheckersPerSide || p.barBlack > kCheckersPerSide || p.offWhite > kCheckersPerSide ||
        p.offBlack > kCheckersPerSide)
        return false;
    return whiteCheckersOf(p) == kCheckersPerSide && blackCheckersOf(p) == kCheckersPerSide &&
           std::isfinite(s.target) && std::abs(s.target) <= 1.0f;
}

// Whether b could be a play of the same roll as a: white's checkers alike point by point, but for
// blots that one of the two plays hit and put on the bar and the other left.
bool sameRoll(const Position& a, const Position& b) {
    if (a.offWhite != b.offWhite) return false;
    int hitInA = 0, hitInB = 0;
    for (int k = 1; k <= 24; ++k) {
        const int wa = a.hasWhite(k) ? a.count[k] : 0;
        const int wb = b.hasWhite(k) ? b.count[k] : 0;
        if (wa == wb) continue;
        if (wa + wb != 1) return false;
        ++(wa == 0 ? hitInA : hitInB);
    }
    return a.barWhite >= hitInA && b.barWhite >= hitInB;
}

}  // namespace

std::vector<std::size_t> rollStarts(const std::vector<Sample>& samples) {
    std::vector<std::size_t> starts;
    for (std::size_t k = 0; k < samples.size(); ++k)
        if (starts.empty() || !sameRoll(samples[starts.back()].after, samples[k].after)) starts.push_back(k);
    starts.push_back(samples.size());
    return starts;
}

std::vector<Sample> collectSamples(const Nets& teacher, const SampleSettings& settings, std::int64_t first,
                                   std::int64_t count) {
    const int threads = std::max(1, settings.threads);
    std::vector<std::vector<Sample>> parts(static_cast<std::size_t>(threads));
    // Thread t plays a contiguous share of the games, so joining the parts in order keeps game order.
    auto play = [&](int t) {
        GameWork work{TdSettings{}};
        const std::int64_t from = first + count * t / threads;
        const std::int64_t to = first + count * (t + 1) / threads;
        for (std::int64_t g = from; g < to; ++g)
            collectGame(teacher, settings, static_cast<std::uint64_t>(g), work, parts[static_cast<std::size_t>(t)]);
    };
    onThreads(threads, play);
    std::vector<Sample> all;
    for (auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

bool readSamples(const std::string& path, SampleFile& file) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    char magic[8];
    if (!in.read(magic, sizeof magic) || !std::equal(magic, magic + 8, kMagic)) return false;
    if (!get(in, file.seed)) return false;
    file.wholeBytes = static_cast<std::uint64_t>(in.tellg());
    file.games = 0;
    file.samples.clear();
    std::vector<Sample> block;
    for (;;) {
        std::int64_t games = 0;
        std::uint64_t count = 0;
        if (!get(in, games) || !get(in, count) || games <= 0 || count > kMostSamplesInBlock) break;
        block.resize(count);
        if (!in.read(reinterpret_cast<char*>(block.data()), static_cast<std::streamsize>(count * sizeof(Sample))))
            break;
        if (!std::all_of(block.begin(), block.end(), plausible)) break;
        file.games += games;
        file.wholeBytes = static_cast<std::uint64_t>(in.tellg());
        file.samples.insert(file.samples.end(), block.begin(), block.end());
    }
    return true;
}

std::vector<Position> readStartPositions(const std::string& path, int& refused) {
    std::vector<Position> starts;
    refused = 0;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) line.pop_back();
        if (line.empty()) continue;
        const PositionIdResult id = decodePositionId(line, Side::Black);
        if (id.ok && contactOf(id.position) > 0) starts.push_back(id.position);
        else ++refused;
    }
    return starts;
}

bool startSampleFile(const std::string& path, std::uint64_t seed) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(kMagic, sizeof kMagic);
    put(out, seed);
    return static_cast<bool>(out.flush());
}

bool appendSamples(const std::string& path, std::int64_t games, const std::vector<Sample>& samples) {
    std::ofstream out(path, std::ios::binary | std::ios::app);
    put(out, games);
    put(out, static_cast<std::uint64_t>(samples.size()));
    out.write(reinterpret_cast<const char*>(samples.data()), static_cast<std::streamsize>(samples.size() * sizeof(Sample)));
    return static_cast<bool>(out.flush());
}

}  // namespace lumaro::train
