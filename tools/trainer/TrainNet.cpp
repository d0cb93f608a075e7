#include "TrainNet.h"

#include <algorithm>
#include <cmath>

#include "Rng.h"
#include "ai/NetInput.h"

namespace lumaro::train {

void encodePosition(const Position& pos, float* x) {
    NetInput in;
    encodeForNet(pos, in);
    for (int i = 0; i < kInputs; ++i) x[i] = static_cast<float>(in.netInput[static_cast<std::size_t>(i) + 1]);
}

void TrainNet::randomize(std::uint64_t seed, float scale) {
    Rng rng(seed);
    for (float& v : w_) v = static_cast<float>((2.0 * rng.uniform() - 1.0) * scale);
}

void inputSums(const float* w, int hidden, const float* x, float* sums) {
    std::fill_n(sums, hidden, 0.0f);
    for (int i = 0; i < kInputs; ++i) {
        const float xi = x[i];
        const float* row = w + static_cast<std::size_t>(i * hidden);
        for (int j = 0; j < hidden; ++j) sums[j] += xi * row[j];
    }
}

void inputSumsFrom(const float* w, int hidden, const float* x, const float* baseX, const float* baseSums, float* sums) {
    std::copy_n(baseSums, hidden, sums);
    for (int i = 0; i < kInputs; ++i) {
        if (x[i] == baseX[i]) continue;
        const float dx = x[i] - baseX[i];
        const float* row = w + static_cast<std::size_t>(i * hidden);
        for (int j = 0; j < hidden; ++j) sums[j] += dx * row[j];
    }
}

void TrainNet::hiddenSums(const float* x, float* sums) const { inputSums(w_.data(), hidden_, x, sums); }

float TrainNet::finish(const float* sums, float* hiddenOut) const {
    const int h = hidden_;
    for (int j = 0; j < h; ++j) hiddenOut[j] = activation(sums[j]);
    const float* out = &w_[outputBlock()];
    float o = 0;
    for (int j = 0; j < h; ++j) o += hiddenOut[j] * out[j];
    return activation(o);
}

float TrainNet::forward(const float* x, float* hiddenOut) const {
    float sums[256];
    hiddenSums(x, sums);
    return finish(sums, hiddenOut);
}

float TrainNet::forwardFrom(const float* x, const float* baseX, const float* baseSums, float* hiddenOut) const {
    float sums[256];
    inputSumsFrom(w_.data(), hidden_, x, baseX, baseSums, sums);
    return finish(sums, hiddenOut);
}

void TrainNet::addGradient(const float* x, const float* hidden, float output, float scale, float* grad,
                           bool learningStep, bool offInputsLearn) const {
    const int h = hidden_;
    const float outSlope = scale * (learningStep ? 0.5f : activationSlope(output));
    const float* out = &w_[outputBlock()];
    float* gOut = grad + outputBlock();
    float back[256];
    for (int j = 0; j < h; ++j) {
        gOut[j] += outSlope * hidden[j];
        back[j] = outSlope * out[j] * activationSlope(hidden[j]);
    }
    for (int i = 0; i < kInputs; ++i) {
        // Unless told otherwise, a learning step moves an input's weights by (x + 1) / 2 rather
        // than x: 0 for an input at -1. Most point inputs are -1 in every position, so moved by x
        // they act together like one bias with a very large rate. Leaving them alone is steadier
        // but measured to learn far more slowly, so training passes offInputsLearn.
        const float xi = learningStep && !offInputsLearn ? 0.5f * (x[i] + 1.0f) : x[i];
        float* row = grad + static_cast<std::size_t>(i * h);
        for (int j = 0; j < h; ++j) row[j] += xi * back[j];
    }
}

std::vector<double> TrainNet::fileValues() const { return {w_.begin(), w_.end()}; }

void TrainNet::setFileValues(std::span<const double> values) {
    for (std::size_t k = 0; k < w_.size(); ++k) w_[k] = k < values.size() ? static_cast<float>(values[k]) : 0.0f;
}

}  // namespace lumaro::train
