#pragma once
// The game's screen on Qt: waits keep the event loop running, as every wait of the game must.
#include "game/Screen.h"

class QWidget;

namespace lumaro {

class QtScreen : public Screen {
public:
    explicit QtScreen(QWidget* window) : window_(window) {}

    Answer mesaj(const Message& message) override;
    void delay(int ms) override;
    void play(Sound) override {}
    void letEventsRun() override;
    bool closing() const override { return closing_; }
    void setClosing() { closing_ = true; }

private:
    QWidget* window_;
    bool closing_ = false;
};

}  // namespace lumaro
