#pragma once
// Everything about a game in play except the checkers, as the match ID that backgammon programs
// exchange carries it: the cube, who is on roll and who acts next, the dice, an open double or
// resignation, the score and the match's rules.
#include "rules/Cube.h"
#include "rules/Position.h"

namespace lumaro {

enum class GamePhase : Byte { NotStarted = 0, Playing = 1, Over = 2, Resigned = 3, Dropped = 4 };

struct MatchState {
    Cube cube;                          // 1 centred, 2..64 held by one side
    Side onRoll = Side::White;          // rolls, has rolled, or doubles
    Side toAct = Side::White;           // onRoll, or the side answering a double or a resignation
    Byte dieA = 0;                      // both 0 before the roll
    Byte dieB = 0;
    bool doubleOffered = false;         // by onRoll, answered by toAct
    Byte resignation = 0;               // 0 none; 1, 2, 3: a single game, a gammon, a backgammon
                                        // offered by the side that is not toAct
    GamePhase phase = GamePhase::Playing;
    int matchLength = 0;                // 0 for a money game, else 1..kLongestMatch
    BySide<int> score;                  // in a match, each below matchLength
    bool crawford = false;              // this game is the Crawford game
    bool jacoby = false;                // gammons count only after a double (money games)
};

// Matches this game plays go to 255 points at most.
inline constexpr int kLongestMatch = 255;

}  // namespace lumaro
