#pragma once
// The menu panel: a narrow column of fifteen commands that slides in from the board's left edge,
// hides itself a second after the mouse leaves it, and can be dragged away from the board, where
// it stays until HIDE (over the whole screen; in a window it stays at the board's edge).
#include <QTimer>
#include <QWidget>
#include <array>

#include "ui/Assets.h"

namespace lumaro {

enum class MenuItem { Start, Load, Save, Back, Move, Abort, Side, Color, Score, Hide, Tune, Stat, Help, Hint, Exit };
inline constexpr int kMenuItems = 15;

class MenuPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 49;
    static constexpr int kHeight = 600;

    MenuPanel(const Assets& assets, QWidget* board);

    // The mouse reached the board's left edge: slide in (when hidden).
    void slideIn();
    // Esc: docked at the board's top-left corner at once.
    void dockAtCorner();
    // The mouse is over the board: a docked panel hides a second later.
    void boardEntered();
    bool docked() const;
    bool sliding() const { return slide_.isActive(); }
    void hideIfDocked();
    void hideIfDetached();
    int slideOffset = 0;

signals:
    void command(MenuItem item);
    void slideTick();  // every 15 ms step of the slide (the dice read its counter)
    void shown();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent*) override;
    void hideEvent(QHideEvent*) override;

private:
    int itemAt(const QPoint& p) const;
    void onSlide();

    const Assets& assets_;
    QWidget* board_;
    QTimer slide_;
    QTimer autoHide_;
    int hovered_ = -1;
    int pressed_ = -1;
    QPoint dragOrigin_;
    bool dragging_ = false;
};

}  // namespace lumaro
