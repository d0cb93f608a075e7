#pragma once
// How the game's position changes checker by checker while a game is played. An emptied point
// keeps its colour byte (only its count says it is empty), as the position of a saved game has
// always held it; a point or a bar never holds more than fifteen.
#include "rules/Position.h"

namespace lumaro {

// The top checker of `side` leaves `point` (0: its bar); nothing when there is none.
void takeChecker(Position& pos, Side side, int point);
// A checker of `side` lands on `point` (0: its bar, 25: its tray).
void putChecker(Position& pos, Side side, int point);
// `pos` as a fresh board holds it: the colour byte of an empty point is 0.
Position freshBoard(const Position& pos);
// `current` brought back to `target` (an undo): the checkers of `target`; a point left empty keeps
// the colour byte it had.
Position restoredPosition(const Position& current, const Position& target);

}  // namespace lumaro
