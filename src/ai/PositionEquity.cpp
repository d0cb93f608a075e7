#include "ai/PositionEquity.h"

#include "ai/BearoffRace.h"
#include "ai/Features.h"
#include "ai/MasterNets.h"
#include "ai/RaceEquity.h"

namespace lumaro {

PositionEquity::PositionEquity(HomeRaces homeRaces, ContactNets contactNets)
    : homeRaces_(homeRaces), contactNets_(contactNets), scratch_(std::make_unique<NetBatchScratch>()) {}

double PositionEquity::raceEquityOf(const Position& pos) const {
    if (homeRaces_ == HomeRaces::Exact) {
        // White rolls next: Black's equity is the other side of White's.
        if (const std::optional<RaceChances> exact = bearoffRaceChances(pos, Side::White)) return -exact->equity();
    }
    return raceEquity(pos);
}

void PositionEquity::collectContact(const Position* positions, int count) {
    byNet_.clear();
    byNetIndex_.clear();
    for (int i = 0; i < count; ++i) {
        if (contactOf(positions[i]) == 1) {
            byNet_.push_back(&positions[i]);
            byNetIndex_.push_back(i);
        }
    }
}

void PositionEquity::evaluate(const NeuralNets* nets, const Position* positions, int count, double* equities,
                              int* netScores) {
    collectContact(positions, count);
    for (int i = 0; i < count; ++i) {
        const Position& pos = positions[i];
        if (netScores) netScores[i] = 0;
        if (pos.offBlack == kCheckersPerSide)
            equities[i] = winKind(pos, Side::Black);
        else if (contactOf(pos) == 0)
            equities[i] = raceEquityOf(pos);
    }
    const int n = static_cast<int>(byNet_.size());
    if (contactNets_ == ContactNets::Master && nets && nets->master() && !netScores) {
        masterChances_.resize(byNet_.size());
        if (n > 0) nets->master()->chancesBatch(byNet_.data(), n, masterChances_.data(), *scratch_);
        for (int k = 0; k < n; ++k) {
            const int i = byNetIndex_[k];
            if (positions[i].offBlack != kCheckersPerSide) equities[i] = equityOfChances(masterChances_[k]);
        }
        return;
    }
    scores_.assign(byNet_.size(), 0);
    if (nets && n > 0) nets->netScoreBatch(byNet_.data(), n, scores_.data(), *scratch_);
    for (int k = 0; k < n; ++k) {
        const int i = byNetIndex_[k];
        if (netScores) netScores[i] = scores_[k];
        // A game Black has just won keeps its result, even with a White checker still on the bar.
        if (positions[i].offBlack != kCheckersPerSide) equities[i] = equityOfNetScore(scores_[k]);
    }
}

void PositionEquity::chances(const NeuralNets* nets, const Position* positions, int count,
                             CubelessChances* chances) {
    collectContact(positions, count);
    for (int i = 0; i < count; ++i) {
        const Position& pos = positions[i];
        CubelessChances& c = chances[i];
        c = CubelessChances{};
        if (pos.offBlack == kCheckersPerSide) {
            const int points = winKind(pos, Side::Black);
            c.win = 1;
            c.winGammon = points >= 2 ? 1 : 0;
            c.winBackgammon = points >= 3 ? 1 : 0;
        } else if (contactOf(pos) == 0) {
            if (const std::optional<RaceChances> exact = bearoffRaceChances(pos, Side::White)) {
                // White rolls next: Black's chances are the other side of White's.
                c.win = 1.0 - exact->win;
                c.winGammon = exact->loseGammon;
                c.loseGammon = exact->winGammon;
            } else {
                const RaceEstimate race = raceEstimate(pos);
                c.win = race.blackWins;
                c.winGammon = race.blackGammons;
                c.loseGammon = race.whiteGammons;
            }
        }
    }
    const int n = static_cast<int>(byNet_.size());
    if (!nets || !nets->master() || n == 0) return;
    masterChances_.resize(byNet_.size());
    nets->master()->chancesBatch(byNet_.data(), n, masterChances_.data(), *scratch_);
    for (int k = 0; k < n; ++k)
        if (positions[byNetIndex_[k]].offBlack != kCheckersPerSide) chances[byNetIndex_[k]] = masterChances_[k];
}

}  // namespace lumaro
