#pragma once
// Distillation's learning: regression of networks 1 and 2 on a fixed set of samples, in epochs over
// the shuffled rolls, with Adam steps on batches of positions and rates that fall linearly over
// the run. A check set, never learnt, follows the error and how well the networks choose.
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
    // Besides each target, how much to learn the differences between the targets of one roll's
    // plays: the networks only choose among those, so an error shared by all of a roll's plays
    // costs nothing in play. 0 is plain regression.
    float choiceWeight = 0;
};

struct CheckScore {
    double error = 0;  // root mean squared, in points (outputs and targets times 3)
    // Over the rolls with two plays or more: how often the networks' best play is the one with the
    // best target, and the target's points lost a roll by the networks' choice.
    double bestChosen = 0;
    double pointsLost = 0;
};

CheckScore checkScore(const Nets& nets, const std::vector<Sample>& samples, int threads);

// After each epoch `epochDone(epoch, trainError, check)` is called (the training error in points,
// as measured during the epoch); it returns false to stop.
void fitSamples(Nets& nets, const std::vector<Sample>& train, const std::vector<Sample>& check,
                const FitSettings& settings, const std::function<bool(int, double, const CheckScore&)>& epochDone);

}  // namespace lumaro::train
