// GNU Backgammon's match format against text written out by hand: a match with the cube turned,
// dropped and its Crawford game; a money session with the Jacoby rule where the opening roll is
// given up, a game starts from a set-up position with its dice and a turned cube, and a game
// without the cube is given up before anybody rolled.
#include <gtest/gtest.h>

#include "game/MatchRecord.h"
#include "persistence/SgfFile.h"
#include "support/Positions.h"

namespace lumaro {
namespace {

TEST(SgfFile, AMatchWithItsRulesTheCubeAndTheCrawfordGame) {
    MatchRecorder r;
    r.startGame(3, 0, 0, false);
    r.rolled(Side::White, 3, 1);
    r.stepMade(Side::White, 17, 3);
    r.stepMade(Side::White, 19, 1);
    r.rolled(Side::Black, 6, 4);
    r.stepMade(Side::Black, 24, 6);
    r.stepMade(Side::Black, 13, 4);
    r.doubled(Side::White);
    r.took(Side::Black);
    r.rolled(Side::White, 6, 2);
    r.stepMade(Side::White, 12, 6);  // hits on 18
    r.stepMade(Side::White, 1, 2);
    r.rolled(Side::Black, 4, 3);
    r.stepMade(Side::Black, 0, 4);  // enters on 21
    r.stepMade(Side::Black, 13, 3);
    r.rolled(Side::White, 2, 1);
    r.stepMade(Side::White, 17, 2);
    r.stepMade(Side::White, 17, 1);
    r.doubled(Side::Black);
    r.dropped(Side::White);
    r.gameEnded(Side::Black, 2);
    MatchRecord record = r.record();
    // The Crawford game, laid out by hand: Black dances, White bears off its last two.
    RecordedGame crawford;
    crawford.blackScore = 2;
    crawford.crawford = true;
    crawford.actions = {RecordedAction{RecordedKind::Roll, Side::Black, 4, 4, {}},
                        RecordedAction{RecordedKind::Roll, Side::White, 6, 5, {{6, 0}, {5, 0}}}};
    crawford.ended = true;
    crawford.winner = Side::White;
    crawford.points = 1;
    record.games.push_back(crawford);

    const std::string expected =
        "(;FF[4]GM[6]CA[UTF-8]AP[Lumaro 2]MI[length:3][game:0][ws:0][bs:0]PW[Computer]PB[Mas\\]ter]"
        "DT[2026-12-08]RU[Crawford]RE[W+2]\n"
        ";B[31qtst]\n"
        ";W[64xrmi]\n"
        ";B[double]\n"
        ";W[take]\n"
        ";B[62lrac]\n"
        ";W[43yumj]\n"
        ";B[21qsqr]\n"
        ";W[double]\n"
        ";B[drop])\n"
        "(;FF[4]GM[6]CA[UTF-8]AP[Lumaro 2]MI[length:3][game:1][ws:2][bs:0]PW[Computer]PB[Mas\\]ter]"
        "RU[Crawford:CrawfordGame]RE[B+1]\n"
        ";W[44]\n"
        ";B[65sztz])\n";
    EXPECT_EQ(sgfText(record, MatHeader{"Mas]ter", "Computer", "2026.12.08"}), expected);
}

TEST(SgfFile, ASetUpGameIsWrittenFromItsPositionWithItsDiceAndCube) {
    const RecordedRules jacoby{true, true, true};
    MatchRecorder r;
    r.startGame(0, 0, 0, false, jacoby);
    r.rolled(Side::Black, 5, 2);  // the opening roll, given up unplayed: dice set, no play
    r.resigned(Side::Black);
    r.gameEnded(Side::White, 1);

    // White on roll with 6-4 and two checkers on the bar, Black holding a 2-cube.
    r.startGame(0, 1, 0, false, jacoby);
    const Position board = testing::positionOf({{20, 3}, {5, 1}, {3, -2}, {24, -1}}, 2, 1);
    r.setUp({board, Side::White, 6, 4, Cube::of(2, 0)});
    r.stepMade(Side::White, 0, 6);
    r.stepMade(Side::White, 0, 4);
    r.rolled(Side::Black, 2, 1);
    r.stepMade(Side::Black, 0, 2);
    r.stepMade(Side::Black, 3, 1);
    r.doubled(Side::Black);
    r.dropped(Side::White);
    r.gameEnded(Side::Black, 2);

    // Without the cube the Jacoby rule is not played; given up before anybody rolled.
    r.startGame(0, 1, 2, false, RecordedRules{false, true, true});
    r.resigned(Side::White);
    r.gameEnded(Side::Black, 1);

    const std::string expected =
        "(;FF[4]GM[6]CA[UTF-8]AP[Lumaro 2]MI[length:0][game:0][ws:0][bs:0]PW[Computer]PB[Master]"
        "RU[Jacoby]RE[B+1R]\n"
        ";PL[W]DI[52])\n"
        "(;FF[4]GM[6]CA[UTF-8]AP[Lumaro 2]MI[length:0][game:1][ws:0][bs:1]PW[Computer]PB[Master]"
        "RU[Jacoby]RE[W+2]\n"
        ";PL[B]AE[a:y]AW[c][c][x][y]AB[t][t][t][e][y][y]\n"
        ";CV[2]\n"
        ";CP[w]\n"
        ";PL[B]DI[64]\n"
        ";B[64yfyd]\n"
        ";W[21ywcb]\n"
        ";W[double]\n"
        ";B[drop])\n"
        "(;FF[4]GM[6]CA[UTF-8]AP[Lumaro 2]MI[length:0][game:2][ws:2][bs:1]PW[Computer]PB[Master]"
        "RU[NoCube]RE[W+1R])\n";
    EXPECT_EQ(sgfText(r.record(), MatHeader{}), expected);
}

}  // namespace
}  // namespace lumaro
