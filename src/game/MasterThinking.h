#pragma once
// What the Master thinks before it acts in the game: its play of a roll and its cube decisions.
// Each question is a value that holds copies of everything the thinking needs, so that it can run
// on another thread while the game and its window go on; the answer is a value too, and neither
// touches the game.
#include "ai/CubeDecision.h"
#include "rules/PlayGenerator.h"
#include "rules/Position.h"

namespace lumaro {

class NeuralNets;

// How far the Master looks in the game: the opponent's rolls and its own after them.
inline constexpr int kMasterDepth = 2;

struct MasterPlayQuestion {
    const NeuralNets* nets = nullptr;  // read only; nothing else evaluates while the Master thinks
    Position position;                 // the turn's start
    Side mover = Side::Black;
    Byte dieA = 0;
    Byte dieB = 0;
    int depth = kMasterDepth;
};

struct MasterPlayAnswer {
    bool canMove = false;
    Play play{};  // in the board's own points for the mover
    double equity = 0;
};

MasterPlayAnswer masterPlay(const MasterPlayQuestion& question);

struct MasterCubeQuestion {
    const NeuralNets* nets = nullptr;
    Position position;
    Side roller = Side::Black;  // the side that may double, before its roll
    CubeSituation situation;
    bool noBackgammons = false;  // backgammons score as gammons
};

CubeDecision masterCubeDecision(const MasterCubeQuestion& question);

// The answer to a double the side `roller` offers, by the decision seen from the roller's side:
// take when the doubled game costs the taker less than the points the pass gives away.
bool masterTakes(const CubeDecision& decision);

// The doubler offers when the decision is to double, whatever the answer; too good plays on.
bool masterDoubles(const CubeDecision& decision);

}  // namespace lumaro
