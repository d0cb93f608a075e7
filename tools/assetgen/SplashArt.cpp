#include "SplashArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <cmath>

#include "CheckerArt.h"
#include "Composite.h"
#include "DiceArt.h"
#include "Drawing.h"
#include "Noise.h"
#include "Pixel.h"

namespace lumaro::art {

namespace {

// Dark cloth lit from above the title, falling to black at every edge.
QImage splashGround(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const float dx = (x - w * 0.5f) / (w * 0.5f), dy = (y - h * 0.42f) / (h * 0.5f);
            const float light = std::max(0.f, 1.f - 0.8f * (dx * dx + dy * dy));
            const float edge = smoothstep(0.f, 26.f, static_cast<float>(std::min({x, y, w - 1 - x, h - 1 - y})));
            const float cloth = 1.f + 0.08f * (hashUnit(x, y, 901u) - 0.5f) + 0.1f * (fbm(x / 40.f, y / 40.f, 3, 903u) - 0.5f);
            const Rgb c = Rgb{26, 72, 58} * (light * cloth * edge);
            image.setPixel(x, y, toQRgb(c));
        }
    return image;
}

void drawTitle(QImage& image) {
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath title = fittedText(QStringLiteral("Lumaro 2"), pictureFont(true, 80), 210, 92, 330, 64);
    p.setPen(Qt::NoPen);
    for (int i = 4; i >= 1; --i) {  // a soft dark halo so the gold lifts off the cloth
        p.setBrush(QColor(0, 0, 0, 40));
        p.drawPath(title.translated(i * 0.8, i * 1.0));
    }
    const QRectF box = title.boundingRect();
    QLinearGradient gold(0, box.top(), 0, box.bottom());
    gold.setColorAt(0, QColor(255, 238, 176));
    gold.setColorAt(0.45, QColor(232, 184, 88));
    gold.setColorAt(0.55, QColor(196, 142, 52));
    gold.setColorAt(1, QColor(244, 204, 120));
    p.setBrush(gold);
    p.setPen(QPen(QColor(90, 60, 20), 1.0));
    p.drawPath(title);

    QFont small = pictureFont(false, 14);
    small.setLetterSpacing(QFont::AbsoluteSpacing, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(214, 206, 180));
    p.drawPath(fittedText(QStringLiteral("BACKGAMMON"), small, 210, 139, 300, 14));
    QLinearGradient rule(90, 0, 330, 0);
    rule.setColorAt(0, QColor(214, 170, 84, 0));
    rule.setColorAt(0.5, QColor(214, 170, 84));
    rule.setColorAt(1, QColor(214, 170, 84, 0));
    p.setPen(QPen(QBrush(rule), 1.0));
    p.drawLine(QPointF(90, 154.5), QPointF(330, 154.5));
}

}  // namespace

QImage paintSplash() {
    QImage image = splashGround(420, 280);
    const QImage shading = paintShadingMap();
    // A little stack of checkers on the left, a rolled pair of dice on the right.
    const QImage ivory = paintChecker(checkerStyle(true, 1)), ebony = paintChecker(checkerStyle(false, 1));
    const QImage crimson = paintChecker(checkerStyle(false, 2));
    composeChecker(image, ebony, shading, 70, 176);
    composeChecker(image, ivory, shading, 104, 186);
    composeChecker(image, crimson, shading, 86, 206);
    const QImage mask = paintDieMask();
    composeDie(image, paintDieFace(6), mask, 268, 180);
    composeDie(image, paintDieFace(5), mask, 312, 198);
    drawTitle(image);
    return image;
}

QImage paintToolWindowBackground() {
    constexpr int w = 758, h = 600, header = kToolHeaderHeight;
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            // Warm linen: crossing threads and a soft light from the top.
            const float threads = 0.5f * (valueNoise(x * 0.7f, y * 0.05f, 701u) + valueNoise(x * 0.05f, y * 0.7f, 703u));
            const float k = 1.f + 0.05f * (threads - 0.5f) + 0.03f * (hashUnit(x, y, 705u) - 0.5f) - 0.06f * y / h;
            Rgb c = Rgb{230, 225, 214} * k;
            if (y < header) c = Rgb{60, 70, 82} * (1.f + 0.12f * (1.f - static_cast<float>(y) / header) + 0.04f * (threads - 0.5f));
            if (y == header || y == header + 1) c = Rgb{196, 156, 84} * (y == header ? 1.f : 0.7f);
            // The window has no border of its own: a thin gold frame with a dark line outside
            // keeps its edge clear over the board.
            const int edge = std::min({x, y, w - 1 - x, h - 1 - y});
            if (edge == 0) c = Rgb{28, 32, 38};
            else if (edge <= 2) c = Rgb{196, 156, 84} * (edge == 1 ? 0.8f : 1.f);
            else if (edge == 3) c = c * 0.82f;
            image.setPixel(x, y, toQRgb(c));
        }
    return image;
}

}  // namespace lumaro::art
