#pragma once
// TD(lambda) over one game whose after-states are scored from alternating sides. The value y_t of
// ply t's after-state is from its mover's side; z_t = +y_t on even plies and -y_t on odd ones is
// the same value from the first mover's side, and the usual rule applies to z:
//   delta_t = z_{t+1} - z_t,  trace_t = lambda x trace_{t-1} + dz_t/dweights,  change += delta_t x trace_t,
// where dz/dweights is the learning step of TrainNet::addGradient (the cross-entropy step).
// The last target is the game's result, known exactly.
//
// The weights stay fixed for the whole game, so the sum can be taken the other way round:
// change = sum over k of dz_k/dweights x G_k with G_k = delta_k + lambda x G_{k+1}. The plies are
// kept and their gradients added once each at the end, instead of decaying and adding a trace of
// every weight at every ply.
//
// With look-ahead targets each ply brings its own target instead: the value of its after-state
// averaged over the opponent's 21 rolls, each answered by the opponent's best play. Then
// delta_k = target_k - z_k and no trace is kept (lambda plays no part): a TD(0) step that takes the
// expectation over the dice instead of the one roll that came.
#include <array>
#include <vector>

#include "Nets.h"

namespace lumaro::train {

class TdTrace {
public:
    // commonShare: see TdSettings.
    explicit TdTrace(float lambda, bool offInputsLearn = false, float commonShare = 1.0f)
        : lambda_(lambda), offInputsLearn_(offInputsLearn), commonShare_(commonShare) {}

    void reset();
    // Ply `ply`'s after-state, scored `y` for its mover by network `which` (x and hidden are that
    // forward pass's); plies come in order from 0.
    void observe(const Nets& nets, int which, const float* x, const float* hidden, float y, int ply);
    // The same with the ply's own target, from its mover's side; a game observes all its plies
    // one way or all the other.
    void observeWithTarget(const Nets& nets, int which, const float* x, const float* hidden, float y, float target,
                           int ply);
    // The game ended with `result` for the mover of ply `ply` (the one who bore off last): adds
    // the game's changes to `changes`.
    void finish(const Nets& nets, float result, int ply, WeightChanges& changes);
    // The game was cut off unfinished: adds the changes of the predictions made so far.
    void abandon(const Nets& nets, WeightChanges& changes);

private:
    struct Ply {
        int which = 1;
        float z = 0;     // the value from the first mover's side
        float sign = 1;  // +1 on even plies, -1 on odd
        float y = 0;
        float targetZ = 0;  // the look-ahead target from the first mover's side
        bool hasTarget = false;
        std::array<float, kInputs> x{};
        std::array<float, 256> hidden{};
    };
    void addChanges(const Nets& nets, std::size_t count, float lastDelta, WeightChanges& changes);

    std::vector<Ply> plies_;
    std::size_t used_ = 0;
    float lambda_;
    bool offInputsLearn_;
    float commonShare_;
    std::array<float, kInputs> stepInput_{};
};

}  // namespace lumaro::train
