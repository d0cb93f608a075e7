#include "ui/StatisticsWindow.h"

#include <QPainter>

#include "ui/PipGraphPicture.h"

namespace lumaro {

StatisticsWindow::StatisticsWindow(const Game& game, const Assets& assets)
    : ToolWindow(QStringLiteral("Statistics"), assets), game_(game) {
    grid_ = new StatGrid(this);
    grid_->move(kGridLeft, kGridTop);
    refresh();
}

void StatisticsWindow::refresh() {
    grid_->setValues(statRows(game_.stats(), game_.rollStats(Side::White), game_.rollStats(Side::Black)));
    graph_ = paintPipGraph(pipGraph(game_.rollStats(Side::White), game_.rollStats(Side::Black)));
    update();
}

void StatisticsWindow::showEvent(QShowEvent*) { refresh(); }

void StatisticsWindow::paintEvent(QPaintEvent* event) {
    ToolWindow::paintEvent(event);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRect frame(kGraphLeft - 1, kGraphTop - 1, graph_.width() + 2, graph_.height() + 2);
    p.fillRect(frame.translated(2, 2), QColor(0, 0, 0, 40));
    p.drawImage(kGraphLeft, kGraphTop, graph_);
    p.setPen(PlateButton::rimColour());
    p.drawRect(frame);
    // Whose line is whose, in the lines' colours, in the corner they reach last (many pips, late).
    p.setFont(captionFont(11));
    const QRect legend(kGraphLeft + graph_.width() - 118, kGraphTop + 5, 110, 14);
    p.setPen(Qt::white);
    p.drawText(legend, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("WHITE"));
    p.setPen(pipGraphBlackLine());
    p.drawText(legend, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("BLACK"));

    p.setFont(captionFont(13));
    p.setPen(PlateButton::textColour());
    p.drawText(QRect(kGraphLeft, frame.bottom() + 3, graph_.width(), 18), Qt::AlignCenter, QStringLiteral("Turns"));
    // "Pips" reads upwards beside the graph's left edge.
    p.save();
    p.translate(kGraphLeft - 8, kGraphTop + graph_.height() / 2);
    p.rotate(-90);
    p.drawText(QRect(-60, -18, 120, 18), Qt::AlignCenter, QStringLiteral("Pips"));
    p.restore();
}

}  // namespace lumaro
