// A peer that sends what the game never would, byte for byte: each command is refused at the very
// moment it is run (no answer, or "Communication error!" at once), and nothing of it reaches the
// board, the names or the chat.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "RawPeer.h"
#include "ai/LegalPlays.h"
#include "support/TempFolder.h"
#include "game/MenuCommands.h"

namespace lumaro::testing {
namespace {

using net::Parsed;

const std::string kErrorInGame = "Communication error! | Game is over.";

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string dice(int a, int b) { return {static_cast<char>(a), static_cast<char>(b)}; }

TEST(HostilePeer, ThePeersDiceAreRefusedAtTheDiceCommand) {
    struct Row {
        int a, b;
        bool refused;
    };
    for (const Row row : {Row{7, 3, true}, Row{3, 7, true}, Row{0, 3, true}, Row{3, 0, true}, Row{255, 1, true},
                          Row{6, 6, false}, Row{1, 2, false}}) {
        RawPeer host(true);
        host.hostStartsAGameTheCallerBegins();
        ASSERT_TRUE(host.game.state().gameOn() && host.game.waitingForOpponent());
        const std::size_t sentBefore = host.sent.size(), shownBefore = host.screen.messages.size();
        host.says(RawPeer::command(net::kDice, dice(row.a, row.b), 0x55));
        EXPECT_TRUE(host.shownSince(shownBefore).empty());  // nothing happens before the tick runs it
        host.tick();
        const std::vector<Parsed> answers = host.messagesSince(sentBefore);
        if (row.refused) {
            EXPECT_EQ(host.shownSince(shownBefore), std::vector<std::string>{kErrorInGame}) << row.a << "-" << row.b;
            EXPECT_TRUE(answers.empty()) << row.a << "-" << row.b;
            EXPECT_EQ(host.closes, 1);
            EXPECT_FALSE(host.game.state().gameOn());
        } else {
            EXPECT_TRUE(host.shownSince(shownBefore).empty()) << row.a << "-" << row.b;
            ASSERT_EQ(answers.size(), 1u);
            EXPECT_EQ(answers[0].payload[1], net::kDone);
            EXPECT_EQ(answers[0].key, 0x55);
            EXPECT_EQ(host.game.state().dice().dieA, row.a);
            EXPECT_EQ(host.game.state().dice().dieB, row.b);
        }
    }
}

// The peer doubles before its roll, with the cube in the middle or its own; once it has rolled, or
// while White holds the cube, the double is refused.
TEST(HostilePeer, ADoubleIsRefusedOnceThePeerHasRolledOrWhileWhiteHoldsTheCube) {
    struct Row {
        const char* what;
        bool rolledFirst;
        Byte cubeValue, ownerWhite;
        bool refused;
    };
    for (const Row& row : {Row{"centred", false, 1, 0, false}, Row{"rolled", true, 1, 0, true},
                           Row{"White's cube", false, 2, 1, true}, Row{"Black's cube", false, 2, 0, false}}) {
        RawPeer host(true);
        host.hostStartsAGameTheCallerBegins();
        host.game.arrangeCube(row.cubeValue, row.ownerWhite);
        if (row.rolledFirst) host.runs(net::kDice, dice(3, 4));
        const std::size_t sentBefore = host.sent.size(), shownBefore = host.screen.messages.size();
        host.runs(net::kDouble, {}, 0x77);
        const std::vector<Parsed> answers = host.messagesSince(sentBefore);
        if (row.refused) {
            EXPECT_EQ(host.shownSince(shownBefore), std::vector<std::string>{kErrorInGame}) << row.what;
            EXPECT_TRUE(answers.empty()) << row.what;
            EXPECT_EQ(host.game.state().cube().value(), row.cubeValue) << row.what;
        } else {
            EXPECT_EQ(host.shownSince(shownBefore),
                      std::vector<std::string>{"Black player wants to double. | Do you accept?"}) << row.what;
            ASSERT_EQ(answers.size(), 1u) << row.what;
            EXPECT_EQ(answers[0].payload[1], net::kYes);
            EXPECT_EQ(host.game.state().cube().value(), 2 * row.cubeValue) << row.what;
            EXPECT_EQ(host.game.state().cube().ownerWhite(), 1) << row.what;
        }
    }
}

// The start command counts only once, and only after this host's user said yes to the invitation.
TEST(HostilePeer, TheStartNeedsAnAcceptedInvitation) {
    struct Row {
        const char* what;
        std::function<void(RawPeer&)> before;
    };
    const std::vector<Row> rows = {
        {"no invitation", [](RawPeer&) {}},
        {"invitation refused",
         [](RawPeer& h) {
             h.screen.answers = {Answer::No};
             h.runs(net::kInvite);
         }},
        {"host busy",
         [](RawPeer& h) {
             h.remote.toolWindowOpen = [] { return true; };
             h.runs(net::kInvite);
             h.remote.toolWindowOpen = [] { return false; };
         }},
        {"a second start after the game began",
         [](RawPeer& h) {
             h.runs(net::kInvite);
             h.runs(net::kStartGame, std::string(1, '\1'));
         }},
    };
    for (const Row& row : rows) {
        RawPeer host(true);
        host.runs(net::kNames, "Z");
        row.before(host);
        const bool gameWasOn = host.game.state().gameOn();
        const std::size_t sentBefore = host.sent.size(), shownBefore = host.screen.messages.size();
        host.runs(net::kStartGame, std::string(1, '\1'));
        EXPECT_TRUE(host.messagesSince(sentBefore).empty()) << row.what;
        EXPECT_TRUE(host.shownSince(shownBefore).empty()) << row.what;  // no "Alternate play." either
        EXPECT_EQ(host.game.state().gameOn(), gameWasOn) << row.what;
        EXPECT_TRUE(host.remote.connected()) << row.what;
    }
    // And the one that counts.
    RawPeer host(true);
    host.runs(net::kNames, "Z");
    host.runs(net::kInvite);
    const std::size_t sentBefore = host.sent.size();
    host.runs(net::kStartGame, std::string(1, '\1'), 0x31);
    const std::vector<Parsed> answers = host.messagesSince(sentBefore);
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0].payload[1], net::kDone);
    EXPECT_EQ(answers[0].key, 0x31);
    EXPECT_TRUE(host.game.state().gameOn());
}

