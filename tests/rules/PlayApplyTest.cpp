// Plays made on a position without images, the board seen from the other side, and what a finished
// game is worth by its position.
#include <gtest/gtest.h>

#include "rules/PlayApply.h"
#include "game/GameEnd.h"
#include "support/Positions.h"
#include "support/Plays.h"

using namespace lumaro;
using lumaro::testing::positionOf;

using lumaro::testing::playOf;

namespace {


TEST(PlayApplyTest, MirroringSwapsSidesAndTwiceGivesTheSamePosition) {
    Position pos = startingPosition();
    pos.barWhite = 1;
    pos.offBlack = 2;
    const Position m = mirrored(pos);
    EXPECT_EQ(m.barBlack, 1);
    EXPECT_EQ(m.offWhite, 2);
    EXPECT_TRUE(m.hasWhite(1));  // black's two back checkers on 24 seen from white's side
    EXPECT_EQ(m.count[1], 2);
    EXPECT_TRUE(m.hasBlack(24));
    EXPECT_TRUE(mirrored(m).sameCheckersAs(pos));
    EXPECT_TRUE(mirrored(startingPosition()).sameCheckersAs(startingPosition()));
}

TEST(PlayApplyTest, EachSideEntersHitsAndBearsOffByTheSameRule) {
    // Black enters with a 5 on 20, hitting White's blot there, then plays on from 20.
    const Position black = positionOf({{20, 1}, {2, -13}, {8, -1}, {12, 14}}, 0, 1);
    const Position afterBlack = afterPlay(black, Side::Black, playOf({{20, 5}, {20, 3}}));
    EXPECT_EQ(afterBlack.barBlack, 0);
    EXPECT_EQ(afterBlack.barWhite, 1);
    EXPECT_TRUE(afterBlack.hasBlack(17));
    EXPECT_EQ(afterBlack.count[20], 0);
    EXPECT_EQ(blackCheckersOf(afterBlack), 15);
    EXPECT_EQ(whiteCheckersOf(afterBlack), 15);
    // White's mirror image does the same from the other side.
    const Position afterWhite = afterPlay(mirrored(black), Side::White, playOf({{5, 5}, {5, 3}}));
    EXPECT_TRUE(afterWhite.sameCheckersAs(mirrored(afterBlack)));

    // Bearing off only once every checker is home: from the 2-point with a 3 (none behind it).
    const Position home = positionOf({{2, -13}, {1, -2}, {20, 15}});
    const Position off = afterPlay(home, Side::Black, playOf({{2, 3}, {2, 1}}));
    EXPECT_EQ(off.offBlack, 1);
    EXPECT_EQ(off.count[2], 11);
    EXPECT_EQ(off.count[1], 3);
}

TEST(PlayApplyTest, StepsTheRulesRefuseLeaveThePositionAlone) {
    const Position pos = positionOf({{7, -1}, {1, -14}, {6, 2}, {20, 13}});
    // 7 to 6 is blocked; bearing off from 7 is not allowed while a checker is outside.
    EXPECT_TRUE(afterPlay(pos, Side::Black, playOf({{7, 1}})).sameCheckersAs(pos));
    EXPECT_FALSE(afterPlay(pos, Side::Black, playOf({{7, 6}})).sameCheckersAs(pos));  // 7 to 1 is open
    EXPECT_TRUE(afterPlay(pos, Side::Black, playOf({{3, 2}})).sameCheckersAs(pos));  // no checker on 3
    EXPECT_TRUE(afterPlay(pos, Side::Black, playOf({{30, 2}})).sameCheckersAs(pos));  // out of range
}

TEST(PlayApplyTest, WinsAreSingleGammonOrBackgammon) {
    Position pos = positionOf({{20, 14}});  // White has one checker off
    pos.offBlack = 15;
    EXPECT_EQ(blackWinPoints(pos), 1);
    pos = positionOf({{20, 15}});
    pos.offBlack = 15;
    EXPECT_EQ(blackWinPoints(pos), 2);
    pos = positionOf({{20, 14}, {4, 1}});  // still in black's home board
    pos.offBlack = 15;
    pos.offWhite = 0;
    EXPECT_EQ(blackWinPoints(pos), 3);
    pos = positionOf({{20, 14}}, 1);  // on the bar
    pos.offBlack = 15;
    pos.offWhite = 0;
    EXPECT_EQ(blackWinPoints(pos), 3);
    EXPECT_EQ(winKind(mirrored(pos), Side::White), 3);
}

}  // namespace
