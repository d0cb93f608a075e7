#pragma once
// The look and behaviour the settings, statistics and help windows share: 758 x 600, borderless,
// on top of the board, centred over it, the generated linen background, the window's title in large
// anti-aliased letters on the dark band at the top left, and a CLOSE plate at the top right.
// While one is open the board window is disabled, so no click or key reaches the game; CLOSE,
// or a window-close request, hides it and gives the board back.
#include <QWidget>

#include "game/Game.h"
#include "ui/Assets.h"
#include "ui/PlateButton.h"

namespace lumaro {

class ToolWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 758;
    static constexpr int kHeight = 600;
    static constexpr int kHeaderHeight = 64;  // the dark title band of the background
    static constexpr int kMargin = 24;        // between the frame and the controls

    ToolWindow(const QString& title, const Assets& assets);

    // Disables `board`, shows this window centred over it (kept on the screen) and brings it to the front.
    // Closing enables the board again.
    void openOver(QWidget& board);
    // CLOSE: hides the window, enables the board again and reports closed(). Does nothing when
    // the window is not open.
    void closeWindow();

    const QString& title() const { return title_; }
    PlateButton& closeButton() { return *close_; }
    // The area under the title band where a window lays out its controls.
    static QRect contentArea() { return {kMargin, kHeaderHeight + 14, kWidth - 2 * kMargin, kHeight - kHeaderHeight - 14 - kMargin}; }
    // A caption font in the windows' style (DejaVu Sans, bold, in pixels).
    static QFont captionFont(int pixelSize, bool bold = true);

signals:
    void closed();

protected:
    // Runs before the window hides on CLOSE: the settings window saves here.
    virtual void aboutToClose() {}
    void paintEvent(QPaintEvent*) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QString title_;
    const Assets& assets_;
    PlateButton* close_;
    QWidget* board_ = nullptr;
};

// Whether STAT, HELP (and TUNE) may open their window now: not while the computer or the network
// keeps the player waiting, not during a multi-step change, not over another tool window, and not
// in a network game while the peer is on turn.
bool toolWindowMayOpen(const Game& game, const Game::ShellState& shell);


}  // namespace lumaro
