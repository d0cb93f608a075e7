// A peer that falls silent, vanishes, stalls or sends rubbish: each ends in a known state, never a
// hang, never a board with other than fifteen checkers a side.
#include <gtest/gtest.h>

#include "RandomNetPlayer.h"
#include "support/TempFolder.h"

namespace lumaro::testing {
namespace {

using net::Parsed;
using net::parseBlock;

Byte codeOf(const std::string& bytes) {
    const Parsed p = parseBlock(bytes);
    return p.kind == Parsed::Kind::Nothing || p.kind == Parsed::Kind::Chat ? 0 : p.payload[1];
}
bool isCommand(const std::string& bytes, Byte code) {
    return bytes.rfind("cmnd", 0) == 0 && codeOf(bytes) == code;
}

bool showed(const Program& p, const std::string& line1, const std::string& line2) {
    for (const Message& m : p.screen.messages)
        if (m.line1 == line1 && m.line2 == line2) return true;
    return false;
}

int booked(const Program& p) { return p.game.state().scores().whiteGamesWon + p.game.state().scores().blackGamesWon; }

void expectWholeBoard(const Game& g) {
    const Position pos = g.state().position();
    EXPECT_EQ(whiteCheckersOf(pos), 15);
    EXPECT_EQ(blackCheckersOf(pos), 15);
}

// Plays with random clicks on both sides until `stop` says so or ten minutes of game time pass.
struct Scenario {
    NetworkPair pair{99};
    RandomPlayer players[2] = {RandomPlayer(5, 1000), RandomPlayer(6, 0)};
    std::function<bool()> stop = [] { return false; };
    long long limitMs = 600000;

