#include "game/SettingsRules.h"

namespace lumaro {

SettingsLocks settingsLocks(const Options& options, bool gameOn, bool connected) {
    SettingsLocks l;
    const bool human = options.humanOpponent;
    l.place = human;
    l.callAndListen = human && !options.localPlay;
    if (gameOn) {
        l.play = l.dice = l.ruleBoxes = l.matchPoints = l.resetScores = false;
        l.opponent = l.place = l.computerStyle = l.otherRules = false;
    }
    if (connected) l.play = l.opponent = l.place = l.firstMove = l.dice = l.ruleBoxes = false;
    // The Master has no tuning of the levels'.
    const Level level = options.computerLevel;
    l.sliders = !options.master && level == Level::Beginner;
    l.thinkingSpeed = !options.master && level == Level::Intermediate;
    l.netType = !options.master && level == Level::Expert;
    return l;
}

std::uint8_t clampMatchPoints(long typed) {
    if (typed >= 256) return 255;
    if (typed <= 0) return 1;
    return static_cast<std::uint8_t>(typed);
}

void resetGameScores(Scores& scores) {
    scores.whitePointsTotal = scores.blackPointsTotal = 0;
    scores.whiteGamesWon = scores.blackGamesWon = 0;
}

void resetMatchScores(Scores& scores, std::uint8_t& crawfordGameNumber) {
    scores.whiteMatchScore = scores.blackMatchScore = 0;
    scores.whiteMatchesWon = scores.blackMatchesWon = 0;
    crawfordGameNumber = 0;
}

}  // namespace lumaro
