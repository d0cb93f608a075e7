#include <gtest/gtest.h>

#include "rules/StepTests.h"
#include "support/Positions.h"

using namespace lumaro;
using lumaro::testing::positionOf;

namespace {

Board boardOf(const Position& pos, int homeRight = 1) {
    Board board;
    board.homeRight = static_cast<Byte>(homeRight);
    board.mapScreenToPoints();
    board.layOut(pos);
    return board;
}

TEST(StepTests, MovesHitsAndBlocksOnTheLiveBoard) {
    const Board board = boardOf(positionOf({{1, 2}, {12, 13}, {4, -1}, {6, -2}, {13, -12}}));
    const auto s = [&](int p) { return board.screenToPoint[p]; };
    EXPECT_EQ(whiteStepTest(board, s(1), 2), 3);
    EXPECT_EQ(whiteStepTest(board, s(1), 3), 4 + kHitOffset);
    EXPECT_EQ(whiteStepTest(board, s(1), 5), kStepImpossible);  // black's point
    EXPECT_EQ(whiteStepTest(board, s(4), 1), kStepImpossible);  // not a white checker
    EXPECT_EQ(blackStepTest(board, s(13), 1), kStepImpossible);  // white's point
    EXPECT_EQ(blackStepTest(board, s(6), 2), 4);                 // onto its own blot
    EXPECT_EQ(blackStepTest(board, s(6), 5), kStepImpossible);
    EXPECT_EQ(whiteStepTest(board, s(1), 7), kStepImpossible);  // not a die
    EXPECT_EQ(whiteStepTest(board, 0, 2), kStepImpossible);
}

TEST(StepTests, BearingOffNeedsAllHomeAndTheRearmostForAHigherDie) {
    const Board white = boardOf(positionOf({{20, 1}, {22, 2}, {1, -15}}));
    const auto sw = [&](int p) { return white.screenToPoint[p]; };
    EXPECT_EQ(white.phaseWhite, 4);
    EXPECT_EQ(whiteStepTest(white, sw(22), 3), kBorneOff);
    EXPECT_EQ(whiteStepTest(white, sw(22), 6), kStepImpossible);  // 20 is behind it
    EXPECT_EQ(whiteStepTest(white, sw(20), 6), kBorneOff);

    const Board black = boardOf(positionOf({{4, -2}, {1, -13}, {24, 15}}));
    const auto sb = [&](int p) { return black.screenToPoint[p]; };
    EXPECT_EQ(black.phaseBlack, 3);
    EXPECT_EQ(blackStepTest(black, sb(4), 6), kBorneOff);
    EXPECT_EQ(blackStepTest(black, sb(1), 6), kStepImpossible);

    const Board notHome = boardOf(positionOf({{7, -1}, {4, -14}, {24, 15}}));
    EXPECT_EQ(blackStepTest(notHome, notHome.screenToPoint[4], 6), kStepImpossible);
}

TEST(StepTests, EntryAndWhetherTheSideCanStillPlay) {
    const Board board = boardOf(positionOf({{3, -2}, {5, -1}, {10, -12}, {12, 14}}, 1));
    EXPECT_EQ(whiteEntryTest(board, 3), kStepImpossible);
    EXPECT_EQ(whiteEntryTest(board, 5), 5 + kHitOffset);
    EXPECT_EQ(whiteEntryTest(board, 2), 2);
    EXPECT_TRUE(canEnter(board, 1, DiceLeft{0, 5, 3, 0, 0}));
    EXPECT_FALSE(canEnter(board, 1, DiceLeft{0, 0, 3, 0, 0}));
    EXPECT_FALSE(canEnter(board, 0, DiceLeft{0, 5, 3, 0, 0}));  // black has nobody on the bar
    EXPECT_EQ(blackEntryTest(board, 6), 19);

    // Black's only checkers face a wall of white points.
    const Board walled = boardOf(positionOf({{8, -15}, {7, 2}, {6, 2}, {5, 2}, {4, 2}, {3, 2}, {2, 2}, {20, 3}}));
    EXPECT_FALSE(canMove(walled, 0, DiceLeft{0, 6, 5, 0, 0}));
    EXPECT_TRUE(canMove(walled, 1, DiceLeft{0, 6, 5, 0, 0}));
}

}  // namespace
