#include "game/MasterCube.h"

#include <algorithm>

#include "game/Game.h"

namespace lumaro {
namespace {

// The next game after this one is played without the Crawford rule's game: this is the Crawford
// game, or it is already past.
bool afterCrawford(const CubeSituation& s) {
    return s.crawford || (s.rollerNeeds == 1) != (s.opponentNeeds == 1);
}

}  // namespace

CubeSituation cubeSituationFor(const Cube& cube, Side roller, bool cubeInUse, bool jacoby, int matchLength,
                               int whiteScore, int blackScore, bool crawfordGame) {
    CubeSituation s;
    s.cube = cube.value();
    s.owner = cube.centred() ? CubeOwner::Centred : cube.availableTo(roller) ? CubeOwner::Roller : CubeOwner::Opponent;
    s.cubeInUse = cubeInUse;
    if (matchLength <= 0) {
        s.jacoby = jacoby;
        return s;
    }
    s.matchLength = matchLength;
    // A score at or past the length (a match just won) still leaves a point to play for.
    const int whiteNeeds = std::max(1, matchLength - whiteScore);
    const int blackNeeds = std::max(1, matchLength - blackScore);
    s.rollerNeeds = roller == Side::White ? whiteNeeds : blackNeeds;
    s.opponentNeeds = roller == Side::White ? blackNeeds : whiteNeeds;
    s.crawford = crawfordGame;
    return s;
}

CubeSituation cubeSituationOf(const Game& game, Side roller) {
    const Options& options = game.options();
    const GameState& state = game.state();
    const Scores& scores = state.scores();
    return cubeSituationFor(state.cube(), roller, options.cubeEnabled, options.jacobyRule,
                            options.matchPlay ? options.matchLength : 0, scores.whiteMatchScore,
                            scores.blackMatchScore, game.isCrawfordGame());
}

MasterCube::MasterCube()
    : estimate_(std::make_unique<CubelessEstimate>()), table_(std::make_unique<MatchEquityTable>()) {}
MasterCube::~MasterCube() = default;

CubeDecision MasterCube::decide(const NeuralNets* nets, const Position& position, Side roller,
                                const CubeSituation& situation) {
    // The estimate sees the roller as Black.
    const Position frame = roller == Side::Black ? position : mirrored(position);
    return decideCube(estimate_->blackToRoll(nets, frame), situation, *table_);
}

CubeDecision MasterCube::doubled(const NeuralNets* nets, const Position& position, Side roller,
                                 const CubeSituation& situation) {
    const Position frame = roller == Side::Black ? position : mirrored(position);
    const CubelessChances chances = estimate_->blackToRoll(nets, frame);
    CubeDecision d = decideCube(chances, situation, *table_);
    if (d.unavailable.empty() || situation.matchLength <= 0) return d;
    CubeSituation doubledGame = situation;
    doubledGame.cube = std::min(2 * situation.cube, static_cast<int>(Cube::kHighest));
    doubledGame.owner = CubeOwner::Opponent;
    d.doubleTake = decideCube(chances, doubledGame, *table_).cubeless;
    d.doublePass = table_->chance(situation.rollerNeeds - situation.cube, situation.opponentNeeds, afterCrawford(situation));
    return d;
}

double MasterCube::pointsPerUnit(const CubeSituation& s) const {
    if (s.matchLength <= 0) return 1.0;
    const bool after = afterCrawford(s);
    const double win = table_->chance(s.rollerNeeds - s.cube, s.opponentNeeds, after);
    const double lose = table_->chance(s.rollerNeeds, s.opponentNeeds - s.cube, after);
    return win - lose > 1e-9 ? 2.0 / (win - lose) : 1.0;
}

}  // namespace lumaro