TEST(HostilePeer, TheCallerNeitherRunsNorAnswersTheHostsCommands) {
    RawPeer caller(false);
    for (const Byte code : {net::kInvite, net::kNames, net::kStartGame}) {
        caller.runs(code, code == net::kNames ? "Mallory" : std::string(1, '\1'));
        EXPECT_TRUE(caller.sent.empty()) << int(code);
        EXPECT_TRUE(caller.screen.messages.empty()) << int(code);
    }
    EXPECT_FALSE(caller.game.state().gameOn());
    EXPECT_EQ(caller.remote.opponentName(), "");
    EXPECT_TRUE(caller.remote.connected());
}

// A response counts only with the key of the command it answers; any other key fails the exchange
// at once, without waiting out the periods.
TEST(HostilePeer, AResponseWithAnotherKeyFailsTheExchangeAtOnce) {
    // The key of the response: the command's own, or one of 1..255 that is `shift` further on.
    for (const int shift : {0, 1, 128, 254}) {
        RawPeer caller(false);
        caller.reply = [shift](const Parsed& c) -> std::optional<std::string> {
            const Byte key = static_cast<Byte>((c.key - 1 + shift) % 255 + 1);
            if (c.payload[1] == net::kNames) return RawPeer::response(net::kName, "Host", key);
            if (c.payload[1] == net::kInvite) return RawPeer::response(net::kNo, {}, key);
            return std::nullopt;
        };
        MenuCommands(caller.game).start(Game::ShellState{});
        const std::vector<Parsed> commands = caller.messagesSince(0);
        if (shift == 0) {
            EXPECT_EQ(caller.shownSince(0), (std::vector<std::string>{"Invite Host | [10.0.0.9]...", "Invitation refused | "}));
            EXPECT_EQ(commands.size(), 2u);
            continue;
        }
        ASSERT_EQ(commands.size(), 1u) << shift;  // the names, and no invitation after them
        EXPECT_EQ(commands[0].payload[1], net::kNames);
        EXPECT_EQ(caller.shownSince(0), std::vector<std::string>{"Communication error! | "}) << shift;
        EXPECT_LT(caller.nowMs, 1000) << shift;
        EXPECT_EQ(caller.closes, 1);
        EXPECT_EQ(caller.remote.hostName(), "");
    }
}

