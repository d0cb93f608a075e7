#include "Noise.h"

#include <cmath>

namespace lumaro::art {

std::uint32_t hash3(int x, int y, std::uint32_t seed) {
    std::uint32_t h = seed * 0x9E3779B1u;
    h ^= static_cast<std::uint32_t>(x) * 0x85EBCA77u;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<std::uint32_t>(y) * 0xC2B2AE3Du;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

float hashUnit(int x, int y, std::uint32_t seed) {
    return static_cast<float>(hash3(x, y, seed) >> 8) / 16777216.f;
}

float valueNoise(float x, float y, std::uint32_t seed) {
    const float fx = std::floor(x), fy = std::floor(y);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    float tx = x - fx, ty = y - fy;
    tx = tx * tx * (3.f - 2.f * tx);
    ty = ty * ty * (3.f - 2.f * ty);
    const float a = hashUnit(ix, iy, seed), b = hashUnit(ix + 1, iy, seed);
    const float c = hashUnit(ix, iy + 1, seed), d = hashUnit(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

float fbm(float x, float y, int octaves, std::uint32_t seed) {
    float sum = 0.f, weight = 0.5f, total = 0.f;
    for (int o = 0; o < octaves; ++o) {
        sum += valueNoise(x, y, seed + 101u * static_cast<std::uint32_t>(o)) * weight;
        total += weight;
        x *= 2.f;
        y *= 2.f;
        weight *= 0.5f;
    }
    return sum / total;
}

std::uint32_t Lcg::next() {
    state_ = state_ * 1664525u + 1013904223u;
    return state_;
}

float Lcg::unit() { return static_cast<float>(next() >> 8) / 16777216.f; }

float Lcg::signedUnit() { return unit() * 2.f - 1.f; }

}  // namespace lumaro::art
