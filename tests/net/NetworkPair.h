#pragma once
// Two whole games joined by an in-memory connection, each on its own thread so that each has its
// own stack, as two programs on two machines do. Only one thread runs at a time: a side that waits
// (the game's delay) hands over to whichever side is due next on a shared virtual clock, so runs
// are deterministic and a minute of waiting costs nothing. While it waits a side handles its own
// events, as the window's event loop does: bytes that have arrived, a lost connection, and the
// one-second tick of the connection.
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "game/Game.h"
#include "net/RemoteProgram.h"
#include "support/FakeScreen.h"

namespace lumaro::testing {

class NetworkPair;

// What the line does to the bytes of one send: the reads the peer gets, each with its delay.
struct Read {
    std::string bytes;
    int delayMs = 5;
};
using LineShaper = std::function<std::vector<Read>(const std::string& sent)>;

struct Program : net::Transport {
    NetworkPair* pair = nullptr;
    int index = 0;
    FakeScreen screen;
    Game game{screen};
    net::RemoteProgram remote{game};
    LineShaper shaper;  // none: each send arrives whole after 5 ms
    bool linkUp = false;
    std::vector<std::string> sent;  // every send of this side
    long long nextTick = 1000;

    void send(const std::string& bytes) override;
    void close() override;
};

class NetworkPair {
public:
    Program side[2];  // 0 the caller, 1 the host

    NetworkPair(std::uint32_t seed) {
        for (int i = 0; i < 2; ++i) {
            Program& p = side[i];
            p.pair = this;
            p.index = i;
            p.game.changeOptions([&](Options& o) { o.soundFx = false; });
            p.game.changeOptions([&](Options& o) { o.humanOpponent = true; });
            p.game.changeOptions([&](Options& o) { o.localPlay = false; });
            p.game.changeOptions([&](Options& o) { o.playerName = i == 0 ? "Caller" : "Host"; });
            p.game.startUp(seed + static_cast<std::uint32_t>(i) * 7777u);
            p.game.setRemote(&p.remote);
            p.nextTick = 1000 + 500 * i;
            p.screen.onDelay = [this, i](int ms) { delay(i, ms); };
        }
    }

    // Both ends of the connection come up together.
    void connect() {
        for (int i = 0; i < 2; ++i) {
            side[i].linkUp = true;
            side[i].remote.connectionMade(side[i], i == 1, "127.0.0.1");
        }
    }

    // Runs both sides' drivers on their threads until both have returned.
    void run(const std::function<void(Program&)>& caller, const std::function<void(Program&)>& host) {
        std::thread threads[2];
        const std::function<void(Program&)>* drivers[2] = {&caller, &host};
        for (int i = 0; i < 2; ++i) {
            threads[i] = std::thread([this, i, drivers] {
                {
                    std::unique_lock<std::mutex> lock(mutex_);
                    cv_.wait(lock, [&] { return running_ == i; });
                }
                (*drivers[i])(side[i]);
                finish(i);
            });
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            running_ = 0;
        }
        cv_.notify_all();
        for (auto& t : threads) t.join();
    }

    long long now() const { return now_; }

    // Lets `ms` of side i's time pass; the events that fall due are handled on the way back.
    void delay(int i, int ms) {
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_[i] = now_ + std::max(ms, 1);
            handOver(lock, i);
        }
        handleEvents(i);
    }

    // The bytes reach side `to` (lost: the connection drops) after `delayMs`.
    // A stream keeps its order: nothing overtakes what was sent before it.
    void post(int to, std::string bytes, int delayMs, bool lost = false) {
        long long at = now_ + delayMs;
        if (!inbox_[to].empty()) at = std::max(at, inbox_[to].back().at);
        inbox_[to].push_back({at, std::move(bytes), lost});
    }

    std::function<void(int side)> afterEvents;  // tests look in between, on the side's thread
    // Everything that has arrived by the time a side looks is one read, as a socket hands it over.
    bool mergeReads = false;
    int mergedReads = 0;  // reads that carried more than one send

private:
    struct Arrival {
        long long at;
        std::string bytes;
        bool lost;
    };

    void handOver(std::unique_lock<std::mutex>& lock, int i) {
        int next = -1;
        for (int k = 0; k < 2; ++k) {
            if (finished_[k]) continue;
            if (next < 0 || wake_[k] < wake_[next] || (wake_[k] == wake_[next] && k != i)) next = k;
        }
        now_ = std::max(now_, wake_[next]);
        running_ = next;
        cv_.notify_all();
        cv_.wait(lock, [&] { return running_ == i; });
    }

    void finish(int i) {
        std::unique_lock<std::mutex> lock(mutex_);
        finished_[i] = true;
        wake_[i] = 0;
        const int other = 1 - i;
        if (!finished_[other]) {
            now_ = std::max(now_, wake_[other]);
            running_ = other;
            cv_.notify_all();
        }
    }

    void handleEvents(int i) {
        Program& p = side[i];
        while (!inbox_[i].empty() && inbox_[i].front().at <= now_) {
            Arrival a = std::move(inbox_[i].front());
            inbox_[i].pop_front();
            int pieces = 1;
            while (mergeReads && !a.lost && !inbox_[i].empty() && inbox_[i].front().at <= now_ && !inbox_[i].front().lost) {
                a.bytes += inbox_[i].front().bytes;
                inbox_[i].pop_front();
                ++pieces;
            }
            if (pieces > 1) ++mergedReads;
            if (a.lost) {
                p.linkUp = false;
                p.remote.connectionLost();
            } else if (p.linkUp) {
                p.remote.received(a.bytes);
            }
        }
        while (p.nextTick <= now_) {
            p.nextTick += 1000;
            p.remote.tick();
        }
        if (afterEvents) afterEvents(i);
    }

    std::mutex mutex_;
    std::condition_variable cv_;
    int running_ = -1;
    long long now_ = 0;
    long long wake_[2] = {0, 0};
    bool finished_[2] = {false, false};
    std::deque<Arrival> inbox_[2];
};

inline void Program::send(const std::string& bytes) {
    if (!linkUp) return;
    sent.push_back(bytes);
    const std::vector<Read> reads = shaper ? shaper(bytes) : std::vector<Read>{{bytes, 5}};
    for (const Read& r : reads) pair->post(1 - index, r.bytes, r.delayMs);
}

inline void Program::close() {
    if (!linkUp) return;
    linkUp = false;
    pair->post(1 - index, {}, 5, true);
}

}  // namespace lumaro::testing
