// Plays written from the mover's side: joined steps, hits, the bar, bearing off, doublets.
#include <gtest/gtest.h>

#include "rules/PlayApply.h"
#include "rules/PlayNotation.h"
#include "support/Plays.h"
#include "support/Positions.h"

using namespace lumaro;
using lumaro::testing::playOf;
using lumaro::testing::positionOf;

namespace {

TEST(PlayNotation, JoinsACheckersStepsMarksHitsAndWritesTheBackMovesFirst) {
    const Position start = startingPosition();
    // Black's 3-1 made with the 13 first: written from the back.
    EXPECT_EQ(playNotation(start, Side::Black, playOf({{13, 3}, {24, 1}})), "24/23 13/10");
    EXPECT_EQ(playNotation(start, Side::Black, playOf({{24, 6}, {18, 5}})), "24/13");
    // A blot on Black's 23 (White's own 2) is hit by 24/23, and again on the way 24/18*/13.
    const Position blot = positionOf({{23, 1}, {18, 1}, {12, 13}, {24, -2}, {13, -5}, {8, -3}, {6, -5}});
    EXPECT_EQ(playNotation(blot, Side::Black, playOf({{13, 4}, {24, 1}})), "24/23* 13/9");
    EXPECT_EQ(playNotation(blot, Side::Black, playOf({{24, 6}, {18, 5}})), "24/18*/13");
    // A hit in passing on a step that is not shown otherwise still shows where it happened;
    // a checker that only passes over empty points does not.
    EXPECT_EQ(playNotation(blot, Side::Black, playOf({{24, 1}, {23, 5}})), "24/23*/18*");
}

TEST(PlayNotation, WritesTheBarBearingOffDoubletsAndWhitesOwnPoints) {
    // Black on the bar enters with the 3 on 22 and plays the 1 on.
    const Position bar = positionOf({{12, 15}, {13, -14}}, 0, 1);
    EXPECT_EQ(playNotation(bar, Side::Black, playOf({{22, 3}, {22, 1}})), "bar/21");
    // Black bears off two from its 6 and 5.
    const Position home = positionOf({{6, -2}, {5, -2}, {1, -1}, {20, 15}});
    EXPECT_EQ(playNotation(home, Side::Black, playOf({{6, 6}, {5, 5}})), "6/off 5/off");
    EXPECT_EQ(playNotation(home, Side::Black, playOf({{6, 6}, {6, 6}, {5, 6}, {5, 6}})), "6/off(2) 5/off(2)");
    // A doublet of two checkers each moving twice.
    const Position start = startingPosition();
    EXPECT_EQ(playNotation(start, Side::Black, playOf({{13, 2}, {11, 2}, {13, 2}, {11, 2}})), "13/9(2)");
    EXPECT_EQ(playNotation(start, Side::Black, playOf({{13, 2}, {13, 2}, {6, 2}, {6, 2}})), "13/11(2) 6/4(2)");
    // White counts from its own side: its 3-1 from the start is 8/5 6/5, whichever frame it is seen in.
    const Play white = playOf({{17, 3}, {19, 1}});
    EXPECT_EQ(playNotation(start, Side::White, white), "8/5 6/5");
    EXPECT_EQ(playNotation(mirrored(start), Side::Black, mirroredPlay(white)), "8/5 6/5");
    // White enters from its bar with a 4 (its own 21, the board's 4).
    const Position whiteBar = positionOf({{12, 14}, {13, -15}}, 1);
    EXPECT_EQ(playNotation(whiteBar, Side::White, playOf({{4, 4}, {12, 2}})), "bar/21 13/11");
    EXPECT_EQ(playNotation(start, Side::Black, Play{}), "");
}

}  // namespace
