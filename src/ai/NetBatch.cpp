#include "ai/NetBatch.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <immintrin.h>

#include "ai/LibraryExp.h"
#include "ai/NetForward.h"

namespace lumaro {

std::uint64_t netOrderKey(const Position& pos) {
    // Three bits a point from point 24 down; points 3..1, which no longer fit, order nothing.
    std::uint64_t key = 0;
    for (int q = 24; q >= 4; --q) {
        const int black = pos.count[q] * (pos.colour[q] == kBlack);
        key = key << 3 | static_cast<std::uint64_t>(std::min(black, 4));
    }
    return key;
}

namespace {

// Black's inputs are exactly +1 or -1, so equal inputs are equal bytes; compared a checkpoint's
// worth at a time.
constexpr std::size_t kCheckpointBytes = kNetCheckpointEvery * sizeof(double);

// Leading checkpoints (up to `limit`) over which `x` holds the same inputs as `other`.
int sameCheckpoints(const double* x, const double* other, int limit) {
    int c = 0;
    while (c < limit && std::memcmp(x + c * kNetCheckpointEvery + 1, other + c * kNetCheckpointEvery + 1,
                                    kCheckpointBytes) == 0)
        ++c;
    return c;
}

// Leading checkpoints over which every input is -1, as for points with no black checkers.
int emptyCheckpoints(const double* x) {
    static constexpr double kEmpty[kNetCheckpointEvery] = {-1.0, -1.0, -1.0, -1.0, -1.0, -1.0, -1.0, -1.0};
    int c = 0;
    while (c < kNetCheckpoints - 1 && std::memcmp(x + c * kNetCheckpointEvery + 1, kEmpty, kCheckpointBytes) == 0)
        ++c;
    return c;
}

// o_b = sum over j in order of (2 / (1 + e_bj) - 1) * w_j, for positions b < n, with e_bj at
// expTerms[b * H + j]: one lane a position.
template <int H>
void outputSumsPlain(const double* expTerms, int n, const double* toOutput, double* outputSums) {
    typedef double Lanes __attribute__((vector_size(kNetBatch * sizeof(double))));
    Lanes o{};
    for (int j = 0; j < H; ++j) {
        Lanes e{};
        for (int b = 0; b < n; ++b) e[b] = expTerms[b * H + j];
        const Lanes hidden = 2.0 / (1.0 + e) - 1.0;  // netActivationOfExp, lane by lane
        o = o + hidden * toOutput[j];
    }
    for (int b = 0; b < n; ++b) outputSums[b] = o[b];
}

// The same in AVX-512 registers; the compiler's generic build would split every 8-lane operation
// (the divisions above all) into four.
template <int H>
[[gnu::target("avx512f")]] void outputSumsAvx512(const double* expTerms, int n, const double* toOutput,
                                                 double* outputSums) {
    static_assert(kNetBatch == 8);
    const __mmask8 live = static_cast<__mmask8>((1u << n) - 1);
    const __m512i rows = _mm512_setr_epi64(0, H, 2 * H, 3 * H, 4 * H, 5 * H, 6 * H, 7 * H);
    const __m512d one = _mm512_set1_pd(1.0), two = _mm512_set1_pd(2.0);
    __m512d o = _mm512_setzero_pd();
    for (int j = 0; j < H; ++j) {
        const __m512d e = _mm512_mask_i64gather_pd(_mm512_setzero_pd(), live, rows, expTerms + j, 8);
        const __m512d hidden = _mm512_sub_pd(_mm512_div_pd(two, _mm512_add_pd(one, e)), one);  // netActivationOfExp
        o = _mm512_add_pd(o, _mm512_mul_pd(hidden, _mm512_set1_pd(toOutput[j])));
    }
    _mm512_mask_storeu_pd(outputSums, live, o);
}

}  // namespace

template <int H>
void addToBatch(NetBatch<H>& batch, const Position& pos, int slot) {
    const int b = batch.size++;
    batch.slot[b] = slot;
    const double* x = batch.inputs[b].netInput.data();
    encodeForNet(pos, batch.inputs[b]);
    if (b == 0) {
        batch.shared = kNetCheckpoints - 1;
        batch.firstEmpty = emptyCheckpoints(x);
    } else {
        batch.shared = sameCheckpoints(x, batch.inputs[0].netInput.data(), batch.shared);
    }
}

template <int H>
void batchHiddenSums(const NetWeights<H>& w, NetBatch<H>& batch, NetKernel kernel) {
    const int n = batch.size;
    // The inputs every position shares are added once, for the first of them: positions scored
    // together tend to agree on black's back points. Up to the first occupied point the network's
    // saved sums for empty points serve.
    const int shared = batch.shared;
    const int empty = std::min(batch.firstEmpty, shared);
    const double* start = &w.emptyPrefixSums[empty * H];
    if (shared > empty) {
        accumulateHiddenBatch(w, batch.inputs.data(), 1, empty, shared * kNetCheckpointEvery, start,
                              batch.prefixSums.data(), kernel);
        start = batch.prefixSums.data();
    }
    accumulateHiddenBatch(w, batch.inputs.data(), n, shared, kNetInputs, start, batch.sums.data(), kernel);
}

template <int H>
void runBatch(const std::shared_ptr<const NetWeights<H>>& weights, NetBatch<H>& batch, NetKernel kernel) {
    const int n = batch.size;
    if (n == 0) return;
    if (!weights) {
        std::fill_n(batch.outputs.begin(), n, 0.0);  // every hidden unit is f(0) = 0, so the output is too
        return;
    }
    const NetWeights<H>& w = *weights;
    batchHiddenSums(w, batch, kernel);

    // The rest of netActivation and the output sum for all positions side by side, one lane each,
    // rounding as runNet does.
    expOfNegated(batch.sums.data(), batch.expTerms.data(), n * H);
    double outputSums[kNetBatch];
    if (kernel == NetKernel::Avx512 && canRun(kernel))
        outputSumsAvx512<H>(batch.expTerms.data(), n, w.hiddenToOutput.data(), outputSums);
    else
        outputSumsPlain<H>(batch.expTerms.data(), n, w.hiddenToOutput.data(), outputSums);
    for (int b = 0; b < n; ++b) batch.outputs[b] = netActivation(outputSums[b]);
}

template void addToBatch<kNet1Hidden>(NetBatch<kNet1Hidden>&, const Position&, int);
template void addToBatch<kNet2Hidden>(NetBatch<kNet2Hidden>&, const Position&, int);
template void batchHiddenSums<kNet1Hidden>(const NetWeights<kNet1Hidden>&, NetBatch<kNet1Hidden>&, NetKernel);
template void batchHiddenSums<kNet2Hidden>(const NetWeights<kNet2Hidden>&, NetBatch<kNet2Hidden>&, NetKernel);
template void runBatch<kNet1Hidden>(const std::shared_ptr<const NetWeights<kNet1Hidden>>&, NetBatch<kNet1Hidden>&,
                                    NetKernel);
template void runBatch<kNet2Hidden>(const std::shared_ptr<const NetWeights<kNet2Hidden>>&, NetBatch<kNet2Hidden>&,
                                    NetKernel);

}  // namespace lumaro
