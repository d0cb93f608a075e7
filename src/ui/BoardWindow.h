#pragma once
// The board window: 800 x 600, borderless and on top. It draws the board picture of the skin,
// every checker image composed over the board with its shadow, the dice, the cube, the counters,
// the point numbers and the bar dots; it turns clicks and keys into the game's moves, and its
// clock ticks every 107 ms.
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "game/BarDots.h"
#include "game/PositionStats.h"
#include "game/Game.h"
#include "ui/Assets.h"
#include "ui/BoardScene.h"
#include "ui/ExtraSettings.h"
#include "ui/LateClickGuard.h"
#include "ui/HintPlate.h"
#include "ui/MessagePanel.h"
#include "ui/SceneView.h"

namespace lumaro {

class BoardWindow : public QWidget, public SceneView {
    Q_OBJECT
public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 600;

    BoardWindow(Game& game, const Assets& assets);

    Game& game() { return game_; }
    // The checkers as drawn: the game's screen hands it the game's events.
    BoardScene& scene() { return scene_; }
    const BoardScene& scene() const { return scene_; }
    MessagePanel& messagePanel() { return *message_; }
    // The study plate (the hint, a review) with the marks of a play made (blue) and of the best
    // one (gold), the steps in logical points of `marksSide`. A hint goes when the game moves on,
    // and a hint on a question goes with its box; a review stays until it ends (`reviewing`).
    void showPlate(PlateContent content, std::vector<std::pair<int, int>> playedMarks,
                   std::vector<std::pair<int, int>> bestMarks, Side marksSide = Side::White);
    void hideHint();
    bool plateShown() const { return hintPlate_->isVisible(); }
    const HintPlate& plate() const { return *hintPlate_; }
    bool reviewing = false;
    // A moment of the past a review shows: the cube, the dice and the counters drawn are its own,
    // not the game's (the scene shows its checkers). endMoment goes back to the game in play.
    struct Moment {
        Position position;
        Cube cube;
        Side diceSide = Side::White;
        int dieA = 0;  // 0: no dice (a cube decision comes before the roll)
        int dieB = 0;
    };
    void showMoment(const Moment& moment);
    void endMoment();
    const QImage& boardPicture() const { return assets_.board[game_.options().modernSkin ? 1 : 0]; }
    bool startupPending = true;
    // The window's own options (the last-move marks), kept apart from lm2.ini.
    ExtraSettings extra = ExtraSettings::load();
    // Whether a tool window (settings, statistics, help) covers the board: Backspace waits.
    std::function<bool()> toolWindowOpen = [] { return false; };
    // Milliseconds on a monotonic clock, for the moment after a box closes (tests set their own).
    std::function<qint64()> monotonicMs;
    // A message box or a tool window has just closed: a click arriving now was meant for it.
    void boxClosed();
    // The message box has closed: a hint on its question is stale now.
    void messageClosed();

    // SceneView
    void checkerAppeared(int colour, int image, int s, int x, int y, bool animated) override;
    void checkerFaded(int colour, int image, int s, bool animated) override;
    void checkerFlying(int colour, int fromX, int fromY, int toX, int toY) override;
    void orientationChanged() override;
    void letEventsRun() override;

    // What the game's screen draws here.
    void showDice(Side side, int dieA, int dieB);
    void showOpeningDice(int blackDie, int whiteDie);
    void clearDice();
    void dieUsed(int die);
    void drawCube();
    void setWaitCursor(bool waiting);
    // The dots as the game stands now: the entry points while White has checkers on the bar,
    // else the destinations of the white checker under the mouse.
    void refreshBarDots();
    void applyDisplayOptions();
    // Waits `ms` while events run (the game's busy delay).
    void delay(int ms);
    void startClock();
    double gameStartSeconds() const { return gameStart_; }
    void gameStarted();

signals:
    void clockTicked();         // every 107 ms
    void startRequested();      // the automatic first START
    void menuRequested(bool atCorner);  // Esc (at the corner) or the mouse at the left edge
    void boardClicked();        // a click on the board, a checker or a die: a docked menu hides
    void boardEntered();        // the mouse moved over the board away from the left edge
    void moveRequested();       // the M key
    void exportRequested();     // Ctrl+E: the games of the session to a match file
    void hintRequested();       // H: the hint shown, or hidden when it is up
    void hintPlayRequested();   // P: the hint's first play made
    void reviewRequested();     // R: the review of the game begins, or ends
    void reviewStepped(int by); // Left and Right during a review
    void reviewSideSwitched();  // C during a review: the computer's decisions, or yours again
    void copyIdsRequested();    // Ctrl+C: the position and match IDs to the clipboard
    void pasteIdsRequested();   // Ctrl+V: a game from the IDs on the clipboard
    void closeRequested();      // the window's close button: EXIT
    void chatKeyPressed();      // C or c: the chat lines may open


protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct CheckerImage {
        QImage picture;
        QImage background;  // what was drawn at its place before it came: the fade shows it
        int x = 0, y = 0;
        int s = 0;  // screen position, 0 on the bar
        bool visible = false;
        int z = 0;
    };
    struct DieSlot {
        QImage picture;
        int x = 0;
        int value = 0;
        bool visible = false;
        int darkened = 0;  // how many times a play darkened it
    };

    void onClockTick();
    bool overVisibleDie(const QPoint& p) const;
    BarDots dotsUnderMouse();
    CheckerImage* checkerAt(const QPoint& p, int* colour, int* image);
    const QImage& checkerPicture(int colour) const;
    QImage boardPiece(int x, int y, int size = 51) const;
    // The 51 x 51 piece of what is drawn at (x, y): the board and the visible checkers.
    QImage drawnAt(int x, int y) const;
    // The visible checkers overlapping `area`, the lowest first.
    std::vector<const CheckerImage*> checkersInDrawingOrder(const QRect& area) const;
    void showDie(int slot, int x, int value);
    void composeDieSlot(DieSlot& slot);
    // Redraws the dice that lie over `area`, where a checker came or went.
    void recomposeDiceOver(const QRect& area);
    void paintLabels(class QPainter& p);
    void paintLastMove(class QPainter& p);
    // Outlines of the places `marks` leave (dashed) and reach (solid) for `side`.
    // `inset` pixels inside the place, so that two kinds of marks on one place both show.
    void paintMoveMarks(class QPainter& p, const std::vector<std::pair<int, int>>& marks, Side side, const QColor& colour,
                        qreal inset = 1.5, int strength = 120);
    const Cube& cubeShown() const;
    void showBarDots(const BarDots& dots);

    Game& game_;
    const Assets& assets_;
    BoardScene scene_;
    MessagePanel* message_;
    HintPlate* hintPlate_;
    std::vector<std::pair<int, int>> hintMarks_;
    std::vector<std::pair<int, int>> playedMarks_;
    Side marksSide_ = Side::White;
    bool plateOnQuestion_ = false;  // the plate came while the message box was up: it is about it
    std::optional<Moment> moment_;
    BoardCounters momentCounters_;
    std::array<DieSlot, 2> momentDice_{};
    std::array<std::array<CheckerImage, 16>, 2> checkers_{};
    std::array<DieSlot, 2> dice_{};
    BarDots dots_{};
    QPoint sprite_{-100, -100};
    bool spriteVisible_ = false;
    int nextZ_ = 0;
    QTimer clock_;
    std::array<QPushButton*, 6> diceButtons_{};
    double gameStart_ = 0;
    QPoint mouse_{-1, -1};
    QElapsedTimer sinceCreated_;
    LateClickGuard lateClicks_;
};

}  // namespace lumaro
