#include "ToolArt.h"

#include <QPainter>
#include <QPainterPath>

#include "Drawing.h"

namespace lumaro::art {

QImage paintToolCheckMark() {
    QImage image = blankImage(14, 14, true);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath tick;
    tick.moveTo(3.2, 7.4);
    tick.lineTo(5.9, 10.1);
    tick.lineTo(10.9, 4.0);
    p.setPen(QPen(QColor(255, 255, 255), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(tick);
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QImage paintToolArrow(bool up) {
    QImage image = blankImage(9, 6, true);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(10, 37, 54));
    const QPolygonF arrow = up ? QPolygonF({QPointF(0.5, 5.5), QPointF(4.5, 0.5), QPointF(8.5, 5.5)})
                               : QPolygonF({QPointF(0.5, 0.5), QPointF(8.5, 0.5), QPointF(4.5, 5.5)});
    p.drawPolygon(arrow);
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace lumaro::art
