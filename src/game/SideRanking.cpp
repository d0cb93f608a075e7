#include "game/SideRanking.h"

#include "rules/PlayApply.h"
#include "game/SearchSetup.h"

namespace lumaro {

SideRanking rankPlaysOf(PlayRanking& ranking, const Position& position, Side mover, Byte dieA, Byte dieB,
                        const AnalysisSettings& settings, const NeuralNets* nets, int depth) {
    SideRanking r;
    r.side = mover;
    r.frame = mover == Side::Black ? position : mirrored(position);
    r.plays = ranking.rank(searchRequestFor(r.frame, dieA, dieB, true, settings, nets), depth);
    return r;
}

Play bestPlayOf(const SideRanking& ranking) {
    if (ranking.plays.empty()) return Play{};
    const Play& best = ranking.plays.front().play;
    return ranking.side == Side::Black ? best : mirroredPlay(best);
}

}  // namespace lumaro
