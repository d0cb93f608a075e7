#pragma once
// Play in a window: the board and its menu panel shown in an ordinary window that the player moves
// and sizes as they like, not on top and without the full-screen backdrop. The board keeps its own
// 800 x 600 coordinates: the scene scales the whole picture smoothly with the window (keeping its
// shape, with black at the sides) and maps every click, mouse move and key back to the board's
// widgets, the message box, the study plate and the chat lines among them.
#include <QGraphicsScene>
#include <QGraphicsView>

class QGraphicsProxyWidget;
class QGraphicsRectItem;

namespace lumaro {

class BoardFrame : public QGraphicsView {
    Q_OBJECT
public:
    // Takes `board` and `menu`, parentless windows, into the frame: the board at (0, 0), the menu
    // sliding over its left edge, clipped to the board.
    BoardFrame(QWidget& board, QWidget& menu);
    // The smallest window in which every text of the board, the box and the menu stays legible:
    // the menu's items and a box's longest lines, 10 pixels on the board, are 6 pixels high there.
    static constexpr QSize kSmallest{480, 360};
    ~BoardFrame() override;
    // Gives the board and the menu back as windows of their own, hidden.
    void release();

signals:
    void closeRequested();  // the window's close button: EXIT

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QGraphicsScene scene_;
    QGraphicsRectItem* stage_ = nullptr;
    QGraphicsProxyWidget* board_ = nullptr;
    QGraphicsProxyWidget* menu_ = nullptr;
    QSize refusedSize_;  // the last size below the smallest that the window was given
};

// The window the player sees the board in: its frame while it plays in a window, else the board.
QWidget& windowShowing(QWidget& board);
// Whether that window stays over every other (the full-screen board does; a window does not):
// the windows and dialogs the board opens do the same.
bool boardOverEverything(QWidget& board);
// Brings that window to the front and makes it the active one.
void raiseBoardWindow(QWidget& board);
// The board's area on the screen, in global coordinates, however it is shown.
QRect boardOnScreen(QWidget& board);

}  // namespace lumaro