// Names are cut to 20 characters, whichever side hears them.
TEST(HostilePeer, APeersNameIsCutToTwentyCharacters) {
    const std::string letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    for (std::size_t n = 19; n <= 25; ++n) {
        const std::string name = letters.substr(0, n);
        const std::string stored = letters.substr(0, std::min<std::size_t>(n, 20));
        RawPeer host(true);
        host.runs(net::kNames, name);
        EXPECT_EQ(host.remote.opponentName(), stored) << n;

        RawPeer caller(false);
        caller.reply = [&name](const Parsed& c) -> std::optional<std::string> {
            return RawPeer::response(c.payload[1] == net::kNames ? net::kName : net::kNo,
                                     c.payload[1] == net::kNames ? name : std::string(), c.key);
        };
        MenuCommands(caller.game).start(Game::ShellState{});
        EXPECT_EQ(caller.remote.hostName(), stored) << n;
        EXPECT_EQ(caller.shownSince(0).front(), "Invite " + stored + " | [10.0.0.9]...") << n;
    }
}

// Control characters never reach the screen, the wire or chat.txt, whichever way a line goes.
TEST(HostilePeer, ChatLosesItsControlCharactersBothWays) {
    const lumaro::testing::TempFolder folder;
    const std::string log = folder.file("chat.txt");
    RawPeer host(true);
    host.remote.chatLogPath = log;
    std::vector<std::string> shown;
    host.remote.onChatReceived = [&](const std::string& line) { shown.push_back(line); };

    host.says(std::string("chata\tb\x1b[2J\x7f\r\nc\0d", 17));
    EXPECT_EQ(shown, std::vector<std::string>{"ab[2Jcd"});
    host.says("chat\r\n\x07");  // nothing but controls: no line at all
    EXPECT_EQ(shown.size(), 1u);

    EXPECT_TRUE(host.remote.sendChat("hi\x1b[2J\tthere\r\n"));
    ASSERT_EQ(host.sent.size(), 1u);
    EXPECT_EQ(host.sent[0], "chathi[2Jthere");
    // A line of nothing but controls is no line: nothing sent, nothing logged.
    EXPECT_TRUE(host.remote.sendChat("\r\n\x07"));
    EXPECT_EQ(host.sent.size(), 1u);

    EXPECT_EQ(readFile(log), "O - ab[2Jcd\r\nI - hi[2Jthere\r\n");
}

// While a command waits for its response the chat line refuses: nothing goes between the two.
TEST(HostilePeer, NoChatLineGoesWhileACommandWaitsForItsResponse) {
    RawPeer caller(false);
    caller.reply = [](const Parsed& c) -> std::optional<std::string> {
        return RawPeer::response(c.payload[1] == net::kNames ? net::kName : net::kNo, {}, c.key);
    };
    std::vector<bool> accepted;
    const std::function<void(int)> passTime = caller.screen.onDelay;
    caller.screen.onDelay = [&](int ms) {
        if (caller.remote.responseWaitOn() && accepted.empty()) accepted.push_back(caller.remote.sendChat("hello"));
        passTime(ms);
    };
    MenuCommands(caller.game).start(Game::ShellState{});
    EXPECT_EQ(accepted, std::vector<bool>{false});
    for (const std::string& bytes : caller.sent) EXPECT_NE(bytes.rfind("chat", 0), 0u) << bytes;
    EXPECT_EQ(caller.messagesSince(0).size(), 2u);  // the names and the invitation, nothing between
}

