#pragma once
// Every option of the game with its default. The settings file stores them (one byte each, 0 or 1
// for a yes-or-no option); the settings window edits them; the rest of the game reads them under
// these names.
#include <cstdint>
#include <string>

#include "ai/Level.h"

namespace lumaro {

struct Options {
    std::uint16_t checkerSpeed = 10;  // 10000 Instant, 16 Fast, 10 Medium, 4 Slow
    std::uint8_t checkerColours = 1;  // 1..3
    bool homeRight = true;            // both home boards drawn on the right
    bool showBarDots = true;
    bool showBarNumbers = true;
    bool cubeEnabled = true;
    bool crawfordRule = true;
    bool jacobyRule = false;
    bool matchPlay = false;           // single games, or a match
    std::uint8_t matchLength = 3;      // 1..255
    bool alternateFirstMove = false;
    bool modernSkin = false;
    bool normalNet = true;            // Normal, or Aggressive
    bool showBorneOff = true;
    bool showPipCount = true;
    bool soundFx = true;
    bool humanOpponent = false;
    bool localPlay = true;
    bool listenOption = false;
    bool automaticDice = true;
    bool showLocalTime = false;
    bool showGameDuration = false;
    bool chatKeyEnabled = false;
    bool autohideChat = false;
    std::int8_t attackSlider = 0;     // -2..2
    std::int8_t riskSlider = 0;       // -2..2
    std::int8_t strategySlider = 0;   // -2..2
    Level computerLevel = Level::Beginner;
    bool doublesAlwaysAccepted = false;
    bool noBackgammonScoring = false;
    bool slowThinking = false;        // Fast, or Slow (best)
    // The Master plays instead of the three levels. The settings file has no room for it: the
    // window keeps it in its own settings, and the file keeps level 3 meanwhile.
    bool master = false;
    std::string playerName = "Master";  // at most 20 characters
    std::string remoteAddress;          // at most 15 characters

    static constexpr std::size_t kMaxPlayerName = 20;
    static constexpr std::size_t kMaxRemoteAddress = 15;
};

}  // namespace lumaro
