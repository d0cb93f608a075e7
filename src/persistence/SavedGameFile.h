#pragma once
// A saved game on disk: 58 raw bytes without header or checksum.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "game/SavedGame.h"

namespace lumaro {

inline constexpr std::size_t kSavedGameSize = 58;

std::array<std::uint8_t, kSavedGameSize> encodeSavedGame(const SavedGame& game);

// Refuses a file of any size but 58 bytes, or an impossible game, as a whole, so a loaded game
// never holds a position the rules cannot reach.
SavedGameResult decodeSavedGame(std::span<const std::uint8_t> bytes);

// Writes through a temporary file; a failed save leaves the earlier file as it was and puts the
// system's reason in `whyNot` when given.
bool writeSavedGame(const std::string& path, const SavedGame& game, std::string* whyNot = nullptr);

SavedGameResult readSavedGame(const std::string& path);

// SAVE and LOAD's way to the disk, through the functions above.
class SavedGameDisk : public SavedGameFiles {
public:
    bool write(const std::string& path, const SavedGame& game, std::string& whyNot) override {
        return writeSavedGame(path, game, &whyNot);
    }
    SavedGameResult read(const std::string& path) override { return readSavedGame(path); }
};

}  // namespace lumaro
