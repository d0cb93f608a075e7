#pragma once
// The end of a game: who won, single, gammon or backgammon times the cube, booked into the match
// or the single-game totals, and the result box that announces it. Sound, the roll statistics'
// closing entry (RollStats::countEnd), clearing the dice and the game-on flag stay with the caller.
#include <cstdint>
#include <string>

#include "rules/Position.h"
#include "game/Options.h"
#include "game/Scores.h"
#include "game/Screen.h"

namespace lumaro {

// How a game came to its end.
enum class GameOver {
    BorneOff,       // the winner has borne off its last checker
    DoubleRefused,  // the loser refused a double: a single game whatever the position
    Resigned,       // the loser gave up: scored by the position
};

// What a finished game is judged on.
struct GameEnding {
    Side winner = Side::White;
    Byte offWhite = 0;
    Byte offBlack = 0;
    Byte phaseWhite = 0;  // as whitePhaseOf: 1 on the bar, 2 in the opponent's home board
    Byte phaseBlack = 0;
    bool gameEndedByCube = false;  // a refused double counts as a single game
    Byte cubeValue = 1;
    Byte gameNumber = 1;
};

GameEnding gameEndingOf(const Position& pos, Side winner, bool gameEndedByCube, Byte cubeValue, Byte gameNumber);

// What Black wins once it has borne off its last checker (the self-play matches count this).
inline int blackWinPoints(const Position& pos) { return winKind(pos, Side::Black); }

struct GameResult {
    bool whiteWon = false;
    int kind = 1;  // 1 single, 2 gammon, 3 backgammon
    int resultPoints = 0;
    bool matchWon = false;
    GameOver how = GameOver::BorneOff;  // set by the game that ended
    Message message;
};

// 1, 2 or 3 before the cube is counted.
int gameKind(const GameEnding& ending, const Options& options);

// How the result box names a result: "gammon, cube x2, 4 p.".
std::string resultWords(int kind, int cubeValue);

// Scores the game and books it. In a match this also sets or clears the Crawford mark.
// Totals saturate at the top of their type rather than wrap.
GameResult endGame(const GameEnding& ending, const Options& options, Scores& scores,
                   Byte& crawfordGameNumber);

// Whether the game numbered gameNumber is the Crawford game, in which nobody may double.
// The game counter runs 1..255 and then starts again at 1, so the game after game 255 is game 1.
bool isCrawfordGame(const Options& options, Byte gameNumber, Byte crawfordGameNumber);

}  // namespace lumaro
