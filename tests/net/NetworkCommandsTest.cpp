// The commands of a network game at the moments a player may try them: the invitation refused or
// met by a busy host, START on the wrong side, doubles at the wrong moment, leaving while the peer
// is on turn.
#include <gtest/gtest.h>

#include "RandomNetPlayer.h"
#include "RawPeer.h"
#include "ai/NeuralNets.h"
#include "game/Hint.h"
#include "game/MenuCommands.h"

namespace lumaro::testing {
namespace {

bool showed(const Program& p, const std::string& line1, const std::string& line2) {
    for (const Message& m : p.screen.messages)
        if (m.line1 == line1 && m.line2 == line2) return true;
    return false;
}

int commandsSent(const Program& p, Byte code) {
    int n = 0;
    for (const std::string& bytes : p.sent) {
        const net::Parsed m = net::parseBlock(bytes);
        if (bytes.rfind("cmnd", 0) == 0 && m.kind == net::Parsed::Kind::Command && m.payload[1] == code) ++n;
    }
    return n;
}

// The caller presses START once; both sides then idle for `seconds` of game time.
void startOnce(NetworkPair& pair, int seconds) {
    auto caller = [&](Program& p) {
        MenuCommands(p.game).start(Game::ShellState{});
        for (int i = 0; i < seconds * 20; ++i) pair.delay(0, 50);
    };
    auto host = [&](Program&) {
        for (int i = 0; i < seconds * 20; ++i) pair.delay(1, 50);
    };
    pair.run(caller, host);
}

TEST(NetworkCommands, StartWithoutAConnectionSaysSo) {
    FakeScreen screen;
    Game game(screen);
    game.changeOptions([&](Options& o) { o.humanOpponent = true; });
    game.changeOptions([&](Options& o) { o.localPlay = false; });
    net::RemoteProgram remote(game);
    game.setRemote(&remote);
    EXPECT_TRUE(MenuCommands(game).start(Game::ShellState{}));
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].line1, "You have to be connected");
    EXPECT_EQ(screen.messages[0].line2, "for a network game!");
    EXPECT_FALSE(game.state().gameOn());
}

// A connection makes both programs play by the same rules, whatever each had chosen: a single
// game with the cube and the Jacoby rule, automatic dice, alternating first moves.
TEST(NetworkCommands, ConnectingForcesTheRulesBothPlayBy) {
    NetworkPair pair(6);
    for (Program& p : pair.side)
        p.game.changeOptions([](Options& o) {
            o.matchPlay = true;
            o.cubeEnabled = o.jacobyRule = o.automaticDice = o.alternateFirstMove = false;
        });
    pair.connect();
    for (const Program& p : pair.side) {
        const Options& o = p.game.options();
        EXPECT_FALSE(o.matchPlay);
        EXPECT_TRUE(o.cubeEnabled && o.jacobyRule && o.alternateFirstMove);
        EXPECT_TRUE(o.automaticDice);
    }
}

TEST(NetworkCommands, ABusyHostAndARefusedInvitation) {
    {
        NetworkPair pair(1);
        pair.connect();
        pair.side[1].remote.toolWindowOpen = [] { return true; };  // the host has its settings open
        startOnce(pair, 10);
        EXPECT_TRUE(showed(pair.side[0], "Host is busy!", ""));
        EXPECT_FALSE(pair.side[0].game.state().gameOn());
        EXPECT_FALSE(pair.side[1].game.state().gameOn());
        EXPECT_TRUE(pair.side[0].game.connected());
    }
    {
        NetworkPair pair(2);
        pair.connect();
        pair.side[1].screen.decide = [](const Message& m) {
            return m.line1 == "Play with Caller" && m.line2 == "[127.0.0.1] ?" ? Answer::No : Answer::Yes;
        };
        startOnce(pair, 10);
        EXPECT_TRUE(showed(pair.side[0], "Invite Host", "[127.0.0.1]..."));
        EXPECT_TRUE(showed(pair.side[0], "Invitation refused", ""));
        EXPECT_FALSE(pair.side[1].game.state().gameOn());
        EXPECT_EQ(pair.side[1].remote.opponentName(), "Caller");
        EXPECT_EQ(pair.side[0].remote.hostName(), "Host");
    }
}

TEST(NetworkCommands, NamesTravelOneByteACharacter) {
    NetworkPair pair(5);
    pair.connect();
    // 17 characters, 22 bytes of UTF-8; and a name whose Ł is not Latin-1.
    pair.side[0].game.changeOptions([](Options& o) { o.playerName = "Zo\u00eb \u00d1\u00fa\u00f1ez-\u00d8deg\u00e5rd"; });
    pair.side[1].game.changeOptions([](Options& o) { o.playerName = "\u0141ucja"; });
    startOnce(pair, 10);
    EXPECT_EQ(pair.side[1].remote.opponentName(), pair.side[0].game.options().playerName);
    EXPECT_EQ(pair.side[0].remote.hostName(), "?ucja");
    EXPECT_TRUE(showed(pair.side[1], "Play with " + pair.side[0].game.options().playerName, "[127.0.0.1] ?"));
    bool sawName = false;
    for (const std::string& bytes : pair.side[0].sent) {
        const net::Parsed m = net::parseBlock(bytes);
        if (m.kind != net::Parsed::Kind::Command || m.payload[1] != net::kNames) continue;
        sawName = true;
        EXPECT_EQ(m.length, 18);  // the code and one byte a character
        EXPECT_EQ(m.payload[4], 0xEB);  // ë in Latin-1
    }
    EXPECT_TRUE(sawName);
}

