#include "ai/NetForward.h"

#include <algorithm>

#include "ai/LibraryExp.h"
#include "ai/NetKernel.h"

namespace lumaro {

namespace {

// Leading inputs that equal `other`'s.
int sharedPrefix(const double* input, const double* other) {
    int i = 1;
    while (i <= kNetInputs && input[i] == other[i]) ++i;
    return i - 1;
}

// Leading point inputs that are -1, as for points with no checkers.
int emptyPrefix(const double* input) {
    int i = 1;
    while (i <= kNetBlackInputs && input[i] == -1.0) ++i;
    return i - 1;
}

}  // namespace

template <int H>
double runNet(const std::shared_ptr<const NetWeights<H>>& weights, const NetInput& in, NetRun<H>& run) {
    if (!weights) return 0.0;  // every hidden unit is f(0) = 0, so the output is f(0) too
    const NetWeights<H>& w = *weights;
    const double* x = in.netInput.data();

    int same = 0;
    if (run.weights == weights) {
        same = sharedPrefix(x, run.lastInput.data());
        if (same == kNetInputs) return run.output;
    } else {
        run.weights = weights;
        run.checkpointsFromEmpty = 0;
    }
    // Resume from whichever saved sums cover more of the input: the previous position's or the
    // empty board's.
    const int fromPrevious = std::min(same, kNetBlackInputs) / kNetCheckpointEvery;
    const int fromEmpty = emptyPrefix(x) / kNetCheckpointEvery;
    int first = fromPrevious;
    if (fromEmpty > fromPrevious) {
        first = fromEmpty;
        run.checkpointsFromEmpty = fromEmpty;
    } else {
        run.checkpointsFromEmpty = std::min(run.checkpointsFromEmpty, fromPrevious);
    }
    const double* start = first <= run.checkpointsFromEmpty ? &w.emptyPrefixSums[first * H]
                                                            : &run.checkpoints[first * H];
    accumulateHidden(w, x, first, start, run.checkpoints.data(), run.hiddenSum.data(), fastestNetKernel());
    std::copy(x + same + 1, x + kNetInputs + 1, run.lastInput.begin() + same + 1);

    expOfNegated(run.hiddenSum.data(), run.hidden.data(), H);
    double o = 0.0;
    for (int j = 0; j < H; ++j) {
        run.hidden[j] = netActivationOfExp(run.hidden[j]);
        o = o + run.hidden[j] * w.hiddenToOutput[j];
    }
    run.outputSum = o;
    run.output = netActivation(o);
    return run.output;
}

template double runNet<kNet1Hidden>(const std::shared_ptr<const NetWeights<kNet1Hidden>>&, const NetInput&,
                                    NetRun<kNet1Hidden>&);
template double runNet<kNet2Hidden>(const std::shared_ptr<const NetWeights<kNet2Hidden>>&, const NetInput&,
                                    NetRun<kNet2Hidden>&);

}  // namespace lumaro
