#pragma once
// The running score totals. They live in the settings file, so they survive a restart.
#include <cstdint>

namespace lumaro {

struct Scores {
    std::uint16_t whiteMatchScore = 0;
    std::uint16_t blackMatchScore = 0;
    std::uint16_t whiteMatchesWon = 0;
    std::uint16_t blackMatchesWon = 0;
    std::uint32_t whitePointsTotal = 0;
    std::uint32_t blackPointsTotal = 0;
    std::uint16_t whiteGamesWon = 0;
    std::uint16_t blackGamesWon = 0;
};

}  // namespace lumaro
