#include "Nets.h"

#include <algorithm>
#include <cmath>

#include "ai/Features.h"

namespace lumaro::train {

int netFor(const Position& pos) { return blackPhaseOf(pos) >= 3 ? 2 : 1; }

int Nets::netOf(const Position& pos) const { return race.hidden() > 0 && contactOf(pos) == 0 ? 0 : netFor(pos); }

void WeightChanges::clear() {
    std::fill(net1.begin(), net1.end(), 0.0f);
    std::fill(net2.begin(), net2.end(), 0.0f);
    std::fill(race.begin(), race.end(), 0.0f);
}

void WeightChanges::add(const WeightChanges& other) {
    for (int which = 0; which < 3; ++which) {
        std::vector<float>& mine = (*this)[which];
        const std::vector<float>& theirs = other[which];
        for (std::size_t k = 0; k < mine.size(); ++k) mine[k] += theirs[k];
    }
}

namespace {

void apply(TrainNet& net, const std::vector<float>& change, float hiddenRate, float outputRate) {
    std::vector<float>& w = net.weights();
    const std::size_t split = net.outputBlock();
    for (std::size_t k = 0; k < split; ++k) w[k] += hiddenRate * change[k];
    for (std::size_t k = split; k < w.size(); ++k) w[k] += outputRate * change[k];
}

}  // namespace

void applyChanges(Nets& nets, const WeightChanges& changes, float hiddenRate, float outputRate) {
    apply(nets.net1, changes.net1, hiddenRate, outputRate);
    apply(nets.net2, changes.net2, hiddenRate, outputRate);
    apply(nets.race, changes.race, hiddenRate, outputRate);
}

void AdaptiveSteps::apply(Nets& nets, const WeightChanges& changes, float hiddenRate, float outputRate) {
    constexpr double kMeanDecay = 0.9, kSquareDecay = 0.999;
    constexpr float kFloor = 1e-8f;  // keeps a weight that has never changed from dividing by 0
    ++steps_;
    // The running means start at 0; these undo that pull towards 0 over the first steps.
    const auto meanScale = static_cast<float>(1.0 / (1.0 - std::pow(kMeanDecay, static_cast<double>(steps_))));
    const auto squareScale = static_cast<float>(1.0 / (1.0 - std::pow(kSquareDecay, static_cast<double>(steps_))));
    for (int which = 0; which < 3; ++which) {
        std::vector<float>& w = nets[which].weights();
        const std::vector<float>& g = changes[which];
        std::vector<float>& m = mean_[which];
        std::vector<float>& v = square_[which];
        const std::size_t split = nets[which].outputBlock();
        for (std::size_t k = 0; k < w.size(); ++k) {
            m[k] = static_cast<float>(kMeanDecay) * m[k] + static_cast<float>(1 - kMeanDecay) * g[k];
            v[k] = static_cast<float>(kSquareDecay) * v[k] + static_cast<float>(1 - kSquareDecay) * g[k] * g[k];
            const float rate = k < split ? hiddenRate : outputRate;
            w[k] += rate * (m[k] * meanScale) / (std::sqrt(v[k] * squareScale) + kFloor);
        }
    }
}

}  // namespace lumaro::train
