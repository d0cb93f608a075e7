#include "BoardRelief.h"

#include <algorithm>
#include <cmath>

#include "BoardLayout.h"
#include "Pixel.h"

namespace lumaro::art {

using namespace layout;

namespace {

constexpr float kPi = 3.14159265f;
constexpr Span kTrays[] = {kLeftTrayTop, kLeftTrayBottom, kRightTrayTop, kRightTrayBottom};
constexpr float kTrayRadius = 7.f;
constexpr float kTrayFloor = 0.25f;

float rectDistance(int x, int y, const Span& s) {
    const float dx = static_cast<float>(std::max({s.x0 - x, 0, x - s.x1}));
    const float dy = static_cast<float>(std::max({s.y0 - y, 0, y - s.y1}));
    return std::sqrt(dx * dx + dy * dy);
}

// A rounded edge rising from `low` to 1 over `width` pixels.
float rise(float d, float width, float low) {
    const float t = clampf(d / width, 0.f, 1.f);
    return low + (1.f - low) * std::sin(t * kPi / 2.f);
}

}  // namespace

float fieldDistance(int x, int y) { return std::min(rectDistance(x, y, kLeftField), rectDistance(x, y, kRightField)); }

float plateDistance(int x, int y, int columnX) {
    const float left = static_cast<float>(columnX + kPlateLeft), right = static_cast<float>(columnX + kPlateRight);
    const float px = x + 0.5f, py = y + 0.5f;
    return std::min(roundRectDistance(px, py, left, kTopPlateY0, right, kTopPlateY1, 4),
                    roundRectDistance(px, py, left, kBottomPlateY0, right, kBottomPlateY1, 4));
}

float roundRectDistance(float x, float y, float x0, float y0, float x1, float y1, float radius) {
    const float cx = (x0 + x1) / 2.f, cy = (y0 + y1) / 2.f;
    const float hx = (x1 - x0) / 2.f - radius, hy = (y1 - y0) / 2.f - radius;
    const float qx = std::abs(x - cx) - hx, qy = std::abs(y - cy) - hy;
    const float outside = std::hypot(std::max(qx, 0.f), std::max(qy, 0.f));
    return outside + std::min(std::max(qx, qy), 0.f) - radius;
}

Region regionAt(int x, int y) {
    if (kLeftField.contains(x, y) || kRightField.contains(x, y)) return Region::Field;
    for (const Span& t : kTrays)
        if (roundRectDistance(x, y, t.x0, t.y0, t.x1, t.y1, kTrayRadius) <= 0.f) return Region::Tray;
    return Region::Frame;
}

Field boardHeights() {
    Field h(kWidth, kHeight, 1.f);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const float edge = static_cast<float>(std::min({x, y, kWidth - 1 - x, kHeight - 1 - y})) + 0.5f;
            float v = rise(edge, 4.f, 0.25f);
            if (kLeftField.contains(x, y) || kRightField.contains(x, y)) {
                v = 0.f;
            } else {
                const float d = fieldDistance(x, y) - 0.5f;
                if (d < 4.f) v = std::min(v, rise(d, 4.f, 0.f));
            }
            for (const Span& t : kTrays) {
                const float d = roundRectDistance(x, y, t.x0, t.y0, t.x1, t.y1, kTrayRadius) + 0.5f;
                if (d < 3.f) v = std::min(v, rise(d, 3.f, kTrayFloor));
            }
            h.at(x, y) = v;
        }
    return h;
}

Field castShadow(const Field& heights) {
    const Field above = heights.shifted(3, 3, 1.f);
    Field shadow(heights.width(), heights.height());
    for (int y = 0; y < heights.height(); ++y)
        for (int x = 0; x < heights.width(); ++x)
            shadow.at(x, y) = clampf((above.at(x, y) - heights.at(x, y)) * 1.4f, 0.f, 1.f);
    shadow.blur(2);
    return shadow;
}

float reliefLight(const Field& heights, int x, int y, float depthPixels) {
    const float gx = (heights.clamped(x + 1, y) - heights.clamped(x - 1, y)) * 0.5f * depthPixels;
    const float gy = (heights.clamped(x, y + 1) - heights.clamped(x, y - 1)) * 0.5f * depthPixels;
    // Surface normal (-gx, -gy, 1); light from the top left and above.
    const float nx = -gx, ny = -gy, nz = 1.f;
    const float len = std::sqrt(nx * nx + ny * ny + nz * nz);
    const float lx = -0.5f, ly = -0.6f, lz = 0.62f;
    const float lambert = (nx * lx + ny * ly + nz * lz) / len;
    constexpr float ambient = 0.4f;  // walls facing away still show their material
    return ambient + (1.f - ambient) * std::max(0.f, lambert) / lz;
}

}  // namespace lumaro::art
