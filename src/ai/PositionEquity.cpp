#include "ai/PositionEquity.h"

#include "ai/BearoffRace.h"
#include "ai/Features.h"
#include "ai/RaceEquity.h"

namespace lumaro {

PositionEquity::PositionEquity(HomeRaces homeRaces)
    : homeRaces_(homeRaces), scratch_(std::make_unique<NetBatchScratch>()) {}

double PositionEquity::raceEquityOf(const Position& pos) const {
    if (homeRaces_ == HomeRaces::Exact) {
        // White rolls next: Black's equity is the other side of White's.
        if (const std::optional<RaceChances> exact = bearoffRaceChances(pos, Side::White)) return -exact->equity();
    }
    return raceEquity(pos);
}

void PositionEquity::evaluate(const NeuralNets* nets, const Position* positions, int count, double* equities,
                              int* netScores) {
    byNet_.clear();
    byNetIndex_.clear();
    for (int i = 0; i < count; ++i) {
        const Position& pos = positions[i];
        if (netScores) netScores[i] = 0;
        if (contactOf(pos) == 1) {
            byNet_.push_back(&pos);
            byNetIndex_.push_back(i);
        }
        if (pos.offBlack == kCheckersPerSide)
            equities[i] = winKind(pos, Side::Black);
        else if (contactOf(pos) == 0)
            equities[i] = raceEquityOf(pos);
    }
    const int n = static_cast<int>(byNet_.size());
    scores_.assign(byNet_.size(), 0);
    if (nets && n > 0) nets->netScoreBatch(byNet_.data(), n, scores_.data(), *scratch_);
    for (int k = 0; k < n; ++k) {
        const int i = byNetIndex_[k];
        if (netScores) netScores[i] = scores_[k];
        // A game Black has just won keeps its result, even with a White checker still on the bar.
        if (positions[i].offBlack != kCheckersPerSide) equities[i] = equityOfNetScore(scores_[k]);
    }
}

}  // namespace lumaro
