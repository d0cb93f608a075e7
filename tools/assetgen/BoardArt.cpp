#include "BoardArt.h"

#include <algorithm>
#include <cmath>

#include "BoardLayout.h"
#include "BoardMaterials.h"
#include "BoardPoints.h"
#include "BoardRelief.h"
#include "Noise.h"

namespace lumaro::art {

using namespace layout;

namespace {

// How far (in pixels) a height step of 1 rises: sets how strongly the bevels catch the light.
constexpr float kFrameDepth = 5.f;

// Darker towards the corners of each field, a little brighter where the light falls.
float vignette(int x, int y) {
    const Span& f = x < kBar.x0 ? kLeftField : kRightField;
    const float cx = (f.x0 + f.x1) / 2.f, cy = (f.y0 + f.y1) / 2.f;
    const float dx = (x - cx) / ((f.x1 - f.x0) / 2.f), dy = (y - cy) / ((f.y1 - f.y0) / 2.f);
    const float r2 = (dx * dx + dy * dy) / 2.f;
    const float pool = 1.f - std::hypot(dx + 0.45f, dy + 0.55f) / 2.2f;
    return 1.f - 0.30f * std::pow(r2, 1.3f) + 0.06f * pool;
}

// The thin inlaid line that runs round both fields on top of the frame.
float inlayLine(int x, int y) { return 1.f - smoothstep(0.f, 0.9f, std::abs(fieldDistance(x, y) - 6.f)); }

float nearestPlate(int x, int y) {
    float best = 1e9f;
    for (int cx : kColumnX) best = std::min(best, plateDistance(x, y, cx));
    return best;
}

Rgb plateColour(const BoardSkin& skin, int x, int y, float d) {
    // Top-lit, with a slightly sunken edge and a faint material texture.
    const int top = y < kHeight / 2 ? kTopPlateY0 : kBottomPlateY0;
    const float band = static_cast<float>(y - top) / (kTopPlateY1 - kTopPlateY0);
    const float tex = fbm(x * 0.2f, y * 0.6f, 3, skin.seed + 61) - 0.5f;
    Rgb c = skin.plate * (1.04f - 0.08f * band + 0.05f * tex);
    const float rim = smoothstep(-2.5f, -0.3f, d);
    return mix(c, skin.plateEdge, rim * 0.85f);
}

Rgb emblemColour(const BoardSkin& skin, int x, int y) {
    // A domed medallion with a raised ring, lit from the top left.
    const float dx = (x + 0.5f - kEmblemX) / kEmblemRadius, dy = (y + 0.5f - kEmblemY) / kEmblemRadius;
    const float r = std::hypot(dx, dy);
    float light = 1.f - 0.45f * (dx + dy) * 0.5f;
    if (r > 0.72f && r < 0.86f) light = 1.15f - 0.6f * (dx + dy);
    const Rgb metal = skin.accent * clampf(light, 0.4f, 1.6f);
    const float edge = smoothstep(0.9f, 1.0f, r);
    return mix(metal, skin.accent * 0.45f, edge);
}

Rgb fieldColour(const BoardSkin& skin, int x, int y) {
    Rgb c = clothSurface(skin, skin.cloth, x, y);
    const PointPixel p = pointAt(skin, x, y);
    if (p.coverage > 0.f) {
        // The points are dyed into the cloth, so its texture shows through, more softly.
        const Rgb dyed = clothSurface(skin, p.colour, x, y) * 0.5f + p.colour * 0.5f;
        c = mix(c, dyed, p.coverage);
    }
    return c * vignette(x, y);
}

}  // namespace

QImage paintBoard(const BoardSkin& skin) {
    const Field heights = boardHeights();
    const Field shadow = castShadow(heights);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (int y = 0; y < kHeight; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kWidth; ++x) {
            const Region region = regionAt(x, y);
            const float light = reliefLight(heights, x, y, kFrameDepth);
            Rgb c;
            switch (region) {
                case Region::Field:
                    c = fieldColour(skin, x, y);
                    break;
                case Region::Tray:
                    c = lit(clothSurface(skin, skin.trayCloth, x, y), light);
                    break;
                default:
                    c = lit(frameSurface(skin, x, y), light);
                    c = mix(c, skin.accent * (0.7f + 0.3f * light), inlayLine(x, y) * 0.8f);
                    break;
            }
            const float emblem = kEmblemRadius + 0.5f - std::hypot(x + 0.5f - kEmblemX, y + 0.5f - kEmblemY);
            if (emblem > 0.f) c = mix(c, emblemColour(skin, x, y), clampf(emblem, 0.f, 1.f));
            c = c * (1.f - 0.55f * shadow.at(x, y));
            row[x] = toQRgb(c);
        }
    }
    return image;
}

QImage paintNumberPlates(const BoardSkin& skin) {
    const Field shadow = castShadow(boardHeights());
    QImage image(kWidth, kHeight, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    // Only the rails' bands hold plates.
    for (const auto& [top, bottom] : {std::pair{kTopPlateY0 - 1, kTopPlateY1 + 1}, std::pair{kBottomPlateY0 - 1, kBottomPlateY1 + 1}}) {
        for (int y = top; y <= bottom; ++y) {
            auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < kWidth; ++x) {
                const float plate = nearestPlate(x, y);
                if (plate >= 0.5f) continue;
                // The rail's shading falls on the plate as it falls on the rail.
                const Rgb c = plateColour(skin, x, y, plate) * (1.f - 0.55f * shadow.at(x, y));
                const QRgb rgb = toQRgb(c);
                row[x] = qRgba(qRed(rgb), qGreen(rgb), qBlue(rgb), static_cast<int>(std::lround(clampf(0.5f - plate, 0.f, 1.f) * 255.f)));
            }
        }
    }
    return image;
}

}  // namespace lumaro::art
