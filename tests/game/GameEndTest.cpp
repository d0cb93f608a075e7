#include <gtest/gtest.h>

#include <limits>

#include "game/GameEnd.h"

using namespace lumaro;

namespace {

using Cells = std::array<std::string, 3>;
Cells cells(const ScoreRow& row) { return {row.label, row.white, row.black}; }

// White has borne off all and wins; Black, the loser, has `off` off and is in `phase`.
GameEnding whiteWins(int off, int phase, Byte cube = 1, bool byCube = false) {
    GameEnding e;
    e.winner = Side::White;
    e.offWhite = 15;
    e.offBlack = static_cast<Byte>(off);
    e.phaseBlack = static_cast<Byte>(phase);
    e.cubeValue = cube;
    e.gameEndedByCube = byCube;
    return e;
}

Options matchTo(int length) {
    Options o;
    o.matchPlay = true;
    o.matchLength = static_cast<Byte>(length);
    return o;
}

}  // namespace

TEST(GameKind, ByTheLosersCheckersAndTheRules) {
    Options plain;
    Options noBackgammons;
    noBackgammons.noBackgammonScoring = 1;
    Options jacoby;
    jacoby.jacobyRule = 1;
    Options jacobyWithoutCube = jacoby;
    jacobyWithoutCube.cubeEnabled = 0;

    EXPECT_EQ(gameKind(whiteWins(1, 1), plain), 1);  // something off: single even from the bar
    EXPECT_EQ(gameKind(whiteWins(0, 0), plain), 2);
    EXPECT_EQ(gameKind(whiteWins(0, 3), plain), 2);
    EXPECT_EQ(gameKind(whiteWins(0, 1), plain), 3);
    EXPECT_EQ(gameKind(whiteWins(0, 2), plain), 3);
    EXPECT_EQ(gameKind(whiteWins(0, 2), noBackgammons), 2);
    EXPECT_EQ(gameKind(whiteWins(0, 2, 2, true), plain), 1);  // a refused double
    EXPECT_EQ(gameKind(whiteWins(0, 2, 1), jacoby), 1);
    EXPECT_EQ(gameKind(whiteWins(0, 2, 2), jacoby), 3);
    EXPECT_EQ(gameKind(whiteWins(0, 2, 1), jacobyWithoutCube), 3);
}

TEST(GameKind, ResignationAtTheStartIsScoredByThePosition) {
    // White resigns: Black wins. White's back checkers sit in Black's home.
    const GameEnding e = gameEndingOf(startingPosition(), Side::Black, false, 2, 1);
    Options o;
    EXPECT_EQ(gameKind(e, o), 3);
    o.noBackgammonScoring = true;
    EXPECT_EQ(gameKind(e, o), 2);

    Options jacoby;
    jacoby.jacobyRule = 1;
    EXPECT_EQ(gameKind(gameEndingOf(startingPosition(), Side::Black, false, 1, 1), jacoby), 1);
}

TEST(GameEnd, SingleGamesBookPointsAndAnnounceTheWinner) {
    Options o;
    Scores s;
    s.whitePointsTotal = 5;
    s.whiteGamesWon = 2;
    Byte crawford = 7;

    GameResult r = endGame(whiteWins(0, 0, 2), o, s, crawford);
    EXPECT_TRUE(r.whiteWon);
    EXPECT_EQ(r.resultPoints, 4);
    EXPECT_EQ(r.message.kind, MessageKind::Result);
    EXPECT_FALSE(r.message.yesNo);
    EXPECT_EQ(r.message.timeout, 50);
    EXPECT_EQ(r.message.line1, "White player is the WINNER !");
    EXPECT_EQ(r.message.line2, "gammon, cube x2, 4 p.");
    ASSERT_EQ(r.message.table.size(), 2u);
    EXPECT_EQ(cells(r.message.table[0]), (Cells{"Score", "9", "0"}));
    EXPECT_EQ(cells(r.message.table[1]), (Cells{"Games", "3", "0"}));
    EXPECT_EQ(crawford, 7);  // only matches keep the mark

    // Black wins a refused double at cube 4, with White in a backgammon position.
    GameEnding refused;
    refused.winner = Side::Black;
    refused.phaseWhite = 2;
    refused.cubeValue = 4;
    refused.gameEndedByCube = true;
    r = endGame(refused, o, s, crawford);
    EXPECT_FALSE(r.whiteWon);
    EXPECT_EQ(r.message.line1, "Black player is the WINNER !");
    EXPECT_EQ(r.message.line2, "single, cube x4, 4 p.");
    EXPECT_EQ(cells(r.message.table[0]), (Cells{"Score", "9", "4"}));

    r = endGame(whiteWins(0, 1, 64), o, s, crawford);
    EXPECT_EQ(r.message.line2, "backgammon, cube x64, 192 p.");
}

