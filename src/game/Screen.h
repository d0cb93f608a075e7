#pragma once
// How the game reaches the screen, the clock and the loudspeaker. The board window implements it
// with Qt (waits keep events running); tests use a fake that answers from a script and never waits.
#include <string>
#include <vector>

namespace lumaro {

enum class Answer { Yes = 1, No = 2 };

// The small score table under a message: a row label with the WHITE and BLACK values.
struct ScoreRow {
    std::string label;
    std::string white;
    std::string black;
};

struct Message {
    int kind = 0;  // which picture the box shows, 0..4
    std::string line1;
    std::string line2;
    std::vector<ScoreRow> table;  // empty: no table
    bool yesNo = false;           // ask a question
    int timeout = 50;             // countdown in clock ticks; an unanswered question counts as YES
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
    virtual Answer mesaj(const Message& message) = 0;
    // Waits `ms` milliseconds while the window keeps handling events.
    virtual void delay(int ms) = 0;
    virtual void play(Sound sound) = 0;
    virtual void letEventsRun() {}
    // True once the program is closing: waits that loop on the user give up.
    virtual bool closing() const { return false; }

    // The dice of one side: `white` picks the place (right half for White, left for Black);
    // a value of 0 draws a blank die.
    virtual void showDice(bool /*white*/, int /*dieA*/, int /*dieB*/) {}
    virtual void clearDice() {}
    // The opening roll: Black's die in Black's first place, White's in White's second.
    virtual void showOpeningDice(int /*blackDie*/, int /*whiteDie*/) {}
    // A game has begun: its clock starts now.
    virtual void gameStarted() {}
    // The cube: value 1 is centred; otherwise on the owner's side.
    virtual void drawCube(int /*cubeValue*/, int /*cubeOwnerWhite*/) {}
    // A die of the side to move has been played: its picture darkens.
    virtual void dieUsed(int /*die*/) {}
    // The dots that show where the checker under the mouse can go need a fresh look.
    virtual void refreshBarDots() {}
    // The arrow with the hourglass while the computer thinks long.
    virtual void setWaitCursor(bool /*waiting*/) {}
    // The pip, bar and borne-off counters around the board changed.
    virtual void countersChanged() {}
};

}  // namespace lumaro
