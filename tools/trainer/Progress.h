#pragma once
// A one-line progress bar on stderr: share done, games per second, and the time left at that pace.
#include <chrono>
#include <cstdint>
#include <string>

namespace lumaro::train {

// "1:02:03" for 3723 seconds.
std::string clockText(double seconds);

class Progress {
public:
    Progress(std::int64_t total, std::int64_t done);
    // Redraws at most a few times a second; `note` is shown after the figures.
    void update(std::int64_t done, const std::string& note);
    void finish(std::int64_t done, const std::string& note);
    double gamesPerSecond(std::int64_t done) const;

private:
    void draw(std::int64_t done, const std::string& note);

    std::int64_t total_;
    std::int64_t startDone_;
    std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::time_point lastDraw_;
};

}  // namespace lumaro::train
