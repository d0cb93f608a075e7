#include <gtest/gtest.h>

#include "game/Game.h"
#include "support/FakeScreen.h"
#include "support/Positions.h"
#include "support/TurnSetup.h"

using namespace lumaro;
using lumaro::testing::FakeScreen;
using lumaro::testing::positionOf;
using lumaro::testing::BoardEvent;

namespace {

struct GameFixture : ::testing::Test {
    FakeScreen screen;
    Game game{screen};

    void SetUp() override {
        game.changeOptions([&](Options& o) { o.soundFx = false; });
        game.startUp(12345);
    }

    void startTurn(const Position& pos, Byte a, Byte b, Byte turn) { lumaro::testing::startTurnOn(game, pos, a, b, turn); }
};

TEST_F(GameFixture, StartUpSeedsTheOpeningChoiceBeforeTheSecondGenerator) {
    // From seed 12345 the runtime generator gives 38, then 8680 and 2495.
    EXPECT_FALSE(game.blackBeginsNext());
    MarsagliaZaman expected;
    expected.init(2495, 8680);
    MarsagliaZaman seeded = game.roller().marsaglia;
    for (int k = 0; k < 5; ++k) EXPECT_EQ(seeded.uni(), expected.uni());
    EXPECT_EQ(game.state().gameNumber(), 1);
    EXPECT_EQ(game.state().cube().value(), 1);
}

TEST_F(GameFixture, NewBoardResetsTheCubeAndCountsBoardsFromOneTo255) {
    game.arrangeCube(8, 1);
    game.recordWhiteStep(1, 3);
    game.setUpNewBoard();
    EXPECT_EQ(game.state().cube().value(), 1);
    EXPECT_EQ(game.state().cube().ownerWhite(), 0);
    EXPECT_EQ(game.moveRecord()[2], 0);
    EXPECT_TRUE(game.state().position().sameCheckersAs(startingPosition()));
    EXPECT_EQ(game.stats().whitePips, 167);
    EXPECT_EQ(game.state().gameNumber(), 2);
    game.arrangeMatchBoards(255, game.state().crawfordGameNumber());
    game.setUpNewBoard();
    EXPECT_EQ(game.state().gameNumber(), 1);
    EXPECT_FALSE(game.busy());
}

TEST_F(GameFixture, UndoAfterAHitPutsBothCheckersBackWithoutEffects) {
    const Position start = positionOf({{1, 2}, {10, 13}, {13, -1}, {6, -14}});
    startTurn(start, 3, 4, 1);
    game.arrangeCube(2, game.state().cube().ownerWhite());  // changed during the turn: the undo takes it back too
    game.whiteStepByClick(10, Game::Button::Right);  // the 3 hits on 13
    ASSERT_EQ(game.state().position().barBlack, 1);
    ASSERT_EQ(game.moveRecord()[1], 10);
    screen.boardEvents.clear();

    game.undoTurn();
    EXPECT_TRUE(game.state().position().sameCheckersAs(start));
    EXPECT_EQ(game.state().cube().value(), 1);
    EXPECT_EQ(game.state().dice().diceLeft, (DiceLeft{0, 4, 3, 0, 0}));
    EXPECT_EQ(game.moveRecord(), (std::array<Byte, 9>{}));
    // The board is told the whole position at once: no checker moves with its effects.
    ASSERT_EQ(screen.boardEvents.size(), 1u);
    EXPECT_EQ(screen.boardEvents[0].kind, BoardEvent::LaidOut);
    EXPECT_TRUE(screen.boardEvents[0].position.sameCheckersAs(start));
    EXPECT_FALSE(game.busy());
}

TEST_F(GameFixture, BearingOffTheLastCheckerEndsAndBooksTheGame) {
    startTurn(positionOf({{24, 1}, {1, -3}, {20, -2}}), 1, 2, 1);
    EXPECT_TRUE(game.state().gameOn());
    game.updateCounters();  // counting alone ends nothing
    EXPECT_TRUE(game.state().gameOn());
    game.whiteStepByClick(24, Game::Button::Left);
    EXPECT_FALSE(game.state().gameOn());
    EXPECT_FALSE(game.busy());
    EXPECT_TRUE(game.state().lastResult().whiteWon);
    EXPECT_EQ(game.state().lastResult().kind, 1);  // black has borne checkers off
    EXPECT_EQ(game.state().scores().whitePointsTotal, 1u);
    EXPECT_EQ(game.state().scores().whiteGamesWon, 1u);
    EXPECT_EQ(game.state().dice().diceLeft, DiceLeft{});
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].line1, "White player is the WINNER !");
    EXPECT_EQ(screen.messages[0].line2, "single, cube x1, 1 p.");
}

