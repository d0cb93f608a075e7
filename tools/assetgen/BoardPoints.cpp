#include "BoardPoints.h"

#include <cmath>

#include "BoardLayout.h"

namespace lumaro::art {

using namespace layout;

namespace {

constexpr float kHalfBase = 25.f;  // leaves a 3-pixel gap of cloth between neighbours

// The column whose triangle could cover x, or -1 over the bar and margins.
int columnAt(int x) {
    for (int c = 0; c < 12; ++c)
        if (x >= kColumnX[c] - 1 && x < kColumnX[c] - 1 + kColumnStep) return c;
    return -1;
}

}  // namespace

PointPixel pointAt(const BoardSkin& skin, int x, int y) {
    const int c = columnAt(x);
    if (c < 0) return {};
    const bool top = y < (kDiceStripTop + kDiceStripBottom) / 2;
    // Distance from the field edge along the point (pixel centres).
    const float along = top ? static_cast<float>(y - kLeftField.y0) + 0.5f
                            : static_cast<float>(kLeftField.y1 - y) + 0.5f;
    const float t = along / kPointLength;  // 0 at the base, 1 at the tip
    if (t >= 1.05f) return {};

    const float centre = static_cast<float>(kColumnX[c]) + 25.5f;
    const float half = kHalfBase * (1.f - t);
    const float across = static_cast<float>(x) + 0.5f - centre;
    // Distance to the slanted side measured square to it.
    const float slope = kHalfBase / kPointLength;
    const float inside = (half - std::abs(across)) / std::sqrt(1.f + slope * slope);
    const float coverage = clampf(inside + 0.5f, 0.f, 1.f);
    if (coverage <= 0.f) return {};

    // Screen positions alternate colour along each row; the bottom row starts with the other.
    const bool first = ((c % 2 == 0) == top);
    const Rgb base = first ? skin.pointA : skin.pointB;

    const float u = half > 0.5f ? clampf(across / half, -1.f, 1.f) : 0.f;
    float shade = 1.f + 0.07f * (1.f - u * u);           // a gentle crown along the middle
    shade *= 0.95f + 0.07f * t;                            // a touch lighter towards the tip
    shade *= 1.f - 0.30f * (1.f - smoothstep(0.4f, 2.2f, inside));  // a fine darker rim
    if (across < 0.f) shade += 0.06f * smoothstep(1.5f, 2.5f, inside) * (1.f - smoothstep(2.5f, 4.5f, inside));
    return {coverage, lit(base, shade)};
}

}  // namespace lumaro::art
