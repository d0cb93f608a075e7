#pragma once
// The remote program of a network game: the third opponent. It tells the peer White's roll, move,
// double and resignation, and replays the peer's on this board as Black's. Commands travel framed
// (Framing.h) and each waits for its response; received commands run on the one-second tick, one
// at a time, never in the middle of a checker move or while a message is up, and everything from
// the peer is checked before it touches the game.
#include <deque>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <string_view>

#include "game/Game.h"
#include "net/Framing.h"
#include "net/ReceiveBuffer.h"
#include "net/Transport.h"

namespace lumaro::net {

// Command and response codes.
enum Code : Byte {
    kDone = 2,
    kYes = 3,
    kNo = 4,
    kBusy = 5,
    kName = 7,
    kInvite = 10,
    kNames = 11,
    kStartGame = 12,
    kDice = 13,
    kMove = 14,
    kDouble = 15,
    kResign = 16,
};

class RemoteProgram : public Player {
public:
    static constexpr int kTicksPerPeriod = 20;
    static constexpr int kPeriods = 3;
    // Each waiting period also ends after this many waits of 10 ms, whatever the tick does.
    static constexpr int kMaxSpinsPerPeriod = 2100;
    static constexpr std::size_t kMaxQueuedCommands = 8;

    explicit RemoteProgram(Game& game);
    ~RemoteProgram() override;

    // --- Events from the owner of the connection ---
    // A connection is up: `hostSide` when this program accepted it; `peerAddress` as shown.
    // Forces the settings network play needs.
    void connectionMade(Transport& transport, bool hostSide, const std::string& peerAddress);
    // The connection is gone (the peer ended it, an error, or this side's close()).
    void connectionLost();
    void received(std::string_view bytes);
    // The one-second tick: waiting periods, activity lights, and at most one received command.
    void tick();
    // This side ends the connection (the End button).
    void endConnection();

    // --- Chat ---
    // Sends a line (logged first). False when it cannot go: not connected, or a response wait is on.
    bool sendChat(const std::string& line);
    std::string chatLogPath;  // chat.txt; empty: no log
    std::function<void(const std::string& line)> onChatReceived;
    // Whether the statistics, help or settings window is open (the host is busy then).
    std::function<bool()> toolWindowOpen = [] { return false; };
    // Called when a move has been replayed here (the tests compare the boards).
    std::function<void()> onMoveReplayed;

    // --- What the settings window and the board show ---
    bool connected() const { return transport_ != nullptr; }
    bool hostSide() const { return game_.hostSide(); }
    const std::string& opponentName() const { return opponentName_; }
    const std::string& hostName() const { return hostName_; }
    const std::string& peerAddress() const { return peerAddress_; }
    bool responseWaitOn() const { return waitDepth_ > 0; }
    // Whether a new caller may be taken: not while a connection is up, nor while the last one is
    // still being wound up (its "Communication error!" is up, or an exchange or a received command
    // of it has not returned yet): whatever that connection left on the way would meet the new one.
    bool acceptsCaller() const { return !connected() && waitDepth_ == 0 && !executing_; }
    // The activity lights as of the last tick: something was sent / received during the second.
    bool sendingLight() const { return sendingLight_; }
    bool receivingLight() const { return receivingLight_; }

    // --- The protocol, public for the tests ---
    // Sends a command and waits for its response: the response code, 0 when there is none.
    Byte sendCommand(Byte code, std::string_view extra = {});
    // The single reaction to a failed exchange: the message, then the connection ends.
    void failConnection();

    // --- Player ---
    void blackTurn(Game&) override {}
    void blackPlaysRolledDice(Game&) override {}
    void doubleOffered(Game& game, Side offerer) override;
    bool allowsMoveCommand(const Game& game) const override { return game.connected() && !game.waitingForOpponent(); }
    void turnEndAsked(Game& game) override;
    bool whiteResigns(Game& game) override;
    bool whiteBoreOffLast(Game& game) override;
    void startGame(Game& game) override;

private:
    void resetExchange();
    void deliver(const Parsed& message);
    void sendResponse(Byte code);
    void executeCommand(const Parsed& command);
    Byte askToStartNetworkGame();
    void beginGameAsCaller();
    void beginGameAsHost(Byte callerBegins);
    void replayMove(const Parsed& command);
    void peerDoubles();
    void peerResigns();
    void peerDice(Byte a, Byte b);
    void hostRolls();
    // The notice both programs show at a new game: who begins.
    void announceBeginner(Side beginner);
    // The new board of a network game and its start; false when the connection went meanwhile
    // (then there is no game to begin).
    bool startGameOnNewBoard();
    // White's roll of a network game, sent to the peer.
    void rollAndSendWhiteDice();
    // The peer is on turn and awaited: it may roll, move or double.
    bool peersTurn() const;
    void notice(const std::string& line1, const std::string& line2);
    std::string moveRecordBytes() const;
    void sendBytes(const std::string& bytes);

    Game& game_;
    Transport* transport_ = nullptr;
    ReceiveBuffer buffer_;
    std::deque<Parsed> commands_;      // received, waiting for the tick
    std::optional<Parsed> response_;   // the last response received
    Parsed lastResponse_;              // the response the last wait took
    Byte rxKey_ = 0;                   // the key of the command being answered
    int waitTicks_ = 0;
    int waitDepth_ = 0;
    bool executing_ = false;           // a received command runs
    bool sentFlag_ = false;
    bool receivedFlag_ = false;
    bool sendingLight_ = false;
    bool receivingLight_ = false;
    bool invitationAccepted_ = false;  // the host said yes; the start command may come
    bool hostRollPending_ = false;     // the host begins: it rolls on the next tick
    bool peerRolled_ = false;          // the peer's dice of this turn have come
    bool gameLostWithConnection_ = false;  // a game was on when the connection dropped
    bool disconnectNoticePending_ = false;
    std::string opponentName_;
    std::string hostName_;
    std::string peerAddress_;
    std::mt19937 keys_;
};

}  // namespace lumaro::net