TEST_F(GameFixture, ManualDiceWaitForTwoValidDigits) {
    game.changeOptions([&](Options& o) { o.automaticDice = false; });
    const char keys[] = {'7', '3', 'x', '0', '5'};
    size_t next = 0;
    screen.onDelay = [&](int) {
        if (next < sizeof keys) game.typeDiceKey(static_cast<Byte>(keys[next++]));
    };
    game.layOutPosition(startingPosition());
    game.rollForBlack();
    EXPECT_EQ(game.state().dice().dieA, 3);
    EXPECT_EQ(game.state().dice().dieB, 5);
    EXPECT_EQ(game.state().dice().diceLeft, (DiceLeft{0, 5, 3, 0, 0}));
    EXPECT_EQ(game.state().snapshot().dieA, 3);
    EXPECT_EQ(game.rollStats(Side::Black).rolls, 1);
    EXPECT_EQ(game.rollStats(Side::White).rolls, 0);
    EXPECT_FALSE(game.busy());
}

TEST_F(GameFixture, SavedGameComesBackAtTheStartOfTheTurn) {
    const Position start = positionOf({{1, 2}, {10, 13}, {13, -1}, {6, -14}});
    game.arrangeCube(4, 1);
    startTurn(start, 6, 6, 0);
    const SavedGame saved = game.savedGame();
    // Moves made after the roll are not in the file.
    game.blackStepByClick(13, Game::Button::Left);
    ASSERT_EQ(game.state().position().count[7], 1);

    FakeScreen otherScreen;
    Game other(otherScreen);
    other.changeOptions([](Options& o) { o.soundFx = false; });
    other.startUp(99);
    other.setUpNewBoard();
    other.restoreSavedGame(saved);
    EXPECT_TRUE(other.state().position().sameCheckersAs(start));
    EXPECT_EQ(other.state().sideToMove(), Side::Black);
    EXPECT_EQ(other.state().dice().diceLeft, (DiceLeft{0, 6, 6, 6, 6}));
    EXPECT_EQ(other.state().cube().value(), 4);
    EXPECT_EQ(other.state().cube().ownerWhite(), 1);
    EXPECT_TRUE(other.state().gameOn());
    // The colour to move has the loaded position and the loaded roll behind it; the other one roll.
    EXPECT_EQ(other.rollStats(Side::Black).rolls, 2);
    EXPECT_EQ(other.rollStats(Side::White).rolls, 1);
    EXPECT_EQ(other.rollStats(Side::Black).doubles, 1);
    EXPECT_EQ(other.rollStats(Side::Black).pipHistory[1], blackPipCount(start));
    EXPECT_EQ(other.rollStats(Side::White).pipHistory[1], whitePipCount(start));
}

TEST_F(GameFixture, AGameLoadedAfterItsEndIsBookedOnce) {
    SavedGame finished;
    finished.position = positionOf({{1, -2}});  // white has borne off all fifteen
    finished.dieA = 3;
    finished.dieB = 2;
    finished.turn = 1;
    game.restoreSavedGame(finished);
    EXPECT_FALSE(game.state().gameOn());
    EXPECT_EQ(game.state().scores().whiteGamesWon, 1u);
    EXPECT_EQ(screen.messages.size(), 1u);
    game.undoTurn();  // showing the final position again books nothing
    EXPECT_EQ(game.state().scores().whiteGamesWon, 1u);
}

}  // namespace
