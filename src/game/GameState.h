#pragma once
// The game in play as one value: the position, the side on turn, the dice, the cube, the turn's
// start, the board numbers the Crawford rule counts by, the scores and the last result. Everyone
// reads it through a const reference; it changes only through the operations below, each rule
// written once and checked here, whoever asks: a click, the computer, a second person, the remote
// program, LOAD. It knows no screen: the game's turn flow tells the window what each one did.
#include "rules/Cube.h"
#include "rules/Position.h"
#include "rules/StepTests.h"
#include "game/Dice.h"
#include "game/GameEnd.h"
#include "game/Options.h"
#include "game/SavedGame.h"
#include "game/Scores.h"
#include "game/TurnSnapshot.h"

namespace lumaro {

// What one step did. A refused step (`made()` false) changed nothing.
struct StepMade {
    Byte result = kStepImpossible;  // as stepResult gives it
    int from = 0;                   // logical point; 0 the bar
    int to = 0;                     // logical point; 25 the tray
    bool hit = false;               // the other side's blot on `to` went to its bar
    bool made() const { return result != kStepImpossible; }
    bool borneOff() const { return result == kBorneOff; }
};

// Where a turn stands when its player wants to end it.
enum class TurnEnd {
    Complete,        // every die the rules demand is played
    DiceLeftToPlay,  // a die left can still be played: the player goes on
    ShortPlay,       // the play uses fewer dice (or the lower one) than the roll allowed
};

class GameState {
public:
    const Position& position() const { return position_; }
    Side sideToMove() const { return turn_; }
    const Dice& dice() const { return dice_; }
    const Cube& cube() const { return cube_; }
    // The turn's start: the position, the dice and the cube an undo and SAVE go back to.
    const TurnSnapshot& snapshot() const { return snapshot_; }
    bool gameOn() const { return gameOn_; }
    Byte gameNumber() const { return gameNumber_; }  // boards since start-up, 1..255 and back to 1
    Byte crawfordGameNumber() const { return crawfordGameNumber_; }
    const Scores& scores() const { return scores_; }
    const GameResult& lastResult() const { return lastResult_; }

    // A game taken up before its roll waits for it (see awaitRoll); a roll ends the wait.
    bool awaitingRoll() const { return awaitingRoll_; }
    // The side that rolls or has rolled: the side on turn, or the other one while a game waits
    // for its roll.
    Side sideOnRoll() const { return awaitingRoll_ ? otherSide(turn_) : turn_; }

    bool isCrawfordGame(const Options& options) const;
    // `side` may double: the cube is in play and its own rule lets that side turn it.
    bool mayDouble(Side side, const Options& options) const;
    // Whether the side on turn may stop now (see TurnEnd).
    TurnEnd turnEnd() const;

    // --- Between games ---
    // Start-up: no game, board 1, an empty board, the cube centred, no dice.
    void reset();
    // The starting position with the cube centred and no dice, as the next board of the session;
    // it is the turn's start until the first roll.
    void newBoard();
    // `pos` on the board as a fresh board holds it (a set-up position), as the turn's start.
    void layOut(const Position& pos);
    void turnTo(Side side);
    // A game begins on the board laid out.
    void begin();
    // The game stops where it stands, unscored; true when one was on.
    bool stopUnscored();
    // A saved game: its turn start on the board, its dice to play, the game on, no Crawford mark.
    void restore(const SavedGame& saved);
    // A game taken up before its roll (pasted IDs, a game saved so) waits for `roller`'s roll as
    // after any turn: the turn on the board is the other side's, over with nothing to play, so the
    // next click hands it over and rolls, and meanwhile the cube and the hint answer as then.
    void awaitRoll(Side roller);

    // --- A turn ---
    // The dice of the side on turn: the turn's start is taken.
    void roll(Byte a, Byte b);
    void clearDice();
    // One checker of `side` from `from` (0: its bar) with `die`: refused unless the game is on,
    // `side` is on turn, `die` is one left to play and the step is legal.
    StepMade step(Side side, int from, Byte die);
    // The turn goes to the other side.
    void passTurn();
    // Back to the turn's start: position, dice and cube.
    void undo();

    // --- The cube and the end of a game ---
    // A double taken: the cube doubled and given to the taker.
    void takeDouble(Side taker);
    // The game won by `winner`: judged on the position and the cube, booked into the scores (and
    // the Crawford mark of a match), the dice left unplayed, the game no longer on.
    const GameResult& gameOver(Side winner, GameOver how, const Options& options);

    // --- Scores kept between sessions, and the settings window's reset buttons ---
    void keepScores(const Scores& kept) { scores_ = kept; }
    void resetGameScores();
    void resetMatchScores();  // a new match also forgets its Crawford game

    // --- A position to play on, as LOAD and the tests set one up ---
    void arrangeCube(const Cube& cube) { cube_ = cube; }
    void arrangeMatchBoards(Byte boardNumber, Byte crawfordBoardNumber) {
        gameNumber_ = boardNumber;
        crawfordGameNumber_ = crawfordBoardNumber;
    }
    void arrangeGameOn(bool on) { gameOn_ = on; }
    void arrangeDicePlayed() { dice_.diceLeft = {}; }

private:
    void takeSnapshot();

    Position position_;
    Side turn_ = Side::White;
    Dice dice_;
    Cube cube_;
    TurnSnapshot snapshot_;
    bool gameOn_ = false;
    bool awaitingRoll_ = false;
    Byte gameNumber_ = 1;
    Byte crawfordGameNumber_ = 0;
    Scores scores_;
    GameResult lastResult_{};
};

}  // namespace lumaro
