#include "ui/PipGraphPicture.h"

#include <QPainter>
#include <QPolygonF>

namespace lumaro {

QImage paintPipGraph(const PipGraph& graph) {
    const int w = PipGraph::kWidth, h = PipGraph::kHeight;
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(pipGraphBackground());
    QPainter p(&image);
    const QColor grid(66, 108, 170), first(10, 28, 64), last(150, 188, 236);
    for (int y = 0; y <= 180; y += 30) {
        p.setPen(y == 0 ? first : (y == 180 ? last : grid));
        p.drawLine(0, y, w - 1, y);
    }
    for (int x = 0; x <= 660; x += 30) {
        p.setPen(x == 0 ? first : (x == 660 ? last : grid));
        p.drawLine(x, 0, x, h - 1);
    }
    p.setRenderHint(QPainter::Antialiasing);
    auto polyline = [&p](const std::vector<GraphPoint>& points, const QColor& colour) {
        if (points.empty()) return;
        QPolygonF line;
        // Through the middle of each point's pixel, two pixels wide, so every point is inked.
        for (const GraphPoint& g : points) line << QPointF(g.x + 0.5, g.y + 0.5);
        p.setPen(QPen(colour, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        if (line.size() == 1)
            p.drawPoint(line.front());
        else
            p.drawPolyline(line);
    };
    polyline(graph.black, pipGraphBlackLine());
    polyline(graph.white, Qt::white);
    return image;
}

}  // namespace lumaro
