#pragma once
// Distillation's learning: plain regression of networks 1 and 2 on a fixed set of samples, in
// epochs over the shuffled set, with Adam steps on batches of positions and rates that fall
// linearly over the run. A check set, never learnt, follows the error.
#include <cstdint>
#include <functional>
#include <vector>

#include "Nets.h"
#include "Samples.h"

namespace lumaro::train {

struct FitSettings {
    std::uint64_t seed = 1;  // the order of the samples in each epoch
    int epochs = 10;
    int batch = 128;  // positions a step
    float hiddenRate = 0.0003f;
    float outputRate = 0.0001f;
    float finalRateShare = 0.1f;  // the rates fall linearly to this share by the last step
    float commonShare = 0.1f;  // as in TD training: the step along "all inputs alike" shrinks to this
    int threads = 2;
};

// Root mean squared error of the networks' outputs against the samples' targets, in points
// (outputs and targets times 3).
double rootMeanSquaredError(const Nets& nets, const std::vector<Sample>& samples, int threads);

// After each epoch `epochDone(epoch, trainError, checkError)` is called (errors in points, the
// training error as measured during the epoch); it returns false to stop.
void fitSamples(Nets& nets, const std::vector<Sample>& train, const std::vector<Sample>& check,
                const FitSettings& settings, const std::function<bool(int, double, double)>& epochDone);

}  // namespace lumaro::train
