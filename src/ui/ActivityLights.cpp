#include "ui/ActivityLights.h"

#include <QPainter>

namespace lumaro {
namespace {

// A stand-in when the picture is missing: a small disc, dim or bright.
QPixmap drawnLight(bool active) {
    QPixmap pixmap(12, 12);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(active ? QColor(80, 255, 80) : QColor(30, 70, 30));
    p.setPen(QColor(0, 0, 0));
    p.drawEllipse(1, 1, 10, 10);
    return pixmap;
}

}  // namespace

ActivityLights::ActivityLights(QWidget* board, const QString& assetsFolder) : QObject(board) {
    rest_.load(assetsFolder + QStringLiteral("/light-rest.png"));
    active_.load(assetsFolder + QStringLiteral("/light-active.png"));
    if (rest_.isNull()) rest_ = drawnLight(false);
    if (active_.isNull()) active_ = drawnLight(true);
    sending_ = new QLabel(board);
    receiving_ = new QLabel(board);
    const int x = 800 - rest_.width() - 4;
    sending_->setGeometry(x, 262, rest_.width(), rest_.height());
    receiving_->setGeometry(x, 326, rest_.width(), rest_.height());
    sending_->setToolTip(QStringLiteral("Sending"));
    receiving_->setToolTip(QStringLiteral("Receiving"));
    show(false, false);
    setConnected(false);
}

void ActivityLights::setConnected(bool connected) {
    sending_->setVisible(connected);
    receiving_->setVisible(connected);
    if (!connected) show(false, false);
}

void ActivityLights::show(bool sending, bool receiving) {
    sendingLit_ = sending;
    receivingLit_ = receiving;
    sending_->setPixmap(sending ? active_ : rest_);
    receiving_->setPixmap(receiving ? active_ : rest_);
}

}  // namespace lumaro
