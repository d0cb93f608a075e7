// The connection's side of the remote program: messages in and out, the response wait, the tick,
// the communication error and chat.
#include "net/RemoteProgram.h"

#include <chrono>

#include "game/PlayerName.h"
#include "net/ChatLog.h"
#include "net/PeerText.h"

namespace lumaro::net {

RemoteProgram::RemoteProgram(Game& game)
    : game_(game), keys_(static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count())) {}

RemoteProgram::~RemoteProgram() = default;

// What belongs to one connection's exchanges: nothing of it outlives the connection.
void RemoteProgram::resetExchange() {
    buffer_.clear();
    commands_.clear();
    response_.reset();
    invitationAccepted_ = hostRollPending_ = peerRolled_ = false;
}

void RemoteProgram::connectionMade(Transport& transport, bool hostSide, const std::string& peerAddress) {
    transport_ = &transport;
    resetExchange();
    game_.connectionMade(hostSide);
    opponentName_.clear();
    hostName_.clear();
    peerAddress_ = peerAddress;
    gameLostWithConnection_ = disconnectNoticePending_ = false;
    // Both programs must play by the same rules: a single game with the cube, the Jacoby rule,
    // automatic dice and alternating first moves.
    game_.changeOptions([](Options& o) {
        o.matchPlay = false;
        o.cubeEnabled = true;
        o.jacobyRule = true;
        o.automaticDice = true;
        o.alternateFirstMove = true;
    });
    game_.screen().displayOptionsChanged();
}

void RemoteProgram::connectionLost() {
    if (!transport_) return;
    transport_ = nullptr;
    resetExchange();
    // The game stops where it stands. A response wait reports it as a communication error;
    // otherwise the player is told at the next quiet moment.
    if (game_.connectionLost()) {
        gameLostWithConnection_ = true;
        if (waitDepth_ == 0) disconnectNoticePending_ = true;
    }
}

void RemoteProgram::endConnection() {
    Transport* transport = transport_;
    connectionLost();
    if (transport) transport->close();
}

void RemoteProgram::sendBytes(const std::string& bytes) {
    if (!transport_) return;
    sentFlag_ = true;
    transport_->send(bytes);
}

void RemoteProgram::received(std::string_view bytes) {
    if (!transport_) return;
    receivedFlag_ = true;
    buffer_.receive(bytes, [this](const Parsed& m) { deliver(m); });
}

void RemoteProgram::deliver(const Parsed& message) {
    switch (message.kind) {
        case Parsed::Kind::Chat: {
            std::string text = withoutControls(message.chat);
            if (text.empty()) break;  // nothing but control characters: no line, as when sending
            appendChatLog(chatLogPath, "O - " + text);
            if (onChatReceived) onChatReceived(text);
            break;
        }
        case Parsed::Kind::Response: response_ = message; break;
        case Parsed::Kind::Command:
            if (commands_.size() < kMaxQueuedCommands) commands_.push_back(message);
            break;
        case Parsed::Kind::Nothing: break;
    }
}

Byte RemoteProgram::sendCommand(Byte code, std::string_view extra) {
    if (!transport_) return 0;
    const bool hourglassBefore = game_.hourglass();
    game_.setHourglass(true);
    const Byte key = static_cast<Byte>(std::uniform_int_distribution<int>(1, 255)(keys_));
    Payload payload{};
    payload[1] = code;
    const int n = 1 + static_cast<int>(std::min<std::size_t>(extra.size(), kMaxPayload - 1));
    for (int i = 2; i <= n; ++i) payload[i] = static_cast<Byte>(extra[i - 2]);
    sendBytes(frameMessage(Tag::Command, payload, n, key));

    const int ticksBefore = waitTicks_;
    ++waitDepth_;
    Byte result = 0;
    for (int period = 0; period < kPeriods && transport_; ++period) {
        waitTicks_ = kTicksPerPeriod;
        response_.reset();  // a response that came while nothing waited is stale
        for (int spins = 0; waitTicks_ > 0 && !response_ && transport_ && spins < kMaxSpinsPerPeriod &&
                            !game_.screen().closing();
             ++spins)
            game_.screen().delay(10);
        if (response_) {
            lastResponse_ = *response_;
            response_.reset();
            result = lastResponse_.key == key ? lastResponse_.payload[1] : 0;
            break;
        }
        if (game_.screen().closing()) break;
    }
    --waitDepth_;
    waitTicks_ = ticksBefore;
    game_.setHourglass(hourglassBefore);
    return result;
}

void RemoteProgram::sendResponse(Byte code) {
    if (!transport_) return;
    Payload payload{};
    payload[1] = code;
    int n = 1;
    if (code == kName) {
        const std::string name = nameToBytes(game_.options().playerName);
        for (char c : name) payload[++n] = static_cast<Byte>(c);
    }
    sendBytes(frameMessage(Tag::Response, payload, n, rxKey_));
}

void RemoteProgram::failConnection() {
    const bool gameWasOn = game_.stopGameUnscored() || gameLostWithConnection_;
    gameLostWithConnection_ = false;
    disconnectNoticePending_ = false;
    const bool executingBefore = executing_;
    executing_ = true;  // no received command starts while the message is up
    game_.showMessage(MessageKind::RuleNotice, "Communication error!", gameWasOn ? "Game is over." : "", false);
    executing_ = executingBefore;
    endConnection();
}

void RemoteProgram::tick() {
    if (waitTicks_ > 0) --waitTicks_;
    buffer_.tick();
    sendingLight_ = sentFlag_;
    receivingLight_ = receivedFlag_;
    sentFlag_ = receivedFlag_ = false;
    // Commands wait while one runs, while a checker moves and while a message is up.
    if (executing_ || game_.busy()) return;
    if (disconnectNoticePending_ && waitDepth_ == 0) {
        disconnectNoticePending_ = false;
        gameLostWithConnection_ = false;
        executing_ = true;
        game_.showMessage(MessageKind::RuleNotice, "Disconnected!", "Game is over.", false);
        executing_ = false;
        return;
    }
    if (!transport_) return;
    if (!commands_.empty()) {
        const Parsed command = commands_.front();
        commands_.pop_front();
        executing_ = true;
        executeCommand(command);
        executing_ = false;
        return;
    }
    if (hostRollPending_ && waitDepth_ == 0) {
        hostRollPending_ = false;
        executing_ = true;
        hostRolls();
        executing_ = false;
    }
}

bool RemoteProgram::sendChat(const std::string& line) {
    if (!transport_ || waitDepth_ > 0) return false;
    const std::string text = withoutControls(line);
    if (text.empty()) return true;
    appendChatLog(chatLogPath, "I - " + text);
    sendBytes(chatMessage(text));
    return true;
}

}  // namespace lumaro::net
