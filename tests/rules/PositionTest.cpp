#include <gtest/gtest.h>

#include "rules/Position.h"
#include "support/Positions.h"

using namespace lumaro;
using lumaro::testing::positionOf;

namespace {

TEST(StartingPosition, PlacesFifteenOfEachColourOnTheirPoints) {
    const Position start = startingPosition();
    const int white[][2] = {{1, 2}, {12, 5}, {17, 3}, {19, 5}};
    const int black[][2] = {{24, 2}, {13, 5}, {8, 3}, {6, 5}};
    for (auto [p, n] : white) {
        EXPECT_EQ(start.count[p], n) << p;
        EXPECT_TRUE(start.hasWhite(p)) << p;
    }
    for (auto [p, n] : black) {
        EXPECT_EQ(start.count[p], n) << p;
        EXPECT_TRUE(start.hasBlack(p)) << p;
    }
    EXPECT_EQ(whiteCheckersOf(start), 15);
    EXPECT_EQ(blackCheckersOf(start), 15);
    EXPECT_EQ(whitePhaseOf(start), 2);
    EXPECT_EQ(blackPhaseOf(start), 2);
    EXPECT_EQ(start.barWhite + start.barBlack + start.offWhite + start.offBlack, 0);
}

TEST(Phases, FollowTheFirstMatchingRule) {
    // On the bar beats everything, even with the other fourteen at home.
    EXPECT_EQ(whitePhaseOf(positionOf({{20, 14}}, 1)), 1);
    EXPECT_EQ(blackPhaseOf(positionOf({{3, -14}}, 0, 1)), 1);
    // A checker left in the opponent's home board.
    EXPECT_EQ(whitePhaseOf(positionOf({{6, 1}, {20, 14}})), 2);
    EXPECT_EQ(blackPhaseOf(positionOf({{19, -1}, {3, -14}})), 2);
    // All home, none off; then bearing off; all off stays 4.
    EXPECT_EQ(whitePhaseOf(positionOf({{19, 10}, {24, 5}})), 3);
    EXPECT_EQ(whitePhaseOf(positionOf({{19, 10}, {24, 4}})), 4);
    EXPECT_EQ(whitePhaseOf(positionOf({})), 4);
    EXPECT_EQ(blackPhaseOf(positionOf({{1, -15}})), 3);
    EXPECT_EQ(blackPhaseOf(positionOf({{1, -14}})), 4);
    // Anything else is the normal phase.
    EXPECT_EQ(whitePhaseOf(positionOf({{12, 15}})), 0);
    EXPECT_EQ(blackPhaseOf(positionOf({{12, -15}})), 0);
    // phaseOf picks the side's.
    const Position mixed = positionOf({{6, 1}, {20, 14}, {3, -15}});
    EXPECT_EQ(phaseOf(mixed, Side::White), 2);
    EXPECT_EQ(phaseOf(mixed, Side::Black), 3);
}

}  // namespace
