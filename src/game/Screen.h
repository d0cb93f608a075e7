#pragma once
// How the game reaches the screen, the clock and the loudspeaker. The board window implements it
// with Qt (waits keep events running); tests use a fake that answers from a script and never waits.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "rules/Cube.h"
#include "rules/Position.h"

namespace lumaro {

enum class Answer { Yes = 1, No = 2 };

// Which picture the message box shows: each kind of message has its own.
enum class MessageKind {
    NewGame = 0,     // "Start a new game?"
    RuleNotice = 1,  // a play or a double the rules refuse, network notices
    Result = 2,      // the end of a game, the scores
    Resign = 3,      // resignation and exit questions
    Cube = 4,        // doubles offered, taken and dropped
};

// The small score table under a message: a row label with the WHITE and BLACK values.
struct ScoreRow {
    std::string label;
    std::string white;
    std::string black;
};

struct Message {
    MessageKind kind = MessageKind::NewGame;
    std::string line1;
    std::string line2;
    std::vector<ScoreRow> table;  // empty: no table
    bool yesNo = false;           // ask a question
    int timeout = 50;             // countdown in clock ticks; an unanswered question counts as YES
    bool waitsForAnswer = false;  // a question whose YES loses something: no countdown answers it
};

// The recordings, by the number of the player that holds them.
enum class Sound {
    Start = 1,     // the program starts
    Checker = 2,   // a checker is placed or hit
    Menu = 3,      // the menu panel slides in
    NoMove = 4,    // a refused click, a turn with nothing to play
    Question = 5,  // the message box asks
    Dice = 6,
    Cube = 7,
    Settings = 8,  // the settings window opens
    GameEnd = 9,
    ChatOut = 10,
    ChatIn = 11,
    Farewell = 12,  // stops every other sound
};

class Screen {
public:
    virtual ~Screen() = default;
    // Draws the message and waits until it is answered or its countdown ends. Only the game calls
    // it (Game::showMessage), which keeps every other input out meanwhile and plays the question sound.
    virtual Answer showMessage(const Message& message) = 0;
    // Waits `ms` milliseconds while the window keeps handling events.
    virtual void delay(int ms) = 0;
    virtual void play(Sound sound) = 0;
    virtual void letEventsRun() {}
    // Runs a long job (the Master's search) while the window stays live: the clock ticks and the
    // menu slides, and clicks and keys arrive as during any other wait (the game keeps them out
    // meanwhile). Returns once the job is done. The job must touch nothing but what it was given.
    virtual void runLive(const std::function<void()>& job) { job(); }
    // True once the program is closing: waits that loop on the user give up.
    virtual bool closing() const { return false; }

    // The dice of one side, at its place (right half for White, left for Black); a value of 0
    // draws a blank die.
    virtual void showDice(Side /*side*/, int /*dieA*/, int /*dieB*/) {}
    virtual void clearDice() {}
    // The opening roll: Black's die in Black's first place, White's in White's second.
    virtual void showOpeningDice(int /*blackDie*/, int /*whiteDie*/) {}
    // A game has begun: its clock starts now.
    virtual void gameStarted() {}
    // The cube moved or changed: centred, or on its holder's side.
    virtual void drawCube(const Cube& /*cube*/) {}
    // A die of the side to move has been played: its picture darkens.
    virtual void dieUsed(int /*die*/) {}
    // The board follows the game's position through these, told after the position changed.
    // Points are logical: 1..24, 0 is a side's bar and 25 its tray. `withEffects`: with the fade
    // and appear effects.
    // A checker of `side` left `point` (0: the bar).
    virtual void checkerLeft(Side /*side*/, int /*point*/, bool /*withEffects*/) {}
    // A checker of `side` travelled from where the last one left to `point` (0: the bar, 25: the
    // tray): its flight, then, except on the tray, its arrival.
    virtual void checkerArrived(Side /*side*/, int /*point*/, bool /*withEffects*/) {}
    // Every checker went at once (a new game, a loaded one).
    virtual void boardCleared() {}
    // The position is now `pos` at once (a new game, an undo, a loaded game): only the checkers
    // that differ move, without effects.
    virtual void positionLaidOut(const Position& /*pos*/) {}
    // SIDE: both home boards are now drawn on the right (true) or on the left.
    virtual void sideChanged(bool /*homeBoardsRight*/) {}
    // The skin or the checker colours changed: every checker is drawn again where it stands.
    virtual void checkerLookChanged() {}
    // The dots that show where the checker under the mouse can go need a fresh look.
    virtual void refreshBarDots() {}
    // The arrow with the hourglass while the computer thinks long.
    virtual void setWaitCursor(bool /*waiting*/) {}
    // The pip, bar and borne-off counters around the board changed.
    virtual void countersChanged() {}
    // The marks of the opponent's last move changed.
    virtual void lastMoveChanged() {}
    // A game of the session's record has ended: the record is worth writing down.
    virtual void recordChanged() {}
    // The options changed (the settings window closed): the board, the clocks and the panel
    // follow the display options.
    virtual void displayOptionsChanged() {}
    // The file dialogs of SAVE and LOAD: the chosen path, or nothing when the player cancelled.
    virtual std::optional<std::string> chooseFileToSave() { return std::nullopt; }
    virtual std::optional<std::string> chooseFileToLoad() { return std::nullopt; }
    // Writes the settings file now (a loaded game brings its own cube option).
    virtual void saveSettings() {}
};

}  // namespace lumaro
