#include "game/Review.h"

#include <algorithm>
#include <array>
#include <memory>

#include "rules/PlayApply.h"
#include "rules/PlayNotation.h"
#include "rules/StepTests.h"
#include "game/Hint.h"
#include "game/MasterCube.h"

namespace lumaro {
namespace {

// A recorded point (the mover's own numbering: 25 the bar, 0 off) as a logical one (0 the bar,
// 25 the tray).
int logicalFrom(Side side, int own) { return own >= 25 ? 0 : (side == Side::White ? 25 - own : own); }
int logicalTo(Side side, int own) { return own <= 0 ? 25 : (side == Side::White ? 25 - own : own); }

int destinationOf(Byte result) { return result == kBorneOff ? 25 : (result > kHitOffset ? result - kHitOffset : result); }

// Replays the recorded steps of one roll on `pos`; false when one of them is not a legal step.
bool replaySteps(Position& pos, Side side, const RecordedAction& roll, std::vector<std::pair<int, int>>& steps) {
    std::vector<int> dice = {roll.dieA, roll.dieB};
    if (roll.dieA == roll.dieB) dice = {roll.dieA, roll.dieA, roll.dieA, roll.dieA};
    for (const RecordedStep& s : roll.steps) {
        const int from = logicalFrom(side, s.from);
        const int to = logicalTo(side, s.to);
        bool made = false;
        for (std::size_t k = 0; k < dice.size() && !made; ++k) {
            const Byte result = stepResult(pos, side, from, static_cast<Byte>(dice[k]));
            if (result == kStepImpossible || destinationOf(result) != to) continue;
            applyStep(pos, side, from, result);
            steps.emplace_back(from, to);
            dice.erase(dice.begin() + static_cast<std::ptrdiff_t>(k));
            made = true;
        }
        if (!made) return false;
    }
    return true;
}

Position frameOf(const Position& pos, Side side) { return side == Side::Black ? pos : mirrored(pos); }

class Reviewer {
public:
    Reviewer(Side side, const NeuralNets& nets, int matchLength, const RecordedGame& game)
        : side_(side), nets_(nets), matchLength_(matchLength), game_(game) {}

    void play(const Position& before, const Position& after, const Cube& cube, const RecordedAction& roll, int turn,
              const std::vector<std::pair<int, int>>& playedSteps) {
        const DeepRanking ranking = rankDeeply(*search_, &nets_, before, side_, static_cast<Byte>(roll.dieA),
                                               static_cast<Byte>(roll.dieB), HintAdvisor::kDepth, 1);
        const std::vector<MasterPlay>& ranked = ranking.plays;
        const Position& frame = ranking.frame;
        if (ranked.size() < 2) return;  // a forced play is no decision
        const Position frameAfter = frameOf(after, side_);
        const auto played = std::find_if(ranked.begin(), ranked.end(), [&](const MasterPlay& p) { return p.after.sameCheckersAs(frameAfter); });
        if (played == ranked.end()) return;
        // The play made is measured as deep as the best one.
        const double playedEquity = played->depth == ranked.front().depth ? played->equity
                                    : ranked.front().depth == 2         ? search_->equity2(&nets_, frameAfter)
                                                                        : search_->equity1(&nets_, frameAfter);
        const Play best = side_ == Side::Black ? ranked.front().play : mirroredPlay(ranked.front().play);
        ReviewedDecision d;
        d.kind = ReviewedDecision::Kind::Play;
        d.turn = turn;
        d.before = before;
        d.cube = cube;
        d.dieA = roll.dieA;
        d.dieB = roll.dieB;
        d.played = playNotation(frame, Side::Black, played->play);
        d.best = playNotation(frame, Side::Black, ranked.front().play);
        d.equityLost = std::max(0.0, ranked.front().equity - playedEquity);
        d.playedSteps = playedSteps;
        d.bestSteps = stepsOfPlay(before, best, side_);
        add(d);
    }

