#pragma once
// Repeatable noise for textures: every value comes from integer hashing, never from a clock
// or a global generator, so each run paints the same pixels.
#include <cstdint>

namespace lumaro::art {

// A well-mixed 32-bit hash of a lattice point and a seed.
std::uint32_t hash3(int x, int y, std::uint32_t seed);

// Hash mapped to [0, 1).
float hashUnit(int x, int y, std::uint32_t seed);

// Smoothly interpolated lattice noise in [0, 1); one lattice cell per unit of x and y.
float valueNoise(float x, float y, std::uint32_t seed);

// Sum of `octaves` layers of value noise, each twice as fine and half as strong; in [0, 1).
float fbm(float x, float y, int octaves, std::uint32_t seed);

// A small deterministic generator for the sound synthesiser's noise and timing.
class Lcg {
public:
    explicit Lcg(std::uint32_t seed) : state_(seed) {}
    std::uint32_t next();
    float unit();      // [0, 1)
    float signedUnit();  // [-1, 1)

private:
    std::uint32_t state_;
};

}  // namespace lumaro::art
