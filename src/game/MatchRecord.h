#pragma once
// The record of a session of play, move by move, as the game happens: the dice, the steps played
// with them, the cube, resignations and every game's result. The match file writer turns it into
// the text layouts the backgammon analysers import.
//
// The game feeds the recorder as things happen. Points are the game's own: White moves 1 -> 24
// with its home on 19..24, Black 24 -> 1 with its home on 1..6; from 0 is a checker entering from
// the bar. The recorder follows the checkers itself, so that hits and bear-offs come out right.
// A game taken up from a saved game or pasted IDs starts from its set-up position.
#include <optional>
#include <vector>

#include "rules/Cube.h"
#include "rules/Position.h"

namespace lumaro {

// One checker moved by one die, in the mover's own numbering as the match files write it:
// 24 .. 1 towards home, 25 the bar, 0 borne off.
struct RecordedStep {
    int from = 0;
    int to = 0;
    bool hit = false;
    bool operator==(const RecordedStep&) const = default;
};

enum class RecordedKind { Roll, Double, Take, Drop, Resign };

struct RecordedAction {
    RecordedKind kind = RecordedKind::Roll;
    Side side = Side::White;
    int dieA = 0;  // a roll's dice
    int dieB = 0;
    std::vector<RecordedStep> steps;  // the play made with the roll; empty when the side could not move
    bool operator==(const RecordedAction&) const = default;
};

// The rules a game was played by.
struct RecordedRules {
    bool cube = true;      // the doubling cube in use
    bool jacoby = false;   // gammons counted only once the cube was turned (never without the cube)
    bool crawford = true;  // in a match: nobody doubles in the game after a side reaches match point
};

// Where a game taken up from a file or pasted IDs starts: the checkers, the side on roll, the dice
// it has rolled (0 while still to roll) and the cube.
struct RecordedSetup {
    Position position;
    Side onRoll = Side::White;
    int dieA = 0;
    int dieB = 0;
    Cube cube;
};

struct RecordedGame {
    int whiteScore = 0;  // the scores before the game (a money session: the points so far)
    int blackScore = 0;
    bool crawford = false;  // this is the Crawford game
    RecordedRules rules;
    std::optional<RecordedSetup> setup;  // none: the game starts from the opening
    std::vector<RecordedAction> actions;
    bool ended = false;
    Side winner = Side::White;
    int points = 0;  // what the winner scored, cube included
};

struct MatchRecord {
    int matchLength = 0;  // 0: single games, kept as a money session
    std::vector<RecordedGame> games;
};

class MatchRecorder {
public:
    // A new game: matchLength 0 for single games. An unfinished game before it stays as played.
    void startGame(int matchLength, int whiteScore, int blackScore, bool crawfordGame, RecordedRules rules = {});
    // The game just started begins from a set-up position instead of the opening. Dice already
    // rolled there are the first roll of the side on roll. Ignored once the game has a move.
    void setUp(const RecordedSetup& setup);
    void rolled(Side side, int dieA, int dieB);
    // One step of the play made with the last roll; fromPoint 0 enters from the bar.
    void stepMade(Side side, int fromPoint, int die);
    // The player took back the steps of his roll (BACK): the roll stays, its steps go.
    void turnUndone(Side side);
    void doubled(Side side);
    void took(Side side);
    void dropped(Side side);
    void resigned(Side side);
    void gameEnded(Side winner, int points);

    const MatchRecord& record() const { return record_; }
    // The checkers as the recorder sees them (tests and tools compare it with the game's own).
    const Position& position() const { return position_; }

private:
    RecordedGame* currentGame();
    RecordedAction* lastRollOf(Side side);

    MatchRecord record_;
    Position position_ = startingPosition();
    Position beforeRoll_ = startingPosition();
};

// A point of the game's numbering in `side`'s own numbering (24 .. 1 towards home; 25 the bar).
int ownPointOf(Side side, int logicalPoint);

}  // namespace lumaro
