#pragma once
// Puts a position on the board as the start of a turn: the roll (a, b) for `turn`, the snapshot
// taken, the game on, and both sides past their first rolls (so the opening book stays out).
#include "game/Game.h"

namespace lumaro::testing {

inline void startTurnOn(Game& game, const Position& pos, Byte a, Byte b, Byte turn, int rolls = 5) {
    game.arrangeTurn(pos, a, b, sideOfTurn(turn), rolls);
}

}  // namespace lumaro::testing
