#pragma once
// SIMD registers of 2, 4 or 8 doubles, one hidden unit per lane, and the two ways of adding a +1 or
// -1 input times a row of weights to them. Shared by the one-position and the batch kernels, which
// must round alike. Only for the kernel files: each includes it into its own instruction-set builds.
#include <bit>
#include <cstdint>

#include <immintrin.h>

namespace lumaro::lanes {

// Memory operands need only the alignment of a double.
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
    // The same with the row already in registers.
    template <int V>
    [[gnu::target("avx512f")]] static void addLoaded(Vec (&acc)[V], double x, const Vec (&row)[V]) {
        const __m512d xs = _mm512_set1_pd(x);
#pragma GCC unroll 16
        for (int v = 0; v < V; ++v) acc[v] = (Vec)_mm512_fmadd_pd(xs, (__m512d)row[v], (__m512d)acc[v]);
    }
};

}  // namespace lumaro::lanes
