#pragma once
// The full-screen black backdrop behind the board: the splash picture and the loading progress at
// start-up, the clock and the game duration at the bottom, and the farewell at exit.
#include <QLabel>
#include <QProgressBar>
#include <QWidget>

namespace lumaro {

class Backdrop : public QWidget {
    Q_OBJECT
public:
    explicit Backdrop(const QImage& splash);

    void layOut(const QRect& screen);
    void setProgress(int value);
    void hideProgress();
    void setClockVisible(bool clock, bool duration);
    // Updates the clock, and the duration while a game runs (seconds since it began, or < 0).
    void showTimes(const QString& clock, const QString& duration);
    // The farewell: the caption brightens, dims and fades to black.
    void farewell(const std::function<void(int)>& delay);

private:
    QLabel* splash_;
    QProgressBar* progress_;
    QWidget* panel_;
    QLabel* clockCaption_;
    QLabel* clock_;
    QLabel* durationCaption_;
    QLabel* duration_;
    QLabel* farewell_;
};

}  // namespace lumaro
