// The marks of the opponent's last move: every step of Black's turn, from where to where, kept
// until the local player rolls; a Black turn taken back takes its marks too.
#include <gtest/gtest.h>

#include "game/Game.h"
#include "support/FakeScreen.h"
#include "support/Positions.h"
#include "support/TurnSetup.h"

using namespace lumaro;
using lumaro::testing::FakeScreen;
using lumaro::testing::positionOf;

namespace {

struct LastMove : ::testing::Test {
    FakeScreen screen;
    Game game{screen};
    void SetUp() override {
        game.changeOptions([&](Options& o) { o.soundFx = false; });
        game.startUp(99);
    }
};

TEST_F(LastMove, TheComputersStepsAreMarkedUntilWhiteRolls) {
    // Black on the bar enters with the 5 (hitting on 20), then runs; one checker bears nothing off.
    lumaro::testing::startTurnOn(game, positionOf({{20, 1}, {12, 14}, {13, -14}}, 0, 1), 5, 3, 0);
    game.playComputerTurn();
    ASSERT_EQ(game.lastMoveMarkCount(), 2);
    EXPECT_EQ(game.lastMoveMarks()[0].from, 0);  // from the bar
    EXPECT_EQ(game.lastMoveMarks()[0].to, 20);
    const int total = (game.lastMoveMarks()[0].from == 0 ? 25 : game.lastMoveMarks()[0].from) - game.lastMoveMarks()[0].to +
                      game.lastMoveMarks()[1].from - game.lastMoveMarks()[1].to;
    EXPECT_EQ(total, 8);  // the 5 and the 3
    game.clickBoard(0, Game::Button::Left);  // the local player's next click rolls White's dice
    EXPECT_EQ(game.state().sideToMove(), Side::White);
    EXPECT_EQ(game.lastMoveMarkCount(), 0);
}

TEST_F(LastMove, ABearOffIsMarkedToTheTrayAndBlacksUndoClearsTheMarks) {
    game.changeOptions([&](Options& o) { o.humanOpponent = true; });  // a second person plays Black at this board
    lumaro::testing::startTurnOn(game, positionOf({{1, -2}, {2, -3}, {20, 15}}), 2, 1, 0);
    game.blackStepByClick(2, Game::Button::Left);  // 2 off with the 2
    ASSERT_EQ(game.lastMoveMarkCount(), 1);
    EXPECT_EQ(game.lastMoveMarks()[0].from, 2);
    EXPECT_EQ(game.lastMoveMarks()[0].to, 25);
    game.keyPressed('\b', true, false);  // BACK
    EXPECT_EQ(game.lastMoveMarkCount(), 0);
    EXPECT_EQ(game.state().position().offBlack, 10);
}

}  // namespace