TEST(NetworkCommands, TheGamesAlternateWhoBeginsAndTheHostCannotStart) {
    NetworkPair pair(3);
    pair.connect();
    pair.side[0].game.arrangeNextNetworkBeginner(false);  // toggled at the start: the caller begins
    startOnce(pair, 10);
    const Game& c = pair.side[0].game;
    const Game& h = pair.side[1].game;
    ASSERT_TRUE(c.state().gameOn() && h.state().gameOn());
    EXPECT_TRUE(showed(pair.side[0], "Alternate play. White begins!", "Starting a new game..."));
    EXPECT_TRUE(showed(pair.side[1], "Alternate play. Black begins!", "Starting a new game..."));
    EXPECT_EQ(c.state().sideToMove(), Side::White);
    EXPECT_TRUE(h.waitingForOpponent());
    // The caller's dice reached the host, as Black's.
    EXPECT_EQ(h.state().dice().dieA, c.state().dice().dieA);
    EXPECT_EQ(h.state().dice().dieB, c.state().dice().dieB);
    Game& host = pair.side[1].game;
    EXPECT_TRUE(host.hostSide());
    host.stopGameUnscored();
    EXPECT_FALSE(MenuCommands(host).start(Game::ShellState{}));  // the host never starts a game
}

TEST(NetworkCommands, DoublesOnlyBeforeTheOwnRollAndLeavingWhileThePeerPlays) {
    NetworkPair pair(4);
    pair.connect();
    pair.side[0].game.arrangeNextNetworkBeginner(false);  // the caller begins
    int refusedDoubles = 0;
    bool forcedExit = false;
    auto caller = [&](Program& p) {
        Game& g = p.game;
        MenuCommands(g).start(Game::ShellState{});
        for (int i = 0; i < 40; ++i) pair.delay(0, 50);
        // Just rolled: the cube does nothing, nor does it while the peer plays.
        ASSERT_EQ(g.state().sideToMove(), Side::White);
        g.clickCube();
        if (commandsSent(p, net::kDouble) == 0) ++refusedDoubles;
        MenuCommands(g).move(Game::ShellState{});  // MOVE plays the roll for the player
        g.clickDice();                      // and the move goes to the peer
        ASSERT_TRUE(g.waitingForOpponent());
        g.clickCube();
        if (commandsSent(p, net::kDouble) == 0) ++refusedDoubles;
        // While the peer is on turn ABORT asks nothing; EXIT offers the forced resignation.
        EXPECT_FALSE(MenuCommands(g).abort(Game::ShellState{}));
        const std::size_t before = p.screen.messages.size();
        EXPECT_TRUE(MenuCommands(g).exit(Game::ShellState{}));
        ASSERT_GE(p.screen.messages.size(), before + 2);
        EXPECT_EQ(p.screen.messages[before].line1, "Resign and force exit");
        forcedExit = !g.state().gameOn();
        EXPECT_EQ(p.screen.messages.back().line1, "Disconnect and exit?");
        for (int i = 0; i < 100; ++i) pair.delay(0, 50);
    };
    auto host = [&](Program&) {
        for (int i = 0; i < 200; ++i) pair.delay(1, 50);
    };
    pair.run(caller, host);
    EXPECT_EQ(refusedDoubles, 2);
    EXPECT_TRUE(forcedExit);
    EXPECT_EQ(commandsSent(pair.side[0], net::kResign), 0);  // the peer is not told
    EXPECT_EQ(pair.side[0].game.state().scores().blackGamesWon, 1);
    EXPECT_TRUE(pair.side[1].game.state().gameOn());  // the host's game goes on until it hears more
}

// The peer doubles before its roll: while White's question is up the hint says take or pass, as
// for the computer's double; the answer reaches the peer and the cube is White's.
TEST(NetworkCommands, ThePeersDoubleGetsTheHintsTakeOrPass) {
    RawPeer host(true);
    const NeuralNets nets = NeuralNets::testWeights(5);
    host.game.setNets(&nets);
    HintAdvisor advisor;
    host.hostStartsAGameTheCallerBegins();
    Hint during;
    host.screen.whileShown = [&](const Message&) { during = advisor.hintFor(host.game, 0); };
    const std::size_t sentBefore = host.sent.size();
    host.runs(net::kDouble, {}, 0x45);
    EXPECT_EQ(during.title, "Black doubles");
    ASSERT_EQ(during.lines.size(), 1u);
    EXPECT_EQ(during.figures.size(), 2u);
    EXPECT_TRUE(during.lines[0] == "Take." || during.lines[0] == "Pass.") << during.lines[0];
    const std::vector<net::Parsed> answers = host.messagesSince(sentBefore);
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0].payload[1], net::kYes);
    EXPECT_EQ(answers[0].key, 0x45);
    EXPECT_EQ(host.game.state().cube().value(), 2);
    EXPECT_EQ(host.game.state().cube().ownerWhite(), 1);
    EXPECT_TRUE(host.game.waitingForOpponent());
}

}  // namespace
}  // namespace lumaro::testing
