#pragma once
// Puts a position on the board as the start of a turn: the roll (a, b) for `turn`, the snapshot
// taken, the game on, and both sides past their first rolls (so the opening book stays out).
#include "game/Game.h"

namespace lumaro::testing {

inline void startTurnOn(Game& game, const Position& pos, Byte a, Byte b, Byte turn, int rolls = 5) {
    game.layOutPosition(pos);
    game.turn = turn;
    game.dice.dieA = a;
    game.dice.dieB = b;
    game.dice.fillDiceLeft();
    game.takeSnapshot();
    game.gameOn = true;
    game.whiteRollStats.rolls = static_cast<std::uint16_t>(rolls);
    game.blackRollStats.rolls = static_cast<std::uint16_t>(rolls);
    game.updateCounters();
}

}  // namespace lumaro::testing
