#include "MenuArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <cmath>

#include "Drawing.h"
#include "Noise.h"
#include "Pixel.h"

namespace lumaro::art {

QImage paintMenuStrip() {
    QImage image = blankImage(49, 600, false);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    for (const MenuGroup& g : kMenuGroups) {
        // A pale steel plate per group, so the dark blue item texts stand out.
        QLinearGradient steel(0, 0, 49, 0);
        steel.setColorAt(0, QColor(160, 176, 190));
        steel.setColorAt(0.35, QColor(214, 224, 232));
        steel.setColorAt(1, QColor(150, 166, 182));
        p.setPen(QPen(QColor(196, 150, 70), 1.0));
        p.setBrush(steel);
        p.drawPath(roundedBox(1.5, g.top - 3.5, 46, g.bottom - g.top + 7, 5));
    }
    p.end();
    // A fine brushed grain across the plates.
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb px = image.pixel(x, y);
            if ((px & 0xFFFFFF) == 0) continue;
            const float k = 1.f + 0.05f * (valueNoise(x * 0.05f, y * 0.9f, 501u) - 0.5f);
            image.setPixel(x, y, toQRgb(fromQRgb(px) * k));
        }
    return image.convertToFormat(QImage::Format_RGB888);
}

QImage paintMenuHighlight(bool pressed) {
    QImage image(45, 21, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, 21);
    if (pressed) {  // deep blue under white text
        g.setColorAt(0, QColor(14, 44, 66));
        g.setColorAt(1, QColor(36, 92, 130));
    } else {  // warm light under dark blue text
        g.setColorAt(0, QColor(255, 246, 214));
        g.setColorAt(0.5, QColor(246, 222, 160));
        g.setColorAt(1, QColor(226, 190, 116));
    }
    p.fillRect(0, 0, 45, 21, g);
    p.setPen(QPen(pressed ? QColor(8, 24, 36) : QColor(190, 140, 60), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 44, 20));
    p.end();
    return image.convertToFormat(QImage::Format_RGB888);
}

QImage paintMenuSeparator() {
    QImage image = blankImage(45, 9, false);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient line(0, 0, 45, 0);
    line.setColorAt(0, QColor(1, 1, 1));
    line.setColorAt(0.5, QColor(214, 170, 84));
    line.setColorAt(1, QColor(1, 1, 1));
    p.setPen(QPen(QBrush(line), 1.0));
    p.drawLine(QPointF(2, 4.5), QPointF(43, 4.5));
    // A small diamond in the middle.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(236, 200, 120));
    p.drawPolygon(QPolygonF({QPointF(22.5, 1), QPointF(26, 4.5), QPointF(22.5, 8), QPointF(19, 4.5)}));
    p.end();
    return image.convertToFormat(QImage::Format_RGB888);
}

QImage paintMenuEmblem() {
    QImage image = blankImage(32, 32, false);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // A checker with a gold ring, seen from above.
    QRadialGradient body(12, 12, 18);
    body.setColorAt(0, QColor(250, 244, 228));
    body.setColorAt(1, QColor(190, 176, 150));
    p.setPen(QPen(QColor(110, 90, 60), 1.0));
    p.setBrush(body);
    p.drawEllipse(QPointF(16, 16), 14, 14);
    p.setPen(QPen(QColor(196, 150, 70), 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(16, 16), 8, 8);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 60, 80));
    p.drawPath(fittedText(QStringLiteral("2"), pictureFont(true, 30), 16, 16.5, 9, 11));
    p.end();
    return image.convertToFormat(QImage::Format_RGB888);
}

QImage paintActivityLight(bool active) {
    QImage image = blankImage(12, 12, true);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient lamp(4.5, 4.5, 7);
    if (active) {
        lamp.setColorAt(0, QColor(220, 255, 200));
        lamp.setColorAt(0.5, QColor(70, 220, 90));
        lamp.setColorAt(1, QColor(10, 110, 30));
    } else {
        lamp.setColorAt(0, QColor(90, 110, 94));
        lamp.setColorAt(1, QColor(20, 36, 24));
    }
    p.setPen(QPen(QColor(20, 20, 20), 1.0));
    p.setBrush(lamp);
    p.drawEllipse(QPointF(6, 6), 5, 5);
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace lumaro::art
