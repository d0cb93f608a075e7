#pragma once
// `lumaro-cli hint`: the plays of the saved game's roll ranked for the side to move, with the cube
// advice before that roll; and the play `choose --hint-depth` makes from the same ranking.
#include <optional>
#include <vector>

#include "ai/PlayRanking.h"
#include "game/SavedGame.h"

namespace lumaro {

// The ranking of the saved game's roll for the side to move, in Black's frame (for White, on the
// mirrored position: the plays' notation is the mover's own either way).
struct SideRanking {
    Side side = Side::Black;
    Position frame;  // the position with the mover as Black
    std::vector<RankedPlay> plays;
};
SideRanking rankForSideToMove(PlayRanking& ranking, const SavedGame& game, const NeuralNets& nets,
                              const AnalysisSettings& settings, int depth);

// The play the ranking puts first, in the board's own points for the side to move; empty when
// there is none.
Play hintChoice(const SideRanking& ranking);

// A depth as the command line gives it: "0" or "1"; nothing for anything else.
std::optional<int> hintDepthOf(const char* text);

int hintCommand(int argc, char** argv);

}  // namespace lumaro
