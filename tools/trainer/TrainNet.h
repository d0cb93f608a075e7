#pragma once
// One network as the trainer holds it: the game's layout (196 inputs, H hidden units, one output,
// input-major, no biases) and the game's activation f(x) = 2 / (1 + e^-x) - 1, in floats for speed.
// The game scores with its own evaluator in doubles; the weights go out as doubles in file order.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "board/Position.h"

namespace lumaro::train {

inline constexpr int kInputs = 196;

// The game's encoding of a position for black, as floats.
void encodePosition(const Position& pos, float* x);

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
    int hidden_;
    std::vector<float> w_;
};

// f and its derivative written through f's value: f'(x) = (1 - f(x)^2) / 2.
float activation(float x);
inline float activationSlope(float fx) { return 0.5f * (1.0f - fx * fx); }

}  // namespace lumaro::train
