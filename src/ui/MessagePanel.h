#pragma once
// The message box drawn over the middle of the board: two lines, an optional score table, an
// optional YES / NO, and a countdown that the board clock advances. Pressing the mouse on it
// holds the countdown; releasing closes a plain message at once.
#include <QWidget>

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
    void present(const Message& message, const QImage& boardPicture);
    void close();
    bool waiting() const { return countdownVisible_; }
    bool answeredYes() const { return answer_ == Answer::Yes; }
    int countdown() const { return countdown_; }
    void tick();  // one clock tick of the countdown

    void pressYes();
    void pressNo();
    // Esc: NO to a question; a notice simply closes.
    void dismiss();

signals:
    void holdClock(bool held);  // the mouse is pressed on the panel / released

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QRect yesRect() const { return {360 - kLeft, 304 - kTop, 77, 33}; }
    QRect noRect() const { return {452 - kLeft, 304 - kTop, 77, 33}; }

    const Assets& assets_;
    QImage background_;
    Message message_;
    int countdown_ = 0;
    bool countdownVisible_ = false;
    Answer answer_ = Answer::Yes;
    int hovered_ = 0;  // 1 YES, 2 NO
    int pressed_ = 0;
};

}  // namespace lumaro
