#include "ai/NetKernel.h"

#include "ai/NetLanes.h"

namespace lumaro {

namespace {

using lanes::FlipSign;
using lanes::FusedSign;
using lanes::Lanes2;
using lanes::Lanes4;
using lanes::Lanes8;

// The sums of V registers of hidden units from unit j0 on, kept in registers across all inputs.
template <class L, class Add, int H, int V>
void accumulateUnits(const double* weights, const double* input, int first, const double* start,
                     double* checkpoints, double* sums, int j0) {
    using Vec = typename L::Vec;
    using InMemory = typename L::InMemory;
    Vec acc[V];
#pragma GCC unroll 16
    for (int v = 0; v < V; ++v) acc[v] = reinterpret_cast<const InMemory*>(start + j0)[v];
    const auto row = [&](int i) { return reinterpret_cast<const InMemory*>(weights + (i - 1) * H + j0); };
    const auto save = [&](double* to) {
#pragma GCC unroll 16
        for (int v = 0; v < V; ++v) reinterpret_cast<InMemory*>(to + j0)[v] = acc[v];
    };

    int i = first * kNetCheckpointEvery + 1;
    for (; i <= kNetBlackInputs; i += kNetCheckpointEvery) {
        for (int t = 0; t < kNetCheckpointEvery; ++t) Add::addRow(acc, input[i + t], row(i + t));
        save(checkpoints + (i - 1 + kNetCheckpointEvery) / kNetCheckpointEvery * H);
    }
    for (; i <= kNetPointInputs; ++i) Add::addRow(acc, input[i], row(i));
    // The bar and tray inputs are general numbers: a true multiply, then the add.
    for (; i <= kNetInputs; ++i) {
        const Vec x = input[i] - Vec{};  // every lane x, even for -0
#pragma GCC unroll 16
        for (int v = 0; v < V; ++v) acc[v] = acc[v] + x * row(i)[v];
    }
    save(sums);
}

// All H units, V registers at a time (as many as the instruction set has room for).
template <class L, class Add, int V, int H>
void accumulateAll(const NetWeights<H>& w, const double* input, int first, const double* start,
                   double* checkpoints, double* sums) {
    constexpr int kRegisters = H / L::kCount;
    static_assert(H % L::kCount == 0);
    int j0 = 0;
    for (int r = 0; r + V <= kRegisters; r += V, j0 += V * L::kCount)
        accumulateUnits<L, Add, H, V>(w.inputToHidden.data(), input, first, start, checkpoints, sums, j0);
    if constexpr (kRegisters % V != 0)
        accumulateUnits<L, Add, H, kRegisters % V>(w.inputToHidden.data(), input, first, start, checkpoints,
                                                   sums, j0);
}

// One build per instruction set; flatten compiles every helper inside it for that set.
template <int H>
[[gnu::target("avx512f"), gnu::flatten]] void accumulateAvx512(const NetWeights<H>& w, const double* input,
                                                              int first, const double* start,
                                                              double* checkpoints, double* sums) {
    accumulateAll<Lanes8, FusedSign, H == kNet1Hidden ? 16 : 6>(w, input, first, start, checkpoints, sums);
}

template <int H>
[[gnu::target("avx2"), gnu::flatten]] void accumulateAvx2(const NetWeights<H>& w, const double* input, int first,
                                                         const double* start, double* checkpoints,
                                                         double* sums) {
    accumulateAll<Lanes4, FlipSign<Lanes4>, 8>(w, input, first, start, checkpoints, sums);
}

template <int H>
[[gnu::flatten]] void accumulateSse2(const NetWeights<H>& w, const double* input, int first, const double* start,
                                     double* checkpoints, double* sums) {
    accumulateAll<Lanes2, FlipSign<Lanes2>, 8>(w, input, first, start, checkpoints, sums);
}

template <int H>
void accumulateWith(NetKernel kernel, const NetWeights<H>& w, const double* input, int first, const double* start,
                    double* checkpoints, double* sums) {
    if (kernel == NetKernel::Avx512 && canRun(kernel))
        accumulateAvx512(w, input, first, start, checkpoints, sums);
    else if (kernel == NetKernel::Avx2 && canRun(kernel))
        accumulateAvx2(w, input, first, start, checkpoints, sums);
    else
        accumulateSse2(w, input, first, start, checkpoints, sums);
}

}  // namespace

bool canRun(NetKernel kernel) {
    switch (kernel) {
        case NetKernel::Avx512: return __builtin_cpu_supports("avx512f");
        case NetKernel::Avx2: return __builtin_cpu_supports("avx2");
        case NetKernel::Sse2: return true;
    }
    return false;
}

NetKernel fastestNetKernel() {
    if (canRun(NetKernel::Avx512)) return NetKernel::Avx512;
    if (canRun(NetKernel::Avx2)) return NetKernel::Avx2;
    return NetKernel::Sse2;
}

void accumulateHidden(const NetWeights<kNet1Hidden>& w, const double* input, int first, const double* start,
                      double* checkpoints, double* sums, NetKernel kernel) {
    accumulateWith(kernel, w, input, first, start, checkpoints, sums);
}

void accumulateHidden(const NetWeights<kNet2Hidden>& w, const double* input, int first, const double* start,
                      double* checkpoints, double* sums, NetKernel kernel) {
    accumulateWith(kernel, w, input, first, start, checkpoints, sums);
}

}  // namespace lumaro
