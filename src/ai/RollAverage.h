#pragma once
// A look at every roll of the side to move: for positions with Black to roll, the average over
// Black's 21 rolls (a doublet counts 1/36, two different dice 2/36) of the equity of its best play,
// each play judged by PositionEquity. Black's equity on roll, one roll deeper than PositionEquity
// alone; seen from the other side, it is the equity of a play with the opponent's best replies.
#include <vector>

#include "ai/LegalPlays.h"
#include "ai/PositionEquity.h"

namespace lumaro {

// The best of each roll's results by equity: `rollEnds` closes each roll's run of `results` (a run
// is never empty: a roll with no play leaves the position as it was).
std::vector<Position> bestOfEachRoll(const std::vector<Position>& results, const std::vector<double>& equities,
                                     const std::vector<int>& rollEnds);

class RollAverage {
public:
    explicit RollAverage(HomeRaces homeRaces = HomeRaces::Estimate, ContactNets contactNets = ContactNets::Expert)
        : equity_(homeRaces, contactNets) {}

    // Black's equities on roll for positions[0..count) into averages[0..count). All the plays of
    // all the positions go through the networks together.
    void blackToRoll(const NeuralNets* nets, const Position* positions, int count, double* averages);

    // Black's cubeless chances on roll in `position`: each roll's best play (by equity, as above)
    // with its chances (PositionEquity::chances), averaged over the 21 rolls.
    CubelessChances blackToRollChances(const NeuralNets* nets, const Position& position);

private:
    LegalPlays legalPlays_;
    PositionEquity equity_;
    std::vector<Position> results_;
    std::vector<int> rollEnds_;  // where each (position, roll)'s results end in results_
    std::vector<double> equities_;
};

}  // namespace lumaro
