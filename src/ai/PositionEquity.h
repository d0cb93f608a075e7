#pragma once
// The equity of a position right after Black's play, with White to roll, from Black's side: the
// points Black can expect from the game for each point at stake, a single game counting 1, a gammon
// 2 and a backgammon 3, cubeless, in money play. The networks are trained to exactly that divided by
// 3, so while the sides are in contact it is their output times 3, gammons and backgammons counted.
// A race goes to the estimate of RaceEquity (the networks never learnt races, which the computer
// plays by its hand-written analysis), and a finished game is worth what it is worth. The Master
// asks for the exact bear-off race where both sides are home; the levels and the hint keep the
// estimate there too. The Master also asks for its own networks in contact when they are loaded:
// their five chances give the equity (equityOfChances).
#include <memory>
#include <vector>

#include "ai/CubeDecision.h"
#include "ai/NeuralNets.h"

namespace lumaro {

// The equity of a network score (the output x 10000, as level 3 compares them).
inline double equityOfNetScore(int score) { return 3.0 * score / 10000.0; }

// How a race with both sides home is scored.
enum class HomeRaces { Estimate, Exact };
// Which networks score the positions in contact: the expert's always, or the Master's own where
// loaded (NeuralNets::master()) and the expert's otherwise.
enum class ContactNets { Expert, Master };

class PositionEquity {
public:
    explicit PositionEquity(HomeRaces homeRaces = HomeRaces::Estimate, ContactNets contactNets = ContactNets::Expert);

    // The equities of positions[0..count) into equities[0..count). With `netScores`, the network
    // score of each position in contact goes there too (0 for the others): what level 3 compares.
    // The positions in contact go through the networks in batches; without networks they are
    // worth 0, like positions for networks without weights.
    void evaluate(const NeuralNets* nets, const Position* positions, int count, double* equities,
                  int* netScores = nullptr);

    // Black's cubeless chances in positions[0..count) (each right after Black's play) into
    // chances[0..count): a won game as it ends, a race with both sides home exactly, another race
    // by the race estimate, contact by the Master's networks (an even game when they are not
    // loaded).
    void chances(const NeuralNets* nets, const Position* positions, int count, CubelessChances* chances);

private:
    double raceEquityOf(const Position& pos) const;
    // The positions in contact of positions[0..count), with their indices, into byNet_ / byNetIndex_.
    void collectContact(const Position* positions, int count);

    HomeRaces homeRaces_;
    ContactNets contactNets_;
    std::vector<CubelessChances> masterChances_;
    std::unique_ptr<NetBatchScratch> scratch_;
    std::vector<const Position*> byNet_;
    std::vector<int> byNetIndex_;
    std::vector<int> scores_;
};

}  // namespace lumaro
