#include "game/Hint.h"

#include <algorithm>

#include "rules/PlayApply.h"
#include "rules/PlayNotation.h"
#include "rules/StepTests.h"
#include "game/Game.h"
#include "game/MasterCube.h"

namespace lumaro {
namespace {

Hint unavailable(std::string why) {
    Hint hint;
    hint.title = "No hint now";
    hint.lines = {std::move(why)};
    return hint;
}

const char* verdictLine(CubeVerdict verdict) {
    switch (verdict) {
        case CubeVerdict::NoDouble: return "No double.";
        case CubeVerdict::DoubleTake: return "Double: it is a take.";
        case CubeVerdict::DoublePass: return "Double: it is a pass.";
        case CubeVerdict::TooGoodTake:
        case CubeVerdict::TooGoodPass: return "Too good to double: play on for the gammon.";
    }
    return "";
}

const char* titleOf(int depth) {
    switch (depth) {
        case 0: return ", first look";
        case 1: return ", one roll deeper";
        default: return ", two rolls deeper";
    }
}

void setUnit(Hint& hint, const CubeSituation& situation) {
    hint.figuresAreChances = situation.matchLength > 0;
    hint.figuresUnit = hint.figuresAreChances ? "Chances of winning the match." : "Equities per point of the cube now.";
}

}  // namespace

DeepRanking rankDeeply(MasterSearch& search, const NeuralNets* nets, const Position& start, Side mover, Byte dieA,
                       Byte dieB, int depth, int lookedAt) {
    DeepRanking r;
    r.frame = mover == Side::Black ? start : mirrored(start);
    r.plays = search.rank(nets, r.frame, dieA, dieB, depth);
    if (r.plays.empty()) return r;
    const int deepest = r.plays.front().depth;
    // The search's filters stop early; a teacher shows a few more plays on the same footing.
    const int wanted = std::min(static_cast<int>(r.plays.size()), std::max(1, lookedAt));
    for (int i = 0; i < wanted; ++i) {
        MasterPlay& p = r.plays[static_cast<std::size_t>(i)];
        if (p.depth == deepest) continue;
        p.equity = deepest == 2 ? search.equity2(nets, p.after) : search.equity1(nets, p.after);
        p.depth = deepest;
    }
    const auto lookedAtEnd = r.plays.begin() + std::count_if(r.plays.begin(), r.plays.end(),
                                                            [deepest](const MasterPlay& p) { return p.depth == deepest; });
    std::stable_sort(r.plays.begin(), lookedAtEnd, [](const MasterPlay& a, const MasterPlay& b) { return a.equity > b.equity; });
    r.listed = static_cast<int>(lookedAtEnd - r.plays.begin());
    return r;
}

HintAdvisor::HintAdvisor() : search_(std::make_unique<MasterSearch>()), cube_(std::make_unique<MasterCube>()) {}
HintAdvisor::~HintAdvisor() = default;

Hint HintAdvisor::hintFor(const Game& game, int depth) {
    const GameState& state = game.state();
    if (!game.nets() || !game.nets()->usable()) return unavailable("The Expert's networks are missing.");
    if (!state.gameOn()) return unavailable("Start a game first.");
    if (game.whiteAnswersDouble()) return cubeAdvice(game);
    if (game.enteringDice()) return unavailable("Enter your dice first.");
    const bool whiteToPlay = state.sideToMove() == Side::White && state.snapshot().dieA != 0;
    if (whiteToPlay) return playsOfWhite(game, std::clamp(depth, 0, 2));
    // White rolls next once Black's turn is over: every die it could play is played, or none
    // could be (a dance leaves Black's dice unplayed), and no peer is still to send its move.
    const bool whiteToRoll = state.sideToMove() == Side::Black && state.turnEnd() == TurnEnd::Complete && !game.busy() &&
                             !game.waitingForOpponent();
    if (whiteToRoll) return cubeAdvice(game);
    return unavailable("A hint is there while you are to play or to roll.");
}

Hint HintAdvisor::playsOfWhite(const Game& game, int depth) {
    const TurnSnapshot& start = game.state().snapshot();
    const DeepRanking ranking = rankDeeply(*search_, game.nets(), start.position, Side::White, start.dieA, start.dieB,
                                           depth, kPlaysLookedAt);
    Hint hint;
    hint.kind = Hint::Kind::Plays;
    hint.title = "Your " + std::to_string(start.dieA) + "-" + std::to_string(start.dieB) + titleOf(depth);
    if (ranking.plays.empty()) {
        hint.lines = {"No play is possible: end the turn."};
        return hint;
    }
    const double best = ranking.plays.front().equity;
    // Only the plays of the deepest look are listed: the others' equities are of another depth
    // and do not compare.
    for (int i = 0; i < ranking.listed; ++i) {
        const MasterPlay& p = ranking.plays[static_cast<std::size_t>(i)];
        HintLine line;
        line.play = playNotation(ranking.frame, Side::Black, p.play);
        line.equity = p.equity;
        line.difference = p.equity - best;
        line.deeper = p.depth > 0;
        hint.plays.push_back(line);
    }
    hint.bestPlay = mirroredPlay(ranking.plays.front().play);
    return hint;
}

Hint HintAdvisor::cubeAdvice(const Game& game) {
    const GameState& state = game.state();
    Hint hint;
    hint.kind = Hint::Kind::Cube;
    if (game.whiteAnswersDouble()) {
        // Black, on roll, doubles; the cube still stands as it was before the double.
        hint.title = "Black doubles";
        const CubeSituation situation = cubeSituationOf(game, Side::Black);
        const CubeDecision d = cube_->doubled(game.nets(), state.position(), Side::Black, situation);
        const double take = answerersFigure(d.doubleTake, situation), pass = answerersFigure(d.doublePass, situation);
        hint.lines = {std::string(take >= pass ? "Take." : "Pass.")};
        hint.figures = {{"Take", take}, {"Pass", pass}};
        setUnit(hint, situation);
        return hint;
    }
    hint.title = "Before your roll";
    if (!game.mayDouble(Side::White) || game.isCrawfordGame() ||
        (game.options().matchPlay && game.options().matchLength == 1)) {
        hint.lines = {"The cube may not be turned now."};
        return hint;
    }
    const CubeSituation situation = cubeSituationOf(game, Side::White);
    const CubeDecision d = cube_->decide(game.nets(), state.position(), Side::White, situation);
    setUnit(hint, situation);
    if (!d.unavailable.empty()) {
        // The rules allow the double but it gains nothing: the leader's cube after the Crawford
        // game, or a cube that already gives the match.
        hint.lines = {"No double."};
        hint.figures = {{"No double", d.noDouble}};
        return hint;
    }
    hint.lines = {verdictLine(d.verdict)};
    hint.figures = {{"No double", d.noDouble}, {"Double/take", d.doubleTake}, {"Double/pass", d.doublePass}};
    return hint;
}

std::vector<std::pair<int, int>> stepsOfPlay(const Position& start, const Play& play, Side side) {
    std::vector<std::pair<int, int>> steps;
    Position pos = start;
    for (int k = 1; k <= 4 && play[k].die != 0; ++k) {
        const bool onBar = (side == Side::White ? pos.barWhite : pos.barBlack) > 0;
        const int from = onBar ? 0 : play[k].point;
        const Byte result = stepResult(pos, side, from, play[k].die);
        if (result == kStepImpossible) break;
        const int to = result == kBorneOff ? 25 : (result > kHitOffset ? result - kHitOffset : result);
        steps.emplace_back(from, to);
        applyStep(pos, side, from, result);
    }
    return steps;
}

}  // namespace lumaro