// A chat line followed by a command in the same read: the line ends where the command begins, and
// the command runs. Text that only looks like the start of one stays chat.
TEST(HostilePeer, AChatLineAndACommandInOneRead) {
    RawPeer host(true);
    std::vector<std::string> shown;
    host.remote.onChatReceived = [&](const std::string& line) { shown.push_back(line); };
    host.says("chathello" + RawPeer::command(net::kNames, "Zed", 0x24) + "chatsee cmnd5A100C4B there");
    EXPECT_EQ(shown, (std::vector<std::string>{"hello", "see cmnd5A100C4B there"}));
    host.tick();
    const std::vector<Parsed> answers = host.messagesSince(0);
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0].payload[1], net::kName);
    EXPECT_EQ(answers[0].key, 0x24);
    EXPECT_EQ(host.remote.opponentName(), "Zed");
}

// Half a header from a peer that then fell silent is forgotten after a waiting period of 20 ticks,
// and the next good command runs; within the period, the rest of the message still completes it.
TEST(HostilePeer, AnUnfinishedMessageExpiresAfterTwentyTicks) {
    const std::string names = RawPeer::command(net::kNames, "Zed", 0x24);
    for (const int ticks : {20, 21}) {
        RawPeer host(true);
        host.says(names.substr(0, 7));
        for (int i = 0; i < ticks; ++i) host.tick();
        host.says(ticks == 20 ? names.substr(7) : RawPeer::command(net::kNames, "Amy", 0x25));
        host.tick();
        const std::vector<Parsed> answers = host.messagesSince(0);
        ASSERT_EQ(answers.size(), 1u) << ticks;
        EXPECT_EQ(answers[0].key, ticks == 20 ? 0x24 : 0x25);
        EXPECT_EQ(host.remote.opponentName(), ticks == 20 ? "Zed" : "Amy");
    }
}

// The connection goes while a notice or a question is up, or right after the peer's answer: the
// game neither begins nor gets scored afterwards.
TEST(HostilePeer, AConnectionLostMidwayStartsAndScoresNothing) {
    {
        RawPeer host(true);
        host.screen.whileShown = [&](const Message& m) {
            if (m.line1.rfind("Alternate play.", 0) == 0) host.remote.connectionLost();
        };
        host.runs(net::kNames, "Z");
        host.runs(net::kInvite);
        host.runs(net::kStartGame, std::string(1, '\0'));  // the host would begin
        host.tick();
        EXPECT_FALSE(host.game.state().gameOn());
        EXPECT_EQ(host.messagesSince(0).size(), 2u);  // the name and the yes; no dice
    }
    {
        RawPeer host(true);
        host.hostStartsAGameTheCallerBegins();
        host.screen.answers = {Answer::No};
        host.screen.whileShown = [&](const Message& m) {
            if (m.line1 == "Black player wants to double.") host.remote.connectionLost();
        };
        host.runs(net::kDouble);
        EXPECT_FALSE(host.game.state().gameOn());
        EXPECT_EQ(host.game.state().scores().whiteGamesWon + host.game.state().scores().blackGamesWon, 0);
        EXPECT_EQ(host.game.state().cube().value(), 1);
    }
    {
        RawPeer host(true);
        host.hostStartsAGameTheCallerBegins();
        host.screen.whileShown = [&](const Message& m) {
            if (m.line1 == "Black player resigns...") host.remote.connectionLost();
        };
        host.runs(net::kResign);
        EXPECT_FALSE(host.game.state().gameOn());
        EXPECT_EQ(host.game.state().scores().whiteGamesWon + host.game.state().scores().blackGamesWon, 0);
    }
    {
        RawPeer caller(false);
        caller.game.arrangeNextNetworkBeginner(true);  // toggled at the start: the host begins
        caller.reply = [](const Parsed& c) -> std::optional<std::string> {
            const Byte code = c.payload[1] == net::kNames ? net::kName : c.payload[1] == net::kInvite ? net::kYes : net::kDone;
            return RawPeer::response(code, {}, c.key);
        };
        // The new board is laid out while events run: the connection goes then.
        caller.screen.onLetEventsRun = [&] {
            const std::vector<Parsed> last = caller.messagesSince(caller.sent.size() - 1);
            if (!last.empty() && last[0].payload[1] == net::kStartGame) caller.remote.connectionLost();
        };
        MenuCommands(caller.game).start(Game::ShellState{});
        EXPECT_EQ(caller.shownSince(0).back(), "Alternate play. Black begins! | Starting a new game...");
        EXPECT_FALSE(caller.game.state().gameOn());
    }
}

