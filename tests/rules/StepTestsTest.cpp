#include <gtest/gtest.h>

#include "rules/StepTests.h"
#include "support/Positions.h"

using namespace lumaro;
using lumaro::testing::positionOf;

namespace {

TEST(StepTests, MovesHitsAndBlocksOnAPosition) {
    const Position board = positionOf({{1, 2}, {12, 13}, {4, -1}, {6, -2}, {13, -12}});
    EXPECT_EQ(whiteStepTest(board, 1, 2), 3);
    EXPECT_EQ(whiteStepTest(board, 1, 3), 4 + kHitOffset);
    EXPECT_EQ(whiteStepTest(board, 1, 5), kStepImpossible);  // black's point
    EXPECT_EQ(whiteStepTest(board, 4, 1), kStepImpossible);  // not a white checker
    EXPECT_EQ(blackStepTest(board, 13, 1), kStepImpossible);  // white's point
    EXPECT_EQ(blackStepTest(board, 6, 2), 4);                 // onto its own blot
    EXPECT_EQ(blackStepTest(board, 6, 5), kStepImpossible);
    EXPECT_EQ(whiteStepTest(board, 1, 7), kStepImpossible);  // not a die
    EXPECT_EQ(whiteStepTest(board, 0, 2), kStepImpossible);  // the bar is no point
    EXPECT_EQ(whiteStepTest(board, 25, 2), kStepImpossible);
}

TEST(StepTests, BearingOffNeedsAllHomeAndTheRearmostForAHigherDie) {
    const Position white = positionOf({{20, 1}, {22, 2}, {1, -15}});
    EXPECT_EQ(whitePhaseOf(white), 4);
    EXPECT_EQ(whiteStepTest(white, 22, 3), kBorneOff);
    EXPECT_EQ(whiteStepTest(white, 22, 6), kStepImpossible);  // 20 is behind it
    EXPECT_EQ(whiteStepTest(white, 20, 6), kBorneOff);

    const Position black = positionOf({{4, -2}, {1, -13}, {24, 15}});
    EXPECT_EQ(blackPhaseOf(black), 3);
    EXPECT_EQ(blackStepTest(black, 4, 6), kBorneOff);
    EXPECT_EQ(blackStepTest(black, 1, 6), kStepImpossible);

    const Position notHome = positionOf({{7, -1}, {4, -14}, {24, 15}});
    EXPECT_EQ(blackStepTest(notHome, 4, 6), kStepImpossible);
}

TEST(StepTests, EntryAndWhetherTheSideCanStillPlay) {
    const Position board = positionOf({{3, -2}, {5, -1}, {10, -12}, {12, 14}}, 1);
    EXPECT_EQ(whiteEntryTest(board, 3), kStepImpossible);
    EXPECT_EQ(whiteEntryTest(board, 5), 5 + kHitOffset);
    EXPECT_EQ(whiteEntryTest(board, 2), 2);
    EXPECT_TRUE(canEnter(board, 1, DiceLeft{0, 5, 3, 0, 0}));
    EXPECT_FALSE(canEnter(board, 1, DiceLeft{0, 0, 3, 0, 0}));
    EXPECT_FALSE(canEnter(board, 0, DiceLeft{0, 5, 3, 0, 0}));  // black has nobody on the bar
    EXPECT_EQ(blackEntryTest(board, 6), 19);

    // Black's only checkers face a wall of white points.
    const Position walled = positionOf({{8, -15}, {7, 2}, {6, 2}, {5, 2}, {4, 2}, {3, 2}, {2, 2}, {20, 3}});
    EXPECT_FALSE(canMove(walled, 0, DiceLeft{0, 6, 5, 0, 0}));
    EXPECT_TRUE(canMove(walled, 1, DiceLeft{0, 6, 5, 0, 0}));
}

}  // namespace
