#pragma once
// A game as SAVE keeps it: the turn-start snapshot with its dice, whose turn it is and the cube.
// A game saved mid-turn resumes at the start of that turn.
#include <cstdint>
#include <string>

#include "rules/Position.h"

namespace lumaro {

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

// How SAVE and LOAD reach the disk: the shell hands the game the file layer's reader and writer,
// tests a fake.
class SavedGameFiles {
public:
    virtual ~SavedGameFiles() = default;
    // False when the game could not be written, with the system's reason in `whyNot`; an earlier
    // file of that name is then left as it was.
    virtual bool write(const std::string& path, const SavedGame& game, std::string& whyNot) = 0;
    virtual SavedGameResult read(const std::string& path) = 0;
};

}  // namespace lumaro
