#pragma once
// `lumaro-cli hint`: the plays of the saved game's roll ranked for the side to move by the Master's
// search, with the Master's cube decision before that roll, the same figures as the board's H key;
// and the play `choose --hint-depth` makes from the Expert's ranking (the player the hint's
// strength page measured).
#include <vector>

#include "game/SavedGame.h"
#include "game/SideRanking.h"

namespace lumaro {

// The ranking of the saved game's roll for the side to move.
SideRanking rankForSideToMove(PlayRanking& ranking, const SavedGame& game, const NeuralNets& nets,
                              const AnalysisSettings& settings, int depth);

int hintCommand(int argc, char** argv);

}  // namespace lumaro
