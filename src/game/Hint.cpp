#include "game/Hint.h"

#include "ai/CubeAdvice.h"
#include "ai/PlayRanking.h"
#include "rules/PlayNotation.h"
#include "rules/StepTests.h"
#include "game/Game.h"
#include "game/SearchSetup.h"
#include "game/SideRanking.h"

namespace lumaro {
namespace {

Hint unavailable(std::string why) {
    Hint hint;
    hint.title = "No hint now";
    hint.lines = {std::move(why)};
    return hint;
}

const char* actionWords(CubeAction action) {
    switch (action) {
        case CubeAction::NoDouble: return "No double.";
        case CubeAction::DoubleTake: return "Double: it is a take.";
        case CubeAction::DoublePass: return "Double: it is a pass.";
        case CubeAction::TooGood: return "Too good to double: play on for the gammon.";
        case CubeAction::NotAvailable: return "The cube is Black's: no double.";
    }
    return "";
}

}  // namespace

HintAdvisor::HintAdvisor() : ranking_(std::make_unique<PlayRanking>()), cube_(std::make_unique<CubeAdvisor>()) {}
HintAdvisor::~HintAdvisor() = default;

Hint HintAdvisor::hintFor(const Game& game, int depth) {
    const GameState& state = game.state();
    if (!game.nets() || !game.nets()->usable()) return unavailable("The Expert's networks are missing.");
    if (!state.gameOn()) return unavailable("Start a game first.");
    if (game.whiteAnswersDouble()) return cubeAdvice(game, depth);
    if (game.enteringDice()) return unavailable("Enter your dice first.");
    const bool whiteToPlay = state.sideToMove() == Side::White && state.snapshot().dieA != 0;
    if (whiteToPlay) return playsOfWhite(game, depth);
    // White rolls next once Black's turn is over: every die it could play is played, or none
    // could be (a dance leaves Black's dice unplayed), and no peer is still to send its move.
    const bool whiteToRoll = state.sideToMove() == Side::Black && state.turnEnd() == TurnEnd::Complete && !game.busy() &&
                             !game.waitingForOpponent();
    if (whiteToRoll) return cubeAdvice(game, depth);
    return unavailable("A hint is there while you are to play or to roll.");
}

Hint HintAdvisor::playsOfWhite(const Game& game, int depth) {
    const TurnSnapshot& start = game.state().snapshot();
    AnalysisSettings settings = analysisSettingsOf(game.options());
    settings.computerLevel = Level::Expert;
    const SideRanking ranking = rankPlaysOf(*ranking_, start.position, Side::White, start.dieA, start.dieB, settings, game.nets(), depth);
    const std::vector<RankedPlay>& ranked = ranking.plays;
    Hint hint;
    hint.kind = Hint::Kind::Plays;
    hint.title = "Your " + std::to_string(start.dieA) + "-" + std::to_string(start.dieB) + (depth > 0 ? ", one roll deeper" : ", first look");
    if (ranked.empty()) {
        hint.lines = {"No play is possible: end the turn."};
        return hint;
    }
    const double best = ranked.front().equity();
    for (const RankedPlay& r : ranked) {
        // One roll deeper, only the plays looked at so are listed: the others' equities are of
        // another depth and do not compare.
        if (depth > 0 && !r.deeper) break;
        HintLine line;
        line.play = playNotation(ranking.frame, Side::Black, r.play);
        line.equity = r.equity();
        line.difference = r.equity() - best;
        line.deeper = r.deeper;
        hint.plays.push_back(line);
    }
    hint.bestPlay = bestPlayOf(ranking);
    return hint;
}

Hint HintAdvisor::cubeAdvice(const Game& game, int depth) {
    const GameState& state = game.state();
    Hint hint;
    hint.kind = Hint::Kind::Cube;
    if (game.whiteAnswersDouble()) {
        // Black, on roll, doubles: its view of the position is the board as it stands.
        hint.title = "Black doubles";
        const CubeAdvice a = cube_->advise(game.nets(), state.position(), cubeHolderFor(state.cube(), Side::Black), depth);
        hint.lines = {std::string(a.opponentTakes() ? "Take." : "Pass.")};
        hint.figures = {{"Take", -a.doubleTake}, {"Pass", -a.doublePass}};
        hint.figuresUnit = "per point of the cube now";
        return hint;
    }
    hint.title = "Before your roll";
    if (!game.mayDouble(Side::White) || game.isCrawfordGame() ||
        (game.options().matchPlay && game.options().matchLength == 1)) {
        hint.lines = {"The cube may not be turned now."};
        return hint;
    }
    const CubeAdvice a = cube_->advise(game.nets(), mirrored(state.position()), cubeHolderFor(state.cube(), Side::White), depth);
    hint.lines = {actionWords(a.action)};
    hint.figures = {{"No double", a.noDouble}, {"Double/take", a.doubleTake}, {"Double/pass", a.doublePass}};
    hint.figuresUnit = "per point of the cube now";
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
