#pragma once
// Single-step tests on the live board: may this checker move with this die, and where to?
#include <array>

#include "board/Board.h"

namespace lumaro {

// Outcome of moving one checker by one die.
inline constexpr Byte kStepImpossible = 0;  // 1..24: destination point
inline constexpr Byte kHitOffset = 24;      // 25..48: destination + 24, a lone opposing checker is hit
inline constexpr Byte kBorneOff = 100;

// The dice still to play, slots 1..4 (slot 0 unused): higher die first, a used slot is 0.
using DiceLeft = std::array<Byte, 5>;

// Steps of the checker on screen position s with die d; 0 for anything out of range.
Byte whiteStepTest(const Board& board, int s, int d);
Byte blackStepTest(const Board& board, int s, int d);
Byte whiteEntryTest(const Board& board, int d);
Byte blackEntryTest(const Board& board, int d);

// Can the side to move (turn 1 white, 0 black) still enter from the bar / play some die?
bool canEnter(const Board& board, Byte turn, const DiceLeft& diceLeft);
bool canMove(const Board& board, Byte turn, const DiceLeft& diceLeft);

}  // namespace lumaro
