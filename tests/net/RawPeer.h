#pragma once
// One program at the end of a line whose other end is the test: every byte the program sends is
// kept, the peer's bytes are handed in as raw reads, and the peer may answer the program's commands
// with scripted bytes. Time passes only while the program waits (each of its waits), and the
// one-second tick runs when the test says or when a second of waiting has passed.
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "game/Game.h"
#include "net/RemoteProgram.h"
#include "support/FakeScreen.h"

namespace lumaro::testing {

struct RawPeer : net::Transport {
    FakeScreen screen;
    Game game{screen};
    net::RemoteProgram remote{game};
    std::vector<std::string> sent;  // every send of the program, in order
    int closes = 0;                 // the program ended the connection
    // The peer's reply to a command the program sent (nothing: it stays silent). The reply arrives
    // during the program's next wait, as it would over a line.
    std::function<std::optional<std::string>(const net::Parsed& command)> reply;
    long long nowMs = 0;
    long long nextTickMs = 1000;

    explicit RawPeer(bool hostSide, std::uint32_t seed = 1) {
        game.changeOptions([&](Options& o) { o.soundFx = false; });
        game.changeOptions([&](Options& o) { o.humanOpponent = true; });
        game.changeOptions([&](Options& o) { o.localPlay = false; });
        game.changeOptions([&](Options& o) { o.playerName = hostSide ? "Host" : "Caller"; });
        game.startUp(seed);
        game.setRemote(&remote);
        screen.onDelay = [this](int ms) { passTime(ms); };
        remote.connectionMade(*this, hostSide, "10.0.0.9");
    }

    void send(const std::string& bytes) override {
        sent.push_back(bytes);
        const net::Parsed p = net::parseBlock(bytes);
        if (reply && bytes.rfind("cmnd", 0) == 0 && p.kind == net::Parsed::Kind::Command)
            if (std::optional<std::string> answer = reply(p)) inbox_.push_back(*answer);
    }
    void close() override { ++closes; }

    // One read of raw bytes from the peer.
    void says(const std::string& bytes) { remote.received(bytes); }
    void tick() { remote.tick(); }
    // The peer's command `code` with its payload bytes, framed with `key`.
    static std::string command(Byte code, const std::string& extra = {}, Byte key = 0x42) {
        return framed(net::Tag::Command, code, extra, key);
    }
    static std::string response(Byte code, const std::string& extra, Byte key) {
        return framed(net::Tag::Response, code, extra, key);
    }
    // The peer sends a command and the program's next tick runs it.
    void runs(Byte code, const std::string& extra = {}, Byte key = 0x42) {
        says(command(code, extra, key));
        tick();
    }

    // What the program sent since `from` (an index into `sent`) that parses as a message.
    std::vector<net::Parsed> messagesSince(std::size_t from) const {
        std::vector<net::Parsed> out;
        for (std::size_t i = from; i < sent.size(); ++i) {
            const net::Parsed p = net::parseBlock(sent[i]);
            if (p.kind == net::Parsed::Kind::Command || p.kind == net::Parsed::Kind::Response) out.push_back(p);
        }
        return out;
    }
    // The lines of the messages shown since `from` (an index into screen.messages).
    std::vector<std::string> shownSince(std::size_t from) const {
        std::vector<std::string> out;
        for (std::size_t i = from; i < screen.messages.size(); ++i)
            out.push_back(screen.messages[i].line1 + " | " + screen.messages[i].line2);
        return out;
    }

    // As the host: the caller's name, an accepted invitation and the start, with the caller
    // beginning (the host then waits for the caller's dice).
    void hostStartsAGameTheCallerBegins() {
        runs(net::kNames, "Z");
        runs(net::kInvite);
        runs(net::kStartGame, std::string(1, '\1'));
    }

private:
    static std::string framed(net::Tag tag, Byte code, const std::string& extra, Byte key) {
        net::Payload p{};
        p[1] = code;
        for (std::size_t i = 0; i < extra.size(); ++i) p[i + 2] = static_cast<Byte>(extra[i]);
        return net::frameMessage(tag, p, 1 + static_cast<int>(extra.size()), key);
    }

    void passTime(int ms) {
        nowMs += ms;
        while (!inbox_.empty()) {
            const std::string bytes = inbox_.front();
            inbox_.pop_front();
            remote.received(bytes);
        }
        while (nextTickMs <= nowMs) {
            nextTickMs += 1000;
            remote.tick();
        }
    }

    std::deque<std::string> inbox_;
};

}  // namespace lumaro::testing
