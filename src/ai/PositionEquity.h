#pragma once
// The equity of a position right after Black's play, with White to roll, from Black's side: the
// points Black can expect from the game for each point at stake, a single game counting 1, a gammon
// 2 and a backgammon 3, cubeless, in money play. The networks are trained to exactly that divided by
// 3, so while the sides are in contact it is their output times 3, gammons and backgammons counted.
// A race goes to the estimate of RaceEquity (the networks never learnt races, which the computer
// plays by its hand-written analysis), and a finished game is worth what it is worth. The Master
// asks for the exact bear-off race where both sides are home; the levels and the hint keep the
// estimate there too.
#include <memory>
#include <vector>

#include "ai/NeuralNets.h"

namespace lumaro {

// The equity of a network score (the output x 10000, as level 3 compares them).
inline double equityOfNetScore(int score) { return 3.0 * score / 10000.0; }

// How a race with both sides home is scored.
enum class HomeRaces { Estimate, Exact };

class PositionEquity {
public:
    explicit PositionEquity(HomeRaces homeRaces = HomeRaces::Estimate);

    // The equities of positions[0..count) into equities[0..count). With `netScores`, the network
    // score of each position in contact goes there too (0 for the others): what level 3 compares.
    // The positions in contact go through the networks in batches; without networks they are
    // worth 0, like positions for networks without weights.
    void evaluate(const NeuralNets* nets, const Position* positions, int count, double* equities,
                  int* netScores = nullptr);

private:
    double raceEquityOf(const Position& pos) const;

    HomeRaces homeRaces_;
    std::unique_ptr<NetBatchScratch> scratch_;
    std::vector<const Position*> byNet_;
    std::vector<int> byNetIndex_;
    std::vector<int> scores_;
};

}  // namespace lumaro