    // `doubler` doubled on `before`; the reviewed side doubled, or answered with take or pass.
    // In a match the figures are chances of winning it, put on the money scale for the marks.
    void cube(const Position& before, Side doubler, const Cube& cube, RecordedKind action, int turn) {
        const CubeSituation situation = cubeSituationFor(cube, doubler, true, game_.rules.jacoby, matchLength_,
                                                         game_.whiteScore, game_.blackScore, game_.crawford);
        const CubeDecision a = cube_->doubled(&nets_, before, doubler, situation);
        const double scale = cube_->pointsPerUnit(situation);
        ReviewedDecision d;
        d.turn = turn;
        d.before = before;
        d.cube = cube;
        if (action == RecordedKind::Double) {
            const double doubled = std::min(a.doubleTake, a.doublePass);
            const bool shouldDouble = a.unavailable.empty() && doubled >= a.noDouble;
            d.kind = ReviewedDecision::Kind::Double;
            d.played = "Double";
            d.best = shouldDouble ? "Double" : "No double";
            d.equityLost = scale * std::max(0.0, std::max(doubled, a.noDouble) - doubled);
        } else {
            // The answer, seen from the side that answers: a take keeps the game at twice the
            // stake, a pass gives up the cube's points.
            const double take = answerersFigure(a.doubleTake, situation), pass = answerersFigure(a.doublePass, situation);
            const bool took = action == RecordedKind::Take;
            d.kind = took ? ReviewedDecision::Kind::Take : ReviewedDecision::Kind::Pass;
            d.played = took ? "Take" : "Pass";
            d.best = take >= pass ? "Take" : "Pass";
            d.equityLost = scale * std::max(0.0, std::max(take, pass) - (took ? take : pass));
        }
        add(d);
    }

    GameReview finish() {
        review_.side = side_;
        const int n = static_cast<int>(review_.decisions.size());
        review_.errorRate = n == 0 ? 0 : 1000.0 * review_.equityLost / n;
        review_.rating = ratingWord(review_.errorRate);
        return review_;
    }

private:
    void add(ReviewedDecision& d) {
        d.verdict = verdictOf(d.equityLost);
        review_.equityLost += d.equityLost;
        if (d.verdict == Verdict::Doubtful) ++review_.doubtful;
        if (d.verdict == Verdict::Error) ++review_.errors;
        if (d.verdict == Verdict::Blunder) ++review_.blunders;
        review_.decisions.push_back(d);
    }

    Side side_;
    const NeuralNets& nets_;
    int matchLength_;
    const RecordedGame& game_;
    std::unique_ptr<MasterSearch> search_ = std::make_unique<MasterSearch>();
    std::unique_ptr<MasterCube> cube_ = std::make_unique<MasterCube>();
    GameReview review_;
};

}  // namespace

Verdict verdictOf(double equityLost) {
    if (equityLost >= kBlunderFrom) return Verdict::Blunder;
    if (equityLost >= kErrorFrom) return Verdict::Error;
    if (equityLost >= kDoubtfulFrom) return Verdict::Doubtful;
    return Verdict::Good;
}

const char* verdictWord(Verdict verdict) {
    switch (verdict) {
        case Verdict::Good: return "";
        case Verdict::Doubtful: return "doubtful";
        case Verdict::Error: return "error";
        case Verdict::Blunder: return "blunder";
    }
    return "";
}

std::string ratingWord(double errorRate) {
    constexpr std::array<std::pair<double, const char*>, 6> scale = {
        {{2, "Flawless"}, {5, "World class"}, {8, "Expert"}, {12, "Advanced"}, {18, "Intermediate"}, {26, "Casual player"}}};
    for (const auto& [below, word] : scale)
        if (errorRate < below) return word;
    return "Beginner";
}

GameReview reviewGame(const RecordedGame& game, Side side, const NeuralNets& nets, int matchLength) {
    Reviewer reviewer(side, nets, matchLength, game);
    // A game taken up from a file or pasted IDs is replayed from where it started.
    Position pos = game.setup ? game.setup->position : startingPosition();
    Cube cube = game.setup ? game.setup->cube : Cube{};
    int turns = 0;
    Side lastDoubler = Side::White;
    for (const RecordedAction& action : game.actions) {
        switch (action.kind) {
            case RecordedKind::Roll: {
                if (action.side == side) ++turns;
                const Position before = pos;
                std::vector<std::pair<int, int>> steps;
                if (!replaySteps(pos, action.side, action, steps)) return reviewer.finish();
                if (action.side == side) reviewer.play(before, pos, cube, action, turns, steps);
                break;
            }
            case RecordedKind::Double:
                lastDoubler = action.side;
                if (action.side == side) reviewer.cube(pos, action.side, cube, RecordedKind::Double, turns + 1);
                break;
            case RecordedKind::Take:
            case RecordedKind::Drop:
                if (action.side == side) reviewer.cube(pos, lastDoubler, cube, action.kind, turns);
                if (action.kind == RecordedKind::Take) cube.takenBy(action.side);
                break;
            case RecordedKind::Resign: break;
        }
    }
    return reviewer.finish();
}

}  // namespace lumaro
