#include "MessageArt.h"

#include <QLinearGradient>
#include <QPainter>

#include "Drawing.h"

namespace lumaro::art {

namespace {

const QColor kGoldLight(236, 200, 120);
const QColor kGold(196, 150, 70);
const QColor kGoldDark(110, 78, 30);

QLinearGradient goldStroke(qreal y0, qreal y1) {
    QLinearGradient g(0, y0, 0, y1);
    g.setColorAt(0, kGoldLight);
    g.setColorAt(0.5, kGold);
    g.setColorAt(1, kGoldDark);
    return g;
}

}  // namespace

QImage paintMessagePanel() {
    QImage image = blankImage(360, 210, false);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    // Outer frame and an inner hairline.
    p.setPen(QPen(QBrush(goldStroke(0, 210)), 3.0));
    p.drawPath(roundedBox(2.5, 2.5, 355, 205, 10));
    p.setPen(QPen(QColor(120, 90, 42), 1.0));
    p.drawPath(roundedBox(7.5, 7.5, 345, 195, 6));
    // The frame round the kind picture at (18, 27), 90 x 109.
    p.setPen(QPen(QBrush(goldStroke(24, 139)), 2.0));
    p.drawRect(QRectF(16, 25, 93, 112));
    // The slot of the countdown bar at (268, 11), 52 x 7.
    p.setPen(QPen(QColor(150, 112, 52), 1.0));
    p.drawRect(QRectF(266.5, 9.5, 55, 10));
    // A rule under the title that fades out at both ends.
    QLinearGradient rule(112, 0, 345, 0);
    rule.setColorAt(0, QColor(1, 1, 1));
    rule.setColorAt(0.3, kGold);
    rule.setColorAt(0.7, kGold);
    rule.setColorAt(1, QColor(1, 1, 1));
    p.setPen(QPen(QBrush(rule), 1.0));
    p.drawLine(QPointF(112, 34.5), QPointF(345, 34.5));
    p.end();
    return image.convertToFormat(QImage::Format_RGB888);
}

QString kindPictureName(int kind) {
    static const char* const what[kMessageKinds] = {"newgame", "rule", "score", "resign", "cube"};
    return QStringLiteral("message-%1-%2.png").arg(kind).arg(QLatin1String(what[kind]));
}

QImage paintButton(bool yes, ButtonLook look) {
    QImage image = blankImage(77, 33, true);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor tint = yes ? QColor(52, 120, 78) : QColor(140, 52, 46);
    const qreal lift = look == ButtonLook::Hover ? 1.25 : look == ButtonLook::Pressed ? 0.75 : 1.0;
    auto shade = [&](qreal k) {
        return QColor::fromRgbF(std::min(1.0, tint.redF() * k * lift), std::min(1.0, tint.greenF() * k * lift),
                                std::min(1.0, tint.blueF() * k * lift));
    };
    QLinearGradient body(0, 1, 0, 32);
    const bool pressed = look == ButtonLook::Pressed;
    body.setColorAt(0, shade(pressed ? 0.7 : 1.35));
    body.setColorAt(0.5, shade(1.0));
    body.setColorAt(1, shade(pressed ? 1.2 : 0.6));
    p.setPen(QPen(QBrush(goldStroke(0, 33)), 1.5));
    p.setBrush(body);
    p.drawPath(roundedBox(1, 1, 75, 31, 8));
    // A glassy upper half.
    if (!pressed) {
        QLinearGradient gloss(0, 2, 0, 16);
        gloss.setColorAt(0, QColor(255, 255, 255, 70));
        gloss.setColorAt(1, QColor(255, 255, 255, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(gloss);
        p.drawPath(roundedBox(3, 2.5, 71, 13, 6));
    }
    const qreal dy = pressed ? 1.0 : 0.0;
    const QPainterPath caption = fittedText(yes ? QStringLiteral("YES") : QStringLiteral("NO"), pictureFont(false, 15),
                                            38.5, 16.5 + dy, 60, 14);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 110));
    p.drawPath(caption.translated(0.8, 1.0));
    p.setBrush(look == ButtonLook::Hover ? QColor(255, 246, 220) : QColor(246, 232, 196));
    p.drawPath(caption);
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace lumaro::art
