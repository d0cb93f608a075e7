#include "ai/BearoffRace.h"

#include <algorithm>

namespace lumaro {
namespace {

// A side's checkers by its own points: Black's point p is its own p, White's is 25 - p.
HomeBoard homeBoardOf(const Position& pos, Side side) {
    HomeBoard board{};
    for (int own = 1; own <= 6; ++own) {
        const int p = side == Side::Black ? own : 25 - own;
        const bool ours = side == Side::Black ? pos.hasBlack(p) : pos.hasWhite(p);
        if (ours) board[own] = pos.count[p];
    }
    return board;
}

// The chance that a roll count drawn from `a` is no more than one drawn from `b` less `behind`.
double noLaterThan(const RollsDistribution& a, const RollsDistribution& b, int behind) {
    double chance = 0;
    for (int k = a.first; k < a.first + a.count; ++k) chance += a.at(k) * b.atLeast(k + behind);
    return chance;
}

}  // namespace

bool bothSidesHome(const Position& pos) {
    if (pos.barBlack > 0 || pos.barWhite > 0) return false;
    for (int p = 1; p <= 24; ++p) {
        if (pos.hasBlack(p) && p > 6) return false;
        if (pos.hasWhite(p) && p < 19) return false;
    }
    return true;
}

std::optional<RaceChances> bearoffRaceChances(const Position& pos, Side onRoll, const BearoffDatabase& table) {
    if (!bothSidesHome(pos)) return std::nullopt;
    const Side other = otherSide(onRoll);
    const int rollerIndex = BearoffDatabase::indexOf(homeBoardOf(pos, onRoll));
    const int otherIndex = BearoffDatabase::indexOf(homeBoardOf(pos, other));
    if (rollerIndex < 0 || otherIndex < 0) return std::nullopt;
    const RollsDistribution rollerAll = table.allOff(rollerIndex);
    const RollsDistribution otherAll = table.allOff(otherIndex);
    const bool rollerHasNoneOff = (onRoll == Side::White ? pos.offWhite : pos.offBlack) == 0;
    const bool otherHasNoneOff = (other == Side::White ? pos.offWhite : pos.offBlack) == 0;

    // The roller's n-th roll comes before the other side's n-th: it wins when it needs no more
    // rolls than the other side, and wins a gammon when it needs no more than the other side needs
    // to bear its first checker off.
    RaceChances chances;
    chances.win = noLaterThan(rollerAll, otherAll, 0);
    if (otherHasNoneOff) chances.winGammon = noLaterThan(rollerAll, table.firstOff(otherIndex), 0);
    // The other side wins a gammon when it finishes before the roller's roll that bears the first
    // checker off.
    if (rollerHasNoneOff) chances.loseGammon = noLaterThan(otherAll, table.firstOff(rollerIndex), 1);
    // The table's 16-bit chances can add up to a hair more than they should.
    chances.win = std::clamp(chances.win, 0.0, 1.0);
    chances.winGammon = std::clamp(chances.winGammon, 0.0, chances.win);
    chances.loseGammon = std::clamp(chances.loseGammon, 0.0, 1.0 - chances.win);
    return chances;
}

}  // namespace lumaro
