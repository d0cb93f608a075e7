#pragma once
// The review of a game: each decision of one side (its plays where it had a choice, and its cube
// actions) with what was played, the best by the Master's evaluation as deep as the hint looks, and
// the equity that was given away, marked and summed into a rating. It reads the record of the game; nothing
// of the game in play changes.
#include <string>
#include <utility>
#include <vector>

#include "ai/NeuralNets.h"
#include "game/MatchRecord.h"
#include "rules/Cube.h"

namespace lumaro {

// Equity given away from which a decision is marked (cubeless money equity, per point of the cube).
inline constexpr double kDoubtfulFrom = 0.04;
inline constexpr double kErrorFrom = 0.08;
inline constexpr double kBlunderFrom = 0.16;

enum class Verdict { Good, Doubtful, Error, Blunder };
Verdict verdictOf(double equityLost);
const char* verdictWord(Verdict verdict);  // "", "doubtful", "error", "blunder"

struct ReviewedDecision {
    enum class Kind { Play, Double, Take, Pass };
    Kind kind = Kind::Play;
    int turn = 0;           // the side's roll count in the game, from 1
    Position before;        // the board before the decision
    Cube cube;              // the cube as it stood then
    int dieA = 0;           // a play's dice
    int dieB = 0;
    std::string played;     // "24/18 13/11", or "Double", "Take", "Pass"
    std::string best;       // the same for the best decision
    double equityLost = 0;  // 0 when the best was chosen
    Verdict verdict = Verdict::Good;
    std::vector<std::pair<int, int>> playedSteps;  // (from, to), logical points, for the marks
    std::vector<std::pair<int, int>> bestSteps;
};

struct GameReview {
    Side side = Side::White;
    std::vector<ReviewedDecision> decisions;
    int doubtful = 0, errors = 0, blunders = 0;
    double equityLost = 0;
    // Equity given away per decision in millipoints (thousandths of a point), and its word on the
    // scale of the help page.
    double errorRate = 0;
    std::string rating;
};

// The scale: below 2 "Flawless", 5 "World class", 8 "Expert", 12 "Advanced", 18 "Intermediate",
// 26 "Casual player", and "Beginner" above.
std::string ratingWord(double errorRate);

// Reviews `side`'s decisions in `game`, replayed from its start (the opening or its set-up), a game
// of a match of `matchLength` points (0 for single games, judged as money). The networks must be
// usable. A game the record holds only in part (a step it refused) is reviewed up to there.
GameReview reviewGame(const RecordedGame& game, Side side, const NeuralNets& nets, int matchLength = 0);

}  // namespace lumaro
