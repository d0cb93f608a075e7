#pragma once
// The plays of a roll ranked for either side. The ranking sees the mover as Black, so White's roll
// is ranked on the mirrored position; the plays' notation is the mover's own either way. The hint,
// the review and `lumaro-cli hint` all rank this way.
#include <vector>

#include "ai/PlayRanking.h"
#include "ai/SearchTypes.h"

namespace lumaro {

struct SideRanking {
    Side side = Side::Black;
    Position frame;  // the position with the mover as Black
    std::vector<RankedPlay> plays;
};

SideRanking rankPlaysOf(PlayRanking& ranking, const Position& position, Side mover, Byte dieA, Byte dieB,
                        const AnalysisSettings& settings, const NeuralNets* nets, int depth);

// The play the ranking puts first, in the board's own points for the mover; empty when none.
Play bestPlayOf(const SideRanking& ranking);

}  // namespace lumaro