// While "Communication error!" is up, the program is still ending the failed connection: a caller
// is not to be taken then, even once the failed connection is gone.
TEST(HostilePeer, NoCallerIsTakenWhileTheErrorIsUp) {
    RawPeer host(true);
    std::vector<bool> accepts;
    host.screen.whileShown = [&](const Message& m) {
        if (m.line1 != "Communication error!") return;
        accepts.push_back(host.remote.acceptsCaller());
        host.remote.connectionLost();  // the failed connection goes while the message is up
        accepts.push_back(host.remote.acceptsCaller());
    };
    host.runs(net::kDice, dice(3, 4));  // dice with no game on
    EXPECT_EQ(accepts, (std::vector<bool>{false, false}));
    EXPECT_TRUE(host.remote.acceptsCaller());
}

// Commands come faster than the tick runs them: eight wait their turn and the rest are dropped,
// so a peer cannot fill the memory with them.
TEST(HostilePeer, AFloodOfCommandsKeepsEightAndDropsTheRest) {
    RawPeer host(true);
    std::string flood;
    for (int i = 0; i < 9; ++i) flood += RawPeer::command(net::kNames, std::string(1, static_cast<char>('A' + i)), static_cast<Byte>(0x10 + i));
    host.says(flood);
    for (int i = 0; i < 12; ++i) host.tick();
    const std::vector<Parsed> answers = host.messagesSince(0);
    ASSERT_EQ(answers.size(), 8u);
    EXPECT_EQ(answers.back().key, 0x17);
    EXPECT_EQ(host.remote.opponentName(), "H");
}

// The host begins and has rolled: White is on turn with its dice.
void hostBeginsAndRolls(RawPeer& host) {
    host.reply = [](const Parsed& c) -> std::optional<std::string> { return RawPeer::response(net::kDone, {}, c.key); };
    host.runs(net::kNames, "Z");
    host.runs(net::kInvite);
    host.runs(net::kStartGame, std::string(1, '\0'));
    host.tick();
    ASSERT_EQ(host.game.state().sideToMove(), Side::White);
    ASSERT_NE(host.game.state().dice().dieA, 0);
}

// A command that arrives while a box of the player's own is up waits until the box has closed:
// the peer's resignation does not end the game under the player's question.
TEST(HostilePeer, ACommandWaitsWhileABoxIsUp) {
    RawPeer host(true);
    hostBeginsAndRolls(host);
    const std::size_t shownBefore = host.screen.messages.size();
    std::vector<std::string> shownDuring;
    host.screen.answers = {Answer::No};
    host.screen.whileShown = [&](const Message& m) {
        if (m.line1 != "Do you want to resign?") return;
        host.says(RawPeer::command(net::kResign, {}, 0x66));
        host.tick();
        host.tick();
        shownDuring = host.shownSince(shownBefore);
    };
    MenuCommands(host.game).abort(Game::ShellState{});
    ASSERT_EQ(shownDuring.size(), 1u) << "the resignation waits: no result box under the question";
    EXPECT_EQ(shownDuring[0].rfind("Do you want to resign? | ", 0), 0u) << shownDuring[0];
    EXPECT_TRUE(host.game.state().gameOn());
    host.screen.whileShown = nullptr;
    host.tick();
    const std::vector<std::string> shown = host.shownSince(shownBefore);
    ASSERT_GE(shown.size(), 2u);
    EXPECT_EQ(shown[1], "Black player resigns... | ");
    EXPECT_FALSE(host.game.state().gameOn());
    EXPECT_EQ(host.game.state().scores().whiteGamesWon, 1);
}

