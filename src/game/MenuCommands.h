#pragma once
// The commands of the menu panel: START, BACK, MOVE, ABORT, SIDE, COLOR, SCORE, EXIT, SAVE and LOAD,
// and the IDs copied (Ctrl+C) and pasted (Ctrl+V).
// Each first checks its guards against the game and the window's state and does nothing when one
// holds; each returns whether it acted. They change the game only through its operations: the
// shell routes the panel's items here, and the tests call them the same way.
#include "game/Game.h"
#include "game/KeptGame.h"

namespace lumaro {

class MenuCommands {
public:
    using ShellState = Game::ShellState;

    explicit MenuCommands(Game& game) : game_(game) {}

    bool start(const ShellState& shell);
    bool back(const ShellState& shell);
    bool move(const ShellState& shell);
    bool abort(const ShellState& shell);
    bool side(const ShellState& shell);
    bool color(const ShellState& shell);
    bool score(const ShellState& shell);
    // EXIT's questions: true when the program may close (the caller saves the settings and says
    // farewell). With a KeptGameStore (the player's option) an unfinished game at this machine is
    // kept for the next start instead of being resigned; when it cannot be written, the player is
    // told and asked as always.
    bool exit(const ShellState& shell);
    // The game kept at the last EXIT, on the board again to play on.
    void continueKeptGame(const KeptGame& kept);
    // SAVE writes the turn-start snapshot to the file the player picks; LOAD asks to resign a
    // running game, reads a saved game and plays on from it, the resignation booked only then. A
    // file that is not a saved game is refused whole with a message naming the reason, and the
    // running game goes on; a failed save is told too. Both need the game's SavedGameFiles.
    bool save(const ShellState& shell);
    bool load(const ShellState& shell);
    // A saved game opened from outside the menu (the file manager, the command line, a later copy
    // of the program): read first, so that a file that is no saved game is refused with its reason
    // and costs nothing; then, for a game in progress, the same question as LOAD, and play goes on
    // from the file. `later` while a guard holds (the computer thinks, a window is over the
    // board): the caller tries again; `never` where LOAD is never possible (the network setting).
    enum class Opening { done, later, never };
    Opening open(const ShellState& shell, const std::string& path);
    // Ctrl+C: the position and match IDs of the game, as two lines for the clipboard.
    std::string copyIds() const;
    // Ctrl+V: pasted IDs set up as a game to play on, as LOAD does (the running game resigned
    // first, the scores left alone). Text that holds no playable game is refused with the reason
    // and the running game goes on.
    bool paste(const ShellState& shell, const std::string& text);

private:
    // A game LOAD or a paste brought: the running game given up if the player agreed to, then
    // play goes on from it.
    void playOn(const SavedGame& game, bool resigning, bool crawfordGame = false);

    Game& game_;
};

}  // namespace lumaro
