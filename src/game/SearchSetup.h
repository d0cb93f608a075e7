#pragma once
// What the computer's search is asked for a turn, from a turn-start position and the options:
// the same for the game, the command-line tool and the self-play matches.
#include "ai/SearchTypes.h"
#include "game/Options.h"

namespace lumaro {

AnalysisSettings analysisSettingsOf(const Options& options);

// For the side to move (`black`, or White for the MOVE command) on `start` with the roll (a, b):
// pip counts and race category are those of the start position.
SearchRequest searchRequestFor(const Position& start, Byte dieA, Byte dieB, bool black, const AnalysisSettings& settings,
                               const NeuralNets* nets);

}  // namespace lumaro
