// A connected remote program under a peer that sends anything: raw bytes cut into reads at any
// place, framed commands with any payload, dice and legal moves as a real peer would send them,
// answers to the program's own commands with the right key, a wrong key or none, interleaved with
// ticks, the local player's clicks, menu commands and chat, message boxes answered either way, and
// connections dropped and made again, all chosen by the input. Some events also arrive while the
// program waits or while a message is up, as they do on the real window's event loop.
//
// After every event: fifteen checkers a side once a game has been laid out (checked whenever no
// game code is under way), a legal cube (1..64, a power of two, centred at 1), no game on without
// its connection and none scored once stopped, everything sent well formed, and no control
// character in the chat log, the received chat lines, the peer's name or any message shown.
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

#include "rules/MaxDiceRule.h"
#include "game/MenuCommands.h"
#include "fuzz/FuzzCheck.h"
#include "game/Game.h"
#include "game/PlayerName.h"
#include "net/Framing.h"
#include "net/PeerText.h"
#include "net/RemoteProgram.h"

using namespace lumaro;
using lumaro::fuzz::check;

namespace {

// LUMARO_FUZZ_TRACE=1 prints what an input does, to follow a finding.
template <typename... Args>
void trace(const char* format, Args... args) {
    static const bool on = std::getenv("LUMARO_FUZZ_TRACE") != nullptr;
    if (!on) return;
    std::fprintf(stderr, format, args...);
    std::fputc('\n', stderr);
}

// Chat travels and is logged as Latin-1: its control characters are C0, DEL and C1.
bool hasControls(std::string_view text) {
    for (char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 32 || (u >= 127 && u < 160)) return true;
    }
    return false;
}

// Messages are UTF-8, where bytes of 128 and more belong to letters: C0 and DEL only.
bool hasAsciiControls(std::string_view text) {
    for (char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 32 || u == 127) return true;
    }
    return false;
}

