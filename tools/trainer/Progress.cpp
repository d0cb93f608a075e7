#include "Progress.h"

#include <algorithm>
#include <cstdio>

namespace lumaro::train {

std::string clockText(double seconds) {
    const auto s = static_cast<long long>(std::max(seconds, 0.0) + 0.5);
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60);
    return text;
}

Progress::Progress(std::int64_t total, std::int64_t done)
    : total_(total), startDone_(done), start_(std::chrono::steady_clock::now()), lastDraw_(start_) {}

double Progress::gamesPerSecond(std::int64_t done) const {
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    return seconds > 0 ? static_cast<double>(done - startDone_) / seconds : 0.0;
}

void Progress::update(std::int64_t done, const std::string& note) {
    const auto now = std::chrono::steady_clock::now();
    if (now - lastDraw_ < std::chrono::milliseconds(250)) return;
    lastDraw_ = now;
    draw(done, note);
}

void Progress::finish(std::int64_t done, const std::string& note) {
    draw(done, note);
    std::fputc('\n', stderr);
}

void Progress::draw(std::int64_t done, const std::string& note) {
    constexpr int kWidth = 30;
    const double share = total_ > 0 ? static_cast<double>(done) / static_cast<double>(total_) : 1.0;
    const int filled = static_cast<int>(share * kWidth);
    std::string bar(static_cast<std::size_t>(kWidth), ' ');
    std::fill(bar.begin(), bar.begin() + std::min(filled, kWidth), '#');
    const double rate = gamesPerSecond(done);
    const double left = rate > 0 ? static_cast<double>(total_ - done) / rate : 0.0;
    std::fprintf(stderr, "\r[%s] %5.1f%% %lld/%lld games  %.0f games/s  left %s  %s  ", bar.c_str(), share * 100.0,
                 static_cast<long long>(done), static_cast<long long>(total_), rate, clockText(left).c_str(),
                 note.c_str());
    std::fflush(stderr);
}

}  // namespace lumaro::train
