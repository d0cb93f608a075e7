#include "ui/MenuPanel.h"

#include <QMouseEvent>
#include <QPainter>

namespace lumaro {
namespace {

struct ItemPlace {
    const char* caption;
    int top;
};
// In the order of MenuItem.
constexpr ItemPlace kItems[kMenuItems] = {{"START", 32},  {"LOAD", 53},   {"SAVE", 74},   {"BACK", 136},
                                          {"MOVE", 157},  {"ABORT", 178}, {"SIDE", 240},  {"COLOR", 261},
                                          {"SCORE", 282}, {"HIDE", 344},  {"TUNE", 364},  {"STAT", 385},
                                          {"HELP", 449},  {"HINT", 470},  {"EXIT", 491}};
constexpr int kSeparators[] = {105, 209, 313, 418, 521};

}  // namespace

MenuPanel::MenuPanel(const Assets& assets, QWidget* board)
    : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool), assets_(assets), board_(board) {
    setFixedSize(kWidth, kHeight);
    setMouseTracking(true);
    // A click on a command leaves the keyboard with the board: Enter and Esc answer the box a
    // command brings up, and M, D and Backspace keep working.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowFlag(Qt::WindowDoesNotAcceptFocus);
    slide_.setInterval(15);
    connect(&slide_, &QTimer::timeout, this, &MenuPanel::onSlide);
    autoHide_.setInterval(1000);
    autoHide_.setSingleShot(true);
    connect(&autoHide_, &QTimer::timeout, this, [this] { hide(); });
}

bool MenuPanel::docked() const { return x() >= board_->x() - kWidth; }

void MenuPanel::slideIn() {
    if (isVisible() || slide_.isActive()) return;
    move(board_->x() - 48, board_->y());
    slideOffset = 48;
    slide_.start();
}

void MenuPanel::onSlide() {
    emit slideTick();
    move(board_->x() - slideOffset, board_->y());
    if (slideOffset == 48) {
        show();
        raise();
        emit shown();
    }
    slideOffset -= slideOffset / 4 + 1;
    if (slideOffset <= -1) slide_.stop();
}

void MenuPanel::dockAtCorner() {
    slide_.stop();
    move(board_->x(), board_->y());
    show();
    raise();
    emit shown();
}

void MenuPanel::boardEntered() {
    if (isVisible() && docked() && !slide_.isActive() && !autoHide_.isActive()) autoHide_.start();
}

void MenuPanel::hideIfDocked() {
    if (isVisible() && docked()) hide();
}

void MenuPanel::hideIfDetached() {
    if (isVisible() && !docked()) hide();
}

void MenuPanel::hideEvent(QHideEvent*) {
    slide_.stop();
    autoHide_.stop();
}

int MenuPanel::itemAt(const QPoint& p) const {
    for (int i = 0; i < kMenuItems; ++i)
        if (QRect(2, kItems[i].top, 45, 21).contains(p)) return i;
    return -1;
}

void MenuPanel::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    pressed_ = itemAt(p);
    // In a window the panel keeps to the board's edge: there is no desktop beside it to drag it to.
    if (pressed_ < 0 && !graphicsProxyWidget()) {
        dragOrigin_ = p;
        dragging_ = true;
    }
    update();
}

void MenuPanel::mouseMoveEvent(QMouseEvent* event) {
    autoHide_.stop();
    const QPoint p = event->position().toPoint();
    if (dragging_) {
        QPoint target = pos() + (p - dragOrigin_);
        target.setX(std::min(target.x(), board_->x()));  // never further right than the board's edge
        move(target);
        return;
    }
    const int now = itemAt(p);
    if (now != hovered_) {
        hovered_ = now;
        update();
    }
}

void MenuPanel::mouseReleaseEvent(QMouseEvent* event) {
    const int item = itemAt(event->position().toPoint());
    const int wasPressed = pressed_;
    pressed_ = -1;
    dragging_ = false;
    update();
    if (item >= 0 && item == wasPressed) emit command(static_cast<MenuItem>(item));
}

void MenuPanel::leaveEvent(QEvent*) {
    hovered_ = -1;
    update();
}

void MenuPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    if (!assets_.menuStrip.isNull()) p.drawImage(rect(), assets_.menuStrip);
    QFont font = p.font();
    font.setPixelSize(12);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(220, 190, 120));
    p.drawText(QRect(0, 6, kWidth, 18), Qt::AlignCenter, QStringLiteral("LM 2"));
    for (int top : kSeparators) {
        if (!assets_.menuSeparator.isNull())
            p.drawImage(QRect(4, top, 41, assets_.menuSeparator.height()), assets_.menuSeparator);
        else
            p.fillRect(QRect(6, top + 4, 37, 2), QColor(120, 90, 50));
    }
    if (!assets_.menuEmblem.isNull()) p.drawImage(QPoint((kWidth - assets_.menuEmblem.width()) / 2, 552), assets_.menuEmblem);
    font.setPixelSize(10);
    p.setFont(font);
    for (int i = 0; i < kMenuItems; ++i) {
        const QRect r(2, kItems[i].top, 45, 21);
        QColor text(10, 37, 54);  // dark blue on the light plates
        if (i == pressed_) {
            if (!assets_.menuPressed.isNull()) p.drawImage(r, assets_.menuPressed);
            else p.fillRect(r, QColor(120, 80, 30));
            text = Qt::white;
        } else if (i == hovered_) {
            if (!assets_.menuHover.isNull()) p.drawImage(r, assets_.menuHover);
            else p.fillRect(r, QColor(70, 50, 25));
            text = QColor(10, 37, 54);
        }
        p.setPen(text);
        p.drawText(r, Qt::AlignCenter, QString::fromLatin1(kItems[i].caption));
    }
}

}  // namespace lumaro
