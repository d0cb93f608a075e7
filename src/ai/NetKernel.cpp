#include "ai/NetKernel.h"

#include <bit>
#include <cstdint>

#include <immintrin.h>

namespace lumaro {

namespace {

// SIMD registers of 2, 4 or 8 doubles, one hidden unit per lane. Memory operands need only the
// alignment of a double.
struct Lanes2 {
    static constexpr int kCount = 2;
    typedef double Vec __attribute__((vector_size(16)));
    typedef std::uint64_t Bits __attribute__((vector_size(16)));
    typedef double InMemory __attribute__((vector_size(16), aligned(8)));
};
struct Lanes4 {
    static constexpr int kCount = 4;
    typedef double Vec __attribute__((vector_size(32)));
    typedef std::uint64_t Bits __attribute__((vector_size(32)));
    typedef double InMemory __attribute__((vector_size(32), aligned(8)));
};
struct Lanes8 {
    static constexpr int kCount = 8;
    typedef double Vec __attribute__((vector_size(64)));
    typedef std::uint64_t Bits __attribute__((vector_size(64)));
    typedef double InMemory __attribute__((vector_size(64), aligned(8)));
};

// Adds input x (+1 or -1) times a row to the sums: x * w is exactly w with x's sign, so flipping
// the sign bits and adding rounds exactly like the multiply and the add.
template <class L>
struct FlipSign {
    using Vec = typename L::Vec;
    template <int V>
    static void addRow(Vec (&acc)[V], double x, const typename L::InMemory* row) {
        const auto sign = typename L::Bits{} + (std::bit_cast<std::uint64_t>(x) & 0x8000000000000000u);
#pragma GCC unroll 16
        for (int v = 0; v < V; ++v) acc[v] += (Vec)((typename L::Bits)row[v] ^ sign);
    }
};

// The same in one AVX-512 instruction: a fused multiply-add rounds once, after the product, and
// with the product exact that is the rounding of the plain add.
struct FusedSign {
    using Vec = Lanes8::Vec;
    template <int V>
    [[gnu::target("avx512f")]] static void addRow(Vec (&acc)[V], double x, const Lanes8::InMemory* row) {
        const __m512d xs = _mm512_set1_pd(x);
#pragma GCC unroll 16
        for (int v = 0; v < V; ++v) acc[v] = (Vec)_mm512_fmadd_pd(xs, (__m512d)row[v], (__m512d)acc[v]);
    }
};

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
