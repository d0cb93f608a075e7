#include "ui/ToolWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QWindow>
#include <algorithm>

#include "ui/BoardFrame.h"
#include "ui/ToolStyle.h"

namespace lumaro {

ToolWindow::ToolWindow(const QString& title, const Assets& assets)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), title_(title), assets_(assets) {
    setFixedSize(kWidth, kHeight);
    setWindowTitle(title.trimmed());
    setFont(captionFont(12, false));
    setStyleSheet(toolControlsStyleSheet(assets.folder));
    close_ = new PlateButton(QStringLiteral("CLOSE"), this);
    close_->resize(104, 32);
    close_->move(kWidth - kMargin - close_->width(), (kHeaderHeight - close_->height()) / 2);
    connect(close_, &QAbstractButton::clicked, this, &ToolWindow::closeWindow);
}

QFont ToolWindow::captionFont(int pixelSize, bool bold) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

void ToolWindow::openOver(QWidget& board) {
    board_ = &board;
    board.setEnabled(false);
    // Centred over the board wherever it is shown, and kept on its screen. Over everything only
    // while the board itself is (over the whole screen); in a window, above the game's window.
    QWidget& shown = windowShowing(board);
    const bool onTop = boardOverEverything(board);
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) != onTop) setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    QRect place(QPoint(0, 0), size());
    place.moveCenter(boardOnScreen(board).center());
    const QScreen* screen = shown.screen() ? shown.screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->geometry();
        place.moveLeft(std::clamp(place.left(), area.left(), std::max(area.left(), area.right() + 1 - place.width())));
        place.moveTop(std::clamp(place.top(), area.top(), std::max(area.top(), area.bottom() + 1 - place.height())));
    }
    move(place.topLeft());
    if (!onTop) {
        winId();
        windowHandle()->setTransientParent(shown.windowHandle());
    }
    show();
    raise();
    activateWindow();
}

void ToolWindow::closeWindow() {
    if (!isVisible()) return;
    aboutToClose();
    hide();
    if (board_) {
        board_->setEnabled(true);
        raiseBoardWindow(*board_);
        board_->setFocus();
    }
    emit closed();
}

void ToolWindow::closeEvent(QCloseEvent* event) {
    // A close request from the window system does what CLOSE does; the window itself stays, to be
    // shown again next time.
    event->ignore();
    closeWindow();
}

void ToolWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.drawImage(rect(), assets_.toolBackground);

    // The title: warm gold letters with a soft dark halo, as on the splash picture.
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPixelSize(36);
    font.setBold(true);
    QPainterPath path;
    path.addText(kMargin, 45, font, title_);
    p.setPen(Qt::NoPen);
    for (int i = 3; i >= 1; --i) {
        p.setBrush(QColor(0, 0, 0, 50));
        p.drawPath(path.translated(i * 0.8, i * 1.0));
    }
    const QRectF box = path.boundingRect();
    QLinearGradient gold(0, box.top(), 0, box.bottom());
    gold.setColorAt(0, QColor(255, 240, 186));
    gold.setColorAt(0.5, QColor(236, 192, 102));
    gold.setColorAt(1, QColor(248, 214, 136));
    p.setBrush(gold);
    p.setPen(QPen(QColor(70, 48, 16), 0.8));
    p.drawPath(path);
}

bool toolWindowMayOpen(const Game& game, const Game::ShellState& shell) {
    return !game.menuRefused(shell, true);
}

}  // namespace lumaro
