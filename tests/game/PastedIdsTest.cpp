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

TEST_F(PastedIds, APositionToRollWaitsForTheClickWithTheCubeFirst) {
    ASSERT_TRUE(MenuCommands(game).paste(shell, "4HPwATDgc/ABMA"));
    EXPECT_TRUE(game.state().gameOn());
    EXPECT_TRUE(game.state().position().sameCheckersAs(startingPosition()));
    EXPECT_FALSE(game.state().dice().anyLeft()) << "nothing is rolled before the player asks";
    EXPECT_EQ(game.state().sideOnRoll(), Side::White);
    EXPECT_EQ(MenuCommands(game).copyIds(), "Position ID: 4HPwATDgc/ABMA\nMatch ID: cAkAAAAAAAAE");
    // D offers White's double first; the second person takes it and White rolls.
    screen.messages.clear();
    game.keyPressed('D', false, false);
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].line1, "White player wants to double.");
    EXPECT_EQ(game.state().cube().value(), 2);
    EXPECT_EQ(game.state().sideToMove(), Side::White);
    EXPECT_NE(game.state().dice().dieA, 0);
    EXPECT_EQ(game.rollStats(Side::White).rolls, 2);  // the pasted position, then the roll

    // Without a double, the click on the board rolls.
    ASSERT_TRUE(MenuCommands(game).paste(shell, "4HPwATDgc/ABMA"));
    ASSERT_FALSE(game.state().dice().anyLeft());
    game.clickBoard(1, Game::Button::Left);
    EXPECT_EQ(game.state().sideToMove(), Side::White);
    EXPECT_TRUE(game.state().dice().anyLeft());
}

TEST_F(PastedIds, AMatchIdBringsItsMatchAsANewOneAfterTheQuestion) {
    // GNU Backgammon's IDs of a 7-point match, White (its player X) 2 and Black 4, White to roll.
    const std::string ids = "Position ID: 4HPwATDgc/ABMA\nMatch ID: cAngAEAAEAAE";
    screen.answers = {Answer::No};
    EXPECT_FALSE(MenuCommands(game).paste(shell, ids));
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].line1, "Start a new 7-point match?");
    EXPECT_EQ(screen.messages[0].line2, "White 2, Black 4");
    EXPECT_FALSE(game.options().matchPlay);
    EXPECT_FALSE(game.state().gameOn());

    ASSERT_TRUE(MenuCommands(game).paste(shell, ids));
    EXPECT_TRUE(game.options().matchPlay);
    EXPECT_EQ(game.options().matchLength, 7);
    EXPECT_EQ(game.state().scores().whiteMatchScore, 2);
    EXPECT_EQ(game.state().scores().blackMatchScore, 4);
    EXPECT_FALSE(game.isCrawfordGame());
    EXPECT_EQ(MenuCommands(game).copyIds(), ids);

    // The same match at the same score asks nothing; its Crawford game (White 6, Black 3) is one.
    screen.messages.clear();
    ASSERT_TRUE(MenuCommands(game).paste(shell, ids));
    EXPECT_TRUE(screen.messages.empty() || screen.messages[0].line1 != "Start a new 7-point match?");
    const std::string crawford = "Position ID: 4HPwATDgc/ABMA\nMatch ID: 8AngADAAMAAE";
    ASSERT_TRUE(MenuCommands(game).paste(shell, crawford));
    EXPECT_TRUE(game.isCrawfordGame());
    EXPECT_EQ(MenuCommands(game).copyIds(), crawford);

    // A money game's match ID leaves the match; a position ID alone leaves the play as it is.
    game.changeOptions([](Options& o) { o.matchPlay = true; });
    ASSERT_TRUE(MenuCommands(game).paste(shell, "4HPwATDgc/ABMA"));
    EXPECT_TRUE(game.options().matchPlay);
    screen.messages.clear();
    ASSERT_TRUE(MenuCommands(game).paste(shell, "4HPwATDgc/ABMA:cAkAAAAAAAAA"));
    ASSERT_FALSE(screen.messages.empty());
    EXPECT_EQ(screen.messages[0].line1, "Leave the match for single games?");
    EXPECT_FALSE(game.options().matchPlay);
}

TEST_F(PastedIds, TheResignationQuestionNamesWhatItCosts) {
    lumaro::testing::startTurnOn(game, startingPosition(), 3, 1, 1);
    screen.answers = {Answer::No};
    EXPECT_FALSE(MenuCommands(game).paste(shell, "4HPwATDgc/ABMA"));
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].line1, "Do you want to resign?");
    EXPECT_EQ(screen.messages[0].line2, "Black wins: backgammon, cube x1, 3 p.");

    // Three points more win Black the match; White holds the cube at 2: six points.
    game.changeOptions([](Options& o) {
        o.matchPlay = true;
        o.matchLength = 5;
    });
    Scores scores;
    scores.blackMatchScore = 1;
    game.restoreScores(scores);
    game.arrangeCube(2, 1);
    screen.messages.clear();
    screen.answers = {Answer::No};
    EXPECT_FALSE(MenuCommands(game).abort(shell));
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].line2, "Black wins the MATCH: backgammon, cube x2, 6 p.");
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
