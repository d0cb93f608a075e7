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

}  // namespace lumaro
