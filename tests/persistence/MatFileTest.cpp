// The match file against text written out by hand in the layout the analysers import: a short
// match game with the cube turned twice and dropped, a game borne off, a money session with
// resignations, and a session that stops in the middle of a game.
#include <gtest/gtest.h>

#include "support/TempFolder.h"
#include "game/MatchRecord.h"
#include "persistence/MatFile.h"

namespace lumaro {
namespace {

using testing::TempFolder;

RecordedAction roll(Side side, int a, int b, std::vector<RecordedStep> steps) {
    return RecordedAction{RecordedKind::Roll, side, a, b, std::move(steps)};
}

// Game 1 of a match to 5, played through the recorder as the game feeds it.
void playCubeGame(MatchRecorder& r) {
    r.startGame(5, 0, 0, false);
    r.rolled(Side::White, 3, 1);
    r.stepMade(Side::White, 17, 3);
    r.stepMade(Side::White, 19, 1);
    r.rolled(Side::Black, 6, 4);
    r.stepMade(Side::Black, 24, 6);
    r.stepMade(Side::Black, 13, 4);
    r.doubled(Side::White);
    r.took(Side::Black);
    r.rolled(Side::White, 6, 2);
    r.stepMade(Side::White, 12, 6);
    r.stepMade(Side::White, 1, 2);
    r.rolled(Side::Black, 4, 3);
    r.stepMade(Side::Black, 0, 4);
    r.stepMade(Side::Black, 13, 3);
    r.rolled(Side::White, 2, 1);
    r.stepMade(Side::White, 17, 2);
    r.stepMade(Side::White, 17, 1);
    r.doubled(Side::Black);
    r.dropped(Side::White);
    r.gameEnded(Side::Black, 2);
}

TEST(MatFile, AMatchWithTheCubeAndABearOff) {
    MatchRecorder r;
    playCubeGame(r);
    MatchRecord record = r.record();
    // Game 2: laid out by hand (the writer does not replay the board), Black bears off its last two.
    RecordedGame g2;
    g2.blackScore = 2;
    g2.actions = {roll(Side::Black, 6, 6, {{6, 0}, {6, 0}, {6, 0}, {6, 0}}), roll(Side::White, 5, 4, {}),
                  roll(Side::Black, 2, 1, {{2, 0}, {1, 0}})};
    g2.ended = true;
    g2.winner = Side::Black;
    g2.points = 1;
    record.games.push_back(g2);

    const std::string expected =
        "; [EventDate \"2026.12.08\"]\n"
        "\n"
        " 5 point match\n"
        "\n"
        " Game 1\n"
        " Computer : 0                   Master : 0\n"
        "  1)                             31: 8/5 6/5 \n"
        "  2) 64: 24/18 13/9               Doubles => 2\n"
        "  3)  Takes                      62: 13/7* 24/22 \n"
        "  4) 43: 25/21 13/10             21: 8/6 8/7 \n"
        "  5)  Doubles => 4                Drops\n"
        "      Wins 2 points\n"
        "\n"
        " Game 2\n"
        " Computer : 2                   Master : 0\n"
        "  1) 66: 6/0 6/0 6/0 6/0         54: \n"
        "  2) 21: 2/0 1/0                 \n"
        "      Wins 1 point\n"
        "\n";
    EXPECT_EQ(matText(record, MatHeader{"Master", "Computer", "2026.12.08"}), expected);
}

TEST(MatFile, SingleGamesAreAMoneySessionWhosePointsRunOn) {
    MatchRecorder r;
    r.startGame(0, 0, 0, false);
    r.rolled(Side::White, 3, 1);
    r.stepMade(Side::White, 17, 3);
    r.stepMade(Side::White, 19, 1);
    r.resigned(Side::Black);
    r.gameEnded(Side::White, 1);
    r.startGame(0, 0, 0, false);  // the game's own totals do not matter: the file keeps its tally
    r.rolled(Side::Black, 6, 4);
    r.stepMade(Side::Black, 24, 6);
    r.stepMade(Side::Black, 13, 4);
    r.resigned(Side::White);
    r.gameEnded(Side::Black, 2);
    const std::string expected =
        "\n"
        " 0 point match\n"
        "\n"
        " Game 1\n"
        " Computer : 0                   Read_only : 0\n"
        "  1)                             31: 8/5 6/5 \n"
        "                                  Wins 1 point\n"
        "\n"
        " Game 2\n"
        " Computer : 0                   Read_only : 1\n"
        "  1) 64: 24/18 13/9              \n"
        "      Wins 2 points\n"
        "\n";
    EXPECT_EQ(matText(r.record(), MatHeader{"Read only", "Computer", ""}), expected);
}

TEST(MatFile, AGameGivenUpAtOnceKeepsItsRollOrIsLeftOut) {
    MatchRecorder r;
    r.startGame(5, 0, 0, false);
    r.rolled(Side::White, 6, 5);  // the opening roll, and White gives up over it
    r.resigned(Side::White);
    r.gameEnded(Side::Black, 1);
    r.startGame(5, 0, 1, false);  // nobody has rolled when White gives up
    r.resigned(Side::White);
    r.gameEnded(Side::Black, 2);
    r.startGame(5, 0, 3, false);
    r.rolled(Side::Black, 3, 1);
    r.stepMade(Side::Black, 8, 3);
    r.stepMade(Side::Black, 6, 1);
    r.resigned(Side::White);
    r.gameEnded(Side::Black, 1);
    const std::string expected =
        "\n"
        " 5 point match\n"
        "\n"
        " Game 1\n"
        " Computer : 0                   Master : 0\n"
        "  1)                             65: \n"
        "      Wins 1 point\n"
        "\n"
        " Game 2\n"
        " Computer : 3                   Master : 0\n"
        "  1) 31: 8/5 6/5                 \n"
        "      Wins 1 point\n"
        "\n";
    EXPECT_EQ(matText(r.record(), MatHeader{"Master", "Computer", ""}), expected);
}

TEST(MatFile, ADropByTheLeftPlayerAndAnUnfinishedGame) {
    MatchRecord record;
    record.matchLength = 3;
    RecordedGame g;
    g.whiteScore = 1;
    g.actions = {roll(Side::Black, 5, 2, {{13, 8}, {13, 11}}), RecordedAction{RecordedKind::Double, Side::White, 0, 0, {}},
                 RecordedAction{RecordedKind::Drop, Side::Black, 0, 0, {}}};
    g.ended = true;
    g.winner = Side::White;
    g.points = 1;
    record.games.push_back(g);
    RecordedGame open;  // the session stopped during this game
    open.whiteScore = 2;
    open.actions = {roll(Side::White, 4, 4, {{24, 20}, {24, 20}, {13, 9}, {13, 9}})};
    record.games.push_back(open);
    const std::string expected =
        "\n"
        " 3 point match\n"
        "\n"
        " Game 1\n"
        " Computer : 0                   Master : 1\n"
        "  1) 52: 13/8 13/11               Doubles => 2\n"
        "  2)  Drops                       Wins 1 point \n"
        "\n"
        " Game 2\n"
        " Computer : 0                   Master : 2\n"
        "  1)                             44: 24/20 24/20 13/9 13/9\n";
    EXPECT_EQ(matText(record, MatHeader{}), expected);
}

TEST(MatFile, NamesStayOneWordAndTheFileIsWrittenWhole) {
    EXPECT_EQ(matPlayerName("Anna Maria: 2"), "Anna_Maria._2");
    EXPECT_EQ(matPlayerName(""), "Player");
    TempFolder folder;
    MatchRecorder r;
    playCubeGame(r);
    const std::string path = folder.file("session.mat");
    ASSERT_TRUE(writeMatFile(path, r.record(), MatHeader{}));
    EXPECT_EQ(testing::readText(path), matText(r.record(), MatHeader{}));
    std::string why;
    EXPECT_FALSE(writeMatFile(folder.file("missing/session.mat"), r.record(), MatHeader{}, &why));
    EXPECT_FALSE(why.empty());
}

}  // namespace
}  // namespace lumaro
