#pragma once
// What the settings window may change, and when: the controls that a game in progress, a network
// connection or the computer's level lock, the Match points range, and the two score resets. The
// window only shows these; the rules live here so they are tested without a window.
#include "game/Options.h"
#include "game/Scores.h"

namespace lumaro {

// Which controls of the settings window take changes now.
struct SettingsLocks {
    bool play = true;           // Game / Match
    bool matchPoints = true;
    bool ruleBoxes = true;      // Doubling cube, Jacoby rule, Crawford rule
    bool otherRules = true;     // Doubles always accepted, No backgammon scoring
    bool resetScores = true;    // the Games and Matches buttons
    bool opponent = true;       // Human / Computer
    bool place = true;          // Local / Network
    bool computerStyle = true;  // the three levels and the Master
    bool dice = true;           // Automatic / Manual
    bool firstMove = true;      // Alternate / Roll dice
    bool sliders = true;        // Attack, Risk, Strategy: the beginner's analysis
    bool thinkingSpeed = true;  // Fast / Slow (best): the intermediate's look-ahead
    bool netType = true;        // Normal / Aggressive: the expert's networks
    bool callAndListen = true;  // Call and Listen of the connection box
};

// A running game fixes the rules, the opponent and the scores it is played for; a connection fixes
// what both programs must agree on; the computer's level decides which of its tuning applies.
SettingsLocks settingsLocks(const Options& options, bool gameOn, bool connected);

// "Match points" as typed: above 255 becomes 255, 0 or below becomes 1.
std::uint8_t clampMatchPoints(long typed);

// "Reset score": Games clears the single-game totals; Matches the match scores, the matches won and
// the Crawford mark.
void resetGameScores(Scores& scores);
void resetMatchScores(Scores& scores, std::uint8_t& crawfordGameNumber);

}  // namespace lumaro
