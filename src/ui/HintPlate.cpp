#include "ui/HintPlate.h"

#include <QPainter>


namespace lumaro {
namespace {

QString equityText(double e) { return QString::asprintf("%+.3f", e); }

}  // namespace

HintPlate::HintPlate(QWidget* board) : QWidget(board) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(170, 40, 304, 186);  // the upper left quarter: clear of the message box and the dice
    hide();
}

void HintPlate::show(const Hint& hint) {
    hint_ = hint;
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
    p.drawText(QRect(12, 6, width() - 24, 20), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("HINT  ") + QString::fromStdString(hint_.title));

    font.setPixelSize(12);
    font.setBold(false);
    p.setFont(font);
    int y = 32;
    const int lineHeight = 20;
    if (hint_.kind == Hint::Kind::Plays && !hint_.plays.empty()) {
        for (int i = 0; i < kLines && i < static_cast<int>(hint_.plays.size()); ++i) {
            const HintLine& line = hint_.plays[static_cast<std::size_t>(i)];
            p.setPen(i == 0 ? QColor(255, 246, 214) : QColor(214, 214, 200));
            const QRect row(12, y, width() - 24, lineHeight);
            p.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("%1. %2").arg(i + 1).arg(QString::fromStdString(line.play)));
            const QString figures = i == 0 ? equityText(line.equity) : equityText(line.equity) + QStringLiteral("  ") + equityText(line.difference);
            p.drawText(row, Qt::AlignRight | Qt::AlignVCenter, figures);
            y += lineHeight;
        }
        p.setPen(QColor(170, 170, 150));
        p.drawText(QRect(12, height() - 26, width() - 24, 20), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("P plays the first.  H hides."));
        return;
    }
    p.setPen(QColor(236, 232, 214));
    for (const std::string& text : hint_.lines) {
        const QRect box(12, y, width() - 24, 2 * lineHeight);
        p.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, QString::fromStdString(text));
        y += 2 * lineHeight;
    }
}

}  // namespace lumaro