// The input, a byte at a time; zeros once it has run out.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool done() const { return at_ >= size_; }
    std::uint8_t next() { return done() ? 0 : data_[at_++]; }
    std::string bytes(std::size_t n) {
        std::string out;
        while (n-- > 0 && !done()) out.push_back(static_cast<char>(next()));
        return out;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

class World;

class FuzzScreen : public Screen {
public:
    explicit FuzzScreen(World& world) : world_(world) {}
    Answer showMessage(const Message& message) override;
    void delay(int ms) override;
    void play(Sound) override {}
    void letEventsRun() override;
    void recordChanged() override;

private:
    World& world_;
};

class World : public net::Transport {
public:
    World(const std::uint8_t* data, std::size_t size) : in(data, size) {
        std::remove(logPath().c_str());
        game.changeOptions([&](Options& o) { o.soundFx = false; });
        game.changeOptions([&](Options& o) { o.humanOpponent = true; });
        game.changeOptions([&](Options& o) { o.localPlay = false; });
        game.changeOptions([&](Options& o) { o.playerName = "Local"; });
        const std::uint32_t seed = in.next();
        game.startUp(seed * 1000u + in.next());
        game.setRemote(&remote);
        remote.chatLogPath = logPath();
        remote.onChatReceived = [this](const std::string& line) {
            check(!line.empty() && line.size() <= 255, "a received chat line is 1..255 characters");
            check(!hasControls(line), "no control character in a received chat line");
            chatLogged_ = true;
        };
        remote.toolWindowOpen = [this] { return toolWindowOpen_; };
        connect(in.next() & 1);
    }

    void run() {
        while (!in.done()) {
            peerAnswered_ = false;
            event();
            checkAll(true);
        }
        // What is still on the way arrives, and the waits run out.
        for (int i = 0; i < 70; ++i) passTime(1000);
        checkAll(true);
    }

    // --- net::Transport ---
    void send(const std::string& bytes) override {
        check(up_, "nothing is sent on a connection that is down");
        if (bytes.rfind("chat", 0) == 0) {
            check(bytes.size() > 4 && !hasControls(bytes.substr(4)), "a sent chat line is clean");
            return;
        }
        const net::Parsed p = net::parseBlock(bytes);
        check(p.kind == net::Parsed::Kind::Command || p.kind == net::Parsed::Kind::Response, "everything sent is well formed");
        if (p.kind == net::Parsed::Kind::Command) answer(p);
    }
    void close() override { up_ = false; }

    // --- The screen's calls ---
    // A game is scored as it ends: never one that a lost connection or an error has already
    // stopped, unless the peer settled it by answering (a refused double, a resignation or the
    // last move acknowledged) before the connection went.
    // The game's state ends the game as it books it, so the check looks at the game as it stood
    // the last time the game handed control out (a wait, a question, the end of an event).
    void gameScored() { check(gameWasOn_ || peerAnswered_, "only a game in progress is scored"); }
    void gameSeen() { gameWasOn_ = game.state().gameOn(); }
    Answer question(const Message& m) {
        trace("message: %s | %s", m.line1.c_str(), m.line2.c_str());
        check(!hasAsciiControls(m.line1) && !hasAsciiControls(m.line2), "no control character in a message");
        eventsMayRun();  // something happens while the message is up
        return in.next() & 1 ? Answer::No : Answer::Yes;
    }
    void passTime(int ms) {
        nowMs_ += ms;
        while (!inbox_.empty() && up_) {
            const std::string bytes = inbox_.front();
            inbox_.pop_front();
            remote.received(bytes);
            checkAll(false);
        }
        bool ticked = false;
        while (nextTickMs_ <= nowMs_) {
            nextTickMs_ += 1000;
            remote.tick();
            checkAll(false);
            ticked = true;
        }
        // Now and then, once a second, something arrives while the program waits.
        if (ticked) eventsMayRun();
    }
    // Where the window would handle pending events: perhaps one of them.
    void eventsMayRun() {
        if (depth_ >= 2 || in.done() || (in.next() & 3) != 0) return;
        ++depth_;
        event();
        checkAll(false);
        --depth_;
    }

private:
    // chat.txt in a folder of this run's own, made once and removed at exit: what another user's
    // run left in the shared temporary folder never stands in the way.
    struct OwnFolder {
        std::string path;
        OwnFolder() {
            std::string pattern = (std::filesystem::temp_directory_path() / "lumaro-remote-peer-fuzz-XXXXXX").string();
            if (mkdtemp(pattern.data())) path = pattern;
        }
        ~OwnFolder() {
            std::error_code ignored;
            if (!path.empty()) std::filesystem::remove_all(path, ignored);
        }
    };
    static std::string logPath() {
        static const OwnFolder folder;
        return folder.path + "/chat.txt";
    }

    void connect(bool hostSide) {
        if (remote.connected() || !remote.acceptsCaller()) return;
        inbox_.clear();
        up_ = true;
        remote.connectionMade(*this, hostSide, "10.1.2.3");
    }

    // The peer's answer to a command of this program, delivered during its next waits.
    void answer(const net::Parsed& command) {
        const std::uint8_t how = in.next();
        const Byte code = command.payload[1];
        trace("sent command %d, answer %d", code, how & 7);
        Byte reply = 0;
        std::string extra;
        Byte key = command.key;
        switch (how & 7) {
            case 0: return;  // silence
            case 1: key = static_cast<Byte>(key % 255 + 1); [[fallthrough]];
            case 2:
            case 3: {
                static const Byte codes[] = {net::kDone, net::kYes, net::kNo, net::kBusy, net::kName, 0, 99};
                reply = codes[(how >> 3) % 7];
                break;
            }
            default:
                reply = code == net::kNames ? net::kName : code == net::kInvite || code == net::kDouble ? net::kYes : net::kDone;
        }
        if (reply == net::kName) extra = in.bytes(in.next() % 30);
        peerAnswered_ = peerAnswered_ || key == command.key;
        net::Payload p{};
        p[1] = reply;
        for (std::size_t i = 0; i < extra.size(); ++i) p[i + 2] = static_cast<Byte>(extra[i]);
        const std::string bytes = net::frameMessage(net::Tag::Response, p, 1 + static_cast<int>(extra.size()), key);
        const std::size_t cut = (how >> 6) == 3 ? bytes.size() / 2 : 0;  // sometimes in two reads
        if (cut > 0) inbox_.push_back(bytes.substr(0, cut));
        inbox_.push_back(bytes.substr(cut));
    }

    void peerSays(const std::string& bytes) {
        if (!up_) return;
        // Cut into reads at places the input chooses.
        std::size_t at = 0;
        while (at < bytes.size()) {
            const std::size_t n = std::min<std::size_t>(bytes.size() - at, 1 + in.next() % 64);
            remote.received(std::string_view(bytes).substr(at, n));
            at += n;
        }
    }

    void peerCommand(Byte code, const std::string& extra) {
        net::Payload p{};
        p[1] = code;
        const std::size_t n = std::min<std::size_t>(extra.size(), net::kMaxPayload - 1);
        for (std::size_t i = 0; i < n; ++i) p[i + 2] = static_cast<Byte>(extra[i]);
        const Byte key = static_cast<Byte>(in.next() % 255 + 1);
        peerSays(net::frameMessage(net::Tag::Command, p, 1 + static_cast<int>(n), key));
    }

    // A legal play of the dice the peer showed, as the peer writes it (its points, 25 - ours).
    void peerPlaysLegally() {
        const Play play = maximalPlay(game.state().position(), false, game.state().dice().dieA, game.state().dice().dieB);
        std::string extra(8, '\0');
        for (int k = 1; k <= 4; ++k) {
            extra[2 * k - 2] = static_cast<char>(25 - play[k].point);
            extra[2 * k - 1] = static_cast<char>(play[k].die);
        }
        peerCommand(net::kMove, extra);
    }

    void event() {
        const Game::ShellState shell{toolWindowOpen_};
        const Game::Button button = in.next() & 1 ? Game::Button::Left : Game::Button::Right;
        const int kind = in.next() % 20;
        trace("event %d (depth %d) gameOn %d connected %d turn %d waiting %d", kind, depth_, game.state().gameOn(), remote.connected(),
              turnOf(game.state().sideToMove()), game.waitingForOpponent());
        switch (kind) {
            case 0: peerSays(in.bytes(in.next())); break;
            case 1: peerSays("chat" + in.bytes(in.next() % 80)); break;
            case 2:
            case 3: {
                static const Byte codes[] = {net::kInvite, net::kNames, net::kStartGame, net::kDice, net::kMove, net::kDouble, net::kResign, 0};
                Byte code = codes[in.next() % 8];
                if (code == 0) code = in.next();
                const std::size_t length = in.next() % 12;
                peerCommand(code, in.bytes(length));
                break;
            }
            case 4: peerCommand(net::kDice, {static_cast<char>(1 + in.next() % 6), static_cast<char>(1 + in.next() % 6)}); break;
            case 5: peerPlaysLegally(); break;
            case 6:
            case 7: remote.tick(); break;
            case 8: passTime(1000 * (1 + in.next() % 30)); break;
            case 9: game.clickBoard(in.next() % 26, button); break;
            case 10: game.clickDice(); break;
            case 11: game.clickCube(); break;
            case 12: game.whiteEntryByClick(button); break;
            case 13:
                switch (in.next() % 4) {
                    case 0: MenuCommands(game).start(shell); break;
                    case 1: MenuCommands(game).abort(shell); break;
                    case 2: MenuCommands(game).move(shell); break;
                    default: MenuCommands(game).back(shell); break;
                }
                break;
            case 14:
                remote.sendChat(in.bytes(in.next() % 60));
                chatLogged_ = true;
                break;
            case 15:
                // The peer's program goes away.
                if (remote.connected()) {
                    up_ = false;
                    inbox_.clear();
                    remote.connectionLost();
                }
                break;
            case 16: remote.endConnection(); break;
            case 17: connect(in.next() & 1); break;
            case 18: toolWindowOpen_ = !toolWindowOpen_; break;
            default:
                if (in.next() & 1) {
                    game.clickChecker(in.next() & 1 ? Side::White : Side::Black, in.next() % 26, button);
                } else {
                    game.keyPressed(static_cast<char>(in.next()), (in.next() & 15) == 0, toolWindowOpen_);
                }
                break;
        }
    }

    void checkAll(bool quiet) {
        gameSeen();
        const Byte v = game.state().cube().value();
        check(v >= 1 && v <= 64 && (v & (v - 1)) == 0, "the cube is 1..64, a power of two");
        check(game.state().cube().ownerWhite() <= 1, "the cube's owner is one side");
        check(v > 1 || game.state().cube().ownerWhite() == 0, "a cube at 1 is centred");
        check(heldName(remote.opponentName()) == remote.opponentName(), "the caller's name is clean: 20 characters at most");
        check(heldName(remote.hostName()) == remote.hostName(), "the host's name is clean: 20 characters at most");
        check(remote.connected() == game.connected(), "the game knows whether it is connected");
        check(!game.state().gameOn() || remote.connected(), "no network game goes on without its connection");
        if (game.state().gameOn()) laidOut_ = true;
        // The checkers are counted when no game code is under way: a new board is laid out one
        // checker at a time.
        if (quiet && laidOut_) {
            const Position pos = game.state().position();
            check(whiteCheckersOf(pos) == kCheckersPerSide && blackCheckersOf(pos) == kCheckersPerSide, "fifteen checkers a side");
        }
        if (chatLogged_) checkLog();
    }

    // The lines added to chat.txt since the last look.
    void checkLog() {
        chatLogged_ = false;
        std::ifstream log(logPath(), std::ios::binary);
        if (!log) return;
        log.seekg(static_cast<std::streamoff>(logChecked_));
        const std::string added{std::istreambuf_iterator<char>(log), {}};
        std::size_t at = 0;
        while (true) {
            const std::size_t end = added.find("\r\n", at);
            if (end == std::string::npos) break;
            const std::string_view line = std::string_view(added).substr(at, end - at);
            check(line.rfind("I - ", 0) == 0 || line.rfind("O - ", 0) == 0, "a chat.txt line is I - or O -");
            check(!hasControls(line), "no control character in chat.txt");
            at = end + 2;
        }
        check(at == added.size(), "chat.txt holds whole lines");
        logChecked_ += at;
    }

public:
    Input in;
    FuzzScreen screen{*this};
    Game game{screen};
    net::RemoteProgram remote{game};

private:
    bool up_ = false;
    bool toolWindowOpen_ = false;
    bool laidOut_ = false;
    bool chatLogged_ = false;    // a line may have been added to chat.txt
    bool peerAnswered_ = false;  // the peer answered a command during this event
    bool gameWasOn_ = false;
    int depth_ = 0;
    long long nowMs_ = 0;
    long long nextTickMs_ = 1000;
    std::size_t logChecked_ = 0;
    std::deque<std::string> inbox_;
};

Answer FuzzScreen::showMessage(const Message& message) {
    const Answer answer = world_.question(message);
    world_.gameSeen();
    return answer;
}
void FuzzScreen::letEventsRun() {
    world_.eventsMayRun();
    world_.gameSeen();
}
void FuzzScreen::recordChanged() { world_.gameScored(); }
void FuzzScreen::delay(int ms) {
    world_.passTime(ms);
    world_.gameSeen();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    World world(data, size);
    world.run();
    world.remote.endConnection();
    return 0;
}
