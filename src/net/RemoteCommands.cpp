// The game's side of the remote program: starting a network game, the turn cycle, doubles and
// resignations, sent and received.
#include "game/PlayerName.h"
#include "net/PeerText.h"
#include "net/ReceivedMove.h"
#include "net/RemoteProgram.h"

namespace lumaro::net {

void RemoteProgram::notice(const std::string& line1, const std::string& line2) {
    game_.showMessage(MessageKind::RuleNotice, line1, line2, false);
}

namespace {

// The text a command or response carries after its code (payload bytes 2..length).
std::string payloadText(const Payload& payload, int length) {
    std::string text;
    for (int i = 2; i <= length; ++i) text.push_back(static_cast<char>(payload[i]));
    return text;
}

}  // namespace

std::string RemoteProgram::moveRecordBytes() const {
    std::string bytes(8, '\0');
    for (int i = 1; i <= 8; ++i) bytes[i - 1] = static_cast<char>(game_.moveRecord()[i]);
    return bytes;
}

// ---- Starting a game ----

void RemoteProgram::startGame(Game& game) {
    if (!transport_) {
        notice("You have to be connected", "for a network game!");
        return;
    }
    const std::string name = nameToBytes(game.options().playerName);
    if (sendCommand(kNames, name) != kName) {
        failConnection();
        return;
    }
    hostName_ = nameFromBytes(payloadText(lastResponse_.payload, lastResponse_.length));
    notice("Invite " + hostName_, "[" + peerAddress_ + "]...");
    const Byte answer = sendCommand(kInvite);
    if (answer == 0) {
        failConnection();
    } else if (answer == kNo) {
        notice("Invitation refused", "");
    } else if (answer == kBusy) {
        notice("Host is busy!", "");
    } else if (transport_) {
        // The file "history" is left alone: nothing of this program writes it.
        beginGameAsCaller();
    }
}

void RemoteProgram::announceBeginner(Side beginner) {
    notice(std::string("Alternate play. ") + (beginner == Side::Black ? "Black begins!" : "White begins!"), "Starting a new game...");
}

bool RemoteProgram::startGameOnNewBoard() {
    game_.setUpNewBoard();
    if (!transport_) return false;
    game_.startNetworkGame();
    peerRolled_ = false;
    return true;
}

void RemoteProgram::rollAndSendWhiteDice() {
    game_.rollForWhiteInNetworkGame();
    const std::string dice{static_cast<char>(game_.state().dice().dieA), static_cast<char>(game_.state().dice().dieB)};
    if (sendCommand(kDice, dice) != kDone) failConnection();
}

bool RemoteProgram::peersTurn() const {
    return game_.state().gameOn() && game_.state().sideToMove() == Side::Black && game_.waitingForOpponent();
}

void RemoteProgram::beginGameAsCaller() {
    const Side beginner = game_.nextNetworkBeginner();
    game_.prepareNetworkGame(beginner);
    const bool hostBegins = beginner == Side::Black;
    announceBeginner(beginner);
    if (sendCommand(kStartGame, std::string(1, hostBegins ? '\0' : '\1')) != kDone) {
        failConnection();
        return;
    }
    // The connection may have gone right after the answer.
    if (!startGameOnNewBoard() || hostBegins) return;
    rollAndSendWhiteDice();
}

Byte RemoteProgram::askToStartNetworkGame() {
    if (game_.hourglass() || game_.busy() || toolWindowOpen()) return kBusy;
    if (game_.state().gameOn() && !game_.resign()) return kBusy;
    if (!game_.networkPlace() || !transport_) return kBusy;
    if (!game_.showMessage(MessageKind::NewGame, "Play with " + opponentName_, "[" + peerAddress_ + "] ?", true)) return kNo;
    return kYes;
}

void RemoteProgram::beginGameAsHost(Byte callerBegins) {
    const Side beginner = callerBegins == 1 ? Side::Black : Side::White;
    game_.prepareNetworkGame(beginner);
    announceBeginner(beginner);
    // The caller may have gone while the notice was up.
    startGameOnNewBoard();
}

// The host begins: its first roll, on the tick after the start, outside the start command.
void RemoteProgram::hostRolls() {
    if (!game_.state().gameOn() || game_.state().sideToMove() != Side::White || !transport_) return;
    rollAndSendWhiteDice();
}

// ---- White's side of the turn cycle ----

void RemoteProgram::turnEndAsked(Game& game) {
    if (!game.state().gameOn()) return;
    if (!transport_) {
        failConnection();
        return;
    }
    // Nothing to end while the peer plays, or while the host's first roll is still to come.
    if (game.waitingForOpponent() || hostRollPending_) return;
    if (game.state().sideToMove() == Side::White) {
        if (!game.playedWhatTheDiceDemand()) return;
        if (sendCommand(kMove, moveRecordBytes()) != kDone) {
            failConnection();
            return;
        }
        game.whiteMoveSent();
        peerRolled_ = false;
        return;
    }
    rollAndSendWhiteDice();
}

void RemoteProgram::doubleOffered(Game& game, Side offerer) {
    // White doubles before its roll, once the peer's move is replayed; a double by the cube is
    // the peer's own business on its board.
    if (offerer != Side::White || !transport_ || !game.connected() || game.waitingForOpponent()) return;
    const Byte answer = sendCommand(kDouble);
    if (answer == 0) {
        failConnection();
    } else if (answer == kYes) {
        game.showMessage(MessageKind::Cube, "Your doubling proposal", "was accepted!", false);
        game.takeDouble(Side::Black);
        turnEndAsked(game);  // on to White's roll
    } else if (answer == kNo) {
        game.showMessage(MessageKind::Cube, "Your doubling proposal", "was refused!", false);
        game.doubleDropped(Side::Black);
    }
}

bool RemoteProgram::whiteResigns(Game& game) {
    if (!game.connected()) return true;
    // The peer knows the position of the turn's start, not the steps made since: both sides
    // score the resignation from that position.
    game.undoTurn();
    if (sendCommand(kResign) == kDone) return true;
    failConnection();
    return false;
}

bool RemoteProgram::whiteBoreOffLast(Game& game) {
    if (!game.connected()) return true;
    if (sendCommand(kMove, moveRecordBytes()) != kDone) {
        failConnection();
        return false;
    }
    game.clearWhiteSteps();
    return true;
}

// ---- Commands received ----

void RemoteProgram::executeCommand(const Parsed& command) {
    rxKey_ = command.key;
    const Payload& p = command.payload;
    switch (p[1]) {
        case kInvite: {
            if (!game_.hostSide()) return;  // only a host answers invitations
            const Byte answer = askToStartNetworkGame();
            invitationAccepted_ = answer == kYes;
            sendResponse(answer);
            return;
        }
        case kNames: {
            if (!game_.hostSide()) return;
            opponentName_ = nameFromBytes(payloadText(p, command.length));
            sendResponse(kName);
            return;
        }
        case kStartGame:
            // Only after an accepted invitation; otherwise left unanswered like any stray command.
            if (!game_.hostSide() || !invitationAccepted_) return;
            invitationAccepted_ = false;
            beginGameAsHost(p[2]);
            sendResponse(kDone);
            game_.screen().delay(300);
            hostRollPending_ = game_.state().sideToMove() == Side::White;
            return;
        case kDice: peerDice(p[2], p[3]); return;
        case kMove: replayMove(command); return;
        case kDouble: peerDoubles(); return;
        case kResign: peerResigns(); return;
        default: return;  // unknown codes are neither executed nor answered
    }
}

void RemoteProgram::peerDice(Byte a, Byte b) {
    if (!peersTurn() || peerRolled_ || a < 1 || a > 6 || b < 1 || b > 6) {
        failConnection();
        return;
    }
    game_.takePeerRoll(a, b);
    peerRolled_ = true;
    sendResponse(kDone);
}

void RemoteProgram::replayMove(const Parsed& command) {
    const Play play = receivedPlay(command.payload);
    if (!peersTurn() || !peerRolled_ || !receivedMoveIsLegal(game_.state().position(), game_.state().dice().dieA, game_.state().dice().dieB, play)) {
        failConnection();
        return;
    }
    game_.playPeerMove(play);
    peerRolled_ = false;
    sendResponse(kDone);
    game_.endPeerTurn();
    if (onMoveReplayed) onMoveReplayed();
}

void RemoteProgram::peerDoubles() {
    if (!peersTurn() || peerRolled_ || !game_.mayDouble(Side::Black)) {
        failConnection();
        return;
    }
    // The peer hears the answer before it counts here. The connection may go while the question
    // is up: the game stops with it, unscored, and the peer never hears the answer.
    game_.blackDoubles("Black player wants to double.", [this](bool taken) { sendResponse(taken ? kYes : kNo); });
}

void RemoteProgram::peerResigns() {
    if (!game_.state().gameOn()) {
        sendResponse(kDone);  // nothing left to resign here
        return;
    }
    game_.showMessage(MessageKind::Resign, "Black player resigns...", "", false);
    sendResponse(kDone);
    if (!game_.state().gameOn()) return;
    game_.sideResigns(Side::Black);
}

}  // namespace lumaro::net
