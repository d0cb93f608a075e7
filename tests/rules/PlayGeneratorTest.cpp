#include <gtest/gtest.h>

#include <vector>

#include "rules/MaxDiceRule.h"
#include "support/Positions.h"
#include "support/Plays.h"

using namespace lumaro;
using lumaro::testing::positionOf;

using lumaro::testing::playOf;

namespace {

struct Recorded {
    int level;
    Play path;
    Position levelPosition;
};

struct Recorder {
    std::vector<Recorded> calls;
    void operator()(const GeneratorWorkArea& w, int level) { calls.push_back({level, w.path, w.level[level]}); }
};


TEST(PlayGenerator, RecordsEveryPrefixInSearchOrderOverBothDiceOrders) {
    // White: one checker on 1, one on 5; black holds point 3. Roll 2-1.
    GeneratorWorkArea w;
    w.level[0] = positionOf({{1, 1}, {5, 1}, {3, -2}});
    Recorder recorder;
    generateBothOrders(w, true, 2, 1, recorder);

    const std::vector<std::pair<int, Play>> expected = {
        {1, playOf({{5, 2}})},
        {2, playOf({{5, 2}, {1, 1}})},
        {2, playOf({{5, 2}, {7, 1}})},
        {1, playOf({{1, 1}})},  // the lower die first: the path beyond level 1 is cleared
        {2, playOf({{1, 1}, {2, 2}})},
        {2, playOf({{1, 1}, {5, 2}})},
        {1, playOf({{5, 1}})},
        {2, playOf({{5, 1}, {6, 2}})},
    };
    ASSERT_EQ(recorder.calls.size(), expected.size());
    for (size_t k = 0; k < expected.size(); ++k) {
        EXPECT_EQ(recorder.calls[k].level, expected[k].first) << "call " << k;
        EXPECT_EQ(recorder.calls[k].path, expected[k].second) << "call " << k;
    }
    // The level handed over holds the position after the recorded steps.
    const Position& afterSecond = recorder.calls[1].levelPosition;
    EXPECT_EQ(afterSecond.count[1], 0);
    EXPECT_EQ(afterSecond.count[2], 1);
    EXPECT_EQ(afterSecond.count[7], 1);
    EXPECT_EQ(afterSecond.count[5], 0);
    // The first play with the largest total stays the best.
    EXPECT_EQ(w.bestPath, playOf({{5, 2}, {1, 1}}));
}

TEST(PlayGenerator, AHitInTheSearchChangesOnlyThatLevel) {
    const Position start = positionOf({{20, 2}, {22, -1}, {6, -14}, {19, 13}});
    GeneratorWorkArea w;
    w.level[0] = start;
    Recorder recorder;
    generateBothOrders(w, true, 2, 2, recorder);
    bool sawHit = false;
    for (const auto& call : recorder.calls) {
        if (call.level == 1 && call.path[1] == Step{20, 2}) {
            sawHit = true;
            EXPECT_EQ(call.levelPosition.barBlack, 1);
            EXPECT_TRUE(call.levelPosition.hasWhite(22));
            EXPECT_EQ(call.levelPosition.count[22], 1);
        }
    }
    EXPECT_TRUE(sawHit);
    EXPECT_TRUE(w.level[0].sameCheckersAs(start));
}

TEST(PlayGenerator, EntersBeforeAnythingElseAndOnlyOnTheDiesPoint) {
    // Black on the bar with 6-3: entries on 19 and 22 only, then the other die anywhere.
    GeneratorWorkArea w;
    w.level[0] = positionOf({{10, -14}, {19, 2}, {1, 13}}, 0, 1);
    Recorder recorder;
    generateBothOrders(w, false, 6, 3, recorder);
    ASSERT_FALSE(recorder.calls.empty());
    for (const auto& call : recorder.calls)
        if (call.level == 1) {
            EXPECT_EQ(call.path[1].point, 25 - call.path[1].die);
        }
    // 19 holds two white checkers: the 6 cannot enter, so every play starts with the 3 on 22.
    EXPECT_EQ(recorder.calls.front().path[1], (Step{22, 3}));
    EXPECT_EQ(w.bestPath, playOf({{22, 3}, {10, 6}}));
}

TEST(MaxDiceRule, OpeningThreeOnePlayedAsOnlyTheOneIsShort) {
    const Position start = startingPosition();
    const Play best = maximalPlay(start, true, 3, 1);
    EXPECT_EQ(diceTotal(best), 4);
    EXPECT_EQ(best[1].die, 3);
    EXPECT_EQ(fallsShortOfMaximalPlay(start, 3, 1, 1, DiceLeft{0, 3, 0, 0, 0}), 1);
    EXPECT_EQ(fallsShortOfMaximalPlay(start, 3, 1, 1, DiceLeft{0, 0, 0, 0, 0}), 0);
    EXPECT_EQ(fallsShortOfMaximalPlay(start, 1, 3, 0, DiceLeft{0, 0, 1, 0, 0}), 1);  // black used the 3 only
}

TEST(MaxDiceRule, NoEntryMeansNoPlayAndThePlayerMayPass) {
    const Position start = positionOf({{3, -2}, {5, -2}, {10, -11}, {12, 14}}, 1);
    EXPECT_EQ(diceTotal(maximalPlay(start, true, 5, 3)), 0);
    EXPECT_EQ(fallsShortOfMaximalPlay(start, 5, 3, 1, DiceLeft{0, 5, 3, 0, 0}), 0);
}

TEST(MaxDiceRule, EitherDieButNotBothMeansTheHigherOne) {
    // The lone white checker can play the 6 or the 5; black's point on 12 blocks the other die.
    const Position start = positionOf({{1, 1}, {12, -2}});
    EXPECT_EQ(diceTotal(maximalPlay(start, true, 6, 5)), 6);
    EXPECT_EQ(fallsShortOfMaximalPlay(start, 6, 5, 1, DiceLeft{0, 6, 0, 0, 0}), 1);  // only the 5 played
    EXPECT_EQ(fallsShortOfMaximalPlay(start, 6, 5, 1, DiceLeft{0, 0, 5, 0, 0}), 0);  // only the 6 played
}

TEST(MaxDiceRule, ADoubleOfWhichOnlyThreeCanBePlayed) {
    const Position start = positionOf({{1, 1}, {17, -2}});
    EXPECT_EQ(diceTotal(maximalPlay(start, true, 4, 4)), 12);
    EXPECT_EQ(fallsShortOfMaximalPlay(start, 4, 4, 1, DiceLeft{0, 0, 0, 0, 4}), 0);
    EXPECT_EQ(fallsShortOfMaximalPlay(start, 4, 4, 1, DiceLeft{0, 0, 0, 4, 4}), 1);
}

TEST(MaxDiceRule, BearingOffTheRearmostCheckerFirst) {
    const Position start = positionOf({{23, 1}, {24, 1}, {1, -15}});
    const Play best = maximalPlay(start, true, 6, 5);
    EXPECT_EQ(diceTotal(best), 11);
    EXPECT_EQ(best, playOf({{23, 6}, {24, 5}}));

    const Position black = positionOf({{4, -2}, {2, -3}, {20, 15}});
    EXPECT_EQ(maximalPlay(black, false, 6, 6), playOf({{4, 6}, {4, 6}, {2, 6}, {2, 6}}));
}

TEST(MaxDiceRule, NoDiceMeansNothingToPlay) {
    EXPECT_EQ(diceTotal(maximalPlay(startingPosition(), true, 0, 0)), 0);
    EXPECT_EQ(fallsShortOfMaximalPlay(startingPosition(), 0, 0, 1, DiceLeft{}), 0);
}

}  // namespace

