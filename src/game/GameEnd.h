#pragma once
// The end of a game: who won, single, gammon or backgammon times the cube, booked into the match
// or the single-game totals, and the result box that announces it. Sound, the roll statistics'
// closing entry (RollStats::countEnd), clearing the dice and the game-on flag stay with the caller.
#include <cstdint>

#include "board/Position.h"
#include "game/Options.h"
#include "game/Scores.h"
#include "game/Screen.h"

namespace lumaro {

// What a finished game is judged on.
struct GameEnding {
    int whitePips = 0;  // the colour whose count is 0 has won; a refused double or a
    int blackPips = 0;  // resignation sets the winner's to 0
    Byte offWhite = 0;
    Byte offBlack = 0;
    Byte phaseWhite = 0;  // as whitePhaseOf: 1 on the bar, 2 in the opponent's home board
    Byte phaseBlack = 0;
    bool gameEndedByCube = false;  // a refused double counts as a single game
    Byte cubeValue = 1;
    Byte gameNumber = 1;
};

GameEnding gameEndingOf(const Position& pos, int whitePips, int blackPips, bool gameEndedByCube,
                        Byte cubeValue, Byte gameNumber);

struct GameResult {
    bool whiteWon = false;
    int kind = 1;  // 1 single, 2 gammon, 3 backgammon
    int resultPoints = 0;
    bool matchWon = false;
    Message message;
};

// 1, 2 or 3 before the cube is counted.
int gameKind(const GameEnding& ending, const Options& options);

// Scores the game and books it. In a match this also sets or clears the Crawford mark.
// Totals saturate at the top of their type rather than wrap.
GameResult endGame(const GameEnding& ending, const Options& options, Scores& scores,
                   Byte& crawfordGameNumber);

// Whether the game numbered gameNumber is the Crawford game, in which nobody may double.
// The game counter runs 1..255 and then starts again at 1, so the game after game 255 is game 1.
bool isCrawfordGame(const Options& options, Byte gameNumber, Byte crawfordGameNumber);

}  // namespace lumaro
