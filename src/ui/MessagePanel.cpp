#include "ui/MessagePanel.h"

#include <algorithm>

#include <QMouseEvent>
#include <QPainter>

#include "ui/LateClickGuard.h"
#include "ui/Pictures.h"
#include "ui/TextFit.h"

namespace lumaro {

MessagePanel::MessagePanel(const Assets& assets, QWidget* board) : QWidget(board), assets_(assets) {
    setGeometry(kLeft, kTop, kWidth, kHeight);
    setMouseTracking(true);
    hide();
}

void MessagePanel::present(const Message& message, const QImage& boardPicture, int countdownTicks) {
    message_ = message;
    countdownTicks_ = countdownTicks;
    // A box that waits for its answer has no countdown, so neither the bar nor its empty slot (which
    // would read as time run out).
    QImage art = assets_.messagePanel;
    if (countdownTicks <= 0 && !art.isNull()) {
        art = art.convertToFormat(QImage::Format_RGB32);
        QPainter blank(&art);
        blank.fillRect(countdownSlot(), Qt::black);
    }
    background_ = messageBackground(boardPicture.copy(kLeft, kTop, kWidth, kHeight), art);
    countdown_ = 0;
    countdownVisible_ = true;
    answer_ = Answer::Yes;
    hovered_ = pressed_ = 0;
    pressRefused_ = false;
    openedAt_ = clock ? clock() : 0;
    layOutText();
    show();
    raise();
    update();
}

QRect MessagePanel::TextBlock::rowRect(int row) const {
    const int height = QFontMetrics(font).lineSpacing();
    const int all = height * static_cast<int>(rows.size());
    int top = room.top();
    if (align & Qt::AlignBottom) top = room.bottom() + 1 - all;
    if (align & Qt::AlignVCenter) top = room.top() + (room.height() - all) / 2;
    return {room.left(), top + row * height, room.width(), height};
}

void MessagePanel::layOutText() {
    text_.clear();
    QFont bold = font();
    bold.setBold(true);
    // Line 1 may grow upwards to the title, line 2 down to the buttons or the table. A plain
    // notice's second line (why a file was refused) has the room of both and wraps at full size.
    const bool roomBelow = message_.table.empty() && !message_.yesNo;
    const QRect line1(332 - kLeft, 232 - kTop, 225, 41);
    const QRect line2(332 - kLeft, 276 - kTop, 225, message_.yesNo ? 27 : roomBelow ? 80 : 25);
    const FittedTexts lines = fitTexts({{QString::fromStdString(message_.line1), line1.size()},
                                        {QString::fromStdString(message_.line2), line2.size(), roomBelow}},
                                       bold, 13, kSmallestText);
    const QColor ink(255, 250, 235);
    text_.push_back({line1, Qt::AlignHCenter | Qt::AlignBottom, ink, lines.font, lines.rows[0]});
    text_.push_back({line2, Qt::AlignHCenter | Qt::AlignTop, ink, lines.font, lines.rows[1]});
    // The table's row labels and cells, each on its own.
    for (std::size_t row = 0; row < message_.table.size() && row < 2; ++row) {
        const int y = (row == 0 ? 328 : 348) - kTop;
        const ScoreRow& r = message_.table[row];
        const std::pair<QRect, const std::string*> cells[] = {{QRect(336 - kLeft, y, 69, 16), &r.label},
                                                              {QRect(416 - kLeft, y, 53, 16), &r.white},
                                                              {QRect(492 - kLeft, y, 53, 16), &r.black}};
        for (const auto& [room, text] : cells) {
            const FittedTexts cell = fitTexts({{QString::fromStdString(*text), room.size()}}, bold, 12, kSmallestText);
            const Qt::Alignment across = text == &r.label ? Qt::AlignLeft : Qt::AlignRight;
            text_.push_back({room, across | Qt::AlignVCenter, QColor(240, 230, 210), cell.font, cell.rows[0]});
        }
    }
}

void MessagePanel::close() {
    countdownVisible_ = false;
    hide();
}

void MessagePanel::tick() {
    if (countdownVisible_ && countdownTicks_ > 0 && countdown_ < countdownTicks_) {
        ++countdown_;
        update();
    }
}

void MessagePanel::pressYes() {
    answer_ = Answer::Yes;
    countdownVisible_ = false;
}

void MessagePanel::pressNo() {
    answer_ = Answer::No;
    countdownVisible_ = false;
}

void MessagePanel::dismiss() {
    if (message_.yesNo)
        pressNo();
    else
        countdownVisible_ = false;
}

bool MessagePanel::justOpened() const { return clock && clock() < openedAt_ + LateClickGuard::kQuietMs; }

void MessagePanel::mousePressEvent(QMouseEvent* event) {
    pressRefused_ = justOpened();
    if (pressRefused_) return;
    const QPoint p = event->position().toPoint();
    if (message_.yesNo && yesRect().contains(p)) {
        pressed_ = 1;
    } else if (message_.yesNo && noRect().contains(p)) {
        pressed_ = 2;
    } else {
        emit holdClock(true);
    }
    update();
}

void MessagePanel::mouseReleaseEvent(QMouseEvent* event) {
    if (pressRefused_) {
        pressRefused_ = false;
        return;
    }
    const QPoint p = event->position().toPoint();
    if (pressed_ == 1 && yesRect().contains(p)) {
        pressYes();
    } else if (pressed_ == 2 && noRect().contains(p)) {
        pressNo();
    } else if (pressed_ == 0) {
        if (!message_.yesNo) countdownVisible_ = false;  // a plain message closes at once
        emit holdClock(false);
    }
    pressed_ = 0;
    update();
}

void MessagePanel::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    const int now = message_.yesNo ? (yesRect().contains(p) ? 1 : noRect().contains(p) ? 2 : 0) : 0;
    if (now != hovered_) {
        hovered_ = now;
        update();
    }
}

void MessagePanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.drawImage(0, 0, background_);
    QFont font = p.font();
    font.setPixelSize(13);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(240, 220, 160));
    p.drawText(QRect(260 - kLeft, 213 - kTop, 200, 18), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("LUMARO  2"));
    const auto kind = static_cast<std::size_t>(message_.kind);
    if (kind < assets_.messageKind.size() && !assets_.messageKind[kind].isNull())
        p.drawImage(QRect(238 - kLeft, 235 - kTop, 90, 109), assets_.messageKind[kind]);
    if (countdownVisible_ && countdownTicks_ > 0) {
        // The time left before the box answers itself: the bar empties as it runs.
        const QRect bar = countdownBar();
        p.fillRect(bar, QColor(20, 20, 20, 200));
        const int left = std::max(0, countdownTicks_ - countdown_);
        p.fillRect(QRect(bar.left(), bar.top(), bar.width() * left / countdownTicks_, bar.height()), QColor(210, 170, 60));
    }
    if (!message_.table.empty()) {
        font.setPixelSize(12);
        p.setFont(font);
        p.setPen(QColor(250, 250, 250));
        p.drawText(QRect(416 - kLeft, 302 - kTop, 53, 16), Qt::AlignRight, QStringLiteral("WHITE"));
        p.setPen(QColor(20, 20, 20));
        p.fillRect(QRect(492 - kLeft, 301 - kTop, 55, 18), QColor(230, 220, 200, 150));
        p.drawText(QRect(492 - kLeft, 302 - kTop, 53, 16), Qt::AlignRight, QStringLiteral("BLACK"));
    }
    for (const TextBlock& block : text_) {
        p.setFont(block.font);
        p.setPen(block.colour);
        const Qt::Alignment across = block.align & Qt::AlignHorizontal_Mask;
        for (int row = 0; row < static_cast<int>(block.rows.size()); ++row)
            p.drawText(block.rowRect(row), across | Qt::AlignVCenter, block.rows[row]);
    }
    if (message_.yesNo) {
        font.setPixelSize(13);  // the captions keep their size, however small the lines had to be
        p.setFont(font);
        auto button = [&](const QRect& r, const std::array<QImage, 3>& pictures, int which, const QString& caption) {
            const int state = pressed_ == which ? 2 : hovered_ == which ? 1 : 0;
            if (!pictures[state].isNull()) {
                p.drawImage(r, pictures[state]);
            } else {
                p.setBrush(state ? QColor(90, 70, 40) : QColor(60, 45, 30));
                p.setPen(QColor(200, 170, 110));
                p.drawRoundedRect(r, 6, 6);
                p.setPen(QColor(250, 240, 220));
                p.drawText(r, Qt::AlignCenter, caption);
            }
        };
        button(yesRect(), assets_.yesButton, 1, QStringLiteral("YES"));
        button(noRect(), assets_.noButton, 2, QStringLiteral("NO"));
    }
}

}  // namespace lumaro
