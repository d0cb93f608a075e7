#include "TdTrace.h"

#include <algorithm>

namespace lumaro::train {

void TdTrace::reset() {
    trace_.clear();
    previousZ_ = 0;
    started_ = false;
    live_[1] = live_[2] = false;
}

void TdTrace::addTrace(float delta, WeightChanges& changes) {
    for (int which = 1; which <= 2; ++which) {
        if (!live_[which]) continue;
        const std::vector<float>& e = trace_[which];
        std::vector<float>& c = changes[which];
        for (std::size_t k = 0; k < e.size(); ++k) c[k] += delta * e[k];
    }
}

void TdTrace::observe(const Nets& nets, int which, const float* x, const float* hidden, float y, int ply,
                      WeightChanges& changes) {
    const float sign = ply % 2 == 0 ? 1.0f : -1.0f;
    const float z = sign * y;
    if (started_) addTrace(z - previousZ_, changes);
    for (int n = 1; n <= 2; ++n) {
        if (!live_[n]) continue;
        std::vector<float>& e = trace_[n];
        if (lambda_ == 0.0f) {
            std::fill(e.begin(), e.end(), 0.0f);
            live_[n] = false;
        } else {
            for (float& v : e) v *= lambda_;
        }
    }
    nets[which].addGradient(x, hidden, y, sign, trace_[which].data(), true, offInputsLearn_);
    live_[which] = true;
    previousZ_ = z;
    started_ = true;
}

void TdTrace::finish(float result, int ply, WeightChanges& changes) {
    if (!started_) return;
    const float sign = ply % 2 == 0 ? 1.0f : -1.0f;
    addTrace(sign * result - previousZ_, changes);
}

}  // namespace lumaro::train
