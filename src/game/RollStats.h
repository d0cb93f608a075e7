#pragma once
// What one colour's dice did during the current game: how often it rolled, how many doublets,
// the average die and its pip count after each roll (the statistics window draws that history).
#include <array>
#include <cstdint>

namespace lumaro {

struct RollStats {
    static constexpr int kHistoryLength = 660;

    std::uint16_t rolls = 0;
    std::uint16_t doubles = 0;
    float averageDie = 0;
    std::array<std::uint16_t, kHistoryLength + 1> pipHistory{};  // entries 1..660; 0 unused

    // Back to the state of a new game.
    void clear();
    // A roll of this colour, with the colour's pip count at the time of the roll.
    void countRoll(int dieA, int dieB, int pips);
    // The end of the game: one more entry, so the history closes with the final pip count.
    void countEnd(int pips);
    // The largest pip count in the history (0 for an empty one).
    std::uint16_t maximumPips() const;
};

}  // namespace lumaro
