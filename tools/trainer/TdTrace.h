#pragma once
// TD(lambda) over one game whose after-states are scored from alternating sides. The value y_t of
// ply t's after-state is from its mover's side; z_t = +y_t on even plies and -y_t on odd ones is
// the same value from the first mover's side, and the usual rule applies to z:
//   delta_t = z_{t+1} - z_t,  trace_t = lambda x trace_{t-1} + dz_t/dweights,  change += delta_t x trace_t,
// where dz/dweights is the learning step of TrainNet::addGradient (the cross-entropy step).
// The last target is the game's result, known exactly.
#include "Nets.h"

namespace lumaro::train {

class TdTrace {
public:
    TdTrace(const Nets& shape, float lambda, bool offInputsLearn = false)
        : trace_(shape), lambda_(lambda), offInputsLearn_(offInputsLearn) {}

    void reset();
    // Ply `ply`'s after-state, scored `y` for its mover by network `which` (x and hidden are that
    // forward pass's). Adds the previous prediction's change to `changes`.
    void observe(const Nets& nets, int which, const float* x, const float* hidden, float y, int ply,
                 WeightChanges& changes);
    // The game ended with `result` for the mover of ply `ply` (the one who bore off last).
    void finish(float result, int ply, WeightChanges& changes);

private:
    void addTrace(float delta, WeightChanges& changes);

    WeightChanges trace_;
    float lambda_;
    bool offInputsLearn_;
    float previousZ_ = 0;
    bool started_ = false;
    bool live_[3] = {false, false, false};  // trace of network 1 / 2 not all zero
};

}  // namespace lumaro::train
