#include "Nets.h"

#include <algorithm>

#include "ai/Features.h"

namespace lumaro::train {

int netFor(const Position& pos) { return blackPhaseOf(pos) >= 3 ? 2 : 1; }

int Nets::netOf(const Position& pos) const { return race.hidden() > 0 && contactOf(pos) == 0 ? 0 : netFor(pos); }

void WeightChanges::clear() {
    std::fill(net1.begin(), net1.end(), 0.0f);
    std::fill(net2.begin(), net2.end(), 0.0f);
    std::fill(race.begin(), race.end(), 0.0f);
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

}  // namespace lumaro::train