namespace {

TEST(PlayGenerator, KeepsEveryLevelsHashUpToDate) {
    // Positions with hits, entries and bearing off on both sides.
    const Position positions[] = {
        startingPosition(),
        positionOf({{20, 2}, {22, -1}, {6, -14}, {19, 13}}),
        positionOf({{10, -14}, {19, 2}, {1, 13}}, 0, 1),
        positionOf({{3, -2}, {5, -1}, {10, -11}, {12, 14}}, 1),
        positionOf({{23, 1}, {24, 1}, {1, -15}}),
        positionOf({{4, -2}, {2, -3}, {20, 15}}),
    };
    for (const Position& start : positions) {
        for (bool white : {true, false}) {
            for (int a = 1; a <= 6; ++a) {
                for (int b = 1; b <= 6; ++b) {
                    GeneratorWorkArea w;
                    w.level[0] = start;
                    int checked = 0;
                    auto check = [&](const GeneratorWorkArea& area, int level) {
                        ASSERT_EQ(area.hash[level], positionHash(area.level[level]));
                        ++checked;
                    };
                    generateBothOrders(w, white, static_cast<Byte>(a), static_cast<Byte>(b), check);
                    EXPECT_EQ(w.hash[0], positionHash(start));
                    if (HasFatalFailure()) return;
                }
            }
        }
    }
}

}  // namespace
