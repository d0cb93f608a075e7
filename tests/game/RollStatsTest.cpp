#include <gtest/gtest.h>

#include "game/RollStats.h"

using lumaro::RollStats;

TEST(RollStats, CountsRollsDoubletsAndRunningAverage) {
    RollStats s;
    s.countRoll(3, 5, 167);  // 4
    s.countRoll(6, 6, 150);  // 6
    s.countRoll(1, 2, 140);  // 1.5
    EXPECT_EQ(s.rolls, 3);
    EXPECT_EQ(s.doubles, 1);
    EXPECT_FLOAT_EQ(s.averageDie, 11.5f / 3);
    EXPECT_EQ(s.pipHistory[1], 167);
    EXPECT_EQ(s.pipHistory[3], 140);
    EXPECT_EQ(s.maximumPips(), 167);

    s.countEnd(0);  // the game's last entry: a roll without dice
    EXPECT_EQ(s.rolls, 4);
    EXPECT_EQ(s.pipHistory[4], 0);
    EXPECT_FLOAT_EQ(s.averageDie, 11.5f / 3);

    s.clear();
    EXPECT_EQ(s.rolls, 0);
    EXPECT_EQ(s.averageDie, 0);
    EXPECT_EQ(s.maximumPips(), 0);
}

TEST(RollStats, AverageStaysExactOverALongGame) {
    RollStats s;
    for (int i = 0; i < 3600; ++i) s.countRoll(1 + i % 6, 1 + (i / 6) % 6, 100);
    EXPECT_NEAR(s.averageDie, 3.5, 1e-5);  // every pair of dice appears equally often
    EXPECT_EQ(s.doubles, 600);
}

TEST(RollStats, HistoryStopsAt660ButCountsGoOn) {
    RollStats s;
    for (int r = 1; r <= 660; ++r) s.countRoll(1, 2, r % 300);
    s.countRoll(6, 6, 999);
    s.countEnd(888);
    EXPECT_EQ(s.rolls, 662);
    EXPECT_EQ(s.doubles, 1);
    EXPECT_GT(s.averageDie, 1.5f);
    EXPECT_EQ(s.pipHistory[660], 660 % 300);
    EXPECT_EQ(s.maximumPips(), 299);
}
