#include "ui/StatGrid.h"

#include <QPainter>

#include "ui/PlateButton.h"
#include "ui/ToolWindow.h"

namespace lumaro {

StatGrid::StatGrid(QWidget* parent) : QWidget(parent) {
    setFixedSize(kColumns * kColumnWidth + 1, kRows * kRowHeight + 1);
    for (int c = 0; c < kColumns; ++c) cells_[0][c] = QString::fromStdString(kStatHeadings[c]);
}

void StatGrid::setValues(const std::array<StatRow, 10>& rows) {
    for (int r = 0; r < 10; ++r)
        for (int c = 0; c < kColumns; ++c) cells_[r + 1][c] = QString::fromStdString(rows[r][c]);
    update();
}

QFont StatGrid::labelFont() {
    // Condensed, so the longest label (" Chances <double>") fits its 131-pixel column in bold.
    QFont f = ToolWindow::captionFont(13);
    f.setStretch(QFont::Condensed);
    return f;
}

QString StatGrid::cell(int row, int column) const {
    if (row < 0 || row >= kRows || column < 0 || column >= kColumns) return {};
    return cells_[row][column];
}

void StatGrid::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QColor heading(58, 68, 80), light(252, 249, 242), shaded(236, 231, 220), line(206, 196, 176);
    const QColor ink = PlateButton::textColour(), previousInk(70, 92, 110);
    for (int r = 0; r < kRows; ++r) {
        const QRect row(0, r * kRowHeight, kColumns * kColumnWidth, kRowHeight);
        p.fillRect(row, r == 0 ? heading : (r % 2 == 1 ? light : shaded));
    }
    // The previous values stand apart from the current ones by a stronger rule between them.
    p.setPen(line);
    for (int c = 1; c < kColumns; ++c) p.drawLine(c * kColumnWidth, kRowHeight, c * kColumnWidth, height() - 1);
    p.setPen(QPen(PlateButton::rimColour(), 2));
    p.drawLine(3 * kColumnWidth, 0, 3 * kColumnWidth, height() - 1);
    p.setPen(PlateButton::rimColour());
    p.drawRect(QRect(0, 0, width() - 1, height() - 1));

    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < kColumns; ++c) {
            const QString& text = cells_[r][c];
            if (text.isEmpty()) continue;
            const QRect box(c * kColumnWidth + 6, r * kRowHeight, kColumnWidth - 12, kRowHeight);
            if (r == 0) {
                p.setFont(ToolWindow::captionFont(12));
                p.setPen(QColor(240, 212, 150));
            } else {
                p.setFont(c == 0 ? labelFont() : ToolWindow::captionFont(13, false));
                p.setPen(c >= 3 ? previousInk : ink);
            }
            p.drawText(box, (c == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter, text);
        }
    }
}

}  // namespace lumaro
