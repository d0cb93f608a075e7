// The settings reader on any bytes: every value the game will use as an index or a count lands in
// its range, and a file that reaches its last field decides every field, whatever came before.
#include <span>

#include "fuzz/FuzzCheck.h"
#include "game/PlayerName.h"
#include "persistence/SettingsFile.h"

using namespace lumaro;
using lumaro::fuzz::check;

namespace {

// Every field away from its default, so that a field a file fails to set shows.
void changeEverything(Options& o, Scores& s) {
    o.checkerSpeed = 4;
    o.checkerColours = 2;
    o.homeRight = o.showBarDots = o.showBarNumbers = o.cubeEnabled = o.crawfordRule = false;
    o.jacobyRule = o.matchPlay = o.alternateFirstMove = o.modernSkin = o.humanOpponent = true;
    o.matchLength = 9;
    o.normalNet = o.showBorneOff = o.showPipCount = o.soundFx = o.localPlay = o.automaticDice = false;
    o.listenOption = o.showLocalTime = o.showGameDuration = o.chatKeyEnabled = o.autohideChat = true;
    o.attackSlider = 1;
    o.riskSlider = -1;
    o.strategySlider = 2;
    o.computerLevel = Level::Expert;
    o.doublesAlwaysAccepted = o.noBackgammonScoring = o.slowThinking = true;
    o.playerName = "fuzz";
    o.remoteAddress = "1.2.3.4";
    s.whiteMatchScore = s.blackMatchScore = s.whiteMatchesWon = s.blackMatchesWon = 7;
    s.blackPointsTotal = s.whitePointsTotal = 70000;
    s.blackGamesWon = s.whiteGamesWon = 77;
}

bool isFlag(std::uint8_t v) { return v <= 1; }

void checkRanges(const Options& o) {
    const auto speed = o.checkerSpeed;
    check(speed == 10000 || speed == 16 || speed == 10 || speed == 4, "checker speed is one of the four");
    check(o.checkerColours >= 1 && o.checkerColours <= 3, "colour scheme 1..3");
    check(o.matchLength >= 1, "match length 1..255");
    check(levelNumber(o.computerLevel) >= 1 && levelNumber(o.computerLevel) <= 3, "computer level 1..3");
    for (const std::int8_t slider : {o.attackSlider, o.riskSlider, o.strategySlider})
        check(slider >= -2 && slider <= 2, "sliders -2..2");
    for (const std::uint8_t flag :
         {o.homeRight, o.showBarDots, o.showBarNumbers, o.cubeEnabled, o.crawfordRule, o.jacobyRule, o.matchPlay,
          o.alternateFirstMove, o.modernSkin, o.normalNet, o.showBorneOff, o.showPipCount, o.soundFx,
          o.humanOpponent, o.localPlay, o.listenOption, o.automaticDice, o.showLocalTime, o.showGameDuration,
          o.chatKeyEnabled, o.autohideChat, o.doublesAlwaysAccepted, o.noBackgammonScoring, o.slowThinking})
        check(isFlag(flag), "every flag 0 or 1");
    check(heldName(o.playerName) == o.playerName, "name of at most 20 characters, none a control");
    check(o.remoteAddress.size() <= Options::kMaxRemoteAddress, "address of at most 15 characters");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    Options fromDefaults;
    Scores scoresFromDefaults;
    const bool complete = decodeSettings(bytes, fromDefaults, scoresFromDefaults);
    checkRanges(fromDefaults);

    Options fromChanged;
    Scores scoresFromChanged;
    changeEverything(fromChanged, scoresFromChanged);
    check(decodeSettings(bytes, fromChanged, scoresFromChanged) == complete, "the same bytes end at the same field");
    checkRanges(fromChanged);
    const auto written = encodeSettings(fromDefaults, scoresFromDefaults);
    if (complete)
        check(written == encodeSettings(fromChanged, scoresFromChanged), "a whole file sets every field");

    // What is saved reads back as it was.
    Options again;
    Scores scoresAgain;
    check(decodeSettings(written, again, scoresAgain), "a saved file is whole");
    check(encodeSettings(again, scoresAgain) == written, "a saved file reads back unchanged");
    return 0;
}
