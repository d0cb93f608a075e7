#pragma once
// `lumaro-cli hint`: the plays of the saved game's roll ranked for the side to move, with the cube
// advice before that roll; and the play `choose --hint-depth` makes from the same ranking.
#include <vector>

#include "game/SavedGame.h"
#include "game/SideRanking.h"

namespace lumaro {

// The ranking of the saved game's roll for the side to move.
SideRanking rankForSideToMove(PlayRanking& ranking, const SavedGame& game, const NeuralNets& nets,
                              const AnalysisSettings& settings, int depth);

int hintCommand(int argc, char** argv);

}  // namespace lumaro
