#pragma once
// A race where both sides have every checker in their home boards (or borne off), scored from the
// one-sided bear-off table: each side's chances of needing 1, 2, 3 ... rolls are independent, so
// who finishes first, and whether the loser has borne a checker off by then, follow from them.
// Each side plays to bear off in the fewest rolls on average (to save a gammon, to bear its first
// checker off soonest), not to beat this particular opponent: exact within that.
#include <optional>

#include "ai/BearoffDatabase.h"
#include "rules/Position.h"

namespace lumaro {

// The side on roll's chances, all over the whole game: winning, winning a gammon, losing a gammon.
// Backgammons cannot happen once every checker is home.
struct RaceChances {
    double win = 0;
    double winGammon = 0;
    double loseGammon = 0;

    // Cubeless, in points a game (a single game 1, a gammon 2).
    double equity() const { return 2.0 * win - 1.0 + winGammon - loseGammon; }
};

// Whether no checker of either side is on the bar or outside its own home board: Black's home is
// points 1..6, White's 19..24.
bool bothSidesHome(const Position& pos);

// The chances of `onRoll`, about to roll, when both sides are home; nothing otherwise.
std::optional<RaceChances> bearoffRaceChances(const Position& pos, Side onRoll,
                                              const BearoffDatabase& table = BearoffDatabase::shared());

}  // namespace lumaro
