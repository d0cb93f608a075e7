#include "ai/NetKernel.h"

#include <algorithm>
#include <cmath>

#include "ai/NetLanes.h"

namespace lumaro {

namespace {

using lanes::FusedSign;
using lanes::Lanes2;
using lanes::Lanes4;
using lanes::Lanes8;

// The multiply, then the add. For a +1 or -1 input the product is exact, so this rounds like
// flipping the sign; with a row of weights in registers it needs no sign mask.
template <class L>
struct MultiplyAdd {
    using Vec = typename L::Vec;
    template <int V>
    static void addLoaded(Vec (&acc)[V], double x, const Vec (&row)[V]) {
        const Vec xs = x - Vec{};  // every lane x
#pragma GCC unroll 16
        for (int v = 0; v < V; ++v) acc[v] = acc[v] + xs * row[v];
    }
};

// V registers of hidden units from unit j0 on, for NB positions: each row of weights is loaded once
// and added to all of them, so the weights stream from the cache once per batch, not per position.
template <class L, class Add, int H, int NB, int V>
void batchUnits(const double* weights, const NetInput* inputs, int first, int last, const double* start, double* sums,
                int j0) {
    using Vec = typename L::Vec;
    using InMemory = typename L::InMemory;
    Vec acc[NB][V];
#pragma GCC unroll 16
    for (int b = 0; b < NB; ++b)
#pragma GCC unroll 16
        for (int v = 0; v < V; ++v) acc[b][v] = reinterpret_cast<const InMemory*>(start + j0)[v];
    const auto load = [&](int i, Vec(&row)[V]) {
#pragma GCC unroll 16
        for (int v = 0; v < V; ++v) row[v] = reinterpret_cast<const InMemory*>(weights + (i - 1) * H + j0)[v];
    };

    int i = first * kNetCheckpointEvery + 1;
    for (const int points = std::min(last, kNetPointInputs); i <= points; ++i) {
        Vec row[V];
        load(i, row);
#pragma GCC unroll 16
        for (int b = 0; b < NB; ++b) Add::addLoaded(acc[b], inputs[b].netInput[i], row);
    }
    // The bar and tray inputs are general numbers: a true multiply, then the add. Mostly they are
    // -1 (nothing there) or 1, though, and then the exact product allows the one-step add.
    for (; i <= last; ++i) {
        Vec row[V];
        load(i, row);
        bool plusOrMinusOne = true;
        for (int b = 0; b < NB; ++b) plusOrMinusOne &= std::abs(inputs[b].netInput[i]) == 1.0;
        if (plusOrMinusOne) {
#pragma GCC unroll 16
            for (int b = 0; b < NB; ++b) Add::addLoaded(acc[b], inputs[b].netInput[i], row);
        } else {
#pragma GCC unroll 16
            for (int b = 0; b < NB; ++b) MultiplyAdd<L>::addLoaded(acc[b], inputs[b].netInput[i], row);
        }
    }
#pragma GCC unroll 16
    for (int b = 0; b < NB; ++b)
#pragma GCC unroll 16
        for (int v = 0; v < V; ++v) reinterpret_cast<InMemory*>(sums + b * H + j0)[v] = acc[b][v];
}

// All H units for NB positions, with about `Budget` registers of sums live at a time.
template <class L, class Add, int Budget, int NB, int H>
void batchAll(const NetWeights<H>& w, const NetInput* inputs, int first, int last, const double* start, double* sums) {
    constexpr int kRegisters = H / L::kCount;
    static_assert(H % L::kCount == 0);
    constexpr int kWanted = Budget / NB > 0 ? Budget / NB : 1;
    constexpr int kV = kWanted < kRegisters ? kWanted : kRegisters;
    int j0 = 0;
    for (int r = 0; r + kV <= kRegisters; r += kV, j0 += kV * L::kCount)
        batchUnits<L, Add, H, NB, kV>(w.inputToHidden.data(), inputs, first, last, start, sums, j0);
    if constexpr (kRegisters % kV != 0)
        batchUnits<L, Add, H, NB, kRegisters % kV>(w.inputToHidden.data(), inputs, first, last, start, sums, j0);
}

// A full batch in one pass; a partial one as passes of 4, 2 and 1, so no work is spent on empty
// places.
template <class L, class Add, int Budget, int H>
void batchAnySize(const NetWeights<H>& w, const NetInput* inputs, int count, int first, int last, const double* start,
                  double* sums) {
    static_assert(kNetBatch == 8);
    int b = 0;
    const auto pass = [&]<int NB>() {
        batchAll<L, Add, Budget, NB>(w, inputs + b, first, last, start, sums + b * H);
        b += NB;
    };
    if (count - b >= 8) pass.template operator()<8>();
    if (count - b >= 4) pass.template operator()<4>();
    if (count - b >= 2) pass.template operator()<2>();
    if (count - b >= 1) pass.template operator()<1>();
}

// One build per instruction set; flatten compiles every helper inside it for that set. AVX-512
// has 32 registers, room for 24 of sums besides the rows; the others have 16 and keep 8.
template <int H>
[[gnu::target("avx512f"), gnu::flatten]] void batchAvx512(const NetWeights<H>& w, const NetInput* inputs, int count,
                                                         int first, int last, const double* start, double* sums) {
    batchAnySize<Lanes8, FusedSign, 24>(w, inputs, count, first, last, start, sums);
}

template <int H>
[[gnu::target("avx2"), gnu::flatten]] void batchAvx2(const NetWeights<H>& w, const NetInput* inputs, int count,
                                                    int first, int last, const double* start, double* sums) {
    batchAnySize<Lanes4, MultiplyAdd<Lanes4>, 8>(w, inputs, count, first, last, start, sums);
}

template <int H>
[[gnu::flatten]] void batchSse2(const NetWeights<H>& w, const NetInput* inputs, int count, int first, int last,
                                const double* start, double* sums) {
    batchAnySize<Lanes2, MultiplyAdd<Lanes2>, 8>(w, inputs, count, first, last, start, sums);
}

template <int H>
void batchWith(NetKernel kernel, const NetWeights<H>& w, const NetInput* inputs, int count, int first, int last,
               const double* start, double* sums) {
    if (kernel == NetKernel::Avx512 && canRun(kernel))
        batchAvx512(w, inputs, count, first, last, start, sums);
    else if (kernel == NetKernel::Avx2 && canRun(kernel))
        batchAvx2(w, inputs, count, first, last, start, sums);
    else
        batchSse2(w, inputs, count, first, last, start, sums);
}

}  // namespace

void accumulateHiddenBatch(const NetWeights<kNet1Hidden>& w, const NetInput* inputs, int count, int first, int last,
                           const double* start, double* sums, NetKernel kernel) {
    batchWith(kernel, w, inputs, count, first, last, start, sums);
}

void accumulateHiddenBatch(const NetWeights<kNet2Hidden>& w, const NetInput* inputs, int count, int first, int last,
                           const double* start, double* sums, NetKernel kernel) {
    batchWith(kernel, w, inputs, count, first, last, start, sums);
}

}  // namespace lumaro
