#pragma once
// The hint on the board: a dark plate over the left half listing the best plays with their
// equities, or the cube advice. Clicks go through it to the board; anything that moves the game on
// takes it away.
#include <QWidget>

#include "game/Hint.h"

namespace lumaro {

class HintPlate : public QWidget {
public:
    explicit HintPlate(QWidget* board);

    void show(const Hint& hint);
    const Hint& hint() const { return hint_; }
    // How many plays the plate lists at most.
    static constexpr int kLines = 5;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Hint hint_;
};

}  // namespace lumaro
