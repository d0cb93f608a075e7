#include "ai/RollAverage.h"

#include <algorithm>

#include "ai/ReplyValue.h"

namespace lumaro {

void RollAverage::blackToRoll(const NeuralNets* nets, const Position* positions, int count, double* averages) {
    results_.clear();
    rollEnds_.clear();
    for (int i = 0; i < count; ++i) {
        for (const Roll& roll : kLookAheadRolls) {
            // A roll that leaves Black no play leaves the position as it is.
            legalPlays_.appendBlackResults(positions[i], roll.first, roll.second, results_);
            rollEnds_.push_back(static_cast<int>(results_.size()));
        }
    }
    equities_.resize(results_.size());
    equity_.evaluate(nets, results_.data(), static_cast<int>(results_.size()), equities_.data());
    int from = 0;
    int end = 0;
    for (int i = 0; i < count; ++i) {
        double sum = 0;
        for (const Roll& roll : kLookAheadRolls) {
            const int to = rollEnds_[end++];
            const double best = *std::max_element(equities_.begin() + from, equities_.begin() + to);
            sum += (roll.first == roll.second ? 1.0 : 2.0) * best;
            from = to;
        }
        averages[i] = sum / 36.0;
    }
}

std::vector<Position> bestOfEachRoll(const std::vector<Position>& results, const std::vector<double>& equities,
                                     const std::vector<int>& rollEnds) {
    std::vector<Position> best;
    best.reserve(rollEnds.size());
    int from = 0;
    for (const int to : rollEnds) {
        const auto top = std::max_element(equities.begin() + from, equities.begin() + to);
        best.push_back(results[static_cast<std::size_t>(top - equities.begin())]);
        from = to;
    }
    return best;
}

CubelessChances RollAverage::blackToRollChances(const NeuralNets* nets, const Position& position) {
    results_.clear();
    rollEnds_.clear();
    for (const Roll& roll : kLookAheadRolls) {
        legalPlays_.appendBlackResults(position, roll.first, roll.second, results_);
        rollEnds_.push_back(static_cast<int>(results_.size()));
    }
    equities_.resize(results_.size());
    equity_.evaluate(nets, results_.data(), static_cast<int>(results_.size()), equities_.data());
    const std::vector<Position> chosen = bestOfEachRoll(results_, equities_, rollEnds_);
    std::vector<CubelessChances> each(chosen.size());
    equity_.chances(nets, chosen.data(), static_cast<int>(chosen.size()), each.data());
    CubelessChances sum{0, 0, 0, 0, 0};
    for (std::size_t r = 0; r < each.size(); ++r) {
        const Roll& roll = kLookAheadRolls[r];
        const double weight = (roll.first == roll.second ? 1.0 : 2.0) / 36.0;
        sum.win += weight * each[r].win;
        sum.winGammon += weight * each[r].winGammon;
        sum.winBackgammon += weight * each[r].winBackgammon;
        sum.loseGammon += weight * each[r].loseGammon;
        sum.loseBackgammon += weight * each[r].loseBackgammon;
    }
    return sum;
}

}  // namespace lumaro
