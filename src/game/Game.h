#pragma once
// The game object: the one position with its snapshot, the dice, the cube, the scores, the options
// and the game flags. The parts of the program receive the game (or the pieces of it they need)
// instead of reaching for globals. It talks to the window only through Screen and BoardView.
#include "board/Board.h"
#include "game/Dice.h"
#include "game/GameEnd.h"
#include "game/Options.h"
#include "game/PositionStats.h"
#include "game/RollStats.h"
#include "game/Scores.h"
#include "game/Screen.h"
#include "game/TurnSnapshot.h"
#include "persistence/SavedGame.h"

namespace lumaro {

class Game {
public:
    explicit Game(Screen& screen);

    Board board;
    TurnSnapshot snapshot;
    Dice dice;
    Options options;
    Scores scores;
    PositionStats stats;
    RollStats whiteRollStats;
    RollStats blackRollStats;

    Byte turn = 1;  // 1 while White is to move
    bool gameOn = false;
    bool busy = false;
    Byte cubeValue = 1;  // 1 centred, else 2..64
    Byte cubeOwnerWhite = 0;
    bool gameEndedByCube = false;
    Byte resultPoints = 0;
    Byte gameNumber = 1;  // boards since start-up, 1..255 and back to 1
    Byte crawfordGameNumber = 0;
    bool blackBeginsNext = false;
    std::array<Byte, 9> moveRecord{};  // four (from, die) pairs of White's steps, bytes 1..8
    GameResult lastResult{};

    Screen& screen() { return *screen_; }

    // The game-state part of start-up, with the random sources seeded from `seedMilliseconds`
    // (milliseconds since midnight, UTC). The options are expected to be read already.
    void startUp(std::uint32_t seedMilliseconds);

    // Dice of a local turn, automatic or manual by the options; shown at the roller's place.
    void afiszareu();
    void afiszartu();
    // A roll received from the peer of a network game: no random numbers are drawn.
    void afiszartucon(Byte a, Byte b);
    void takeSnapshot();

    void tablanoua();
    void refacfast();
    void calculpunctaj();
    void terminare();
    void stat();

    // Saved games hold the turn-start snapshot, whose turn it is and the cube option.
    SavedGame savedGame() const;
    // Puts a loaded game on the board and books the loaded roll, as loading a game does.
    void restoreSavedGame(const SavedGame& saved);

private:
    void rollAt(bool white);
    void redrawDiceOfSideToMove();
    void drawCube();

    Screen* screen_;
};

}  // namespace lumaro
