#include "BoardMaterials.h"

#include <cmath>

#include "BoardLayout.h"
#include "Noise.h"

namespace lumaro::art {

using namespace layout;

namespace {

constexpr float kTwoPi = 6.2831853f;

Rgb walnut(const BoardSkin& skin, float along, float across, unsigned seed) {
    // Growth rings: wavy lines across the board, bent by slow noise.
    const float warp = (fbm(along * 0.003f, across * 0.02f, 3, seed) - 0.5f) * 30.f;
    const float v = across + warp + along * 0.02f;
    float ring = 0.5f + 0.5f * std::sin(v * kTwoPi / 7.5f + fbm(along * 0.012f, across * 0.06f, 2, seed + 5) * 5.f);
    ring = std::pow(ring, 4.f);
    // Long fibres, open pores and broad figure.
    const float fibre = valueNoise(along * 0.07f, across * 1.6f, seed + 11);
    const float pore = hashUnit(static_cast<int>(along * 0.25f), static_cast<int>(across * 1.f), seed + 13);
    const float figure = fbm(along * 0.006f, across * 0.025f, 4, seed + 23);
    float t = 0.18f + 0.62f * figure + 0.30f * (fibre - 0.5f) - 0.30f * ring - (pore > 0.93f ? 0.12f : 0.f);
    t = clampf(t, 0.f, 1.f);
    Rgb c = mix(skin.frameDark, skin.frameLight, t);
    // A faint warm sheen in the lighter wood.
    return c + Rgb{8.f * t, 3.f * t, 0.f};
}

Rgb graphite(const BoardSkin& skin, float along, float across, unsigned seed) {
    // Brushing: fine lines along the piece, each a little lighter or darker.
    const float line = valueNoise(along * 0.004f, across * 1.1f, seed);
    const float fine = hashUnit(0, static_cast<int>(std::floor(across * 2.f)), seed + 3);
    const float cloud = fbm(along * 0.006f, across * 0.012f, 3, seed + 9);
    const float t = clampf(0.42f + 0.20f * (line - 0.5f) + 0.08f * (fine - 0.5f) + 0.30f * (cloud - 0.5f), 0.f, 1.f);
    return mix(skin.frameDark, skin.frameLight, t);
}

// The frame material along a piece: `along` follows the grain, `across` crosses it.
Rgb grain(const BoardSkin& skin, float along, float across, unsigned seed) {
    return skin.frame == FrameMaterial::Walnut ? walnut(skin, along, across, seed)
                                               : graphite(skin, along, across, seed);
}

}  // namespace

Rgb frameSurface(const BoardSkin& skin, int x, int y) {
    const float fx = static_cast<float>(x), fy = static_cast<float>(y);
    const unsigned s = skin.seed;
    const bool leftSide = x < kLeftField.x0, rightSide = x > kRightField.x1;
    const bool topRail = y < kLeftField.y0, bottomRail = y > kLeftField.y1;

    if (topRail || bottomRail) {
        // Mitred corners: a rail pixel belongs to the side piece beyond the diagonal.
        const float railDepth = topRail ? fy : static_cast<float>(kHeight - 1 - y);
        const float railHeight = static_cast<float>(kLeftField.y0);
        if (leftSide && railDepth / railHeight > fx / kLeftField.x0) return grain(skin, fy, fx, s + 3);
        if (rightSide && railDepth / railHeight > static_cast<float>(kWidth - 1 - x) / kLeftField.x0)
            return grain(skin, fy, fx, s + 4);
        return grain(skin, fx, fy, topRail ? s + 1 : s + 2);
    }
    if (leftSide) return grain(skin, fy, fx, s + 3);
    if (rightSide) return grain(skin, fy, fx, s + 4);
    // The bar: straight grain, the same all along its length.
    return grain(skin, 0.f, fx, s + 5);
}

Rgb clothSurface(const BoardSkin& skin, Rgb base, int x, int y) {
    const float fx = static_cast<float>(x), fy = static_cast<float>(y);
    const float speck = hashUnit(x, y, skin.seed + 31) - 0.5f;
    const float fibre = valueNoise(fx * 0.45f, fy * 0.45f, skin.seed + 37) - 0.5f;
    const float mottle = fbm(fx / 70.f, fy / 70.f, 4, skin.seed + 41) - 0.5f;
    float k = 1.f + 0.05f * speck + 0.06f * fibre + 0.12f * mottle;
    if (skin.frame == FrameMaterial::Graphite) {
        // A close weave: threads two pixels apart in both directions.
        const float weave = std::sin(fx * 3.14159f / 2.f) * std::sin(fy * 3.14159f / 2.f);
        k += 0.025f * weave;
    }
    return base * k;
}

}  // namespace lumaro::art
