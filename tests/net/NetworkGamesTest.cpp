// Two programs play whole network games against each other over an in-memory connection: random
// legal plays by click, doubles offered, taken and dropped, resignations. After every replayed move
// both boards are the same game seen from the two sides, and at the end both have booked the same
// results.
#include <gtest/gtest.h>

#include <vector>

#include "RandomNetPlayer.h"

namespace lumaro::testing {
namespace {

void expectMirrored(const Game& here, const Game& there) {
    const Position mine = here.state().position();
    EXPECT_TRUE(mine.sameCheckersAs(mirrored(there.state().position())));
    EXPECT_EQ(whiteCheckersOf(mine), 15);
    EXPECT_EQ(blackCheckersOf(mine), 15);
}

TEST(NetworkGames, TwoHundredWholeGamesStayInStep) {
    constexpr int kGames = 200;
    NetworkPair pair(2024);
    pair.connect();
    RandomPlayer players[2] = {RandomPlayer(11, kGames), RandomPlayer(22, 0)};
    int replays = 0;
    for (int i = 0; i < 2; ++i) {
        players[i].answerQuestions(pair.side[i]);
        pair.side[i].remote.onMoveReplayed = [&, i] {
            ++replays;
            expectMirrored(pair.side[i].game, pair.side[1 - i].game);
        };
    }
    bool callerDone = false;
    auto caller = [&](Program& p) {
        while (players[0].act(p) && players[0].actions < 5000000) pair.delay(0, 50);
        callerDone = true;
    };
    auto host = [&](Program& p) {
        while (!callerDone && players[1].actions < 5000000) {
            players[1].act(p);
            pair.delay(1, 50);
        }
    };
    pair.run(caller, host);

    const Game& c = pair.side[0].game;
    const Game& h = pair.side[1].game;
    EXPECT_EQ(players[0].gamesStarted, kGames);
    EXPECT_TRUE(c.connected());
    EXPECT_GT(replays, kGames * 10);
    // Every game was booked on both sides, each from its own side of the board.
    EXPECT_EQ(c.state().scores().whiteGamesWon + c.state().scores().blackGamesWon, kGames);
    EXPECT_EQ(c.state().scores().whiteGamesWon, h.state().scores().blackGamesWon);
    EXPECT_EQ(c.state().scores().blackGamesWon, h.state().scores().whiteGamesWon);
    EXPECT_EQ(c.state().scores().whitePointsTotal, h.state().scores().blackPointsTotal);
    EXPECT_EQ(c.state().scores().blackPointsTotal, h.state().scores().whitePointsTotal);
    for (const Program& p : pair.side)
        for (const Message& m : p.screen.messages) EXPECT_NE(m.line1, "Communication error!");
    std::vector<std::string> results[2];
    for (int i = 0; i < 2; ++i)
        for (const Message& m : pair.side[i].screen.messages)
            if (m.kind == MessageKind::Result) results[i].push_back(m.line2);
    EXPECT_EQ(results[0], results[1]);
    // Both sides recorded every game, each from its own side: the same points, the winners mirrored,
    // and each record's board is its own game's board.
    const auto& callerGames = c.recorder().record().games;
    const auto& hostGames = h.recorder().record().games;
    ASSERT_EQ(callerGames.size(), static_cast<std::size_t>(kGames));
    ASSERT_EQ(hostGames.size(), callerGames.size());
    for (std::size_t g = 0; g < callerGames.size(); ++g) {
        EXPECT_TRUE(callerGames[g].ended && hostGames[g].ended) << g;
        EXPECT_EQ(callerGames[g].points, hostGames[g].points) << g;
        EXPECT_NE(callerGames[g].winner, hostGames[g].winner) << g;
    }
    EXPECT_TRUE(c.recorder().position().sameCheckersAs(c.state().position()));
    EXPECT_TRUE(h.recorder().position().sameCheckersAs(h.state().position()));
    if (::testing::Test::HasFailure())
        for (const Program& p : pair.side) {
            std::printf("side %d\n", p.index);
            for (const Message& m : p.screen.messages) std::printf("  %s | %s\n", m.line1.c_str(), m.line2.c_str());
        }
}

}  // namespace
}  // namespace lumaro::testing
