#pragma once
// The message box drawn over the middle of the board: two lines, an optional score table, an
// optional YES / NO, and a countdown that the board clock advances. Pressing the mouse on it
// holds the countdown; releasing closes a plain message at once. For a moment after it opens it
// takes no press: one that comes then was meant for what was there before (a double click on YES
// of the box before it would close the result it brings).
#include <QWidget>
#include <functional>
#include <vector>

#include "game/Screen.h"
#include "ui/Assets.h"

namespace lumaro {

class MessagePanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kLeft = 220, kTop = 208, kWidth = 360, kHeight = 210;
    static constexpr int kCountdownEnd = 50;

    MessagePanel(const Assets& assets, QWidget* board);

    // Shows the message over `boardPicture` (the board under the panel).
    // `countdownTicks`: the clock ticks after which the box answers itself (a question YES), shown
    // as a bar that empties; 0 for a box that waits for its answer, with no bar.
    void present(const Message& message, const QImage& boardPicture, int countdownTicks = kCountdownEnd);
    // Milliseconds on a monotonic clock (the board's): when the box opened, and when a press comes.
    std::function<qint64()> clock;
    // Whether the box opened too short a time ago for a press or a key to be an answer to it.
    bool justOpened() const;
    // The box has run its countdown out (never, for one that waits).
    bool timedOut() const { return countdownTicks_ > 0 && countdown_ >= countdownTicks_; }
    void close();
    bool waiting() const { return countdownVisible_; }
    const Message& shownMessage() const { return message_; }
    bool answeredYes() const { return answer_ == Answer::Yes; }
    int countdown() const { return countdown_; }
    void tick();  // one clock tick of the countdown

    void pressYes();
    void pressNo();
    // Esc: NO to a question; a notice simply closes.
    void dismiss();

    // One text of the message as it is drawn: the room its rows may take (panel coordinates), its
    // font and its rows. A text shows whole in its room; only one that cannot at the smallest
    // readable size is cut short, with an ellipsis.
    struct TextBlock {
        QRect room;
        Qt::Alignment align;  // each row across the room, and the rows within it
        QColor colour;
        QFont font;
        QStringList rows;
        QRect rowRect(int row) const;
    };
    const std::vector<TextBlock>& textBlocks() const { return text_; }
    // Below this many pixels the box's texts would be hard to read: they wrap instead.
    static constexpr int kSmallestText = 10;

signals:
    void holdClock(bool held);  // the mouse is pressed on the panel / released

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // The two lines at one size, then the score table's labels and cells, each fitted to its room.
    void layOutText();
    QRect yesRect() const { return {360 - kLeft, 304 - kTop, 77, 33}; }
    QRect noRect() const { return {452 - kLeft, 304 - kTop, 77, 33}; }
    static QRect countdownBar() { return {488 - kLeft, 219 - kTop, 52, 7}; }
    // The bar with the slot the artwork draws round it.
    static QRect countdownSlot() { return countdownBar().adjusted(-3, -2, 4, 4); }

    const Assets& assets_;
    QImage background_;
    Message message_;
    std::vector<TextBlock> text_;
    int countdown_ = 0;
    int countdownTicks_ = kCountdownEnd;
    bool countdownVisible_ = false;
    Answer answer_ = Answer::Yes;
    int hovered_ = 0;  // 1 YES, 2 NO
    int pressed_ = 0;
    qint64 openedAt_ = 0;
    bool pressRefused_ = false;  // a press that came too soon: its release answers nothing either
};

}  // namespace lumaro
