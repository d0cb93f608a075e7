#pragma once
// `lumaro-cli choose GAME.sav --master [--depth 1|2]`: the play the Master makes, at depth 2
// unless told.
#include "ai/NeuralNets.h"
#include "game/SavedGame.h"
#include "rules/PlayGenerator.h"

namespace lumaro {

struct MasterChoice {
    Play play{};        // in the board's own points for the side to move; empty when it cannot move
    double equity = 0;  // the equity it rests on, from the mover's side
    int depth = 0;      // how deep the chosen play was looked at
    int plays = 0;      // how many legal plays the roll has
};

// The Master's play of the saved game's roll for the side to move.
MasterChoice masterChoiceFor(const SavedGame& game, const NeuralNets& nets, int depth);

}  // namespace lumaro
