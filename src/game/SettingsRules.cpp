#include "game/SettingsRules.h"

namespace lumaro {

SettingsLocks settingsLocks(const Options& options, bool gameOn, bool connected) {
    SettingsLocks l;
    const bool human = options.humanOpponent != 0;
    l.place = human;
    l.callAndListen = human && options.localPlay == 0;
    if (gameOn) {
        l.play = l.dice = l.ruleBoxes = l.matchPoints = l.resetScores = false;
        l.opponent = l.place = l.computerStyle = l.otherRules = false;
    }
    if (connected) l.play = l.opponent = l.place = l.firstMove = l.dice = l.ruleBoxes = false;
    l.sliders = options.computerLevel == 1;
    l.thinkingSpeed = options.computerLevel == 2;
    l.netType = options.computerLevel == 3;
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
