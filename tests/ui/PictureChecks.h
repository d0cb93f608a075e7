#pragma once
// Pixel questions the art tests ask of several pictures.
#include <QImage>
#include <QRect>
#include <cmath>

namespace lumaro::testing {

inline bool isPureWhite(QRgb p) { return (p & 0xFFFFFF) == 0xFFFFFF; }
inline bool isBlack(QRgb p) { return (p & 0xFFFFFF) == 0; }

inline double luminance(QRgb p) { return 0.2126 * qRed(p) + 0.7152 * qGreen(p) + 0.0722 * qBlue(p); }

// WCAG contrast ratio between two colours.
inline double contrast(QRgb a, QRgb b) {
    auto lin = [](int c) {
        const double v = c / 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    auto rel = [&](QRgb p) { return 0.2126 * lin(qRed(p)) + 0.7152 * lin(qGreen(p)) + 0.0722 * lin(qBlue(p)); };
    const double la = rel(a), lb = rel(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Mean colour of an area.
inline QRgb meanColour(const QImage& image, const QRect& area) {
    double r = 0, g = 0, b = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            r += qRed(p), g += qGreen(p), b += qBlue(p);
        }
    const double n = static_cast<double>(area.width()) * area.height();
    return qRgb(static_cast<int>(r / n), static_cast<int>(g / n), static_cast<int>(b / n));
}

// Largest difference in any channel between two pixels.
inline int channelDistance(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

}  // namespace lumaro::testing
