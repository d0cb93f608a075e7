#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "ai/NetInput.h"
#include "support/Positions.h"

using namespace lumaro;
using lumaro::testing::positionOf;

namespace {

std::vector<double> inputsOf(const Position& pos) {
    NetInput in;
    encodeForNet(pos, in);
    return {in.netInput.begin() + 1, in.netInput.end()};  // inputs 1..196 at index 0..195
}

TEST(EncodeForNet, StartingPositionHasOnePlusPerOccupiedPointAndNothingElse) {
    std::vector<double> expected(kNetInputs, -1.0);
    // Inputs counted from 1: point 24 is block 1, point 1 is block 24; white's blocks start at 97.
    for (int input : {2, 48, 67, 76, 120, 127, 148, 190}) expected[input - 1] = 1.0;
    EXPECT_EQ(inputsOf(startingPosition()), expected);
}

TEST(EncodeForNet, StacksOfFourOrMoreShareTheLastSlot) {
    for (int n = 1; n <= 7; ++n) {
        const auto in = inputsOf(positionOf({{24, -n}, {1, n}}));
        const std::vector<double> black(in.begin(), in.begin() + 4);  // point 24
        const std::vector<double> white(in.begin() + 188, in.begin() + 192);  // point 1
        std::vector<double> expected(4, -1.0);
        expected[std::min(n, 4) - 1] = 1.0;
        EXPECT_EQ(black, expected) << n << " black checkers";
        EXPECT_EQ(white, expected) << n << " white checkers";
    }
}

TEST(EncodeForNet, BarAndTraysAreSquareRootsOrMinusOne) {
    // One black checker on the bar, four white ones borne off, two white ones on the bar.
    Position pos = positionOf({{13, -14}, {12, 9}}, 2, 1);
    EXPECT_EQ(pos.offWhite, 4);
    auto in = inputsOf(pos);
    EXPECT_EQ(in[192], 1.0);
    EXPECT_EQ(in[193], std::sqrt(2.0));
    EXPECT_EQ(in[194], -1.0);
    EXPECT_EQ(in[195], 2.0);

    pos = positionOf({{3, -6}, {20, 15}});  // nine black off, nothing anywhere else
    in = inputsOf(pos);
    EXPECT_EQ(in[192], -1.0);
    EXPECT_EQ(in[193], -1.0);
    EXPECT_EQ(in[194], 3.0);
    EXPECT_EQ(in[195], -1.0);
}

TEST(EncodeForNet, ReadsTheColourOnlyWhereThereAreCheckers) {
    Position pos = positionOf({{10, -2}, {15, 3}});
    pos.colour[4] = kWhite;  // stale colour on an empty point
    pos.colour[21] = kBlack;
    const auto in = inputsOf(pos);
    // Point 10 is block 15 (inputs 57..60), point 15 is block 10 (white inputs 133..136).
    EXPECT_EQ(in[57], 1.0);
    EXPECT_EQ(in[134], 1.0);
    EXPECT_EQ(std::count(in.begin(), in.begin() + 192, 1.0), 2);
}

}  // namespace
