#include "Drawing.h"

#include <QTransform>
#include <algorithm>

namespace lumaro::art {

QImage blankImage(int width, int height, bool transparent) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(transparent ? Qt::transparent : Qt::black);
    return image;
}

QFont pictureFont(bool serif, int pixelSize, bool bold) {
    QFont font(serif ? QStringLiteral("DejaVu Serif") : QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    // Plain design outlines: hinting would snap them to a grid that depends on the font
    // engine's state, and the same picture must come out of every run.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

QPainterPath fittedText(const QString& text, const QFont& font, qreal cx, qreal cy, qreal maxWidth, qreal maxHeight) {
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF box = path.boundingRect();
    const qreal k = std::min({maxWidth / box.width(), maxHeight / box.height(), 1.0});
    QTransform t;
    t.translate(cx, cy);
    t.scale(k, k);
    t.translate(-box.center().x(), -box.center().y());
    return t.map(path);
}

QPainterPath roundedBox(qreal x, qreal y, qreal w, qreal h, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(QRectF(x, y, w, h), radius, radius);
    return path;
}

}  // namespace lumaro::art
