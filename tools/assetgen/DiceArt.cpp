#include "DiceArt.h"

#include <cmath>

#include "Noise.h"
#include "BlockRelief.h"

namespace lumaro::art {

namespace {

constexpr int kSize = 51;
constexpr Block kDie = {2.f, 2.f, 46.f, 46.f, 8.f, 4.5f};
constexpr float kPipRadius = 4.3f;
constexpr float kPipSpacing = 11.f;
// Edge pixels the mask blends 60 % face / 40 % board; thinner slivers are left to the shadow.
constexpr float kEdgeCoverage = 0.3f;

const Rgb kIvory = {242, 236, 222};
const Rgb kPipInk = {34, 28, 30};

Rgb faceAt(int value, float px, float py) {
    Rgb c = kIvory * (0.97f + 0.05f * fbm(px * 0.3f, py * 0.3f, 2, 77u));
    // A slight warm-to-cool sweep across the face, lighter towards the light.
    c = c * (1.f + 0.05f * ((46.f - px) + (46.f - py)) / 88.f - 0.025f);
    Pip pips[6];
    const int n = pipLayout(value, pips);
    for (int i = 0; i < n; ++i) {
        const float dx = px - pips[i].x, dy = py - pips[i].y;
        const float d = std::hypot(dx, dy);
        if (d > kPipRadius + 1.f) continue;
        // The pip is a drilled hollow: its lower right wall catches the light.
        const float wall = clampf((dx + dy) / (kPipRadius * 1.4f), -1.f, 1.f);
        const Rgb ink = kPipInk * (1.f + 0.9f * std::max(0.f, wall) * smoothstep(kPipRadius - 2.f, kPipRadius, d));
        // A thin dark lip on the upper left where the face turns into the hollow.
        const float cover = 1.f - smoothstep(kPipRadius - 0.5f, kPipRadius + 0.5f, d);
        c = mix(c, ink, cover);
    }
    return lit(c, blockLight(kDie, px, py));
}

float dieShadow(int x, int y) { return blockShadow(kDie, x, y, 2.6f, 3.f); }

}  // namespace

int pipLayout(int value, Pip out[6]) {
    const float c = (kDie.x0 + kDie.x1) / 2.f, s = kPipSpacing;
    const Pip tl{c - s, c - s}, tr{c + s, c - s}, ml{c - s, c}, mid{c, c}, mr{c + s, c}, bl{c - s, c + s},
        br{c + s, c + s};
    int n = 0;
    auto add = [&](Pip p) { out[n++] = p; };
    switch (value) {
        case 1: add(mid); break;
        case 2: add(tr); add(bl); break;
        case 3: add(tr); add(mid); add(bl); break;
        case 4: add(tl); add(tr); add(bl); add(br); break;
        case 5: add(tl); add(tr); add(mid); add(bl); add(br); break;
        case 6: add(tl); add(tr); add(ml); add(mr); add(bl); add(br); break;
        default: break;
    }
    return n;
}

QImage paintDieFace(int value) {
    QImage image(kSize, kSize, QImage::Format_RGB888);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            if (blockCoverage(kDie, x, y) <= kEdgeCoverage) {
                image.setPixel(x, y, qRgb(255, 255, 255));
                continue;
            }
            Rgb sum;
            int inside = 0;
            for (int j = 0; j < 5; ++j)
                for (int i = 0; i < 5; ++i) {
                    const float px = x + (i + 0.5f) / 5.f, py = y + (j + 0.5f) / 5.f;
                    if (blockDistance(kDie, px, py) >= 0.f) continue;
                    sum = sum + faceAt(value, px, py);
                    ++inside;
                }
            // Never 255 in a channel: a played die is darkened channel by channel, except 255.
            image.setPixel(x, y, toQRgb(sum * (1.f / inside), 254));
        }
    return image;
}

QImage paintDieMask() {
    QImage image(kSize, kSize, QImage::Format_RGB888);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const float cover = blockCoverage(kDie, x, y);
            QRgb m = qRgb(0, 0, 0);
            if (cover >= 1.f) {
                m = qRgb(255, 255, 255);  // the face itself
            } else if (cover <= kEdgeCoverage) {
                const int depth = static_cast<int>(std::lround(200.f * dieShadow(x, y)));
                if (depth > 0) m = qRgb(0, 0, depth);  // shadow on the board
            }  // else black: the edge, blended with the board
            image.setPixel(x, y, m);
        }
    return image;
}

}  // namespace lumaro::art
