// The five pictures of the message box, one per kind of message: two dice for a new game,
// a warning sign for the rules, a trophy for results, a white flag for resigning and
// leaving, and the doubling cube for cube offers.
#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>
#include <QRadialGradient>
#include <QTransform>
#include <cmath>

#include "Drawing.h"
#include "MessageArt.h"

namespace lumaro::art {

namespace {

constexpr int kW = 90, kH = 109;

void background(QPainter& p) {
    QRadialGradient glow(45, 46, 78);
    glow.setColorAt(0, QColor(52, 60, 76));
    glow.setColorAt(1, QColor(14, 16, 24));
    p.fillRect(0, 0, kW, kH, glow);
}

// A soft shadow: the shape drawn a few times, growing and fading.
void softShadow(QPainter& p, const QPainterPath& shape, QPointF offset) {
    p.setPen(Qt::NoPen);
    for (int i = 3; i >= 1; --i) {
        p.setBrush(QColor(0, 0, 0, 38));
        QTransform t;
        const QPointF c = shape.boundingRect().center() + offset;
        const qreal k = 1.0 + 0.025 * i;
        t.translate(c.x(), c.y());
        t.scale(k, k);
        t.translate(-shape.boundingRect().center().x(), -shape.boundingRect().center().y());
        p.drawPath(t.map(shape));
    }
}

void die(QPainter& p, QPointF centre, qreal size, qreal angle, int value) {
    p.save();
    p.translate(centre);
    p.rotate(angle);
    const qreal h = size / 2;
    const QPainterPath body = roundedBox(-h, -h, size, size, size * 0.18);
    softShadow(p, body, QPointF(3, 4));
    QLinearGradient face(-h, -h, h, h);
    face.setColorAt(0, QColor(252, 248, 236));
    face.setColorAt(1, QColor(206, 196, 176));
    p.setBrush(face);
    p.setPen(QPen(QColor(120, 108, 90), 1.0));
    p.drawPath(body);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 26, 28));
    const qreal s = size * 0.26, r = size * 0.095;
    auto pip = [&](qreal x, qreal y) { p.drawEllipse(QPointF(x * s, y * s), r, r); };
    if (value % 2 == 1) pip(0, 0);
    if (value >= 2) pip(1, -1), pip(-1, 1);
    if (value >= 4) pip(-1, -1), pip(1, 1);
    if (value == 6) pip(-1, 0), pip(1, 0);
    p.restore();
}

void newGame(QPainter& p) {
    die(p, QPointF(33, 42), 34, -14, 5);
    die(p, QPointF(57, 68), 34, 11, 3);
}

