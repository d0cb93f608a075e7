#include <gtest/gtest.h>

#include "ai/CubeDecision.h"
#include "ai/CubelessEstimate.h"
#include "ai/MatchEquity.h"
#include "ai/NeuralNets.h"
#include "support/Positions.h"

using namespace lumaro;

namespace {

const MatchEquityTable& table() {
    static const MatchEquityTable t;
    return t;
}

CubelessChances chances(double win, double winGammon = 0, double loseGammon = 0) {
    CubelessChances c;
    c.win = win;
    c.winGammon = winGammon;
    c.loseGammon = loseGammon;
    return c;
}

CubeSituation money(CubeOwner owner = CubeOwner::Centred, bool jacoby = false) {
    CubeSituation s;
    s.owner = owner;
    s.jacoby = jacoby;
    return s;
}

CubeSituation match(int rollerNeeds, int opponentNeeds, bool crawford = false) {
    CubeSituation s;
    s.matchLength = 25;
    s.rollerNeeds = rollerNeeds;
    s.opponentNeeds = opponentNeeds;
    s.crawford = crawford;
    return s;
}

TEST(MatchEquity, EachScoreSeenFromBothSidesAddsUpToOneAndNeedingMoreIsWorse) {
    for (int a = 1; a <= 25; ++a) {
        for (int b = 1; b <= 25; ++b) {
            EXPECT_NEAR(table().chance(a, b, false) + table().chance(b, a, false), 1.0, 1e-9) << a << "/" << b;
            EXPECT_NEAR(table().chance(a, b, true) + table().chance(b, a, true), 1.0, 1e-9) << a << "/" << b;
            if (a < 25) {
                EXPECT_GT(table().chance(a, b, false), table().chance(a + 1, b, false)) << a << "/" << b;
            }
        }
    }
    EXPECT_EQ(table().chance(0, 3, false), 1.0);
    EXPECT_EQ(table().chance(3, -1, false), 0.0);
}

// Within a point of the tables strong players use, rolled out with real cubes.
TEST(MatchEquity, StaysCloseToTheRolledOutTables) {
    EXPECT_NEAR(table().chance(1, 2, false), 0.677, 0.01);  // the Crawford game
    EXPECT_NEAR(table().chance(2, 3, false), 0.599, 0.01);
    EXPECT_NEAR(table().chance(2, 4, false), 0.669, 0.01);
    EXPECT_NEAR(table().chance(3, 4, false), 0.572, 0.01);
    EXPECT_NEAR(table().chance(5, 7, false), 0.626, 0.01);
    EXPECT_NEAR(table().chance(9, 11, false), 0.598, 0.01);
    EXPECT_NEAR(table().postCrawford(2), 0.488, 0.005);  // the leader's free drop
    EXPECT_NEAR(table().postCrawford(3), 0.323, 0.01);
    EXPECT_NEAR(table().postCrawford(4), 0.310, 0.01);
    // More gammons make the trailer's chances in the Crawford game better.
    EXPECT_LT(MatchEquityTable(0.4).crawford(4), MatchEquityTable(0.1).crawford(4));
}

// Without gammons and with a dead cube the opponent takes with 25 % and more.
TEST(CubeDecision, MoneyTakePointOfADeadCubeIsAQuarter) {
    EXPECT_EQ(decideCube(chances(0.74), money(), table(), 0.0).verdict, CubeVerdict::DoubleTake);
    EXPECT_EQ(decideCube(chances(0.76), money(), table(), 0.0).verdict, CubeVerdict::DoublePass);
    // A fully live cube is worth holding: the take point falls to 20 %, where the roller cashes.
    const CubeDecision below = decideCube(chances(0.79), money(), table(), 1.0);
    EXPECT_LT(below.doubleTake, below.doublePass);
    EXPECT_EQ(below.verdict, CubeVerdict::NoDouble);  // no market to lose with a continuous game
    EXPECT_EQ(decideCube(chances(0.81), money(), table(), 1.0).verdict, CubeVerdict::DoublePass);
    // A small edge is no double; the opponent's own cube is not the roller's to turn.
    EXPECT_EQ(decideCube(chances(0.55), money(), table()).verdict, CubeVerdict::NoDouble);
    const CubeDecision theirs = decideCube(chances(0.9), money(CubeOwner::Opponent), table());
    EXPECT_EQ(theirs.verdict, CubeVerdict::NoDouble);
    EXPECT_FALSE(theirs.unavailable.empty());
}

TEST(CubeDecision, PlayingOnForTheGammonIsTooGood) {
    const CubeDecision d = decideCube(chances(0.9, 0.6), money(), table());
    EXPECT_EQ(d.verdict, CubeVerdict::TooGoodPass);
    EXPECT_GT(d.noDouble, d.doublePass);
    // Without the gammons the same wins are a double and a pass.
    EXPECT_EQ(decideCube(chances(0.9), money(), table()).verdict, CubeVerdict::DoublePass);
}

// With the Jacoby rule, gammons count only once the cube is turned: the gammonish position that
// plays on for the gammon without it is doubled out with it.
TEST(CubeDecision, JacobyRuleStopsPlayingOnForAGammonWithACentredCube) {
    const CubelessChances gammonish = chances(0.85, 0.5);
    EXPECT_EQ(decideCube(gammonish, money(), table()).verdict, CubeVerdict::TooGoodPass);
    EXPECT_EQ(decideCube(gammonish, money(CubeOwner::Centred, true), table()).verdict, CubeVerdict::DoublePass);
    // Once the cube is owned, the rule changes nothing.
    EXPECT_DOUBLE_EQ(decideCube(gammonish, money(CubeOwner::Roller, true), table()).noDouble,
                     decideCube(gammonish, money(CubeOwner::Roller), table()).noDouble);
}

// 2-away/2-away: a taken double plays the match on this game, a pass leaves the Crawford game at 1-away/2-away.
TEST(CubeDecision, MatchTakePointComesFromTheTable) {
    const double takePoint = 1.0 - table().chance(1, 2, false);
    EXPECT_EQ(decideCube(chances(1 - takePoint - 0.01), match(2, 2), table()).verdict, CubeVerdict::DoubleTake);
    EXPECT_EQ(decideCube(chances(1 - takePoint + 0.01), match(2, 2), table()).verdict, CubeVerdict::DoublePass);
}

TEST(CubeDecision, NoCubeInTheCrawfordGameTheTrailerDoublesAfterItTheLeaderNever) {
    const CubeDecision crawford = decideCube(chances(0.8), match(3, 1, true), table());
    EXPECT_EQ(crawford.verdict, CubeVerdict::NoDouble);
    EXPECT_EQ(crawford.unavailable, "the Crawford game");
    EXPECT_DOUBLE_EQ(crawford.noDouble, crawford.cubeless);

    // After it, the trailer doubles even when behind in the game; the leader takes a fair game.
    const CubeDecision trailer = decideCube(chances(0.45), match(3, 1), table());
    EXPECT_EQ(trailer.verdict, CubeVerdict::DoubleTake);
    EXPECT_EQ(trailer.unavailable, "");
    // At 2-away an undoubled gammon wins the match too: then the trailer plays on.
    EXPECT_EQ(decideCube(chances(0.9, 0.6), match(2, 1), table()).verdict, CubeVerdict::TooGoodPass);
    const CubeDecision leader = decideCube(chances(0.9), match(1, 3), table());
    EXPECT_EQ(leader.verdict, CubeVerdict::NoDouble);
    EXPECT_FALSE(leader.unavailable.empty());
}

TEST(CubeDecision, ACubeThatAlreadyGivesTheMatchIsNotTurned) {
    CubeSituation s = match(2, 5);
    s.cube = 2;
    s.owner = CubeOwner::Roller;
    const CubeDecision dead = decideCube(chances(0.9), s, table());
    EXPECT_EQ(dead.verdict, CubeVerdict::NoDouble);
    EXPECT_EQ(dead.unavailable, "the cube already gives the match");
    // Both sides a point away: any cube is dead, and no Crawford game is involved.
    EXPECT_EQ(decideCube(chances(0.9), match(1, 1), table()).unavailable, "the cube already gives the match");
    s.rollerNeeds = 3;  // one more point needed: the 2-cube no longer gives the match
    EXPECT_EQ(decideCube(chances(0.9), s, table()).unavailable, "");
}

TEST(CubelessEstimate, TheEquitySplitKeepsTheEquity) {
    for (double e : {-1.8, -1.0, -0.3, 0.0, 0.4, 1.1, 1.7}) {
        const CubelessChances c = chancesOfEquity(e, 0.26);
        EXPECT_NEAR(c.win - (1 - c.win) + c.winGammon - c.loseGammon, e, 1e-9) << e;
        EXPECT_LE(c.winGammon, c.win);
        EXPECT_LE(c.loseGammon, 1 - c.win);
    }
}

// In contact, a side that has borne a checker off cannot lose a gammon any more: the split of the
// networks' equity gives it none, and the equity stays whole.
TEST(CubelessEstimate, ASideWithACheckerOffLosesNoGammon) {
    const NeuralNets nets = NeuralNets::testWeights(5);
    // Black has two off and a checker still behind White's; White has none off.
    const Position blackOff = lumaro::testing::positionOf({{24, -1}, {1, -5}, {2, -4}, {3, -3}, {20, 5}, {19, 10}});
    CubelessEstimate estimate;
    const CubelessChances c = estimate.blackToRoll(&nets, blackOff);
    EXPECT_EQ(c.loseGammon, 0.0);
    EXPECT_GT(c.winGammon, 0.0);
    // The same the other way round: White has checkers off, so Black wins no gammon.
    const CubelessChances m = estimate.blackToRoll(&nets, mirrored(blackOff));
    EXPECT_EQ(m.winGammon, 0.0);
    EXPECT_GT(m.loseGammon, 0.0);
    for (const double e : {-0.9, -0.4, 0.3, 1.2}) {
        const CubelessChances s = chancesOfEquity(e, 0.26, 0.0);
        EXPECT_NEAR(2 * s.win - 1 + s.winGammon - s.loseGammon, e, 1e-9) << e;
    }
}

// Black's last checker on its 1-point, White's fifteen home with none off: Black wins a gammon with
// any roll. Both sides home, the chances are the bear-off table's, not the pip-count estimate's.
TEST(CubelessEstimate, BothSidesHomeTakesTheExactBearOffChances) {
    CubelessEstimate estimate;
    const CubelessChances c =
        estimate.blackToRoll(nullptr, lumaro::testing::positionOf({{1, -1}, {19, 5}, {20, 5}, {21, 5}}));
    EXPECT_DOUBLE_EQ(c.win, 1.0);
    EXPECT_DOUBLE_EQ(c.winGammon, 1.0);
    EXPECT_DOUBLE_EQ(c.loseGammon, 0.0);
}

}  // namespace
