#pragma once
// Positions from games of random legal plays, for tests that compare two ways of doing one thing.
#include <cstdint>
#include <vector>

#include "rules/PlayGenerator.h"

namespace lumaro::testing {

struct PositionWithRoll {
    Position position;
    Byte dieA;
    Byte dieB;
};

class TestRandom {
public:
    explicit TestRandom(std::uint64_t seed) : state_(seed * 2862933555777941757ull + 3037000493ull) {}
    std::uint32_t below(std::uint32_t n) {
        state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<std::uint32_t>((state_ >> 33) % n);
    }

private:
    std::uint64_t state_;
};

// Plays a random legal play (one that uses the most pips) for `white` from `pos` with the roll.
inline Position playRandomly(const Position& pos, bool white, Byte a, Byte b, TestRandom& random) {
    GeneratorWorkArea w;
    w.level[0] = pos;
    NoStepObserver none;
    generateBothOrders(w, white, a, b, none);
    const int best = diceTotal(w.bestPath);
    if (best == 0) return pos;
    std::vector<Position> plays;
    auto collect = [&](const GeneratorWorkArea& area, int level) {
        int total = 0;
        for (int k = 1; k <= level; ++k) total += area.path[k].die;
        if (total == best) plays.push_back(area.level[level]);
    };
    w = GeneratorWorkArea{};
    w.level[0] = pos;
    generateBothOrders(w, white, a, b, collect);
    return plays[random.below(static_cast<std::uint32_t>(plays.size()))];
}

// Positions with black to roll, taken along random games (restarted when one ends).
inline std::vector<PositionWithRoll> randomBlackPositions(std::uint64_t seed, int count) {
    TestRandom random(seed);
    std::vector<PositionWithRoll> out;
    Position pos = startingPosition();
    bool whiteToMove = random.below(2) == 0;
    while (static_cast<int>(out.size()) < count) {
        const Byte a = static_cast<Byte>(random.below(6) + 1);
        const Byte b = static_cast<Byte>(random.below(6) + 1);
        if (!whiteToMove) out.push_back({pos, a, b});
        pos = playRandomly(pos, whiteToMove, a, b, random);
        whiteToMove = !whiteToMove;
        if (pos.offWhite == kCheckersPerSide || pos.offBlack == kCheckersPerSide) pos = startingPosition();
    }
    return out;
}

}  // namespace lumaro::testing
