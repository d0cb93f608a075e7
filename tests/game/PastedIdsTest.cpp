// Ctrl+C and Ctrl+V as the shell runs them: the IDs of a game in play, and pasted IDs taken up as a
// game to play on, or refused with their reason while the running game goes on.
#include <gtest/gtest.h>

#include "game/Game.h"
#include "game/MenuCommands.h"
#include "support/FakeScreen.h"
#include "support/Positions.h"
#include "support/TurnSetup.h"

using namespace lumaro;
using lumaro::testing::FakeScreen;
using lumaro::testing::positionOf;

namespace {

struct PastedIds : ::testing::Test {
    FakeScreen screen;
    Game game{screen};
    const Game::ShellState shell{};

    void SetUp() override {
        game.changeOptions([](Options& o) {
            o.soundFx = false;
            o.humanOpponent = true;  // a second person plays Black: nothing moves by itself
            o.localPlay = true;
        });
        game.startUp(4242);
    }
};

TEST_F(PastedIds, ACopiedGameComesBackAtItsTurnStartWithDiceSideAndCube) {
    const Position start = positionOf({{1, 2}, {12, 5}, {17, 3}, {19, 5}, {24, -2}, {13, -5}, {8, -4}, {6, -4}});
    game.arrangeCube(4, 0);
    lumaro::testing::startTurnOn(game, start, 5, 3, 1);
    game.whiteStepByClick(12, Game::Button::Left);  // a step made this turn is not in the IDs
    const std::string ids = MenuCommands(game).copyIds();
    EXPECT_EQ(ids.rfind("Position ID: ", 0), 0u) << ids;
    EXPECT_NE(ids.find("\nMatch ID: "), std::string::npos) << ids;

    FakeScreen otherScreen;
    Game other(otherScreen);
    other.changeOptions([](Options& o) {
        o.soundFx = false;
        o.humanOpponent = true;
        o.localPlay = true;
        o.cubeEnabled = false;
    });
    other.startUp(1);
    ASSERT_TRUE(MenuCommands(other).paste(shell, ids));
    EXPECT_TRUE(otherScreen.messages.empty());
    EXPECT_TRUE(other.state().gameOn());
    EXPECT_TRUE(other.state().position().sameCheckersAs(start));
    EXPECT_EQ(other.state().sideToMove(), Side::White);
    EXPECT_EQ(other.state().dice().diceLeft, (DiceLeft{0, 5, 3, 0, 0}));
    EXPECT_EQ(other.state().cube().value(), 4);
    EXPECT_EQ(other.state().cube().ownerWhite(), 0);
    EXPECT_TRUE(other.options().cubeEnabled);  // a turned cube brings the cube into play
    EXPECT_EQ(MenuCommands(other).copyIds(), ids);  // and its IDs are the same again
}

TEST_F(PastedIds, APositionAloneIsPlayedOnFromWhitesRoll) {
    ASSERT_TRUE(MenuCommands(game).paste(shell, "4HPwATDgc/ABMA"));
    EXPECT_TRUE(game.state().gameOn());
    EXPECT_TRUE(game.state().position().sameCheckersAs(startingPosition()));
    EXPECT_EQ(game.state().sideToMove(), Side::White);
    EXPECT_NE(game.state().dice().dieA, 0);  // White has rolled
    EXPECT_NE(game.state().dice().dieB, 0);
    EXPECT_EQ(game.rollStats(Side::White).rolls, 2);  // the pasted position, then the roll
}

TEST_F(PastedIds, TextWithoutAPlayableGameIsRefusedWithItsReasonAndNothingIsAsked) {
    const Position start = positionOf({{1, 2}, {12, 13}, {24, -2}, {13, -13}});
    lumaro::testing::startTurnOn(game, start, 6, 2, 1);
    const Scores scoresBefore = game.state().scores();
    // Not an ID; sixteen black checkers; a double waiting for its answer.
    for (const char* text : {"hello", "////////////AA", "4HPwATDgc/ABMA:cBHgAAAAAAAE"}) {
        screen.messages.clear();
        EXPECT_TRUE(MenuCommands(game).paste(shell, text)) << text;
        ASSERT_EQ(screen.messages.size(), 1u) << text;
        EXPECT_FALSE(screen.messages[0].yesNo) << text;  // no resignation question came first
        EXPECT_EQ(screen.messages[0].line1, "The pasted IDs hold no game to play on.");
        EXPECT_FALSE(screen.messages[0].line2.empty()) << text;
        if (std::string(text) == "hello") {
            EXPECT_NE(screen.messages[0].line2.find("position ID"), std::string::npos) << screen.messages[0].line2;
        }
        EXPECT_TRUE(game.state().gameOn()) << text;
        EXPECT_TRUE(game.state().position().sameCheckersAs(start)) << text;
    }
    EXPECT_EQ(game.state().scores().whiteGamesWon, scoresBefore.whiteGamesWon);

    // A good paste asks first; NO keeps the running game.
    screen.answers = {Answer::No};
    EXPECT_FALSE(MenuCommands(game).paste(shell, "4HPwATDgc/ABMA"));
    EXPECT_TRUE(game.state().position().sameCheckersAs(start));
}

TEST_F(PastedIds, NothingIsPastedWhileABoxIsUp) {
    Game::InputHold hold(game);
    EXPECT_FALSE(MenuCommands(game).paste(shell, "4HPwATDgc/ABMA"));
    EXPECT_FALSE(game.state().gameOn());
}

}  // namespace
