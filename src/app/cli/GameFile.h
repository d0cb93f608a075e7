#pragma once
// The saved game a command of lumaro-cli works on.
#include "game/SavedGame.h"

namespace lumaro {

// Reads the saved game at `path`; false, with the reason on standard error, when it cannot be read,
// and with `inPlay` also when the game is over (a side has borne off all fifteen): there is no
// roll to play or judge then.
bool loadGameFile(const char* path, SavedGame& game, bool inPlay);

}  // namespace lumaro
