#pragma once
// A screen for tests: answers questions from a script (YES when the script runs out, as an
// unanswered question counts), never waits, and writes down what the game showed and played and
// what it told the board.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "game/Screen.h"

namespace lumaro::testing {

// What the game told the board, in order.
struct BoardEvent {
    enum Kind { Left, Arrived, Cleared, LaidOut, SideChanged, LookChanged } kind;
    Side side = Side::White;
    int point = 0;              // Left, Arrived
    bool withEffects = false;   // Left, Arrived; SideChanged: the home boards on the right
    Position position{};        // LaidOut
};

class FakeScreen : public Screen {
public:
    std::vector<BoardEvent> boardEvents;
    std::deque<Answer> answers;
    std::vector<Message> messages;
    std::vector<Sound> sounds;
    std::vector<int> delays;
    int eventsRun = 0;
    // Called on every wait, as timers and clicks would arrive while the real window waits.
    std::function<void(int ms)> onDelay;
    // When set, answers every question (the script above is then not used).
    std::function<Answer(const Message&)> decide;
    // Called while each message is up, before it is answered: clicks and keys arriving meanwhile.
    std::function<void(const Message&)> whileShown;
    // Called where the game lets pending events run.
    std::function<void()> onLetEventsRun;
    // Called in the middle of each live job (the Master's thinking): what the window would hand
    // the game while the job runs on its own thread.
    std::function<void()> whileThinking;
    int liveJobs = 0;

    Answer showMessage(const Message& message) override {
        messages.push_back(message);
        if (whileShown) whileShown(message);
        if (message.yesNo && decide) return decide(message);
        if (!message.yesNo || answers.empty()) return Answer::Yes;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    void delay(int ms) override {
        delays.push_back(ms);
        if (onDelay) onDelay(ms);
    }
    void play(Sound sound) override { sounds.push_back(sound); }
    void checkerLeft(Side side, int point, bool withEffects) override {
        boardEvents.push_back({BoardEvent::Left, side, point, withEffects, {}});
    }
    void checkerArrived(Side side, int point, bool withEffects) override {
        boardEvents.push_back({BoardEvent::Arrived, side, point, withEffects, {}});
    }
    void boardCleared() override { boardEvents.push_back({BoardEvent::Cleared}); }
    void positionLaidOut(const Position& pos) override {
        boardEvents.push_back({BoardEvent::LaidOut, Side::White, 0, false, pos});
    }
    void sideChanged(bool homeBoardsRight) override {
        boardEvents.push_back({BoardEvent::SideChanged, Side::White, 0, homeBoardsRight, {}});
    }
    void checkerLookChanged() override { boardEvents.push_back({BoardEvent::LookChanged}); }
    // The paths the SAVE and LOAD dialogs hand back; nothing: the player cancels.
    std::optional<std::string> fileToSave, fileToLoad;
    int settingsSaved = 0;
    std::optional<std::string> chooseFileToSave() override { return fileToSave; }
    std::optional<std::string> chooseFileToLoad() override { return fileToLoad; }
    void saveSettings() override { ++settingsSaved; }
    void runLive(const std::function<void()>& job) override {
        ++liveJobs;
        if (whileThinking) whileThinking();
        job();
    }
    void letEventsRun() override {
        ++eventsRun;
        if (onLetEventsRun) onLetEventsRun();
    }
};

}  // namespace lumaro::testing
