#pragma once
// The Master's cube decision for the game in play and for a recorded one: the cube as the decision
// sees it (its value and holder, whether it is in use, the Jacoby rule of a money game, and in a
// match what each side still needs and whether this is the Crawford game), and the decision itself
// from the roller's cubeless chances.
#include <memory>

#include "ai/CubeDecision.h"
#include "ai/CubelessEstimate.h"
#include "rules/Cube.h"

namespace lumaro {

class Game;

// `matchLength` 0 is a money game (then the scores do not count); in a match the scores are the
// points each side has before this game.
CubeSituation cubeSituationFor(const Cube& cube, Side roller, bool cubeInUse, bool jacoby, int matchLength,
                               int whiteScore, int blackScore, bool crawfordGame);

// The same for the game in play.
CubeSituation cubeSituationOf(const Game& game, Side roller);

class MasterCube {
public:
    MasterCube();
    ~MasterCube();

    // The decision of `roller`, about to roll in `position` (the board's own points).
    CubeDecision decide(const NeuralNets* nets, const Position& position, Side roller, const CubeSituation& situation);

    // The same once the roller has doubled: the take and pass figures always count, even for a
    // double the model would not make (the leader's after the Crawford game, or one whose cube
    // already gives the match), where the doubled game is played out with a dead cube.
    CubeDecision doubled(const NeuralNets* nets, const Position& position, Side roller, const CubeSituation& situation);

    // What one unit of the decision's figures is worth in points per point of the cube: 1 in
    // money; in a match, 2 over the difference in match chances between winning and losing a
    // single game at the present cube (the usual way to put match chances on the money scale).
    double pointsPerUnit(const CubeSituation& situation) const;

    const MatchEquityTable& table() const { return *table_; }

private:
    std::unique_ptr<CubelessEstimate> estimate_;
    std::unique_ptr<MatchEquityTable> table_;
};

// A figure of the roller's decision seen from the side that answers the double.
inline double answerersFigure(double rollersFigure, const CubeSituation& situation) {
    return situation.matchLength > 0 ? 1.0 - rollersFigure : -rollersFigure;
}

}  // namespace lumaro
