#include <gtest/gtest.h>

#include "game/Dice.h"
#include "support/FakeScreen.h"

using namespace lumaro;
using lumaro::testing::FakeScreen;

namespace {

// Expected values below were derived from the generators' definitions with an independent
// big-integer calculation, not by running this code.

TEST(RuntimeRandom, IsTheLinearCongruentialGeneratorTakingTheHighHalf) {
    RuntimeRandom r;
    r.seed = 0;
    const std::uint32_t expected[] = {0, 3, 86, 20, 27};
    for (std::uint32_t e : expected) EXPECT_EQ(r.Random(100), e);
    EXPECT_EQ(r.seed, 1172187917u);

    r.seed = 4294967295u;  // wraps modulo 2^32
    EXPECT_EQ(r.Random(1000), 968u);
    EXPECT_EQ(millisecondsSinceMidnight(13, 5, 9, 250), 47109250u);
}

TEST(MarsagliaZaman, ReproducesThePublishedTestSequence) {
    MarsagliaZaman r;
    ASSERT_TRUE(r.init(1802, 9373));
    for (int k = 0; k < 20000; ++k) r.uni();
    const int expected[] = {6533892, 14220222, 7275067, 6172232, 8354498, 10633180};
    for (int e : expected) EXPECT_EQ(static_cast<int>(r.uni() * 4096.0 * 4096.0), e);
}

TEST(MarsagliaZaman, RefusesSeedsOutOfRangeAndDrawsNothingBeforeInit) {
    MarsagliaZaman r;
    EXPECT_EQ(r.uni(), 0.0);
    EXPECT_FALSE(r.init(31329, 0));
    EXPECT_FALSE(r.init(0, 30082));
    EXPECT_FALSE(r.init(-1, 5));
    EXPECT_FALSE(r.initialised());
}

TEST(AutomaticRoll, TakesOneDieFromEachGeneratorPlusTheTimerCounters) {
    struct Case {
        Byte clock, slide;
        Byte rolls[3][2];
    };
    const Case cases[] = {{0, 0, {{4, 1}, {3, 3}, {5, 1}}}, {7, 200, {{5, 3}, {4, 5}, {6, 3}}}};
    for (const Case& c : cases) {
        DiceRoller roller;
        roller.random.seed = 12345;
        roller.marsaglia.initFrom(roller.random);
        roller.clockTicks = c.clock;
        roller.slideTicks = c.slide;
        FakeScreen screen;
        for (const auto& roll : c.rolls) {
            const Dice dice = roller.rollAutomatically(screen, false);
            EXPECT_EQ(dice.dieA, roll[0]);
            EXPECT_EQ(dice.dieB, roll[1]);
        }
        EXPECT_TRUE(screen.sounds.empty());
        EXPECT_EQ(screen.delays.back(), 100);
    }
}

TEST(AutomaticRoll, PlaysTheDiceSoundAndWaitsNineMillisecondsAPass) {
    DiceRoller roller;
    roller.random.seed = 1;
    roller.marsaglia.initFrom(roller.random);
    FakeScreen screen;
    roller.rollAutomatically(screen, true);
    ASSERT_EQ(screen.sounds.size(), 1u);
    EXPECT_EQ(screen.sounds[0], Sound::Dice);
    ASSERT_GE(screen.delays.size(), 2u);
    EXPECT_LE(screen.delays.size(), 6u);
    for (size_t k = 0; k + 1 < screen.delays.size(); ++k) EXPECT_EQ(screen.delays[k], 9);
}

TEST(DiceLeft, HigherDieFirstAndFourSlotsForADoublet) {
    Dice dice;
    dice.dieA = 2;
    dice.dieB = 5;
    dice.fillDiceLeft();
    EXPECT_EQ(dice.diceLeft, (DiceLeft{0, 5, 2, 0, 0}));
    dice.dieA = 4;
    dice.dieB = 4;
    dice.fillDiceLeft();
    EXPECT_EQ(dice.diceLeft, (DiceLeft{0, 4, 4, 4, 4}));
    dice.useDie(4);
    dice.useDie(4);
    EXPECT_EQ(dice.diceLeft, (DiceLeft{0, 0, 0, 4, 4}));
    dice.useDie(6);  // not rolled: nothing changes
    EXPECT_EQ(dice.diceLeft, (DiceLeft{0, 0, 0, 4, 4}));
}

TEST(ManualDice, OnlyDigitsOneToSixCountAndTheFirstFillsDieA) {
    Dice dice;
    for (Byte key : {Byte('7'), Byte('0'), Byte('x'), Byte(0)}) EXPECT_FALSE(dice.enterManualDie(key));
    EXPECT_TRUE(dice.enterManualDie('2'));
    EXPECT_FALSE(dice.bothEntered());
    EXPECT_TRUE(dice.enterManualDie('6'));
    EXPECT_TRUE(dice.bothEntered());
    EXPECT_FALSE(dice.enterManualDie('3'));
    EXPECT_EQ(dice.dieA, 2);
    EXPECT_EQ(dice.dieB, 6);
    dice.fillDiceLeft();
    EXPECT_EQ(dice.diceLeft[1], 6);
}

}  // namespace