    Scenario() {
        pair.connect();
        for (int i = 0; i < 2; ++i) players[i].answerQuestions(pair.side[i]);
    }
    void run() {
        auto driver = [this](int i) {
            return [this, i](Program& p) {
                while (!stop() && pair.now() < limitMs) {
                    if (p.game.connected() || p.game.state().gameOn()) players[i].act(p);
                    pair.delay(i, 50);
                }
            };
        };
        pair.run(driver(0), driver(1));
    }
};

TEST(NetworkFaults, SilentPeerTimesOutAfterThreePeriods) {
    Scenario s;
    s.pair.side[0].shaper = [](const std::string&) { return std::vector<Read>{}; };  // nothing arrives
    long long erredAt = -1;
    s.stop = [&] {
        if (erredAt < 0 && showed(s.pair.side[0], "Communication error!", "")) erredAt = s.pair.now();
        return erredAt >= 0 && !s.pair.side[1].game.connected();
    };
    s.run();
    // START sent the names and waited three periods of 20 ticks for an answer.
    EXPECT_GE(erredAt, 59000);
    EXPECT_LE(erredAt, 62000);
    EXPECT_FALSE(s.pair.side[0].game.connected());
    EXPECT_FALSE(s.pair.side[1].game.connected());  // the caller ended the connection
    EXPECT_FALSE(s.pair.side[0].game.state().gameOn());
}

TEST(NetworkFaults, PeerGoneMidTurnStopsTheGameWithAMessage) {
    Scenario s;
    Position before{};
    bool dropped = false;
    s.stop = [&] {
        Program& caller = s.pair.side[0];
        Program& host = s.pair.side[1];
        if (!dropped && caller.game.state().gameOn() && caller.game.state().sideToMove() == Side::White && caller.game.state().dice().anyLeft() && !caller.game.hourglass() &&
            s.players[0].actions > 50) {
            // The host's program vanishes while the caller is in the middle of its turn.
            dropped = true;
            host.linkUp = false;
            host.remote.connectionLost();
            s.pair.post(0, {}, 5, true);
        }
        if (dropped && !caller.game.state().gameOn() && before.offWhite == 0 && showed(caller, "Disconnected!", "Game is over.")) return true;
        return false;
    };
    s.run();
    ASSERT_TRUE(dropped);
    const Program& caller = s.pair.side[0];
    EXPECT_FALSE(caller.game.connected());
    EXPECT_FALSE(caller.game.state().gameOn());
    EXPECT_TRUE(showed(caller, "Disconnected!", "Game is over."));
    EXPECT_FALSE(showed(caller, "Communication error!", "Game is over."));
    expectWholeBoard(caller.game);
    if (::testing::Test::HasFailure())
        for (const Message& m : caller.screen.messages) std::printf("  %s | %s\n", m.line1.c_str(), m.line2.c_str());
}

TEST(NetworkFaults, PeerGoneDuringAResponseWaitIsACommunicationError) {
    Scenario s;
    // The host's program vanishes the moment the caller sends a move.
    s.pair.side[0].shaper = [&](const std::string& bytes) {
        if (isCommand(bytes, net::kMove)) {
            s.pair.side[1].linkUp = false;
            s.pair.side[0].linkUp = false;
            s.pair.post(0, {}, 5, true);
            s.pair.post(1, {}, 5, true);
            return std::vector<Read>{};
        }
        return std::vector<Read>{{bytes, 5}};
    };
    s.stop = [&] { return !s.pair.side[0].game.connected() && !s.pair.side[0].game.hourglass() && s.pair.now() > 1000; };
    s.run();
    const Program& caller = s.pair.side[0];
    EXPECT_TRUE(showed(caller, "Communication error!", "Game is over."));
    EXPECT_FALSE(showed(caller, "Disconnected!", "Game is over."));
    EXPECT_FALSE(caller.game.state().gameOn());
    EXPECT_FALSE(caller.game.hourglass());
    expectWholeBoard(caller.game);
    expectWholeBoard(s.pair.side[1].game);
}

void dumpOnFailure(const Scenario& s) {
    if (!::testing::Test::HasFailure()) return;
    for (const Program& p : s.pair.side) {
        std::printf("side %d\n", p.index);
        for (const Message& m : p.screen.messages) std::printf("  %s | %s\n", m.line1.c_str(), m.line2.c_str());
    }
}

TEST(NetworkFaults, RubbishBetweenMessagesChangesNothing) {
    Scenario s;
    int rubbish = 0;
    for (int i = 0; i < 2; ++i)
        s.pair.side[i].shaper = [&rubbish](const std::string& bytes) {
            ++rubbish;
            std::string junk = "\x01zz";
            junk += std::string(rubbish % 300, static_cast<char>('A' + rubbish % 20));
            return std::vector<Read>{{junk, 2}, {bytes, 5}, {"cmnd00", 6}};
        };
    s.players[0] = RandomPlayer(5, 10);
    s.stop = [&] { return booked(s.pair.side[0]) >= 10; };
    s.limitMs = 4 * 3600 * 1000;
    s.run();
    EXPECT_GT(rubbish, 200);
    EXPECT_EQ(s.pair.side[0].game.state().scores().whiteGamesWon + s.pair.side[0].game.state().scores().blackGamesWon, 10);
    EXPECT_TRUE(s.pair.side[0].game.connected());
    for (const Program& p : s.pair.side) EXPECT_FALSE(showed(p, "Communication error!", "Game is over."));
    dumpOnFailure(s);
}

TEST(NetworkFaults, SplitAndMergedReadsPlayOn) {
    Scenario s;
    for (int i = 0; i < 2; ++i)
        s.pair.side[i].shaper = [](const std::string& bytes) {
            const std::size_t half = bytes.size() / 2;
            return std::vector<Read>{{bytes.substr(0, half), 400}, {bytes.substr(half), 700}};
        };
    s.pair.mergeReads = true;
    s.players[0] = RandomPlayer(8, 10);
    s.stop = [&] { return booked(s.pair.side[0]) >= 10; };
    s.limitMs = 4 * 3600 * 1000;
    s.run();
    EXPECT_GT(s.pair.mergedReads, 10);
    EXPECT_EQ(s.pair.side[0].game.state().scores().whiteGamesWon + s.pair.side[0].game.state().scores().blackGamesWon, 10);
    EXPECT_EQ(s.pair.side[0].game.state().scores().whiteGamesWon, s.pair.side[1].game.state().scores().blackGamesWon);
    for (const Program& p : s.pair.side) EXPECT_FALSE(showed(p, "Communication error!", "Game is over."));
    dumpOnFailure(s);
}

// The host's commands of one kind are rewritten on the way; the caller must refuse them.
void rewriteHostCommand(Scenario& s, Byte code, const std::function<std::string(const Parsed&)>& rewrite, bool& done) {
    s.pair.side[1].shaper = [&, code, rewrite](const std::string& bytes) {
        if (!done && isCommand(bytes, code) && s.pair.side[1].game.state().gameOn()) {
            done = true;
            return std::vector<Read>{{rewrite(parseBlock(bytes)), 5}};
        }
        return std::vector<Read>{{bytes, 5}};
    };
}

TEST(NetworkFaults, AnIllegalMoveEndsTheGameAsACommunicationError) {
    Scenario s;
    bool done = false;
    Position callerBefore{};
    rewriteHostCommand(s, net::kMove, [&](const Parsed& p) {
        callerBefore = s.pair.side[0].game.state().position();
        net::Payload bad = p.payload;
        // Four steps of 6 from the host's point 1 (its back checkers): more dice than were rolled,
        // unless the roll was 6-6, and then the fourth step lands on a blocked point or further.
        for (int k = 0; k < 4; ++k) {
            bad[2 + 2 * k] = 1;
            bad[3 + 2 * k] = 6;
        }
        return net::frameMessage(net::Tag::Command, bad, 9, p.key);
    }, done);
    s.stop = [&] { return done && !s.pair.side[0].game.connected() && !s.pair.side[1].game.hourglass(); };
    s.run();
    ASSERT_TRUE(done);
    const Program& caller = s.pair.side[0];
    EXPECT_TRUE(showed(caller, "Communication error!", "Game is over."));
    EXPECT_FALSE(caller.game.state().gameOn());
    EXPECT_TRUE(caller.game.state().position().sameCheckersAs(callerBefore));  // nothing of it was played
    expectWholeBoard(caller.game);
    EXPECT_TRUE(showed(s.pair.side[1], "Communication error!", "Game is over."));
}

TEST(NetworkFaults, ACorruptedCheckByteIsDroppedAndTheSenderTimesOut) {
    Scenario s;
    bool done = false;
    long long sentAt = 0;
    rewriteHostCommand(s, net::kMove, [&](const Parsed& p) {
        sentAt = s.pair.now();
        std::string bytes = net::frameMessage(net::Tag::Command, p.payload, 9, p.key);
        bytes[7] = bytes[7] == '0' ? '1' : '0';
        return bytes;
    }, done);
    long long erredAt = -1;
    s.stop = [&] {
        if (erredAt < 0 && showed(s.pair.side[1], "Communication error!", "Game is over.")) erredAt = s.pair.now();
        return erredAt >= 0 && !s.pair.side[0].game.connected() && s.pair.now() > erredAt + 2000;
    };
    s.run();
    ASSERT_TRUE(done);
    EXPECT_GE(erredAt - sentAt, 58000);
    EXPECT_LE(erredAt - sentAt, 62000);
    // The caller never saw the move: it waited, then lost the connection and was told.
    EXPECT_TRUE(showed(s.pair.side[0], "Disconnected!", "Game is over."));
    expectWholeBoard(s.pair.side[0].game);
    expectWholeBoard(s.pair.side[1].game);
}

TEST(NetworkFaults, TheHostsFirstRollWaitsAMinuteAtMost) {
    Scenario s;
    bool hostBegan = false;
    // The caller's program takes the host's dice and never answers them.
    s.pair.side[1].shaper = [&](const std::string& bytes) {
        if (isCommand(bytes, net::kDice)) {
            hostBegan = true;
            return std::vector<Read>{};
        }
        return std::vector<Read>{{bytes, 5}};
    };
    // The first game is begun by the host: the caller's toggle lands on Black.
    s.pair.side[0].game.arrangeNextNetworkBeginner(true);
    s.stop = [&] { return hostBegan && !s.pair.side[1].game.connected() && !s.pair.side[1].game.hourglass(); };
    s.run();
    ASSERT_TRUE(hostBegan);
    EXPECT_LT(s.pair.now(), 120000);
    EXPECT_TRUE(showed(s.pair.side[1], "Communication error!", "Game is over."));
}

TEST(NetworkFaults, ChatLinesAreCleanedCutAndLogged) {
    Scenario s;
    const lumaro::testing::TempFolder folder;
    const std::string log = folder.file("chat.txt");
    std::vector<std::string> shown;
    s.pair.side[1].remote.chatLogPath = log;
    s.pair.side[1].remote.onChatReceived = [&](const std::string& line) { shown.push_back(line); };
    s.pair.side[0].remote.chatLogPath = "/nonexistent-folder/chat.txt";  // cannot be written: no harm
    bool sent = false;
    s.stop = [&] {
        if (!sent) {
            sent = true;
            EXPECT_TRUE(s.pair.side[0].remote.sendChat("hello\r\nthere"));
            s.pair.side[0].send("chat" + std::string(400, 'z'));
        }
        return shown.size() >= 2;
    };
    s.limitMs = 5000;
    s.run();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], "hellothere");
    EXPECT_EQ(shown[1].size(), 255u);
    std::FILE* f = std::fopen(log.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    char text[64] = {};
    const std::size_t n = std::fread(text, 1, 18, f);
    std::fclose(f);
    EXPECT_EQ(std::string(text, n), "O - hellothere\r\nO ");
}

}  // namespace
}  // namespace lumaro::testing
