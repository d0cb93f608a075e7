#include "ui/HintPlate.h"

#include <QPainter>

namespace lumaro {

HintPlate::HintPlate(QWidget* board) : QWidget(board) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(170, 40, 304, 186);  // the upper left quarter: clear of the message box and the dice
    hide();
}

void HintPlate::show(const QString& title, std::vector<PlateRow> rows, const QString& footer) {
    title_ = title;
    rows_ = std::move(rows);
    footer_ = footer;
    update();
    QWidget::show();
    raise();
}

void HintPlate::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(214, 178, 96), 2));
    p.setBrush(QColor(14, 32, 26, 225));
    p.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 8, 8);

    QFont font = p.font();
    font.setPixelSize(13);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(236, 206, 128));
    p.drawText(QRect(12, 6, width() - 24, 20), Qt::AlignLeft | Qt::AlignVCenter, title_);

    font.setPixelSize(12);
    font.setBold(false);
    p.setFont(font);
    const int lineHeight = 20;
    int y = 32;
    for (std::size_t i = 0; i < rows_.size() && i < static_cast<std::size_t>(kRows); ++i) {
        const PlateRow& row = rows_[i];
        p.setPen(row.strong ? QColor(255, 246, 214) : QColor(214, 214, 200));
        const QRect box(12, y, width() - 24, lineHeight);
        p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, row.left);
        p.drawText(box, Qt::AlignRight | Qt::AlignVCenter, row.right);
        y += lineHeight;
    }
    p.setPen(QColor(170, 170, 150));
    p.drawText(QRect(12, height() - 26, width() - 24, 20), Qt::AlignLeft | Qt::AlignVCenter, footer_);
}

}  // namespace lumaro
