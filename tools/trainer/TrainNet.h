#pragma once
// One network as the trainer holds it: the game's layout (196 inputs, H hidden units, one output,
// input-major, no biases) and the game's activation f(x) = 2 / (1 + e^-x) - 1, in floats for speed.
// The game scores with its own evaluator in doubles; the weights go out as doubles in file order.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "rules/Position.h"

namespace lumaro::train {

inline constexpr int kInputs = 196;

// The game's encoding of a position for black, as floats.
void encodePosition(const Position& pos, float* x);

// The hidden sums of input-major weights `w` (input i to hidden j at w[i * hidden + j]) for `x`.
void inputSums(const float* w, int hidden, const float* x, float* sums);
// The same from the sums `baseSums` of a nearby input `baseX`: only the inputs that differ are added.
void inputSumsFrom(const float* w, int hidden, const float* x, const float* baseX, const float* baseSums, float* sums);

class TrainNet {
public:
    explicit TrainNet(int hidden) : hidden_(hidden), w_(static_cast<std::size_t>((kInputs + 1) * hidden), 0.0f) {}

    int hidden() const { return hidden_; }
    std::size_t size() const { return w_.size(); }
    // Input i (0-based) to hidden j is w[i * H + j]; hidden j to the output is w[196 * H + j].
    std::vector<float>& weights() { return w_; }
    const std::vector<float>& weights() const { return w_; }
    // The first index of the hidden-to-output block.
    std::size_t outputBlock() const { return static_cast<std::size_t>(kInputs * hidden_); }

    // Uniform in (-scale, scale), the same for the same seed.
    void randomize(std::uint64_t seed, float scale);

    // The output in (-1, 1); the hidden activations go to hiddenOut[0..H).
    float forward(const float* x, float* hiddenOut) const;
    // The hidden units' sums for x, before the activation: sums[0..H).
    void hiddenSums(const float* x, float* sums) const;
    // forward(x) from the sums of another input: only the inputs where x differs from baseX are
    // added. The after-states of one roll differ from the position before it in a few points, so
    // this is a fraction of a whole pass.
    float forwardFrom(const float* x, const float* baseX, const float* baseSums, float* hiddenOut) const;
    // grad += scale * d(output)/d(weight) for every weight, from a forward pass's values. With
    // `learningStep`, the output's slope is taken as its value at 0 (1/2) instead of at the output:
    // the cross-entropy step for this activation. An output driven close to +-1 then still learns,
    // where the exact slope would all but stop it for good. Without `offInputsLearn` it also moves
    // the input weights by (x + 1) / 2 instead of x (see the definition). Either way the step is a
    // descent direction.
    void addGradient(const float* x, const float* hidden, float output, float scale, float* grad,
                     bool learningStep = false, bool offInputsLearn = false) const;

    std::vector<double> fileValues() const;
    void setFileValues(std::span<const double> values);

private:
    float finish(const float* sums, float* hiddenOut) const;

    int hidden_;
    std::vector<float> w_;
};

// f(x) = 2 / (1 + e^-x) - 1 = (e^x - 1) / (e^x + 1), within 1e-6 of the exact value, written so
// the compiler can run a loop of them in vector lanes (the library's tanh cannot): e^x as 2^k times
// a degree-6 polynomial of the remainder.
inline float activation(float x) {
    x = x < -30.0f ? -30.0f : (x > 30.0f ? 30.0f : x);  // beyond, f is +-1 to a float's precision
    const float k = (x * 1.44269504f + 12582912.0f) - 12582912.0f;  // x / ln 2, rounded
    const float r = (x - k * 0.693145752f) - k * 1.42860677e-6f;   // |r| <= ln2 / 2
    const float p =
        1.0f + r * (1.0f + r * (0.5f + r * (1.0f / 6 + r * (1.0f / 24 + r * (1.0f / 120 + r * (1.0f / 720))))));
    const float e = p * std::bit_cast<float>((static_cast<int>(k) + 127) << 23);
    return (e - 1.0f) / (e + 1.0f);
}
// f's derivative written through f's value: f'(x) = (1 - f(x)^2) / 2.
inline float activationSlope(float fx) { return 0.5f * (1.0f - fx * fx); }

// The input step with the common share: (1 - share) of the inputs' mean taken off each input, so
// the step along "all inputs alike" shrinks to that share and every direction across it stays.
inline void shareCommonDirection(const float* x, float share, float* step) {
    float sum = 0;
    for (int i = 0; i < kInputs; ++i) sum += x[i];
    const float shift = (1.0f - share) * sum / kInputs;
    for (int i = 0; i < kInputs; ++i) step[i] = x[i] - shift;
}

}  // namespace lumaro::train
