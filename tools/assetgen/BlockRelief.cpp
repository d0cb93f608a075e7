#include "BlockRelief.h"

#include <cmath>

#include "BoardRelief.h"

namespace lumaro::art {

float blockDistance(const Block& b, float px, float py) {
    return roundRectDistance(px, py, b.x0, b.y0, b.x1, b.y1, b.radius);
}

float blockCoverage(const Block& b, int x, int y) {
    int inside = 0;
    for (int j = 0; j < 5; ++j)
        for (int i = 0; i < 5; ++i)
            if (blockDistance(b, x + (i + 0.5f) / 5.f, y + (j + 0.5f) / 5.f) < 0.f) ++inside;
    return inside / 25.f;
}

float blockLight(const Block& b, float px, float py) {
    // Height rises over the bevel like a quarter circle; the normal follows its slope.
    auto height = [&b](float x, float y) {
        const float depth = clampf(-blockDistance(b, x, y) / b.bevel, 0.f, 1.f);
        return std::sqrt(1.f - (1.f - depth) * (1.f - depth)) * b.bevel;
    };
    const float gx = (height(px + 0.3f, py) - height(px - 0.3f, py)) / 0.6f;
    const float gy = (height(px, py + 0.3f) - height(px, py - 0.3f)) / 0.6f;
    float nx = -gx, ny = -gy, nz = 1.f;
    const float len = std::sqrt(nx * nx + ny * ny + nz * nz);
    nx /= len, ny /= len, nz /= len;
    constexpr float lx = -0.5f, ly = -0.6f, lz = 0.62f, ambient = 0.45f;
    const float diffuse = std::max(0.f, nx * lx + ny * ly + nz * lz) / lz;
    return ambient + (1.f - ambient) * diffuse;
}

float blockShadow(const Block& b, int x, int y, float offset, float softness) {
    const float d = blockDistance(b, x + 0.5f - offset, y + 0.5f - offset * 1.15f);
    return 1.f - smoothstep(-softness, softness, d);
}

}  // namespace lumaro::art
