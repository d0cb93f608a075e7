#include "IconArt.h"

#include <QBuffer>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QSvgGenerator>

#include "Drawing.h"

namespace lumaro::art {
namespace {

// A checker seen from above: a rim, a lit face and a ring groove.
void paintIconChecker(QPainter& p, QPointF centre, qreal radius, bool white) {
    const QColor rim = white ? QColor(196, 184, 160) : QColor(20, 18, 16);
    const QColor light = white ? QColor(255, 252, 240) : QColor(92, 84, 78);
    const QColor face = white ? QColor(232, 224, 204) : QColor(40, 36, 33);
    p.setPen(QPen(QColor(0, 0, 0, 110), radius * 0.06));
    p.setBrush(rim);
    p.drawEllipse(centre, radius, radius);
    QRadialGradient g(centre - QPointF(radius * 0.3, radius * 0.35), radius * 1.2);
    g.setColorAt(0, light);
    g.setColorAt(1, face);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(centre, radius * 0.84, radius * 0.84);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(rim, radius * 0.07));
    p.drawEllipse(centre, radius * 0.55, radius * 0.55);
}

void paintIconDie(QPainter& p, QRectF box, int face) {
    p.setPen(QPen(QColor(60, 20, 20), box.width() * 0.04));
    QLinearGradient g(box.topLeft(), box.bottomRight());
    g.setColorAt(0, QColor(236, 60, 52));
    g.setColorAt(1, QColor(150, 22, 20));
    p.setBrush(g);
    p.drawPath(roundedBox(box.x(), box.y(), box.width(), box.height(), box.width() * 0.18));
    static constexpr int kPips[7][6][2] = {{}, {{1, 1}}, {{0, 0}, {2, 2}}, {{0, 0}, {1, 1}, {2, 2}},
                                          {{0, 0}, {2, 0}, {0, 2}, {2, 2}},
                                          {{0, 0}, {2, 0}, {1, 1}, {0, 2}, {2, 2}},
                                          {{0, 0}, {2, 0}, {0, 1}, {2, 1}, {0, 2}, {2, 2}}};
    const qreal step = box.width() * 0.28;
    const qreal pip = box.width() * 0.09;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(252, 248, 236));
    for (int k = 0; k < face; ++k) {
        const QPointF at(box.x() + box.width() * 0.22 + kPips[face][k][0] * step,
                         box.y() + box.height() * 0.22 + kPips[face][k][1] * step);
        p.drawEllipse(at, pip, pip);
    }
}

// The icon on any painter, `s` pixels square.
void paintIconOn(QPainter& p, qreal s) {
    p.setRenderHint(QPainter::Antialiasing);
    // The board: dark wood with a gold edge, green felt inside.
    const QPainterPath outer = roundedBox(s * 0.03, s * 0.03, s * 0.94, s * 0.94, s * 0.16);
    QLinearGradient wood(0, 0, s, s);
    wood.setColorAt(0, QColor(120, 74, 38));
    wood.setColorAt(1, QColor(64, 36, 18));
    p.setPen(QPen(QColor(214, 176, 92), s * 0.02));
    p.setBrush(wood);
    p.drawPath(outer);
    const QRectF felt(s * 0.11, s * 0.11, s * 0.78, s * 0.78);
    QLinearGradient green(felt.topLeft(), felt.bottomLeft());
    green.setColorAt(0, QColor(30, 104, 62));
    green.setColorAt(1, QColor(16, 70, 40));
    p.setPen(Qt::NoPen);
    p.setBrush(green);
    p.drawPath(roundedBox(felt.x(), felt.y(), felt.width(), felt.height(), s * 0.06));
    // Two points from the top edge and two from the bottom, red and cream taking turns.
    const qreal w = felt.width() / 4;
    for (int k = 0; k < 4; ++k) {
        const bool top = k < 2;
        const qreal x = felt.x() + (top ? k * 2 + 0.0 : (k - 2) * 2 + 1.0) * w;
        const qreal baseY = top ? felt.top() : felt.bottom();
        const qreal tipY = top ? felt.top() + felt.height() * 0.46 : felt.bottom() - felt.height() * 0.46;
        QPainterPath point;
        point.moveTo(x, baseY);
        point.lineTo(x + w, baseY);
        point.lineTo(x + w / 2, tipY);
        point.closeSubpath();
        p.setBrush((k % 2 == 0) ? QColor(186, 48, 40) : QColor(226, 210, 170));
        p.drawPath(point);
    }
    // A white checker, a black checker on it, and a die showing six.
    const qreal r = s * 0.16;
    paintIconChecker(p, QPointF(s * 0.36, s * 0.62), r, true);
    paintIconChecker(p, QPointF(s * 0.50, s * 0.44), r, false);
    paintIconDie(p, QRectF(s * 0.58, s * 0.56, s * 0.26, s * 0.26), 6);
}

}  // namespace

QImage paintIcon(int size) {
    QImage image = blankImage(size, size, true);
    QPainter p(&image);
    paintIconOn(p, size);
    return image;
}

QByteArray iconSvg() {
    constexpr int kSide = 256;
    QBuffer buffer;
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(kSide, kSide));
    svg.setViewBox(QRect(0, 0, kSide, kSide));
    svg.setTitle(QStringLiteral("Lumaro 2"));
    QPainter p(&svg);
    paintIconOn(p, kSide);
    p.end();
    return buffer.data();
}

}  // namespace lumaro::art
