#include "TdTrace.h"

#include <algorithm>

namespace lumaro::train {

void TdTrace::reset() { used_ = 0; }

void TdTrace::observe(const Nets& nets, int which, const float* x, const float* hidden, float y, int ply) {
    if (used_ == plies_.size()) plies_.emplace_back();
    Ply& p = plies_[used_++];
    p.which = which;
    p.sign = ply % 2 == 0 ? 1.0f : -1.0f;
    p.y = y;
    p.z = p.sign * y;
    p.hasTarget = false;
    std::copy_n(x, kInputs, p.x.begin());
    std::copy_n(hidden, nets[which].hidden(), p.hidden.begin());
}

void TdTrace::observeWithTarget(const Nets& nets, int which, const float* x, const float* hidden, float y,
                                float target, int ply) {
    observe(nets, which, x, hidden, y, ply);
    Ply& p = plies_[used_ - 1];
    p.hasTarget = true;
    p.targetZ = p.sign * target;
}

void TdTrace::addChanges(const Nets& nets, std::size_t count, float lastDelta, WeightChanges& changes) {
    // G_k = delta_k + lambda G_{k+1}, from the last ply back.
    float g = 0;
    for (std::size_t k = count; k-- > 0;) {
        const Ply& p = plies_[k];
        if (p.hasTarget) {
            g = p.targetZ - p.z;
        } else {
            const float delta = k + 1 < count ? plies_[k + 1].z - p.z : lastDelta;
            g = delta + lambda_ * g;
        }
        const float* x = p.x.data();
        if (commonShare_ != 1.0f) {
            shareCommonDirection(p.x.data(), commonShare_, stepInput_.data());
            x = stepInput_.data();
        }
        nets[p.which].addGradient(x, p.hidden.data(), p.y, p.sign * g, changes[p.which].data(), true,
                                  offInputsLearn_);
    }
}

void TdTrace::finish(const Nets& nets, float result, int ply, WeightChanges& changes) {
    if (used_ == 0) return;
    const float sign = ply % 2 == 0 ? 1.0f : -1.0f;
    addChanges(nets, used_, sign * result - plies_[used_ - 1].z, changes);
}

void TdTrace::abandon(const Nets& nets, WeightChanges& changes) {
    // Without a result the last prediction has no successor: a last delta of 0 leaves it unlearnt
    // (a ply with its own look-ahead target still learns that).
    addChanges(nets, used_, 0, changes);
}

}  // namespace lumaro::train
