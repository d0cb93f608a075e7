// The settings window's locks, the Match points range and the score resets.
#include <gtest/gtest.h>

#include "game/SettingsRules.h"

using namespace lumaro;

namespace {

TEST(SettingsLocks, TheComputersLevelChoosesWhichTuningApplies) {
    Options o;
    for (int level = 1; level <= 3; ++level) {
        o.computerLevel = static_cast<Level>(level);
        const SettingsLocks l = settingsLocks(o, false, false);
        EXPECT_EQ(l.sliders, level == 1) << level;
        EXPECT_EQ(l.thinkingSpeed, level == 2) << level;
        EXPECT_EQ(l.netType, level == 3) << level;
        EXPECT_TRUE(l.computerStyle);
    }
}

TEST(SettingsLocks, AGameInProgressFixesItsRulesOpponentAndScores) {
    Options o;
    o.humanOpponent = true;
    const SettingsLocks idle = settingsLocks(o, false, false);
    EXPECT_TRUE(idle.play && idle.matchPoints && idle.ruleBoxes && idle.otherRules && idle.resetScores &&
                idle.opponent && idle.place && idle.computerStyle && idle.dice && idle.firstMove);
    const SettingsLocks playing = settingsLocks(o, true, false);
    EXPECT_FALSE(playing.play || playing.matchPoints || playing.ruleBoxes || playing.otherRules ||
                 playing.resetScores || playing.opponent || playing.place || playing.computerStyle || playing.dice);
    EXPECT_TRUE(playing.firstMove);  // and the skin, speed, display, sound and the computer's tuning
}

TEST(SettingsLocks, PlaceAndTheConnectionFollowTheOpponent) {
    Options o;
    o.humanOpponent = false;
    o.localPlay = false;
    EXPECT_FALSE(settingsLocks(o, false, false).place);
    EXPECT_FALSE(settingsLocks(o, false, false).callAndListen);
    o.humanOpponent = true;
    EXPECT_TRUE(settingsLocks(o, false, false).place);
    EXPECT_TRUE(settingsLocks(o, false, false).callAndListen);
    o.localPlay = true;
    EXPECT_FALSE(settingsLocks(o, false, false).callAndListen);

    o.localPlay = false;
    const SettingsLocks connected = settingsLocks(o, false, true);
    EXPECT_FALSE(connected.play || connected.opponent || connected.place || connected.firstMove || connected.dice ||
                 connected.ruleBoxes);
    EXPECT_TRUE(connected.matchPoints && connected.resetScores && connected.otherRules);
}

TEST(SettingsRules, MatchPointsStayBetweenOneAnd255) {
    EXPECT_EQ(clampMatchPoints(300), 255);
    EXPECT_EQ(clampMatchPoints(256), 255);
    EXPECT_EQ(clampMatchPoints(255), 255);
    EXPECT_EQ(clampMatchPoints(7), 7);
    EXPECT_EQ(clampMatchPoints(0), 1);
    EXPECT_EQ(clampMatchPoints(-4), 1);
}

TEST(SettingsRules, EachResetClearsOnlyItsOwnTotals) {
    Scores s{3, 2, 4, 5, 17, 12, 9, 8};
    std::uint8_t crawford = 6;
    resetGameScores(s);
    EXPECT_EQ(s.whitePointsTotal + s.blackPointsTotal + s.whiteGamesWon + s.blackGamesWon, 0u);
    EXPECT_EQ(s.whiteMatchScore, 3);
    EXPECT_EQ(s.blackMatchesWon, 5);
    EXPECT_EQ(crawford, 6);
    s.whitePointsTotal = 4;
    resetMatchScores(s, crawford);
    EXPECT_EQ(s.whiteMatchScore + s.blackMatchScore + s.whiteMatchesWon + s.blackMatchesWon, 0);
    EXPECT_EQ(crawford, 0);
    EXPECT_EQ(s.whitePointsTotal, 4u);
}

}  // namespace
