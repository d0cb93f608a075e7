#include "ui/BoardFrame.h"

#include <QCloseEvent>
#include <QGraphicsProxyWidget>
#include <QGraphicsRectItem>
#include <QTimer>
#include <algorithm>

namespace lumaro {
namespace {

QGraphicsProxyWidget* embed(QGraphicsItem& stage, QWidget& widget, qreal z) {
    const bool wasVisible = widget.isVisible();
    widget.hide();  // a shown window would stay on the screen beside its picture in the frame
    auto* proxy = new QGraphicsProxyWidget(&stage);
    proxy->setWidget(&widget);
    proxy->setZValue(z);
    // A widget that takes no focus (the menu) must not take it as a scene item either: a click on
    // it leaves the keys with the board.
    proxy->setFocusPolicy(widget.focusPolicy());
    widget.setVisible(wasVisible);
    return proxy;
}

}  // namespace

BoardFrame::BoardFrame(QWidget& board, QWidget& menu) {
    setWindowTitle(QStringLiteral("Lumaro 2"));
    setScene(&scene_);
    setBackgroundBrush(Qt::black);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform | QPainter::TextAntialiasing);
    setMouseTracking(true);
    const QRect area(QPoint(0, 0), board.size());
    setMinimumSize(kSmallest);
    // A click on the menu (which takes no focus) leaves the keyboard with the board.
    scene_.setStickyFocus(true);
    scene_.setSceneRect(area);
    stage_ = scene_.addRect(area, Qt::NoPen, Qt::black);
    stage_->setFlag(QGraphicsItem::ItemClipsChildrenToShape);
    board.move(0, 0);
    board_ = embed(*stage_, board, 0);
    menu_ = embed(*stage_, menu, 1);
    resize(area.size());
}

BoardFrame::~BoardFrame() { release(); }

void BoardFrame::release() {
    for (QGraphicsProxyWidget* proxy : {menu_, board_}) {
        if (!proxy) continue;
        QWidget* widget = proxy->widget();
        if (widget) widget->hide();
        proxy->setWidget(nullptr);  // the widget is a window of its own again, not deleted
        delete proxy;
    }
    menu_ = board_ = nullptr;
}

void BoardFrame::resizeEvent(QResizeEvent* event) {
    QGraphicsView::resizeEvent(event);
    // Without a window manager (or with one that ignores the hint) the window can still be made
    // smaller: it grows back to the smallest legible size, once for each size it was given.
    if ((width() < minimumWidth() || height() < minimumHeight()) && size() != refusedSize_) {
        refusedSize_ = size();
        QTimer::singleShot(0, this, [this] { resize(size().expandedTo(minimumSize())); });
    }
    // The largest scale at which the whole board shows, centred by the view's alignment (fitInView
    // would leave a margin, and a click would land a few pixels off).
    const QSize room = viewport()->size();
    const QSizeF board = scene_.sceneRect().size();
    const qreal scale = std::min(room.width() / board.width(), room.height() / board.height());
    setTransform(QTransform::fromScale(scale, scale));
}

void BoardFrame::closeEvent(QCloseEvent* event) {
    event->ignore();
    emit closeRequested();
}

QWidget& windowShowing(QWidget& board) {
    if (QGraphicsProxyWidget* proxy = board.graphicsProxyWidget())
        if (proxy->scene() && !proxy->scene()->views().isEmpty()) return *proxy->scene()->views().first()->window();
    return board;
}

bool boardOverEverything(QWidget& board) { return windowShowing(board).windowFlags().testFlag(Qt::WindowStaysOnTopHint); }

void raiseBoardWindow(QWidget& board) {
    QWidget& window = windowShowing(board);
    window.raise();
    window.activateWindow();
}

QRect boardOnScreen(QWidget& board) {
    return {board.mapToGlobal(QPoint(0, 0)), board.mapToGlobal(QPoint(board.width(), board.height())) - QPoint(1, 1)};
}

}  // namespace lumaro
