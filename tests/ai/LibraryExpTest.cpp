#include "ai/LibraryExp.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

using namespace lumaro;

namespace {

std::uint64_t bitsOf(double v) { return std::bit_cast<std::uint64_t>(v); }

// How many of `in` the chosen way gets differently from std::exp(-x).
int mismatches(const std::vector<double>& in) {
    std::vector<double> out(in.size());
    expOfNegated(in.data(), out.data(), static_cast<int>(in.size()));
    int bad = 0;
    for (std::size_t i = 0; i < in.size(); ++i) bad += bitsOf(out[i]) != bitsOf(std::exp(-in[i]));
    return bad;
}

}  // namespace

TEST(LibraryExp, AgreesWithTheLibraryBitForBitOnHiddenSumsAndAwkwardArguments) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> hiddenSum(-60.0, 60.0);
    std::vector<double> in(1 << 21);
    for (double& v : in) v = hiddenSum(random);
    EXPECT_EQ(mismatches(in), 0) << expPathName(expPath());

    // Values of every size, from subnormal to overflowing, both signs, and the special ones.
    std::vector<double> awkward;
    for (int e = -1074; e <= 1023; ++e)
        for (double m : {1.0, 1.25, 1.9999999999999998})
            for (double sign : {1.0, -1.0}) awkward.push_back(sign * std::ldexp(m, e));
    const double inf = std::numeric_limits<double>::infinity();
    for (double v : {0.0, -0.0, inf, -inf, std::numeric_limits<double>::quiet_NaN(), 709.782712893384,
                     -709.782712893384, 745.1332191019412, -745.1332191019412, 708.4, -708.4, 512.0, -512.0,
                     0x1p-54, -0x1p-54})
        awkward.push_back(v);
    EXPECT_EQ(mismatches(awkward), 0);
}

TEST(LibraryExp, HandlesAnyCountAndWorksInPlace) {
    for (int count : {0, 1, 7, 8, 9, 127, 128, 129}) {
        std::vector<double> values(static_cast<std::size_t>(count) + 1, 42.0);  // one guard value after
        for (int i = 0; i < count; ++i) values[static_cast<std::size_t>(i)] = 0.37 * i - 20.0;
        const std::vector<double> before = values;
        expOfNegated(values.data(), values.data(), count);
        for (int i = 0; i < count; ++i)
            EXPECT_EQ(bitsOf(values[static_cast<std::size_t>(i)]), bitsOf(std::exp(-before[static_cast<std::size_t>(i)])))
                << "count " << count << " value " << i;
        EXPECT_EQ(values.back(), 42.0) << "wrote past the end with count " << count;
    }
}

TEST(LibraryExp, TheOtherRoundingRecipeIsTellableFromTheLibrary) {
    // The self-check relies on a wrong recipe showing: whichever recipe the library does not use
    // must differ from it somewhere among ordinary arguments.
    const ExpPath chosen = expPath();
    if (chosen == ExpPath::Library) GTEST_SKIP() << "no vector lanes on this processor";
    const ExpPath other = chosen == ExpPath::LanesFused ? ExpPath::LanesPlain : ExpPath::LanesFused;
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> hiddenSum(-60.0, 60.0);
    std::vector<double> in(1 << 16), out(in.size());
    for (double& v : in) v = hiddenSum(random);
    ASSERT_TRUE(expOfNegatedWith(other, in.data(), out.data(), static_cast<int>(in.size())));
    int bad = 0;
    for (std::size_t i = 0; i < in.size(); ++i) bad += bitsOf(out[i]) != bitsOf(std::exp(-in[i]));
    EXPECT_GT(bad, 0);
}
