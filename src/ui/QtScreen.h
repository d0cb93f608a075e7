#pragma once
// The game's screen on Qt: the message box, waits that keep the window alive, the sounds, and
// the checkers, dice and cube drawn on the board window.
#include <QString>
#include <functional>

#include "game/Screen.h"

namespace lumaro {

class BoardWindow;
class SoundBank;

class QtScreen : public Screen {
public:
    QtScreen(BoardWindow& board, SoundBank& sounds) : board_(board), sounds_(sounds) {}

    Answer showMessage(const Message& message) override;
    void delay(int ms) override;
    void play(Sound sound) override;
    void letEventsRun() override;
    // The job runs on a thread of its own while this one keeps handling events.
    void runLive(const std::function<void()>& job) override;
    bool closing() const override { return closing_; }
    // A question never answers itself (the player's option).
    bool questionsWait = false;
    void setClosing() { closing_ = true; }

    void showDice(Side side, int dieA, int dieB) override;
    void clearDice() override;
    void showOpeningDice(int blackDie, int whiteDie) override;
    void gameStarted() override;
    void drawCube(const Cube& cube) override;
    void dieUsed(int die) override;
    void checkerLeft(Side side, int point, bool withEffects) override;
    void checkerArrived(Side side, int point, bool withEffects) override;
    void boardCleared() override;
    void positionLaidOut(const Position& pos) override;
    void sideChanged(bool homeBoardsRight) override;
    void checkerLookChanged() override;
    void refreshBarDots() override;
    void setWaitCursor(bool waiting) override;
    void countersChanged() override;
    void lastMoveChanged() override;
    void recordChanged() override;
    void displayOptionsChanged() override;
    std::optional<std::string> chooseFileToSave() override;
    std::optional<std::string> chooseFileToLoad() override;
    void saveSettings() override;

    // Whether the message box should also hide a docked menu panel when it closes.
    std::function<void()> onMessageClosed;
    // The backdrop's clocks and the panel follow the display options too.
    std::function<void()> onDisplayOptionsChanged;
    std::function<void()> onSaveSettings;
    std::function<void()> onRecordChanged;
    // Where the SAVE and LOAD dialogs open.
    QString savedGamesFolder;

private:
    static constexpr int kLiveWaitMs = 5;
    BoardWindow& board_;
    SoundBank& sounds_;
    bool closing_ = false;
};

}  // namespace lumaro
