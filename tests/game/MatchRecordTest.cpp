// The recorder follows the checkers itself: steps come out in each side's own numbering, with the
// hits, entries from the bar and bear-offs the analysers expect.
#include <gtest/gtest.h>

#include "game/MatchRecord.h"
#include "support/Positions.h"

namespace lumaro {
void PrintTo(const RecordedStep& s, std::ostream* os) { *os << s.from << '/' << s.to << (s.hit ? "*" : ""); }

namespace {

RecordedStep step(int from, int to, bool hit = false) { return RecordedStep{from, to, hit}; }

TEST(MatchRecorder, StepsAreWrittenInTheMoversOwnNumberingWithHitsAndEntries) {
    MatchRecorder r;
    r.startGame(5, 0, 0, false);
    r.rolled(Side::White, 3, 1);
    r.stepMade(Side::White, 17, 3);  // White's 8 point to its 5 point
    r.stepMade(Side::White, 19, 1);
    r.rolled(Side::Black, 6, 4);
    r.stepMade(Side::Black, 24, 6);  // Black counts as the game does
    r.stepMade(Side::Black, 13, 4);
    r.rolled(Side::White, 6, 2);
    r.stepMade(Side::White, 12, 6);  // hits the blot on 18
    r.stepMade(Side::White, 1, 2);
    r.rolled(Side::Black, 4, 3);
    r.stepMade(Side::Black, 7, 4);   // on the bar: the step enters whatever point it names
    r.stepMade(Side::Black, 13, 3);

    const auto& actions = r.record().games.at(0).actions;
    ASSERT_EQ(actions.size(), 4u);
    EXPECT_EQ(actions[0].steps, (std::vector<RecordedStep>{step(8, 5), step(6, 5)}));
    EXPECT_EQ(actions[1].steps, (std::vector<RecordedStep>{step(24, 18), step(13, 9)}));
    EXPECT_EQ(actions[2].steps, (std::vector<RecordedStep>{step(13, 7, true), step(24, 22)}));
    EXPECT_EQ(actions[3].steps, (std::vector<RecordedStep>{step(25, 21), step(13, 10)}));
    EXPECT_EQ(r.position().barBlack, 0);
    EXPECT_TRUE(r.position().hasBlack(21));
}

TEST(MatchRecorder, WhiteIsHitAndEntersInItsOwnNumbering) {
    MatchRecorder r;
    r.startGame(0, 0, 0, false);
    // White splits its back checkers, Black hits the one left on 1 and White enters from the bar.
    r.rolled(Side::White, 2, 1);
    r.stepMade(Side::White, 1, 2);   // 24/22, leaving a blot on its 24 point
    r.stepMade(Side::White, 3, 1);   // 22/21
    r.rolled(Side::Black, 6, 1);
    r.stepMade(Side::Black, 8, 6);   // 8/2
    r.stepMade(Side::Black, 2, 1);   // 2/1*
    r.rolled(Side::White, 5, 3);
    r.stepMade(Side::White, 0, 3);   // enters on Black's 3 point: 25/22
    r.stepMade(Side::White, 12, 5);  // 13/8
    const auto& actions = r.record().games.at(0).actions;
    EXPECT_EQ(actions[1].steps, (std::vector<RecordedStep>{step(8, 2), step(2, 1, true)}));
    EXPECT_EQ(actions[2].steps, (std::vector<RecordedStep>{step(25, 22), step(13, 8)}));
}

TEST(MatchRecorder, EachSideCountsTowardsItsOwnHome) {
    EXPECT_EQ(ownPointOf(Side::White, 24), 1);
    EXPECT_EQ(ownPointOf(Side::White, 1), 24);
    EXPECT_EQ(ownPointOf(Side::Black, 6), 6);
    EXPECT_EQ(ownPointOf(Side::Black, 0), 25);  // the bar
    EXPECT_EQ(ownPointOf(Side::White, 0), 25);
}

TEST(MatchRecorder, BackTakesTheStepsAwayAndRestoresTheBoard) {
    MatchRecorder r;
    r.startGame(0, 0, 0, false);
    r.rolled(Side::White, 6, 5);
    r.stepMade(Side::White, 1, 6);
    r.stepMade(Side::White, 7, 5);
    r.turnUndone(Side::White);
    EXPECT_TRUE(r.record().games[0].actions[0].steps.empty());
    EXPECT_EQ(r.position().count[1], 2);
    r.stepMade(Side::White, 12, 6);
    r.stepMade(Side::White, 12, 5);
    EXPECT_EQ(r.record().games[0].actions[0].steps, (std::vector<RecordedStep>{step(13, 7), step(13, 8)}));
}

TEST(MatchRecorder, AStepTheBoardRefusesOrOutOfTurnIsNotRecorded) {
    MatchRecorder r;
    r.stepMade(Side::White, 1, 6);  // no game yet
    r.startGame(0, 0, 0, false);
    r.rolled(Side::White, 6, 5);
    r.stepMade(Side::Black, 24, 6);  // not Black's roll
    r.stepMade(Side::White, 12, 1);  // 12 to 13: Black's point of five
    r.stepMade(Side::White, 99, 1);
    r.rolled(Side::Black, 7, 1);     // no such die
    ASSERT_EQ(r.record().games[0].actions.size(), 1u);
    EXPECT_TRUE(r.record().games[0].actions[0].steps.empty());
}

TEST(MatchRecorder, AResignationOverUnplayedDiceDropsTheRollUnlessItIsTheGamesFirst) {
    MatchRecorder r;
    r.startGame(0, 0, 0, false);
    r.rolled(Side::White, 6, 5);  // the opening roll: it stays, or the game would have no roll
    r.resigned(Side::White);
    r.gameEnded(Side::Black, 1);
    const RecordedGame& first = r.record().games[0];
    ASSERT_EQ(first.actions.size(), 2u);
    EXPECT_EQ(first.actions[0].kind, RecordedKind::Roll);
    EXPECT_TRUE(first.actions[0].steps.empty());
    EXPECT_EQ(first.actions[1].kind, RecordedKind::Resign);
    EXPECT_TRUE(first.ended);
    EXPECT_EQ(first.winner, Side::Black);
    r.rolled(Side::White, 6, 5);  // after the end nothing more is added
    EXPECT_EQ(r.record().games[0].actions.size(), 2u);

    r.startGame(0, 0, 1, false);
    r.rolled(Side::Black, 3, 1);
    r.stepMade(Side::Black, 8, 3);
    r.stepMade(Side::Black, 6, 1);
    r.rolled(Side::White, 6, 5);  // later in a game an unplayed roll goes
    r.resigned(Side::White);
    const RecordedGame& second = r.record().games[1];
    ASSERT_EQ(second.actions.size(), 2u);
    EXPECT_EQ(second.actions[0].side, Side::Black);
    EXPECT_EQ(second.actions[1].kind, RecordedKind::Resign);
}

TEST(MatchRecorder, ASetUpGameIsFollowedFromItsPositionAndItsDiceAreTheFirstRoll) {
    // White bears off from 23 and 24, which only the set-up board allows.
    const Position board = testing::positionOf({{23, 1}, {24, 1}, {1, -2}, {6, -3}});
    MatchRecorder r;
    r.startGame(0, 0, 0, false);
    r.setUp({board, Side::White, 2, 1, Cube::of(4, 0)});
    r.stepMade(Side::White, 23, 2);
    r.stepMade(Side::White, 24, 1);
    r.gameEnded(Side::White, 4);
    const RecordedGame& game = r.record().games.at(0);
    ASSERT_TRUE(game.setup);
    EXPECT_EQ(game.setup->cube.value(), 4);
    ASSERT_EQ(game.actions.size(), 1u);
    EXPECT_EQ(game.actions[0].side, Side::White);
    EXPECT_EQ(game.actions[0].steps, (std::vector<RecordedStep>{step(2, 0), step(1, 0)}));
    EXPECT_EQ(r.position().offWhite, 15);

    // Dice that are no roll leave the side still to roll; a set-up after the first move is ignored.
    r.startGame(0, 4, 0, false);
    r.setUp({board, Side::Black, 3, 0, Cube{}});
    EXPECT_EQ(r.record().games[1].setup->dieA, 0);
    EXPECT_TRUE(r.record().games[1].actions.empty());
    r.rolled(Side::Black, 6, 5);
    r.setUp({startingPosition(), Side::White, 0, 0, Cube{}});
    EXPECT_TRUE(r.record().games[1].setup->position.sameCheckersAs(board));
}

}  // namespace
}  // namespace lumaro