void ruleNotice(QPainter& p) {
    QPainterPath sign;
    sign.moveTo(45, 20);
    sign.lineTo(80, 82);
    sign.lineTo(10, 82);
    sign.closeSubpath();
    softShadow(p, sign, QPointF(2, 4));
    QLinearGradient amber(0, 20, 0, 82);
    amber.setColorAt(0, QColor(255, 214, 96));
    amber.setColorAt(1, QColor(226, 144, 24));
    p.setBrush(amber);
    p.setPen(QPen(QColor(150, 86, 10), 5.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(sign);
    p.setPen(QPen(QColor(255, 232, 150), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(QTransform().translate(45, 60).scale(0.86, 0.86).translate(-45, -60).map(sign));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(48, 30, 12));
    p.drawPath(fittedText(QStringLiteral("!"), pictureFont(false, 60), 45, 60, 30, 38));
}

void trophy(QPainter& p) {
    QLinearGradient gold(24, 0, 66, 0);
    gold.setColorAt(0, QColor(150, 100, 30));
    gold.setColorAt(0.35, QColor(255, 224, 130));
    gold.setColorAt(0.6, QColor(214, 164, 60));
    gold.setColorAt(1, QColor(120, 78, 20));
    QPainterPath cup;
    cup.moveTo(24, 20);
    cup.lineTo(66, 20);
    cup.cubicTo(66, 44, 58, 58, 45, 60);
    cup.cubicTo(32, 58, 24, 44, 24, 20);
    QPainterPath stand;
    stand.addRect(41, 58, 8, 12);
    stand.moveTo(34, 78);
    stand.lineTo(56, 78);
    stand.lineTo(51, 69);
    stand.lineTo(39, 69);
    stand.closeSubpath();
    softShadow(p, cup.united(stand), QPointF(2, 4));
    // Handles behind the cup.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QBrush(gold), 4.0, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(14, 24, 18, 20), 90 * 16, 180 * 16);
    p.drawArc(QRectF(58, 24, 18, 20), -90 * 16, 180 * 16);
    p.setPen(QPen(QColor(110, 70, 16), 1.0));
    p.setBrush(gold);
    p.drawPath(cup);
    p.drawPath(stand);
    // The rim of the cup and a highlight down its side.
    p.setBrush(QColor(255, 236, 170));
    p.drawEllipse(QRectF(24, 17, 42, 6));
    p.setPen(QPen(QColor(255, 250, 220, 160), 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(32, 27), QPointF(35, 46));
    // A dark plinth with a small plate.
    QLinearGradient wood(0, 78, 0, 92);
    wood.setColorAt(0, QColor(96, 56, 30));
    wood.setColorAt(1, QColor(46, 24, 12));
    p.setPen(Qt::NoPen);
    p.setBrush(wood);
    p.drawRect(QRectF(28, 78, 34, 14));
    p.setBrush(QColor(214, 170, 80));
    p.drawRect(QRectF(37, 82, 16, 6));
    // A star on the cup.
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const qreal a = -M_PI / 2 + i * M_PI / 5, r = i % 2 ? 3.4 : 8.0;
        star << QPointF(45 + r * std::cos(a), 36 + r * std::sin(a));
    }
    p.setBrush(QColor(255, 246, 200));
    p.setPen(QPen(QColor(150, 100, 30), 0.8));
    p.drawPolygon(star);
}

void whiteFlag(QPainter& p) {
    QPainterPath cloth;
    cloth.moveTo(31, 22);
    cloth.cubicTo(46, 14, 60, 30, 80, 22);
    cloth.lineTo(80, 58);
    cloth.cubicTo(60, 66, 46, 50, 31, 58);
    cloth.closeSubpath();
    softShadow(p, cloth, QPointF(3, 4));
    // The pole with a knob.
    QLinearGradient pole(26, 0, 32, 0);
    pole.setColorAt(0, QColor(90, 60, 34));
    pole.setColorAt(0.5, QColor(190, 150, 100));
    pole.setColorAt(1, QColor(70, 44, 24));
    p.setPen(Qt::NoPen);
    p.setBrush(pole);
    p.drawRect(QRectF(26, 18, 5, 78));
    p.setBrush(QColor(214, 170, 80));
    p.drawEllipse(QPointF(28.5, 16), 4.5, 4.5);
    // The cloth, with folds as light and dark bands.
    QLinearGradient folds(31, 0, 80, 0);
    folds.setColorAt(0, QColor(226, 226, 230));
    folds.setColorAt(0.25, QColor(252, 252, 254));
    folds.setColorAt(0.5, QColor(196, 198, 206));
    folds.setColorAt(0.75, QColor(246, 246, 250));
    folds.setColorAt(1, QColor(206, 208, 214));
    p.setBrush(folds);
    p.setPen(QPen(QColor(140, 142, 150), 1.0));
    p.drawPath(cloth);
}

// The face of a cube drawn into a parallelogram with a number on it.
void cubeFace(QPainter& p, const QPolygonF& quad, const QColor& colour, const QString& number) {
    p.setPen(QPen(QColor(90, 80, 66), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(colour);
    p.drawPolygon(quad);
    QTransform toFace;
    QTransform::squareToQuad(quad, toFace);
    const QPainterPath text = fittedText(number, pictureFont(true, 60), 0.5, 0.52, 0.62, 0.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 34, 20));
    p.drawPath(toFace.map(text));
}

void cube(QPainter& p) {
    const qreal cx = 45, cy = 60, s = 27, w = s * 0.87;
    const QPointF top(cx, cy - s), right(cx + w, cy - s / 2), mid(cx, cy), left(cx - w, cy - s / 2);
    const QPointF bottom(cx, cy + s), rightLow(cx + w, cy + s / 2), leftLow(cx - w, cy + s / 2);
    QPainterPath outline;
    outline.addPolygon(QPolygonF({top, right, rightLow, bottom, leftLow, left}));
    softShadow(p, outline, QPointF(3, 5));
    cubeFace(p, QPolygonF({left, top, right, mid}), QColor(250, 244, 228), QStringLiteral("64"));
    cubeFace(p, QPolygonF({left, mid, bottom, leftLow}), QColor(222, 212, 190), QStringLiteral("2"));
    cubeFace(p, QPolygonF({mid, right, rightLow, bottom}), QColor(180, 168, 146), QStringLiteral("4"));
}

}  // namespace

QImage paintKindPicture(int kind) {
    QImage image(kW, kH, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    background(p);
    p.translate(0, 4);  // the icons sit a little below the middle, leaving air above
    switch (kind) {
        case NewGame: newGame(p); break;
        case RuleNotice: ruleNotice(p); break;
        case Score: trophy(p); break;
        case Resign: whiteFlag(p); break;
        default: cube(p); break;
    }
    p.end();
    return image.convertToFormat(QImage::Format_RGB888);
}

}  // namespace lumaro::art
