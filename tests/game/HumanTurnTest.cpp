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

struct HumanTurn : ::testing::Test {
    FakeScreen screen;
    Game game{screen};

    void SetUp() override {
        game.changeOptions([&](Options& o) { o.soundFx = true; });
        game.startUp(77);
    }

    void startTurn(const Position& pos, Byte a, Byte b, Byte turn = 1) {
        lumaro::testing::startTurnOn(game, pos, a, b, turn);
        screen.sounds.clear();
        screen.messages.clear();
        screen.boardEvents.clear();
    }
};

TEST_F(HumanTurn, LeftButtonPlaysTheHigherDieRightTheLowerAndABlockedDieGivesWay) {
    const Position pos = positionOf({{1, 2}, {12, 13}, {13, -15}});
    startTurn(pos, 2, 6);
    game.whiteStepByClick(1, Game::Button::Left);
    EXPECT_EQ(game.state().position().count[7], 1);
    game.whiteStepByClick(1, Game::Button::Right);
    EXPECT_EQ(game.state().position().count[3], 1);
    EXPECT_EQ(game.state().dice().diceLeft, DiceLeft{});
    EXPECT_EQ(game.moveRecord(), (std::array<Byte, 9>{0, 1, 6, 1, 2, 0, 0, 0, 0}));

    // Black holds 7: the left button falls back to the 2.
    startTurn(positionOf({{1, 2}, {12, 13}, {7, -2}, {13, -13}}), 6, 2);
    game.whiteStepByClick(1, Game::Button::Left);
    EXPECT_EQ(game.state().position().count[3], 1);
    EXPECT_EQ(game.state().dice().diceLeft, (DiceLeft{0, 6, 0, 0, 0}));
}

TEST_F(HumanTurn, CheckersOnTheBarComeFirst) {
    startTurn(positionOf({{12, 14}, {13, -15}}, 1), 3, 5);
    game.whiteStepByClick(12, Game::Button::Left);
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].line1, "You have to play first");
    EXPECT_EQ(screen.messages[0].line2, "your men from the bar!");
    EXPECT_EQ(game.state().position().count[12], 14);
    game.whiteEntryByClick(Game::Button::Right);  // the lower die: onto point 3
    EXPECT_EQ(game.state().position().count[3], 1);
    EXPECT_EQ(game.state().position().barWhite, 0);
    // An entry is recorded with the board position where its point is drawn: (10, 3) with the
    // home boards on the right, (3, 3) with them on the left.
    EXPECT_EQ(game.moveRecord()[1], 10);
    EXPECT_EQ(game.moveRecord()[2], 3);

    game.changeOptions([](Options& o) { o.homeRight = false; });
    game.clearWhiteSteps();
    startTurn(positionOf({{12, 14}, {13, -15}}, 1), 3, 5);
    game.whiteEntryByClick(Game::Button::Right);
    EXPECT_EQ(game.moveRecord()[1], 3);
    EXPECT_EQ(game.moveRecord()[2], 3);
}

TEST_F(HumanTurn, AClickedCheckerStepsFromItsPointAndOneNotOnAPointEntersFromTheBar) {
    startTurn(positionOf({{1, 2}, {12, 13}, {13, -15}}), 6, 2);
    game.clickChecker(Side::White, 1, Game::Button::Left);  // the 6: 1 to 7
    EXPECT_EQ(game.state().position().count[7], 1);
    // No white checker on 5 and none on the bar: the turn end is tried, and refused with the 2 left,
    // without a sound (a step from 5 would sound its refusal).
    screen.sounds.clear();
    game.clickChecker(Side::White, 5, Game::Button::Left);
    game.clickChecker(Side::Black, 13, Game::Button::Left);  // not Black's turn
    game.clickChecker(Side::White, 25, Game::Button::Left);  // nowhere
    EXPECT_EQ(game.state().dice().diceLeft, (DiceLeft{0, 0, 2, 0, 0}));
    EXPECT_EQ(game.state().sideToMove(), Side::White);
    EXPECT_TRUE(screen.sounds.empty());

    startTurn(positionOf({{12, 14}, {13, -15}}, 1), 3, 5);
    game.clickChecker(Side::White, 0, Game::Button::Right);  // the bar: in with the 3
    EXPECT_EQ(game.state().position().count[3], 1);
    EXPECT_EQ(game.state().position().barWhite, 0);
}

TEST_F(HumanTurn, NothingToEnterOnAClosedBoardPassesTheTurnWithoutAMessage) {
    game.changeOptions([&](Options& o) { o.humanOpponent = true; });  // a second person: the turn passes to Black's roll
    startTurn(positionOf({{1, -2}, {2, -2}, {3, -2}, {4, -2}, {5, -2}, {6, -2}, {13, -3}, {12, 14}}, 1), 3, 5);
    game.whiteStepByClick(12, Game::Button::Left);
    EXPECT_TRUE(screen.messages.empty());
    EXPECT_EQ(game.state().sideToMove(), Side::Black);
    EXPECT_NE(game.state().dice().dieA, 0);
}

TEST_F(HumanTurn, EndingTheTurnWithDiceLeftIsIgnoredOrUndoneWhenShort) {
    const Position pos = positionOf({{1, 2}, {12, 13}, {13, -15}});
    startTurn(pos, 3, 1);
    game.endTurn();  // both dice still playable: ignored
    EXPECT_EQ(game.state().sideToMove(), Side::White);
    EXPECT_TRUE(screen.messages.empty());

    // The lone checker could play the 6 and the 5 one way, but 5 first blocks the 6.
    const Position either = positionOf({{1, 1}, {12, -2}});
    startTurn(either, 6, 5);
    game.whiteStepByClick(1, Game::Button::Right);  // the 5
    ASSERT_EQ(game.state().position().count[6], 1);
    game.endTurn();
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].line1, "You have to play all dice");
    EXPECT_EQ(screen.messages[0].line2, "or the higher one!");
    EXPECT_TRUE(game.state().position().sameCheckersAs(either));  // back to the start of the turn
    EXPECT_EQ(game.state().dice().diceLeft, (DiceLeft{0, 6, 5, 0, 0}));
    EXPECT_EQ(game.state().sideToMove(), Side::White);
}

