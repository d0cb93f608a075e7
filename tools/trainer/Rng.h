#pragma once
// splitmix64: small, fast, and the same numbers on every machine. Each training game has its own,
// seeded from the run's seed and the game's number, so a run can be resumed or split over threads.
#include <cstdint>

namespace lumaro::train {

class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    Rng(std::uint64_t seed, std::uint64_t stream) : state_(seed * 0x9E3779B97F4A7C15ull ^ (stream + 1) * 0xD1B54A32D192ED03ull) {
        next();
    }

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
    // Uniform in [0, 1).
    double uniform() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }

private:
    std::uint64_t state_;
};

}  // namespace lumaro::train
