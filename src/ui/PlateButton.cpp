#include "ui/PlateButton.h"

#include <QEnterEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace lumaro {

PlateButton::PlateButton(const QString& text, QWidget* parent) : QAbstractButton(parent) {
    setText(text);
    QFont f = font();
    f.setFamily(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(13);
    f.setBold(true);
    setFont(f);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    resize(sizeHint());
}

QSize PlateButton::sizeHint() const {
    return {fontMetrics().horizontalAdvance(text()) + 32, 30};
}

void PlateButton::enterEvent(QEnterEvent*) {
    hovered_ = true;
    update();
}

void PlateButton::leaveEvent(QEvent*) {
    hovered_ = false;
    update();
}

void PlateButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF plate = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    QPainterPath path;
    path.addRoundedRect(plate, 6, 6);

    // A soft shadow under the plate lifts it off the linen.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 40));
    p.drawPath(path.translated(1, 1.5));

    const bool down = isDown() || isChecked();
    QLinearGradient fill(0, plate.top(), 0, plate.bottom());
    QColor ink = textColour();
    if (!isEnabled()) {
        fill.setColorAt(0, QColor(206, 208, 210));
        fill.setColorAt(1, QColor(184, 188, 192));
        ink = QColor(120, 128, 136);
    } else if (down) {
        fill.setColorAt(0, QColor(14, 44, 66));
        fill.setColorAt(1, QColor(36, 92, 130));
        ink = Qt::white;
    } else if (hovered_) {
        fill.setColorAt(0, QColor(255, 246, 214));
        fill.setColorAt(0.5, QColor(246, 222, 160));
        fill.setColorAt(1, QColor(226, 190, 116));
    } else {
        fill.setColorAt(0, QColor(222, 230, 238));
        fill.setColorAt(0.45, QColor(200, 212, 222));
        fill.setColorAt(1, QColor(166, 182, 196));
    }
    p.setBrush(fill);
    p.setPen(QPen(down ? QColor(8, 24, 36) : rimColour(), 1.0));
    p.drawPath(path);
    if (hasFocus()) {
        p.setPen(QPen(QColor(36, 92, 130), 1.0, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(plate.adjusted(3, 3, -3, -3), 4, 4);
    }
    p.setPen(ink);
    p.drawText(rect().translated(0, down ? 1 : 0), Qt::AlignCenter, text());
}

}  // namespace lumaro
