#pragma once
// Single-step tests on a position: may this checker move with this die, and where to?
#include <array>

#include "rules/Position.h"

namespace lumaro {

// Outcome of moving one checker by one die.
inline constexpr Byte kStepImpossible = 0;  // 1..24: destination point
inline constexpr Byte kHitOffset = 24;      // 25..48: destination + 24, a lone opposing checker is hit
inline constexpr Byte kBorneOff = 100;

// The dice still to play, slots 1..4 (slot 0 unused): higher die first, a used slot is 0.
using DiceLeft = std::array<Byte, 5>;

// The rule of one step on any position: a checker of `side` leaves logical point `from` (0: enters
// from the bar) with die d. Bearing off needs `phase` (the side's phase) 3 or 4. 0 for anything
// out of range.
Byte stepResult(const Position& pos, Side side, int from, int d, Byte phase);
// The same with the side's phase taken from the position.
Byte stepResult(const Position& pos, Side side, int from, int d);
// Makes a step whose stepResult is `result` (not 0) on a position without images: the checker
// leaves `from` (or the bar), a hit blot goes to its bar, a checker borne off to its tray.
void applyStep(Position& pos, Side side, int from, Byte result);

// Steps of the checker on point p (1..24) with die d; 0 for anything out of range.
Byte whiteStepTest(const Position& pos, int p, int d);
Byte blackStepTest(const Position& pos, int p, int d);
Byte whiteEntryTest(const Position& pos, int d);
Byte blackEntryTest(const Position& pos, int d);

// Can the side to move (turn 1 white, 0 black) still enter from the bar / play some die?
bool canEnter(const Position& pos, Byte turn, const DiceLeft& diceLeft);
bool canMove(const Position& pos, Byte turn, const DiceLeft& diceLeft);

}  // namespace lumaro
