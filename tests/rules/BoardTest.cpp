#include <gtest/gtest.h>

#include "rules/Board.h"
#include "support/Positions.h"
#include "support/RecordingView.h"

using namespace lumaro;
using lumaro::testing::positionOf;
using lumaro::testing::RecordingView;

namespace {

class StartingLayout : public ::testing::TestWithParam<int> {};

TEST_P(StartingLayout, PlacesFifteenOfEachColourOnTheirPoints) {
    Board board;
    board.homeRight = static_cast<Byte>(GetParam());
    board.mapScreenToPoints();
    board.layOut(startingPosition());
    const int white[][2] = {{1, 2}, {12, 5}, {17, 3}, {19, 5}};
    const int black[][2] = {{24, 2}, {13, 5}, {8, 3}, {6, 5}};
    for (auto [p, n] : white) {
        EXPECT_EQ(board.count[p], n) << p;
        EXPECT_TRUE(board.hasWhite(p)) << p;
    }
    for (auto [p, n] : black) {
        EXPECT_EQ(board.count[p], n) << p;
        EXPECT_TRUE(board.hasBlack(p)) << p;
    }
    EXPECT_EQ(whiteCheckersOf(board), 15);
    EXPECT_EQ(blackCheckersOf(board), 15);
    EXPECT_EQ(board.phaseWhite, 2);
    EXPECT_EQ(board.phaseBlack, 2);
    EXPECT_EQ(board.barWhite + board.barBlack + board.offWhite + board.offBlack, 0);
}

INSTANTIATE_TEST_SUITE_P(BothSides, StartingLayout, ::testing::Values(0, 1));

TEST(ScreenMapping, HomeRightPutsPointOneTopRightAndIsItsOwnInverse) {
    Board board;
    board.homeRight = 1;
    board.mapScreenToPoints();
    EXPECT_EQ(board.screenToPoint[12], 1);
    EXPECT_EQ(25 - board.screenToPoint[12], 24);  // the label beside it
    EXPECT_EQ(board.screenToPoint[13], 24);
    EXPECT_EQ(25 - board.screenToPoint[13], 1);
    for (int homeRight : {0, 1}) {
        board.homeRight = static_cast<Byte>(homeRight);
        board.mapScreenToPoints();
        for (int s = 1; s <= 24; ++s) EXPECT_EQ(board.screenToPoint[board.screenToPoint[s]], s);
    }
    board.homeRight = 0;
    board.mapScreenToPoints();
    EXPECT_EQ(board.screenToPoint[5], 5);
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
}

TEST(CheckerOperations, RemovingTheWrongColourChangesNothingAndEmptyPointsKeepTheirColourByte) {
    Board board;
    board.layOut(startingPosition());
    const int s6 = board.screenToPoint[6];
    board.removeWhiteAt(s6);  // black point
    EXPECT_EQ(board.count[6], 5);
    const int s1 = board.screenToPoint[1];
    board.removeWhiteAt(s1);
    board.removeWhiteAt(s1);
    EXPECT_EQ(board.count[1], 0);
    EXPECT_EQ(board.colour[1], kWhite);  // the byte stays, the point is empty all the same
    EXPECT_FALSE(board.hasWhite(1));
    board.removeWhiteAt(s1);  // nothing left to remove
    EXPECT_EQ(board.count[1], 0);
    board.removeWhiteFromBar();  // empty bar
    EXPECT_EQ(board.barWhite, 0);
}

TEST(CheckerOperations, OutOfRangeScreenPositionsAreIgnored) {
    Board board;
    board.layOut(startingPosition());
    const Position before = board.position();
    for (int s : {-1, 0, 25, 255}) {
        board.addWhiteAt(s);
        board.removeBlackAt(s);
    }
    EXPECT_TRUE(board.position().sameCheckersAs(before));
}

TEST(CheckerOperations, ASixteenthCheckerFindsNoImageAndNoSlot) {
    Board board;
    for (int k = 0; k < 15; ++k) board.addAtPoint(3, kWhite);
    board.addAtPoint(4, kWhite);
    EXPECT_EQ(board.count[3], 15);
    EXPECT_EQ(board.count[4], 0);
}

TEST(Bar, LastInFirstOut) {
    Board board;
    RecordingView view;
    board.setView(&view);
    board.addWhiteToBar();
    board.addWhiteToBar();
    board.addWhiteToBar();
    ASSERT_EQ(board.barWhite, 3);
    EXPECT_EQ(board.phaseWhite, 1);
    view.events.clear();
    board.removeWhiteFromBar();
    board.removeWhiteFromBar();
    board.removeWhiteFromBar();
    ASSERT_EQ(view.events.size(), 3u);
    EXPECT_EQ(view.events[0].image, 3);
    EXPECT_EQ(view.events[1].image, 2);
    EXPECT_EQ(view.events[2].image, 1);
    EXPECT_EQ(board.lastX, Board::kBarX);
    EXPECT_EQ(board.lastY, Board::kWhiteBarY);
}

TEST(Drawing, StackSlotsFormAPyramidOnBothRows) {
    EXPECT_EQ(Board::pointX(1), 52);
    EXPECT_EQ(Board::pointX(24), 52);
    EXPECT_EQ(Board::pointX(7), 432);
    EXPECT_EQ(Board::pointX(13), 697);
    EXPECT_EQ(Board::stackY(3, 1), 30);
    EXPECT_EQ(Board::stackY(3, 6), 56);
    EXPECT_EQ(Board::stackY(20, 1), 519);
    EXPECT_EQ(Board::stackY(20, 15), 519 - 102);

    Board board;
    RecordingView view;
    board.setView(&view);
    board.addAtPoint(5, kBlack);
    board.addAtPoint(5, kBlack);
    const int s = board.screenToPoint[5];
    ASSERT_EQ(view.events.size(), 2u);
    EXPECT_EQ(view.events[1].x, Board::pointX(s));
    EXPECT_EQ(view.events[1].y, Board::stackY(s, 2));
    EXPECT_EQ(view.events[1].screenPosition, s);
    board.removeBlackAt(s);
    EXPECT_EQ(board.lastY, Board::stackY(s, 2));  // where the removed checker stood
    EXPECT_FALSE(view.events.back().appeared);
    EXPECT_EQ(view.events.back().image, 2);
    EXPECT_EQ(view.events.back().screenPosition, s);
}

TEST(Restore, TakesBackAHitMovingOnlyTheCheckersThatDiffer) {
    Board board;
    const Position before = positionOf({{1, 2}, {12, 13}, {24, -1}, {13, -14}});
    board.layOut(before);
    // A white checker from 12 hits the black blot on 24, through the operations a move uses.
    RecordingView view;
    board.setView(&view);
    board.removeWhiteAt(board.screenToPoint[12]);
    board.removeBlackAt(board.screenToPoint[24]);
    board.addBlackToBar();
    board.addWhiteAt(board.screenToPoint[24]);
    ASSERT_EQ(board.barBlack, 1);
    ASSERT_TRUE(board.hasWhite(24));
    view.events.clear();

    board.restoreTo(before);
    EXPECT_TRUE(board.position().sameCheckersAs(before));
    EXPECT_EQ(board.barBlack, 0);
    // Only the hitter and the hit checker moved: one fade and one appear each.
    int fades = 0, appears = 0;
    for (const auto& e : view.events) (e.appeared ? appears : fades) += 1;
    EXPECT_EQ(fades, 2);
    EXPECT_EQ(appears, 2);
    EXPECT_EQ(board.phaseBlack, 2);
}

TEST(Rebuild, KeepsThePositionWhenTheSideFlips) {
    Board board;
    board.layOut(positionOf({{3, 5}, {20, 9}, {10, -15}}, 1));
    const Position before = board.position();
    board.homeRight = 0;
    board.rebuild();
    EXPECT_TRUE(board.position().sameCheckersAs(before));
    EXPECT_EQ(board.screenToPoint[3], 3);
    // Every image in use exactly once.
    int used = 0;
    for (int i = 1; i <= 15; ++i) used += board.whiteInUse[i] != 0;
    EXPECT_EQ(used, 15);
}

}  // namespace