TEST_F(HumanTurn, AHitSendsTheBlotToTheBarBeforeTheHitterMoves) {
    startTurn(positionOf({{1, 2}, {12, 13}, {4, -1}, {13, -14}}), 3, 5);
    game.whiteStepByClick(1, Game::Button::Right);
    // White's hit from a point lands at once: no effects for either checker.
    const std::vector<std::pair<BoardEvent::Kind, int>> expected = {
        {BoardEvent::Left, 4}, {BoardEvent::Arrived, 0}, {BoardEvent::Left, 1}, {BoardEvent::Arrived, 4}};
    ASSERT_EQ(screen.boardEvents.size(), expected.size());
    for (std::size_t k = 0; k < expected.size(); ++k) {
        const BoardEvent& e = screen.boardEvents[k];
        EXPECT_EQ(e.kind, expected[k].first) << k;
        EXPECT_EQ(e.point, expected[k].second) << k;
        EXPECT_EQ(e.side, k < 2 ? Side::Black : Side::White) << k;
        EXPECT_FALSE(e.withEffects) << k;
    }
    EXPECT_EQ(game.state().position().barBlack, 1);
    EXPECT_TRUE(game.state().position().hasWhite(4));

    // Black's hit shows its effects, as does White's from the bar.
    startTurn(positionOf({{1, 1}, {12, 14}, {4, -1}, {13, -14}}, 0, 0), 3, 5, 0);
    game.blackStepByClick(4, Game::Button::Left);  // the 3 hits on 1
    ASSERT_EQ(screen.boardEvents.size(), 4u);
    for (const BoardEvent& e : screen.boardEvents) EXPECT_TRUE(e.withEffects);
    EXPECT_EQ(game.state().position().barWhite, 1);
}

TEST_F(HumanTurn, BearingOffLeavesThePointAndFliesToTheTray) {
    startTurn(positionOf({{20, 2}, {24, 13}, {1, -15}}), 6, 1);
    game.whiteStepByClick(20, Game::Button::Left);  // the 6 bears off from 20
    ASSERT_EQ(screen.boardEvents.size(), 2u);
    EXPECT_EQ(screen.boardEvents[0].kind, BoardEvent::Left);
    EXPECT_EQ(screen.boardEvents[0].point, 20);
    EXPECT_EQ(screen.boardEvents[1].kind, BoardEvent::Arrived);
    EXPECT_EQ(screen.boardEvents[1].point, 25);
    EXPECT_TRUE(screen.boardEvents[1].withEffects);
    EXPECT_EQ(game.state().position().offWhite, 1);
    EXPECT_EQ(game.state().position().count[20], 1);
}

TEST_F(HumanTurn, AfterTheComputersPlayTheNextClickRollsWhitesDice) {
    startTurn(startingPosition(), 4, 2, 0);
    game.arrangeDicePlayed();  // the computer has played
    game.whiteStepByClick(1, Game::Button::Left);  // reaches the turn end: White rolls
    EXPECT_EQ(game.state().sideToMove(), Side::White);
    EXPECT_TRUE(game.state().position().sameCheckersAs(startingPosition()));
    EXPECT_NE(game.state().dice().diceLeft[1], 0);
}

TEST_F(HumanTurn, TheComputerConsidersItsDoubleBeforeItRolls) {
    // An even race after three rolls each: the computer offers; White drops and loses the cube value.
    startTurn(positionOf({{3, -15}, {22, 15}}), 1, 1);
    game.arrangeDicePlayed();
    screen.answers = {Answer::No};
    game.endTurn();
    ASSERT_FALSE(screen.messages.empty());
    EXPECT_EQ(screen.messages[0].line1, "Computer wants to double.");
    EXPECT_FALSE(game.state().gameOn());
    EXPECT_FALSE(game.state().lastResult().whiteWon);
    EXPECT_EQ(game.state().lastResult().resultPoints, 1);
}

TEST_F(HumanTurn, TheComputerTakesOrDropsWhitesDouble) {
    // Black far ahead: it takes, and the cube goes to Black's side.
    startTurn(positionOf({{1, -15}, {12, 15}}), 3, 2, 0);
    game.arrangeDicePlayed();
    game.offerDouble();
    EXPECT_EQ(game.state().cube().value(), 2);
    EXPECT_EQ(game.state().cube().ownerWhite(), 0);
    EXPECT_EQ(game.state().sideToMove(), Side::White);  // and White rolls
    // Black far behind: it drops and White wins the cube value.
    startTurn(positionOf({{20, -15}, {22, 15}}), 3, 2, 0);
    game.arrangeDicePlayed();
    game.offerDouble();  // Black holds the cube now: White cannot double
    EXPECT_EQ(game.state().cube().value(), 2);
    EXPECT_TRUE(game.state().gameOn());
    game.arrangeCube(1, game.state().cube().ownerWhite());
    game.offerDouble();
    ASSERT_GE(screen.messages.size(), 2u);
    EXPECT_EQ(screen.messages[screen.messages.size() - 2].line2, "was refused!");  // then the result
    EXPECT_FALSE(game.state().gameOn());
    EXPECT_TRUE(game.state().lastResult().whiteWon);
}

}  // namespace
