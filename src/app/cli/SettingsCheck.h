#pragma once
// A settings file named on lumaro-cli's command line. The game takes what it can of its own
// lm2.ini; a file given by hand must be a whole settings file, or the command would quietly play
// with defaults the user never chose.
#include <string>

#include "game/Options.h"
#include "game/Scores.h"

namespace lumaro {

// Reads the settings at `path` into `options` and `scores`. Empty when it is a whole settings file
// as the game writes one; otherwise why it is none, and then nothing is to be used.
std::string readSettingsStrictly(const std::string& path, Options& options, Scores& scores);

}  // namespace lumaro
