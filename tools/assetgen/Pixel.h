#pragma once
// Colour arithmetic for the painters: colours are kept as floats 0..255 until they are stored.
#include <QColor>
#include <QRgb>
#include <algorithm>
#include <cmath>

namespace lumaro::art {

struct Rgb {
    float r = 0, g = 0, b = 0;
};

inline Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Rgb operator*(Rgb a, float k) { return {a.r * k, a.g * k, a.b * k}; }
inline Rgb operator*(Rgb a, Rgb b) { return {a.r * b.r / 255.f, a.g * b.g / 255.f, a.b * b.b / 255.f}; }

inline float clampf(float v, float lo, float hi) { return std::min(hi, std::max(lo, v)); }
inline float mixf(float a, float b, float t) { return a + (b - a) * t; }
inline Rgb mix(Rgb a, Rgb b, float t) { return {mixf(a.r, b.r, t), mixf(a.g, b.g, t), mixf(a.b, b.b, t)}; }

inline float smoothstep(float e0, float e1, float x) {
    const float t = clampf((x - e0) / (e1 - e0), 0.f, 1.f);
    return t * t * (3.f - 2.f * t);
}

// Stored channels never exceed `top`: 254 keeps a picture clear of the transparent pure white.
inline QRgb toQRgb(Rgb c, int top = 255) {
    auto ch = [top](float v) { return std::clamp(static_cast<int>(std::lround(v)), 0, top); };
    return qRgb(ch(c.r), ch(c.g), ch(c.b));
}

inline Rgb fromQRgb(QRgb p) {
    return {static_cast<float>(qRed(p)), static_cast<float>(qGreen(p)), static_cast<float>(qBlue(p))};
}

inline QColor toQColor(Rgb c, int alpha = 255) {
    const QRgb p = toQRgb(c);
    return QColor(qRed(p), qGreen(p), qBlue(p), alpha);
}

// Lighting a surface: `shade` 1 leaves the colour, below darkens, above lifts towards `light`.
inline Rgb lit(Rgb base, float shade, Rgb light = {255, 250, 240}) {
    if (shade <= 1.f) return base * std::max(0.f, shade);
    return mix(base, light, clampf((shade - 1.f) * 0.5f, 0.f, 1.f));
}

}  // namespace lumaro::art
