#pragma once
// The forward pass of one network: hidden sums taken over the inputs in order 1..196, the
// activations, the output sum over the hidden units in order, the output activation.
#include <array>
#include <cmath>
#include <memory>

#include "ai/NetInput.h"
#include "ai/NetWeights.h"

namespace lumaro {

// f(x) = 2 / (1 + e^-x) - 1, in (-1, 1); the same for hidden units and output. The first form
// takes e^-x already computed, for passes that take many exponentials at once.
inline double netActivationOfExp(double expOfNegated) { return 2.0 / (1.0 + expOfNegated) - 1.0; }
inline double netActivation(double x) { return netActivationOfExp(std::exp(-x)); }

// One network's working values for one caller. Besides the results it keeps the previous input
// and its checkpoints, so a position that shares its first points with the previous one only
// redoes the inputs after them. Results are the same bits either way.
template <int H>
struct NetRun {
    std::shared_ptr<const NetWeights<H>> weights;  // the network the saved values belong to
    std::array<double, kNetInputs + 1> lastInput{};
    int checkpointsFromEmpty = 0;  // checkpoints 1..n are the network's emptyPrefixSums, not copied here
    alignas(64) std::array<double, kNetCheckpoints * H> checkpoints{};
    alignas(64) std::array<double, H> hiddenSum{};
    alignas(64) std::array<double, H> hidden{};
    double outputSum = 0.0;
    double output = 0.0;
};

// The network's output for `in`; a missing network (null) is all zero and gives 0.
template <int H>
double runNet(const std::shared_ptr<const NetWeights<H>>& weights, const NetInput& in, NetRun<H>& run);

}  // namespace lumaro
