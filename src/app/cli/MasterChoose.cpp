#include "app/cli/MasterChoose.h"

#include <memory>

#include "ai/MasterSearch.h"
#include "rules/PlayApply.h"

namespace lumaro {

MasterChoice masterChoiceFor(const SavedGame& game, const NeuralNets& nets, int depth) {
    // The search sees the mover as Black.
    const Side mover = sideOfTurn(game.turn);
    const Position frame = mover == Side::Black ? game.position : mirrored(game.position);
    auto search = std::make_unique<MasterSearch>();
    const std::vector<MasterPlay> plays = search->rank(&nets, frame, game.dieA, game.dieB, depth);
    MasterChoice choice;
    choice.plays = static_cast<int>(plays.size());
    if (plays.empty()) return choice;
    choice.play = mover == Side::Black ? plays.front().play : mirroredPlay(plays.front().play);
    choice.equity = plays.front().equity;
    choice.depth = plays.front().depth;
    return choice;
}

}  // namespace lumaro
