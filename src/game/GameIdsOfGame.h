#pragma once
// The game in play as the position and match IDs other backgammon programs print and read, and a
// pasted pair turned back into a game to play on.
#include <optional>
#include <string>

#include "rules/GameIds.h"
#include "game/SavedGame.h"

namespace lumaro {

class Game;

// The turn's start with its dice (as SAVE keeps a game), the cube, the score of a match and its
// Crawford game. With no game on: the board as it stands, nobody has rolled.
GameIds idsOfGame(const Game& game);

// What stops a pasted game from being played on here, as a sentence; nothing when it can be.
std::optional<std::string> pastedGameProblem(const GameFromIds& pasted);
// The pasted game as LOAD takes a game: its position, its dice (none when it is still to roll),
// the side on roll and the cube.
SavedGame savedGameOfIds(const GameFromIds& pasted, bool cubeEnabled);

}  // namespace lumaro
