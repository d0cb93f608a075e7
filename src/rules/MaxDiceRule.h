#pragma once
// The rule that a play must use both dice (all four of a doublet) where possible, else the higher one.
#include "rules/PlayGenerator.h"
#include "rules/StepTests.h"

namespace lumaro {

// The first play found with the largest dice total, for `white` (true) or black, from `start`
// with the roll (dieA, dieB). All dice 0 when no step is possible.
Play maximalPlay(const Position& start, bool white, Byte dieA, Byte dieB);

// 1 when the side to move (turn 1 white, 0 black) has used fewer pips than some legal play from
// the turn-start position would; 0 otherwise (also when no step at all was possible).
int fallsShortOfMaximalPlay(const Position& snapshot, Byte dieA, Byte dieB, Byte turn, const DiceLeft& diceLeft);

}  // namespace lumaro
