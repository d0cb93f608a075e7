#include <gtest/gtest.h>

#include "game/LivePosition.h"
#include "game/WireEntryPoint.h"
#include "support/Positions.h"

using namespace lumaro;
using lumaro::testing::positionOf;

namespace {

TEST(LivePosition, AnEmptiedPointKeepsItsColourByteUntilAFreshBoard) {
    Position pos = positionOf({{1, 1}, {13, -15}});
    takeChecker(pos, Side::White, 1);
    EXPECT_EQ(pos.count[1], 0);
    EXPECT_EQ(pos.colour[1], kWhite);  // saved games have always held it so
    takeChecker(pos, Side::White, 1);  // nothing left
    takeChecker(pos, Side::White, 13);  // not White's
    EXPECT_EQ(pos.count[13], 15);
    putChecker(pos, Side::White, 4);
    putChecker(pos, Side::White, 25);
    putChecker(pos, Side::Black, 0);
    EXPECT_TRUE(pos.hasWhite(4));
    EXPECT_EQ(pos.offWhite, 15);
    EXPECT_EQ(pos.barBlack, 1);

    const Position fresh = freshBoard(pos);
    EXPECT_TRUE(fresh.sameCheckersAs(pos));
    EXPECT_EQ(fresh.colour[1], 0);
}

TEST(LivePosition, AnUndoKeepsTheColourBytesOfThePointsItEmpties) {
    const Position start = freshBoard(positionOf({{1, 2}, {13, -15}}));
    Position played = start;
    takeChecker(played, Side::White, 1);
    putChecker(played, Side::White, 5);
    const Position back = restoredPosition(played, start);
    EXPECT_TRUE(back.sameCheckersAs(start));
    EXPECT_EQ(back.colour[5], kWhite);  // emptied by the undo
    EXPECT_EQ(back.colour[7], 0);       // never touched
}

TEST(LivePosition, NoPointOrBarHoldsMoreThanFifteen) {
    Position pos;
    for (int k = 0; k < 16; ++k) {
        putChecker(pos, Side::Black, 3);
        putChecker(pos, Side::White, 0);
    }
    EXPECT_EQ(pos.count[3], 15);
    EXPECT_EQ(pos.barWhite, 15);
    for (int point : {-1, 26, 255}) putChecker(pos, Side::Black, point);  // nowhere: ignored
    Position overfull;
    overfull.count[9] = 40;
    overfull.colour[9] = 7;  // neither colour: drawn as Black's
    overfull.barBlack = 40;
    const Position fresh = freshBoard(overfull);
    EXPECT_EQ(fresh.count[9], 15);
    EXPECT_EQ(fresh.colour[9], kBlack);
    EXPECT_EQ(fresh.barBlack, 15);
}

TEST(WireEntryPoint, IsWhereThePointIsDrawnForEitherSide) {
    // Home boards on the right: the top row shows 12..1, the bottom row 13..24 from the right.
    EXPECT_EQ(entryPointOnWire(1, true), 12);
    EXPECT_EQ(entryPointOnWire(6, true), 7);
    EXPECT_EQ(entryPointOnWire(13, true), 24);
    EXPECT_EQ(entryPointOnWire(24, true), 13);
    for (int p = 1; p <= 24; ++p) {
        EXPECT_EQ(entryPointOnWire(p, false), p);
        EXPECT_EQ(entryPointOnWire(entryPointOnWire(p, true), true), p);
    }
    EXPECT_EQ(entryPointOnWire(0, true), 0);
    EXPECT_EQ(entryPointOnWire(25, false), 0);
}

}  // namespace
