#pragma once
// A saved game: the turn-start snapshot with its dice, whose turn it is and the cube, in 58
// raw bytes without header or checksum. A game saved mid-turn resumes at the start of that turn.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "board/Position.h"

namespace lumaro {

inline constexpr std::size_t kSavedGameSize = 58;

struct SavedGame {
    Position position;
    std::uint8_t dieA = 0;
    std::uint8_t dieB = 0;
    std::uint8_t turn = 0;             // 1 while White is to move
    std::uint8_t cubeValue = 1;        // 1 centred, 2..64
    std::uint8_t cubeOwnerWhite = 0;
    std::uint8_t cubeEnabled = 1;      // the option travels with the game
};

// Either the game, or an English sentence naming the rule the file broke.
struct SavedGameResult {
    bool ok = false;
    SavedGame game;
    std::string error;
};

std::array<std::uint8_t, kSavedGameSize> encodeSavedGame(const SavedGame& game);

// Refuses a file of any size but 58 bytes, or an impossible game, as a whole, so a loaded game
// never holds a position the rules cannot reach.
SavedGameResult decodeSavedGame(std::span<const std::uint8_t> bytes);

// Writes through a temporary file; a failed save leaves the earlier file as it was and puts the
// system's reason in `whyNot` when given.
bool writeSavedGame(const std::string& path, const SavedGame& game, std::string* whyNot = nullptr);

SavedGameResult readSavedGame(const std::string& path);

}  // namespace lumaro
