#include "ai/LibraryExp.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

#include <immintrin.h>

namespace lumaro {

namespace {

// exp(x) = 2^(k/128) * e^r with |r| <= ln2/256: k from x * 128/ln2 rounded by adding 1.5 * 2^52,
// r = x - k * ln2/128 in two parts, 2^(k/128) = scale * (1 + tail) from the table, and
// e^r - 1 - r by a degree-5 polynomial. These are the C library's constants.
constexpr int kTableBits = 7;
constexpr int kTableSize = 1 << kTableBits;
constexpr double kInvLn2N = 0x1.71547652b82fep0 * kTableSize;
constexpr double kNegLn2HiN = -0x1.62e42fefa0000p-8;
constexpr double kNegLn2LoN = -0x1.cf79abc9e3b3ap-47;
constexpr double kShift = 0x1.8p52;
constexpr double kC2 = 0x1.ffffffffffdbdp-2;
constexpr double kC3 = 0x1.555555555543cp-3;
constexpr double kC4 = 0x1.55555cf172b91p-5;
constexpr double kC5 = 0x1.1111167a4d017p-7;
// Lanes whose top 12 bits (sign dropped) lie outside [2^-54, 512) go to std::exp: tiny, huge,
// infinite and NaN arguments have their own rules there.
constexpr std::uint64_t kTopTiny = 0x3c9;
constexpr std::uint64_t kTopHuge = 0x408;

// Entry 2i is the tail of 2^(i/128), entry 2i + 1 its scale's bits less i << 45, so that adding
// k << 45 puts k's whole part into the exponent. Computed in quadruple precision: the tail is the
// rounding error of the scale and needs twice a double's bits.
struct Table {
    alignas(64) std::array<std::uint64_t, 2 * kTableSize> entries{};
    Table() {
        __float128 ln2 = 0;  // sum of 1 / (n 2^n)
        __float128 power = 1;
        for (int n = 1; n < 130; ++n) {
            power /= 2;
            ln2 += power / n;
        }
        for (int i = 0; i < kTableSize; ++i) {
            const __float128 x = ln2 * i / kTableSize;
            __float128 term = 1, value = 1;
            for (int n = 1; n < 40; ++n) {
                term = term * x / n;
                value += term;
            }
            const auto scale = static_cast<double>(value);
            const auto tail = static_cast<double>((value - scale) / scale);
            entries[2 * i] = std::bit_cast<std::uint64_t>(tail);
            entries[2 * i + 1] = std::bit_cast<std::uint64_t>(scale) - (static_cast<std::uint64_t>(i) << 45);
        }
    }
};

const Table& table() {
    static const Table t;
    return t;
}

// Eight lanes of exp(-in). `Fused` mirrors the library's build for processors with fused
// multiply-adds, where the compiler joined each product to the sum it feeds.
// GCC 12 takes the intrinsics' deliberately undefined starting registers for uninitialised ones.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
template <bool Fused>
[[gnu::target("avx512f")]] void lanes8(const double* in, double* out, int count, const std::uint64_t* tab) {
    const __m512d invLn2N = _mm512_set1_pd(kInvLn2N), shift = _mm512_set1_pd(kShift);
    const __m512d negLn2Hi = _mm512_set1_pd(kNegLn2HiN), negLn2Lo = _mm512_set1_pd(kNegLn2LoN);
    const __m512d c2 = _mm512_set1_pd(kC2), c3 = _mm512_set1_pd(kC3);
    const __m512d c4 = _mm512_set1_pd(kC4), c5 = _mm512_set1_pd(kC5);
    const __m512i topMask = _mm512_set1_epi64(0x7ff), topTiny = _mm512_set1_epi64(kTopTiny);
    const __m512i topRange = _mm512_set1_epi64(kTopHuge - kTopTiny);
    const __m512i indexMask = _mm512_set1_epi64(kTableSize - 1);
    const __m512d negate = _mm512_set1_pd(-0.0);
    for (int i = 0; i < count; i += 8) {
        const int n = count - i < 8 ? count - i : 8;
        const __mmask8 live = static_cast<__mmask8>((1u << n) - 1);
        const __m512d x = _mm512_castsi512_pd(
            _mm512_xor_si512(_mm512_castpd_si512(_mm512_maskz_loadu_pd(live, in + i)), _mm512_castpd_si512(negate)));
        const __m512i top = _mm512_and_si512(_mm512_srli_epi64(_mm512_castpd_si512(x), 52), topMask);
        const __mmask8 inRange = _mm512_mask_cmplt_epu64_mask(live, _mm512_sub_epi64(top, topTiny), topRange);

        __m512d kd = Fused ? _mm512_fmadd_pd(invLn2N, x, shift) : _mm512_add_pd(_mm512_mul_pd(invLn2N, x), shift);
        const __m512i ki = _mm512_castpd_si512(kd);
        kd = _mm512_sub_pd(kd, shift);
        __m512d r;
        if (Fused) {
            r = _mm512_fmadd_pd(kd, negLn2Lo, _mm512_fmadd_pd(kd, negLn2Hi, x));
        } else {
            r = _mm512_add_pd(x, _mm512_mul_pd(kd, negLn2Hi));
            r = _mm512_add_pd(r, _mm512_mul_pd(kd, negLn2Lo));
        }
        const __m512i index = _mm512_slli_epi64(_mm512_and_si512(ki, indexMask), 1);
        const __m512d tail = _mm512_castsi512_pd(_mm512_i64gather_epi64(index, tab, 8));
        const __m512i scaleBits = _mm512_add_epi64(_mm512_i64gather_epi64(index, tab + 1, 8), _mm512_slli_epi64(ki, 45));
        const __m512d scale = _mm512_castsi512_pd(scaleBits);
        const __m512d r2 = _mm512_mul_pd(r, r);
        __m512d tmp = _mm512_add_pd(tail, r);
        __m512d result;
        if (Fused) {
            tmp = _mm512_fmadd_pd(r2, _mm512_fmadd_pd(r, c3, c2), tmp);
            tmp = _mm512_fmadd_pd(_mm512_mul_pd(r2, r2), _mm512_fmadd_pd(r, c5, c4), tmp);
            result = _mm512_fmadd_pd(scale, tmp, scale);
        } else {
            tmp = _mm512_add_pd(tmp, _mm512_mul_pd(r2, _mm512_add_pd(c2, _mm512_mul_pd(r, c3))));
            tmp = _mm512_add_pd(tmp, _mm512_mul_pd(_mm512_mul_pd(r2, r2), _mm512_add_pd(c4, _mm512_mul_pd(r, c5))));
            result = _mm512_add_pd(scale, _mm512_mul_pd(scale, tmp));
        }
        _mm512_mask_storeu_pd(out + i, inRange, result);
        unsigned rest = live & ~inRange;
        while (rest != 0) {
            const int lane = std::countr_zero(rest);
            rest &= rest - 1;
            out[i + lane] = std::exp(-in[i + lane]);
        }
    }
}

#pragma GCC diagnostic pop

bool lanesAvailable() { return __builtin_cpu_supports("avx512f"); }

// Arguments like the network's hidden sums, and the awkward ones: each table entry's centre and
// the points halfway between entries, the range's ends, zero, tiny values and special values.
ExpPath chooseExpPath() {
    if (!lanesAvailable()) return ExpPath::Library;
    // Enough values that a recipe off by one rounding in a thousand cannot pass by luck.
    std::vector<double> probe(1 << 16);
    std::uint64_t state = 0x9e3779b97f4a7c15u;
    std::size_t k = 0;
    while (k < probe.size() - 1500) {
        state = state * 6364136223846793005u + 1442695040888963407u;
        probe[k++] = (static_cast<double>(state >> 11) * 0x1p-53 - 0.5) * 80.0;
    }
    for (int i = -700; i <= 700; ++i) probe[k++] = i * (0.6931471805599453 / kTableSize) + 1e-7 * i;
    for (double v : {0.0, -0.0, 1e-300, -1e-300, 0x1p-54, -0x1p-54, 511.9, -511.9, 512.0, -512.0, 700.0, -700.0,
                     800.0, -800.0, 1e-17, 0.5, -0.5, HUGE_VAL, -HUGE_VAL, std::nan("")})
        if (k < probe.size()) probe[k++] = v;
    std::vector<double> got(probe.size());
    for (ExpPath path : {ExpPath::LanesFused, ExpPath::LanesPlain}) {
        expOfNegatedWith(path, probe.data(), got.data(), static_cast<int>(k));
        bool same = true;
        for (std::size_t i = 0; i < k && same; ++i)
            same = std::bit_cast<std::uint64_t>(got[i]) == std::bit_cast<std::uint64_t>(std::exp(-probe[i]));
        if (same) return path;
    }
    return ExpPath::Library;
}

}  // namespace

bool expOfNegatedWith(ExpPath path, const double* in, double* out, int count) {
    if (path == ExpPath::Library) {
        for (int i = 0; i < count; ++i) out[i] = std::exp(-in[i]);
        return true;
    }
    if (!lanesAvailable()) return false;
    const std::uint64_t* tab = table().entries.data();
    if (path == ExpPath::LanesFused)
        lanes8<true>(in, out, count, tab);
    else
        lanes8<false>(in, out, count, tab);
    return true;
}

ExpPath expPath() {
    static const ExpPath chosen = chooseExpPath();
    return chosen;
}

void expOfNegated(const double* in, double* out, int count) { expOfNegatedWith(expPath(), in, out, count); }

const char* expPathName(ExpPath path) {
    switch (path) {
        case ExpPath::Library: return "library, one call a value";
        case ExpPath::LanesPlain: return "8 lanes, plain rounding";
        case ExpPath::LanesFused: return "8 lanes, fused rounding";
    }
    return "?";
}

}  // namespace lumaro
