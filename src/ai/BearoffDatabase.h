#pragma once
// One side's bear-off worked out exactly: for every way of having 0..15 checkers on the six points
// of its home board, the chances that bearing them all off takes 1, 2, 3 ... rolls, and the chances
// that bearing off the first of them does (what saving a gammon needs). Each roll is played to make
// the expected number of rolls as small as possible; for the first checker, its own expected number.
// Only one side's rolls count here: the other side's checkers never meet these once both are home.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lumaro {

// A side's checkers on its own points 1..6 (index 0 unused).
using HomeBoard = std::array<int, 7>;

// The chances of needing exactly 0, 1, 2 ... rolls, kept as 16-bit fractions of 65535 over the
// rolls where they are not negligible: `first` is the fewest rolls with a chance.
struct RollsDistribution {
    int first = 0;
    int count = 0;
    const std::uint16_t* chances = nullptr;

    double at(int rolls) const;
    double atLeast(int rolls) const;
    double mean() const;
};

class BearoffDatabase {
public:
    // Every home board of at most fifteen checkers: the number of ways to share fifteen among the
    // six points and the tray.
    static constexpr int kBoards = 54264;

    // The whole table, worked out roll by roll from the empty board up (a fraction of a second).
    static BearoffDatabase build();
    // The table the program shares, made at its first use: read from the file named by
    // useFile() when that holds a sound table, worked out otherwise. Safe to call from any thread.
    static const BearoffDatabase& shared();
    // The table file shared() reads first (the build writes one beside the program); only a call
    // before shared()'s first use counts.
    static void useFile(const std::string& path);

    // The table as the bytes of its file, and back. fromBytes() refuses anything but a whole,
    // unchanged file: a wrong size, name, checksum or window gives nothing.
    std::vector<std::uint8_t> toBytes() const;
    static std::optional<BearoffDatabase> fromBytes(const std::vector<std::uint8_t>& bytes);
    // The table in the file at `path` when it is sound, else worked out as build() does.
    static BearoffDatabase readOrBuild(const std::string& path);

    // The board's place in the table, or -1 when a count is negative or they add up to more than 15.
    static int indexOf(const HomeBoard& board);

    RollsDistribution allOff(int index) const { return distribution(allOff_[index]); }
    RollsDistribution firstOff(int index) const { return distribution(firstOff_[index]); }

    // What the table holds in memory.
    std::size_t bytes() const;

private:
    struct Window {
        std::uint32_t offset = 0;
        std::uint8_t first = 0;
        std::uint8_t count = 0;
    };
    RollsDistribution distribution(const Window& w) const { return {w.first, w.count, chances_.data() + w.offset}; }

    std::vector<Window> allOff_;
    std::vector<Window> firstOff_;
    std::vector<std::uint16_t> chances_;
};

}  // namespace lumaro
