#pragma once
// Every option of the game with its default. The settings file stores them; the settings window
// edits them; the rest of the game reads them under these names.
#include <cstdint>
#include <string>

namespace lumaro {

struct Options {
    std::uint16_t checkerSpeed = 10;  // 10000 Instant, 16 Fast, 10 Medium, 4 Slow
    std::uint8_t checkerColours = 1;  // 1..3
    std::uint8_t homeRight = 1;       // both home boards drawn on the right
    std::uint8_t showBarDots = 1;
    std::uint8_t showBarNumbers = 1;
    std::uint8_t cubeEnabled = 1;
    std::uint8_t crawfordRule = 1;
    std::uint8_t jacobyRule = 0;
    std::uint8_t matchPlay = 0;        // 0 single games, 1 match
    std::uint8_t matchLength = 3;      // 1..255
    std::uint8_t alternateFirstMove = 0;
    std::uint8_t modernSkin = 0;
    std::uint8_t normalNet = 1;        // 1 Normal, 0 Aggressive
    std::uint8_t showBorneOff = 1;
    std::uint8_t showPipCount = 1;
    std::uint8_t soundFx = 1;
    std::uint8_t humanOpponent = 0;
    std::uint8_t localPlay = 1;
    std::uint8_t listenOption = 0;
    std::uint8_t automaticDice = 1;
    std::uint8_t showLocalTime = 0;
    std::uint8_t showGameDuration = 0;
    std::uint8_t chatKeyEnabled = 0;
    std::uint8_t autohideChat = 0;
    std::int8_t attackSlider = 0;     // -2..2
    std::int8_t riskSlider = 0;       // -2..2
    std::int8_t strategySlider = 0;   // -2..2
    std::uint8_t computerLevel = 1;   // 1 Beginner, 2 Intermediate, 3 Expert
    std::uint8_t doublesAlwaysAccepted = 0;
    std::uint8_t noBackgammonScoring = 0;
    std::uint8_t slowThinking = 0;    // 0 Fast, 1 Slow (best)
    std::string playerName = "Master";  // at most 20 characters
    std::string remoteAddress;          // at most 15 characters

    static constexpr std::size_t kMaxPlayerName = 20;
    static constexpr std::size_t kMaxRemoteAddress = 15;
};

}  // namespace lumaro
