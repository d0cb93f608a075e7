#pragma once
// An estimate of a race (no contact left) in money play, from pip counts. Each side's count is
// raised for the pips a bear-off typically wastes (checkers piled on the low points, gaps on the
// high ones), turned into the number of rolls it needs, and the two numbers of rolls are compared
// as normal variables, the side on roll winning a tie. Gammons: the same comparison between the
// winner's rolls to finish and the loser's rolls to bring everything home and bear one checker
// off. Backgammons are left out. Rough at the very end of a bear-off, where a roll or two decides.
#include "rules/Position.h"

namespace lumaro {

// Black's cubeless equity (a single game 1, a gammon 2) in a race just after Black's play, with
// White to roll. Black must still have checkers on the board.
double raceEquity(const Position& pos);

// The chances behind that equity: each side's wins, and the gammons among them.
struct RaceEstimate {
    double blackWins = 0;
    double whiteWins = 0;
    double blackGammons = 0;
    double whiteGammons = 0;
};
RaceEstimate raceEstimate(const Position& pos);

// The chance that the side on roll, needing `rollerRolls` rolls on average, finishes no later than
// the other side, needing `otherRolls`, with `variance` the variance of the difference.
double rollerFinishesFirst(double rollerRolls, double otherRolls, double variance);

}  // namespace lumaro
