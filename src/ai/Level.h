#pragma once
// The computer's three levels of play, numbered as the settings file and the command line give them.
#include <cstdint>
#include <optional>

namespace lumaro {

enum class Level : std::uint8_t {
    Beginner = 1,      // the hand-written analysis, with the sliders
    Intermediate = 2,  // the analysis with a look at the replies (Slow: every reply)
    Expert = 3,        // the neural networks
};

inline constexpr int levelNumber(Level level) { return static_cast<int>(level); }

// The level numbered 1..3; nothing for any other number.
inline constexpr std::optional<Level> levelFromNumber(int number) {
    if (number < 1 || number > 3) return std::nullopt;
    return static_cast<Level>(number);
}

}  // namespace lumaro
