#pragma once
// Small QPainter helpers shared by the interface pictures.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QString>

namespace lumaro::art {

// A transparent (or black) canvas with antialiased painting ready.
QImage blankImage(int width, int height, bool transparent);

// A font of one of the two families the pictures use; sizes in pixels.
QFont pictureFont(bool serif, int pixelSize, bool bold = true);

// `text` as a path centred on (cx, cy), scaled to fit within maxWidth x maxHeight.
QPainterPath fittedText(const QString& text, const QFont& font, qreal cx, qreal cy, qreal maxWidth, qreal maxHeight);

// A rounded rectangle path.
QPainterPath roundedBox(qreal x, qreal y, qreal w, qreal h, qreal radius);

}  // namespace lumaro::art