// The peer's move counts only after its dice of the same turn: a move that fits the dice still on
// the board (White's last roll) is refused when the peer has sent none.
TEST(HostilePeer, AMoveIsRefusedUntilThePeerHasRolledThisTurn) {
    for (const bool rolledFirst : {true, false}) {
        RawPeer host(true);
        hostBeginsAndRolls(host);
        MenuCommands(host.game).move(Game::ShellState{});
        host.game.clickDice();
        ASSERT_TRUE(host.game.waitingForOpponent());
        const Byte a = host.game.state().dice().dieA, b = host.game.state().dice().dieB;
        if (rolledFirst) host.runs(net::kDice, dice(a, b));
        const Position before = host.game.state().position();
        std::vector<LegalPlay> plays;
        LegalPlays().blackPlays(before, a, b, plays);
        ASSERT_FALSE(plays.empty());
        std::string wire(8, '\0');  // the peer's own points: 25 - ours
        for (int k = 1; k <= 4 && plays[0].play[k].die != 0; ++k) {
            wire[2 * (k - 1)] = static_cast<char>(25 - plays[0].play[k].point);
            wire[2 * (k - 1) + 1] = static_cast<char>(plays[0].play[k].die);
        }
        const std::size_t sentBefore = host.sent.size(), shownBefore = host.screen.messages.size();
        host.runs(net::kMove, wire, 0x5D);
        const std::vector<Parsed> answers = host.messagesSince(sentBefore);
        if (rolledFirst) {
            ASSERT_EQ(answers.size(), 1u);
            EXPECT_EQ(answers[0].payload[1], net::kDone);
            EXPECT_TRUE(host.game.state().position().sameCheckersAs(plays[0].after));
        } else {
            EXPECT_EQ(host.shownSince(shownBefore), std::vector<std::string>{kErrorInGame});
            EXPECT_TRUE(answers.empty());
            EXPECT_TRUE(host.game.state().position().sameCheckersAs(before));
        }
    }
}

// The peer's resignation counts once: the same command again, with no game on, is answered and
// shows and books nothing.
TEST(HostilePeer, AResignationCountsOnceAndAStrayOneChangesNothing) {
    RawPeer host(true);
    host.hostStartsAGameTheCallerBegins();
    host.runs(net::kResign, {}, 0x21);
    ASSERT_FALSE(host.game.state().gameOn());
    const Scores after = host.game.state().scores();
    EXPECT_EQ(after.whiteGamesWon, 1);
    const std::size_t sentBefore = host.sent.size(), shownBefore = host.screen.messages.size();
    host.runs(net::kResign, {}, 0x22);
    EXPECT_TRUE(host.shownSince(shownBefore).empty());
    const std::vector<Parsed> answers = host.messagesSince(sentBefore);
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0].payload[1], net::kDone);
    EXPECT_EQ(answers[0].key, 0x22);
    EXPECT_EQ(host.game.state().scores().whiteGamesWon, after.whiteGamesWon);
    EXPECT_EQ(host.game.state().scores().whitePointsTotal, after.whitePointsTotal);
    EXPECT_EQ(host.game.state().scores().blackPointsTotal, after.blackPointsTotal);
    EXPECT_TRUE(host.remote.connected());
}

}  // namespace
}  // namespace lumaro::testing
