#include <gtest/gtest.h>

#include "game/GameState.h"
#include "support/Positions.h"

using namespace lumaro;
using lumaro::testing::positionOf;

namespace {

// White's last checker on point 1 with 6-1 to play, Black's two on point 8: from 1 either die can
// be played but never both, so the 6 is the one the rules demand.
GameState whiteBlockedAfterOneDie() {
    GameState state;
    state.layOut(positionOf({{1, 1}, {8, -2}}));
    state.turnTo(Side::White);
    state.roll(6, 1);
    state.begin();
    return state;
}

bool sameState(const GameState& a, const GameState& b) {
    return a.position().sameCheckersAs(b.position()) && a.dice().diceLeft == b.dice().diceLeft &&
           a.sideToMove() == b.sideToMove() && a.gameOn() == b.gameOn();
}

TEST(GameStateStep, IsRefusedWithoutTouchingAnythingUnlessTheGameIsOnTheSideOnTurnAndTheDieLeft) {
    const GameState before = whiteBlockedAfterOneDie();
    struct Refusal {
        const char* why;
        Side side;
        int from;
        Byte die;
    };
    const Refusal refusals[] = {
        {"Black is not on turn", Side::Black, 8, 6},
        {"no 5 was rolled", Side::White, 1, 5},
        {"no die at all", Side::White, 1, 0},
        {"below the bar", Side::White, -1, 1},
        {"beyond the last point", Side::White, 25, 1},
        {"no white checker there", Side::White, 2, 1},
    };
    for (const Refusal& r : refusals) {
        GameState state = before;
        EXPECT_FALSE(state.step(r.side, r.from, r.die).made()) << r.why;
        EXPECT_TRUE(sameState(state, before)) << r.why;
    }
    GameState over = before;
    over.stopUnscored();
    EXPECT_FALSE(over.step(Side::White, 1, 6).made()) << "no game is on";

    // A die once played is not there a second time.
    GameState state = before;
    ASSERT_TRUE(state.step(Side::White, 1, 6).made());
    EXPECT_FALSE(state.step(Side::White, 7, 6).made());
}

TEST(GameStateStep, AHitSendsTheBlotToItsBarAndUsesTheDie) {
    GameState state;
    state.layOut(positionOf({{1, 2}, {4, -1}, {20, -14}}));
    state.turnTo(Side::White);
    state.roll(3, 2);
    state.begin();
    const StepMade step = state.step(Side::White, 1, 3);
    ASSERT_TRUE(step.made());
    EXPECT_TRUE(step.hit);
    EXPECT_EQ(step.to, 4);
    EXPECT_EQ(state.position().barBlack, 1);
    EXPECT_TRUE(state.position().hasWhite(4));
    EXPECT_EQ(state.dice().diceLeft, (DiceLeft{0, 0, 2, 0, 0}));
    // The turn's start is untouched by the step, and an undo goes back to it.
    EXPECT_EQ(state.snapshot().position.barBlack, 0);
    state.undo();
    EXPECT_EQ(state.position().barBlack, 0);
    EXPECT_EQ(state.position().count[1], 2);
    EXPECT_EQ(state.dice().diceLeft, (DiceLeft{0, 3, 2, 0, 0}));
}

TEST(GameStateTurnEnd, TellsAPlayStillOpenFromAShortPlayFromAFinishedOne) {
    GameState state = whiteBlockedAfterOneDie();
    EXPECT_EQ(state.turnEnd(), TurnEnd::DiceLeftToPlay);

    GameState lower = state;
    ASSERT_TRUE(lower.step(Side::White, 1, 1).made());  // 1/2: the 6 is blocked from there
    EXPECT_EQ(lower.turnEnd(), TurnEnd::ShortPlay);

    GameState higher = state;
    ASSERT_TRUE(higher.step(Side::White, 1, 6).made());  // 1/7: the 1 is blocked from there
    EXPECT_EQ(higher.turnEnd(), TurnEnd::Complete);
}

TEST(GameStateEnd, BooksTheResultByTheCubeAndStopsTheGameWhileStoppingUnscoredBooksNothing) {
    Options money;
    GameState state;
    state.layOut(positionOf({{24, 1}, {20, -15}}));
    state.turnTo(Side::White);
    state.roll(6, 5);
    state.begin();
    state.takeDouble(Side::Black);
    ASSERT_TRUE(state.step(Side::White, 24, 6).made());
    const GameResult& result = state.gameOver(Side::White, GameOver::BorneOff, money);
    EXPECT_EQ(result.kind, 3);  // Black has borne off none and has all its checkers in White's home
    EXPECT_EQ(result.resultPoints, 6);
    EXPECT_EQ(state.scores().whitePointsTotal, 6u);
    EXPECT_FALSE(state.gameOn());
    EXPECT_FALSE(state.dice().anyLeft());

    GameState stopped = whiteBlockedAfterOneDie();
    EXPECT_TRUE(stopped.stopUnscored());
    EXPECT_FALSE(stopped.stopUnscored());
    EXPECT_EQ(stopped.scores().whitePointsTotal + stopped.scores().blackPointsTotal, 0u);
}

TEST(GameStateBoards, ANewBoardHasNoDiceIsItsOwnTurnStartAndBoard255IsFollowedByBoard1) {
    GameState state = whiteBlockedAfterOneDie();
    state.takeDouble(Side::Black);
    state.arrangeMatchBoards(255, 0);
    state.newBoard();
    EXPECT_EQ(state.gameNumber(), 1);
    EXPECT_EQ(state.cube().value(), 1);
    EXPECT_FALSE(state.dice().anyLeft());
    EXPECT_EQ(state.snapshot().dieA, 0);
    EXPECT_TRUE(state.snapshot().position.sameCheckersAs(startingPosition()));
    EXPECT_EQ(state.snapshot().cube.value(), 1);
}

}  // namespace
