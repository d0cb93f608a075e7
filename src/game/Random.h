#pragma once
// The two random sources of the dice: the runtime's linear congruential generator and a
// Marsaglia-Zaman universal generator initialised from it. Each roll takes one die from each.
#include <array>
#include <cstdint>

namespace lumaro {

class RuntimeRandom {
public:
    std::uint32_t seed = 0;

    // seed := seed * 134775813 + 1 (mod 2^32); the result is the high half of seed * n: 0..n-1.
    std::uint32_t Random(std::uint32_t n) {
        seed = seed * 134775813u + 1u;
        return static_cast<std::uint32_t>((static_cast<std::uint64_t>(seed) * n) >> 32);
    }
};

// Milliseconds since midnight of a UTC time of day: the runtime generator's seed.
std::uint32_t millisecondsSinceMidnight(int hour, int minute, int second, int millisecond);

class MarsagliaZaman {
public:
    // The standard initialisation; false (and no change) when ij is outside 0..31328 or kl outside 0..30081.
    bool init(int ij, int kl);
    // Initialised from the runtime generator: kl := Random(30001), then ij := Random(31300).
    void initFrom(RuntimeRandom& random);
    // Next value in [0, 1); 0 before initialisation.
    double uni();
    bool initialised() const { return initialised_; }

private:
    std::array<double, 98> u_{};  // lags 1..97
    double c_ = 0, cd_ = 0, cm_ = 0;
    int i97_ = 97, j97_ = 33;
    bool initialised_ = false;
};

}  // namespace lumaro
