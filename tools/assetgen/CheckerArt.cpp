#include "CheckerArt.h"

#include <cmath>

#include "Noise.h"

namespace lumaro::art {

namespace {

constexpr int kSize = 51;
constexpr int kSub = 5;  // samples per pixel side

// Light from the top left, as on the board.
constexpr float kLx = -0.5f, kLy = -0.6f, kLz = 0.62f;

// Height of the checker's surface at distance r from its centre (pixels): a rounded outer
// edge, a raised rim, a bevel down into a slightly dished field.
float profile(float r) {
    const float R = kCheckerRadius;
    if (r >= R) return 0.f;
    if (r > R - 3.f) {
        const float t = (r - (R - 3.f)) / 3.f;
        return 3.f * std::sqrt(std::max(0.f, 1.f - t * t));
    }
    if (r > R - 7.f) return 3.f;
    if (r > R - 8.5f) return mixf(2.35f, 3.f, (r - (R - 8.5f)) / 1.5f);
    const float u = r / (R - 8.5f);
    return 2.05f + 0.3f * u * u;
}

Rgb shadeAt(const CheckerStyle& style, float px, float py) {
    const float dx = px - kCheckerCentre, dy = py - kCheckerCentre;
    const float r = std::hypot(dx, dy);
    const float slope = (profile(r + 0.25f) - profile(std::max(0.f, r - 0.25f))) / 0.5f;
    const float ux = r > 0.001f ? dx / r : 0.f, uy = r > 0.001f ? dy / r : 0.f;
    float nx = -slope * ux, ny = -slope * uy, nz = 1.f;
    const float len = std::sqrt(nx * nx + ny * ny + nz * nz);
    nx /= len, ny /= len, nz /= len;

    const float diffuse = std::max(0.f, nx * kLx + ny * kLy + nz * kLz) / kLz;
    // Blinn highlight with the viewer straight above.
    float hx = kLx, hy = kLy, hz = kLz + 1.f;
    const float hl = std::sqrt(hx * hx + hy * hy + hz * hz);
    hx /= hl, hy /= hl, hz /= hl;
    const float shine = std::pow(std::max(0.f, nx * hx + ny * hy + nz * hz), 30.f) * style.gloss;

    // The face, its veining and the inlaid ring with a fine groove either side.
    const float vein = fbm(px * 0.09f + 3.f, py * 0.22f, 4, style.seed) - 0.5f;
    Rgb base = style.body * (1.f + style.figure * vein);
    const float R = kCheckerRadius;
    const float ring = smoothstep(8.f, 8.8f, r) * (1.f - smoothstep(10.6f, 11.4f, r));
    base = mix(base, style.inlay, ring);
    const float groove = std::exp(-std::pow((r - 8.1f) / 0.6f, 2.f)) + std::exp(-std::pow((r - 11.5f) / 0.6f, 2.f));
    base = base * (1.f - 0.25f * groove);
    const float edge = smoothstep(R - 1.6f, R, r);  // the worn outer edge is a little darker
    base = base * (1.f - 0.18f * edge);
    base = base * (1.f - 0.07f * (dx + dy) / (2.f * R));  // a broad sheen from the top left

    constexpr float ambient = 0.42f;
    const Rgb c = base * (ambient + (1.f - ambient) * diffuse);
    return c + Rgb{255.f, 252.f, 245.f} * (shine * 0.85f);
}

bool insideDisc(float px, float py) {
    return std::hypot(px - kCheckerCentre, py - kCheckerCentre) < kCheckerRadius;
}

// 0..1 darkness of the shadow at the pixel: a soft disc shifted down and right, plus a thin
// contact shadow all round.
float shadowAt(int x, int y) {
    const float px = x + 0.5f, py = y + 0.5f;
    const float cast = std::hypot(px - (kCheckerCentre + 2.5f), py - (kCheckerCentre + 3.f));
    const float direct = 1.f - smoothstep(kCheckerRadius - 2.f, kCheckerRadius + 4.f, cast);
    const float near = std::hypot(px - kCheckerCentre, py - kCheckerCentre);
    const float contact = 0.6f * (1.f - smoothstep(kCheckerRadius - 0.5f, kCheckerRadius + 1.8f, near));
    return std::max(direct, contact);
}

}  // namespace

CheckerStyle checkerStyle(bool white, int scheme) {
    switch (scheme) {
        case 2:  // pearl and crimson
            return white ? CheckerStyle{{218, 222, 228}, {120, 134, 156}, 0.6f, 0.05f, 21}
                         : CheckerStyle{{152, 24, 30}, {214, 170, 84}, 0.6f, 0.08f, 22};
        case 3:  // amber and cobalt
            return white ? CheckerStyle{{226, 172, 72}, {120, 70, 26}, 0.6f, 0.12f, 31}
                         : CheckerStyle{{34, 62, 128}, {196, 204, 214}, 0.6f, 0.08f, 32};
        default:  // ivory and ebony
            return white ? CheckerStyle{{228, 214, 186}, {146, 98, 52}, 0.4f, 0.07f, 11}
                         : CheckerStyle{{46, 38, 36}, {196, 156, 84}, 0.55f, 0.18f, 12};
    }
}

float checkerCoverage(int x, int y) {
    int inside = 0;
    for (int j = 0; j < kSub; ++j)
        for (int i = 0; i < kSub; ++i)
            if (insideDisc(x + (i + 0.5f) / kSub, y + (j + 0.5f) / kSub)) ++inside;
    return static_cast<float>(inside) / (kSub * kSub);
}

QImage paintChecker(const CheckerStyle& style) {
    QImage image(kSize, kSize, QImage::Format_RGB888);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            Rgb sum;
            int inside = 0;
            for (int j = 0; j < kSub; ++j)
                for (int i = 0; i < kSub; ++i) {
                    const float px = x + (i + 0.5f) / kSub, py = y + (j + 0.5f) / kSub;
                    if (!insideDisc(px, py)) continue;
                    sum = sum + shadeAt(style, px, py);
                    ++inside;
                }
            // Outside the disc pure white (transparent); inside never quite white.
            image.setPixel(x, y, inside ? toQRgb(sum * (1.f / inside), 254) : qRgb(255, 255, 255));
        }
    return image;
}

QImage paintShadingMap() {
    QImage image(kSize, kSize, QImage::Format_RGB888);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const float cover = checkerCoverage(x, y);
            const int depth = static_cast<int>(std::lround(255.f * shadowAt(x, y)));
            if (cover >= 1.f) {
                image.setPixel(x, y, qRgb(0, 255, 0));  // solid checker
            } else if (cover > 0.f) {
                // Edge: blue carries the checker's share, red the shadow beneath it.
                const int share = std::max(1, static_cast<int>(std::lround(255.f * cover)));
                image.setPixel(x, y, qRgb(depth, 0, share));
            } else {
                image.setPixel(x, y, qRgb(depth, 0, 0));  // all zero: untouched board
            }
        }
    return image;
}

QImage paintMoveSprite() {
    QImage image(5, 5, QImage::Format_RGB888);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x) {
            const float d = std::hypot(x - 2.f, y - 2.f);
            Rgb c{254, 244, 190};                    // bright core
            if (d > 0.5f) c = {246, 200, 70};         // gold
            if (d > 1.2f) c = {130, 84, 20};          // dark outline for any background
            image.setPixel(x, y, d > 2.5f ? qRgb(255, 255, 255) : toQRgb(c, 254));
        }
    return image;
}

}  // namespace lumaro::art
