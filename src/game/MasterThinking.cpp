#include "game/MasterThinking.h"

#include <algorithm>
#include <memory>

#include "ai/CubelessEstimate.h"
#include "ai/MasterSearch.h"
#include "ai/MatchEquity.h"
#include "rules/PlayApply.h"

namespace lumaro {
namespace {

// The table is the same for every game of a run: worked out once, on first use.
const MatchEquityTable& matchEquity() {
    static const MatchEquityTable table;
    return table;
}

}  // namespace

MasterPlayAnswer masterPlay(const MasterPlayQuestion& q) {
    // The search sees the mover as Black.
    const bool black = q.mover == Side::Black;
    const Position frame = black ? q.position : mirrored(q.position);
    auto search = std::make_unique<MasterSearch>();
    const std::vector<MasterPlay> plays = search->rank(q.nets, frame, q.dieA, q.dieB, std::clamp(q.depth, 0, 2));
    MasterPlayAnswer answer;
    if (plays.empty()) return answer;
    answer.canMove = true;
    answer.play = black ? plays.front().play : mirroredPlay(plays.front().play);
    answer.equity = plays.front().equity;
    return answer;
}

CubeDecision masterCubeDecision(const MasterCubeQuestion& q) {
    const Position frame = q.roller == Side::Black ? q.position : mirrored(q.position);
    auto estimate = std::make_unique<CubelessEstimate>();
    CubelessChances chances = estimate->blackToRoll(q.nets, frame);
    if (q.noBackgammons) chances.winBackgammon = chances.loseBackgammon = 0;
    return decideCube(chances, q.situation, matchEquity());
}

bool masterTakes(const CubeDecision& d) {
    // A cube the model would not turn (the doubler already has what it needs, the leader after the
    // Crawford game) costs the taker nothing it would not lose by passing: its figures are zero.
    return d.doubleTake <= d.doublePass;
}

bool masterDoubles(const CubeDecision& d) {
    return d.unavailable.empty() && (d.verdict == CubeVerdict::DoubleTake || d.verdict == CubeVerdict::DoublePass);
}

}  // namespace lumaro
