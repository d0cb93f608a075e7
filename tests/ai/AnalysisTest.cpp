#include <gtest/gtest.h>

#include "ai/Analysis.h"
#include "ai/ReplyValue.h"
#include "support/Positions.h"

using namespace lumaro;
using lumaro::testing::positionOf;

namespace {

TEST(Features, OfTheStartingPositionForBlack) {
    const PositionFeatures f = blackFeaturesOf(startingPosition());
    EXPECT_EQ(f.blots, 0);
    EXPECT_EQ(f.points, 4);
    EXPECT_EQ(f.blockade, 5);
    EXPECT_EQ(f.backBlots, 0);
    EXPECT_EQ(f.homeBlots, 0);
    EXPECT_EQ(f.anchors, 1);
    EXPECT_EQ(f.homePoints, 1);
    EXPECT_EQ(f.backAdvance, 2);
    EXPECT_EQ(f.contact, 1);
    EXPECT_EQ(f.shots, 0);
    EXPECT_EQ(f.keyPoints, 2);
    EXPECT_EQ(f.spread, 13);
    EXPECT_EQ(f.progress, 113);
    EXPECT_EQ(f.homeSpread, 2);
    EXPECT_EQ(f.homeCount, 5);
    EXPECT_EQ(blackRaceDistance(startingPosition()), 1492);
    EXPECT_EQ(whiteRaceDistance(startingPosition()), 1492);
    EXPECT_EQ(blackRaceCategory(startingPosition()), 2);
    // White's are the mirror image.
    const PositionFeatures w = whiteFeaturesOf(startingPosition());
    EXPECT_EQ(w, f);
}

TEST(Features, ShotsCountTheCheckersBelowABlotOnBothSides) {
    // A black blot on 10 with white checkers on 9 (1 away), 3 (7 away) and 1 (9 away, one point).
    const Position pos = positionOf({{10, -1}, {20, -14}, {9, 2}, {3, 2}, {1, 11}});
    EXPECT_EQ(blackFeaturesOf(pos).shots, 3 + 2 + 2);
    // A white blot on 12 is counted against the black checkers below it (not above): black on 2
    // is 10 away (2), black on 20 does not count.
    const Position pos2 = positionOf({{12, 1}, {24, 14}, {2, -2}, {20, -13}});
    EXPECT_EQ(whiteFeaturesOf(pos2).shots, 2);
    // White blots at home count only through black's bar.
    const Position pos3 = positionOf({{21, 1}, {24, 14}, {2, -14}}, 0, 1);
    EXPECT_EQ(whiteFeaturesOf(pos3).shots, 3);
}

TEST(Features, ProgressGivesItsFourHundredToASideWhoseOnlyOutsiderIsOnTheBar) {
    const Position pos = positionOf({{3, -14}, {20, 15}}, 0, 1);
    EXPECT_EQ(blackFeaturesOf(pos).progress, 400);
    EXPECT_EQ(contactOf(pos), 1);
    const Position race = positionOf({{3, -15}, {20, 15}});
    EXPECT_EQ(contactOf(race), 0);
}

TEST(RaceCategory, BoundariesAndTheBlockadeOverrides) {
    const int t[] = {-401, -400, -51, -50, 49, 50, 425, 426};
    const int expected[] = {0, 1, 1, 2, 2, 3, 3, 4};
    for (int k = 0; k < 8; ++k) EXPECT_EQ(raceCategoryOf(2000 + t[k], 2000), expected[k]) << t[k];
    // Black on the bar against five white home points: far behind whatever the race.
    const Position closed = positionOf({{19, 2}, {20, 2}, {21, 2}, {22, 2}, {23, 2}, {10, 5}, {5, -14}}, 0, 1);
    EXPECT_EQ(blackRaceCategory(closed), 4);
    // A black checker on 13 facing white points on 12, 11, 10, 9 and 7.
    const Position prime = positionOf({{12, 2}, {11, 2}, {10, 2}, {9, 2}, {7, 2}, {20, 5}, {13, -1}, {3, -14}});
    EXPECT_EQ(blackRaceCategory(prime), 4);
}

TEST(Sliders, ScaleTowardZero) {
    EXPECT_EQ(scaleBySlider(-7, -1), -3);
    EXPECT_EQ(scaleBySlider(-7, -2), -2);
    EXPECT_EQ(scaleBySlider(-7, 0), -7);
    EXPECT_EQ(scaleBySlider(-7, 1), -14);
    EXPECT_EQ(scaleBySlider(-7, 2), -21);
    EXPECT_EQ(scaleBySlider(10, 9), 10);  // out of range counts as the middle
}

TEST(HeuristicScore, PhaseBonusAndTheRaceTerm) {
    AnalysisSettings s;
    // All fifteen black checkers home, none off: 100000; one off: 100005 plus the home terms.
    const Position home = positionOf({{1, -5}, {2, -5}, {3, -5}, {20, 15}});
    const Position bearing = positionOf({{1, -5}, {2, -5}, {3, -4}, {20, 15}});
    const int homeScore = heuristicScore(home, true, AnalysisVariant::Computer, 2, 30, 90, s);
    const int bearingScore = heuristicScore(bearing, true, AnalysisVariant::Computer, 2, 30, 90, s);
    EXPECT_GE(homeScore, 100000 - 100);
    EXPECT_GE(bearingScore - homeScore, 5 + 600);  // 610 per checker off without contact
    // Behind in the race with contact: the strategy term gets 100000, scaled by the slider.
    const Position pos = startingPosition();
    const int even = heuristicScore(pos, true, AnalysisVariant::Computer, 2, 167, 167, s);
    const int behind = heuristicScore(pos, true, AnalysisVariant::Computer, 2, 168, 167, s);
    EXPECT_EQ(behind - even, 100000);
    s.strategySlider = -1;
    const int behindHalf = heuristicScore(pos, true, AnalysisVariant::Computer, 2, 168, 167, s);
    const int evenHalf = heuristicScore(pos, true, AnalysisVariant::Computer, 2, 167, 167, s);
    EXPECT_EQ(behindHalf - evenHalf, 50000);
    // White's MOVE variant never gets it.
    EXPECT_EQ(heuristicScore(pos, false, AnalysisVariant::Player, 2, 168, 167, AnalysisSettings{}),
              heuristicScore(pos, false, AnalysisVariant::Player, 2, 167, 167, AnalysisSettings{}));
}

TEST(HeuristicScore, RiskTermIsScaledByTheRiskSlider) {
    // Two black blots exposed to white: shots and blots make the risk term.
    const Position pos = positionOf({{10, -1}, {14, -1}, {20, -13}, {9, 2}, {1, 13}});
    const PositionFeatures f = blackFeaturesOf(pos);
    const int risk = -f.shots - 10 * f.blots;
    AnalysisSettings s;
    const int base = heuristicScore(pos, true, AnalysisVariant::Computer, 2, 100, 100, s);
    s.riskSlider = 2;
    EXPECT_EQ(heuristicScore(pos, true, AnalysisVariant::Computer, 2, 100, 100, s) - base, 2 * risk);
    s.riskSlider = -1;
    EXPECT_EQ(heuristicScore(pos, true, AnalysisVariant::Computer, 2, 100, 100, s) - base, risk / 2 - risk);
}

TEST(HeuristicScore, HittingIsWorthTenThousandOnlyToTheComputerOnTheBar) {
    const Position pos = positionOf({{3, -13}, {22, -1}, {10, 14}}, 1, 1);
    AnalysisSettings s;
    const int pc = heuristicScore(pos, true, AnalysisVariant::Computer, 2, 100, 100, s);
    Position noWhiteOnBar = pos;
    noWhiteOnBar.barWhite = 0;
    noWhiteOnBar.offWhite = 1;
    const int pcNoHit = heuristicScore(noWhiteOnBar, true, AnalysisVariant::Computer, 2, 100, 100, s);
    EXPECT_EQ(pc - pcNoHit, 10000 + 1);  // bar term and the attack term (1 x opp bar + category)
}

TEST(ReplyValue, WhiteHeldBackByBlackPoints) {
    // White on 10 facing black points on 11, 13 and 15: 600.
    const Position pos = positionOf({{10, 1}, {24, 14}, {11, -2}, {13, -2}, {15, -2}, {2, -9}});
    EXPECT_EQ(replyValueOf(pos) - (whiteRaceDistance(pos) - blackRaceDistance(pos)), 600);
    const Position two = positionOf({{10, 1}, {24, 14}, {11, -2}, {13, -2}, {2, -11}});
    EXPECT_EQ(replyValueOf(two), whiteRaceDistance(two) - blackRaceDistance(two));
    // White on the bar against black points on 1, 2 and 3.
    const Position bar = positionOf({{24, 14}, {1, -2}, {2, -2}, {3, -2}, {8, -9}}, 1);
    EXPECT_EQ(replyValueOf(bar) - (whiteRaceDistance(bar) - blackRaceDistance(bar)), 600);
}

TEST(AggressiveBonus, WhiteOnTheBarWithFewExposedBlots) {
    EXPECT_EQ(aggressiveBonus(positionOf({{10, 14}, {3, -15}})), 0);  // nobody on the bar
    EXPECT_EQ(aggressiveBonus(positionOf({{10, 14}, {3, -15}}, 1)), 1000);
    // Three exposed blots with one white on the bar: 3 > 1 + 1.
    EXPECT_EQ(aggressiveBonus(positionOf({{4, 1}, {8, 1}, {20, 1}, {10, 11}, {12, -2}, {5, -2}, {3, -11}}, 1)), 0);
    // Two exposed (8 and 20; nothing black stands above 4 within six): still the bonus.
    EXPECT_EQ(aggressiveBonus(positionOf({{4, 1}, {8, 1}, {20, 1}, {10, 11}, {12, -2}, {3, -13}}, 1)), 1000);
}

}  // namespace