TEST(GameEnd, TotalsSaturateInsteadOfWrapping) {
    Options o;
    Scores s;
    s.whitePointsTotal = std::numeric_limits<std::uint32_t>::max() - 1;
    s.whiteGamesWon = std::numeric_limits<std::uint16_t>::max();
    Byte crawford = 0;
    endGame(whiteWins(0, 0, 2), o, s, crawford);
    EXPECT_EQ(s.whitePointsTotal, std::numeric_limits<std::uint32_t>::max());
    EXPECT_EQ(s.whiteGamesWon, std::numeric_limits<std::uint16_t>::max());
}

TEST(GameEnd, CrawfordMarkAtOneAwayAndClearedByTheNextGame) {
    Options o = matchTo(5);
    Scores s;
    s.whiteMatchScore = 2;
    s.blackMatchScore = 2;
    Byte crawford = 0;

    GameEnding gammon = whiteWins(0, 0);
    gammon.gameNumber = 7;
    GameResult r = endGame(gammon, o, s, crawford);
    EXPECT_EQ(r.message.line1, "White player won the GAME!");
    EXPECT_FALSE(r.matchWon);
    EXPECT_EQ(cells(r.message.table[0]), (Cells{"Match", "4", "2"}));
    EXPECT_EQ(crawford, 7);
    EXPECT_TRUE(isCrawfordGame(o, 8, crawford));

    GameEnding blackSingle;
    blackSingle.winner = Side::Black;
    blackSingle.offWhite = 5;
    blackSingle.gameNumber = 8;
    r = endGame(blackSingle, o, s, crawford);
    EXPECT_EQ(r.message.line1, "Black player won the GAME!");
    EXPECT_EQ(cells(r.message.table[0]), (Cells{"Match", "4", "3"}));
    EXPECT_EQ(crawford, 0);
    EXPECT_FALSE(isCrawfordGame(o, 9, crawford));

    // 4-4: both one away, neither ahead, so no Crawford game.
    blackSingle.gameNumber = 9;
    endGame(blackSingle, o, s, crawford);
    EXPECT_EQ(s.blackMatchScore, 4);
    EXPECT_EQ(crawford, 0);

    // A match to 2 marks after the first point.
    Scores fresh;
    endGame(whiteWins(1, 0), matchTo(2), fresh, crawford);
    EXPECT_EQ(crawford, 1);
}

TEST(GameEnd, MatchWinResetsTheScoresAndDropsTheExcess) {
    Options o = matchTo(5);
    Scores s;
    s.whiteMatchScore = 3;
    s.blackMatchScore = 1;
    s.whiteMatchesWon = 2;
    Byte crawford = 5;

    GameResult r = endGame(whiteWins(0, 0, 2), o, s, crawford);  // 3 + 4
    EXPECT_TRUE(r.matchWon);
    EXPECT_EQ(r.message.line1, "White player won the MATCH!");
    EXPECT_EQ(cells(r.message.table[0]), (Cells{"Match", "0", "0"}));
    EXPECT_EQ(cells(r.message.table[1]), (Cells{"Total", "3", "0"}));
    EXPECT_EQ(crawford, 0);

    // A match to 1 is won by the first game and never marks a Crawford game.
    GameEnding blackWins;
    blackWins.winner = Side::Black;
    blackWins.offWhite = 3;
    crawford = 9;
    r = endGame(blackWins, matchTo(1), s, crawford);
    EXPECT_EQ(r.message.line1, "Black player won the MATCH!");
    EXPECT_EQ(s.blackMatchesWon, 1);
    EXPECT_EQ(crawford, 0);
}

TEST(CrawfordGame, OnlyTheGameAfterTheMarkWithTheRuleOn) {
    Options o = matchTo(5);
    EXPECT_TRUE(isCrawfordGame(o, 4, 3));
    EXPECT_FALSE(isCrawfordGame(o, 5, 3));
    EXPECT_FALSE(isCrawfordGame(o, 1, 0));  // no mark, even though 0 + 1 is game 1
    EXPECT_TRUE(isCrawfordGame(o, 1, 255));  // the game counter wrapped
    EXPECT_FALSE(isCrawfordGame(o, 2, 255));

    o.crawfordRule = false;
    EXPECT_FALSE(isCrawfordGame(o, 4, 3));
    Options singles;
    EXPECT_FALSE(isCrawfordGame(singles, 4, 3));
}
