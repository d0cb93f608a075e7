// Saved games and settings files of a gigabyte: the readers take what they need and no more.
#include <gtest/gtest.h>

#include "files/FileBytes.h"
#include "persistence/SavedGameFile.h"
#include "persistence/SettingsFile.h"
#include "rules/Position.h"
#include "support/LittleMemory.h"
#include "support/TempFolder.h"

namespace lumaro {
namespace {

SavedGame aGame() {
    SavedGame g;
    g.position = startingPosition();
    g.dieA = 6;
    g.dieB = 1;
    g.turn = 0;
    return g;
}

TEST(FileBytes, AGigabyteSavedGameIsRefusedWithoutReadingItAll) {
    SKIP_UNDER_ADDRESS_SANITIZER();
    testing::TempFolder folder;
    const auto game = encodeSavedGame(aGame());
    const std::string path = hugeFileStartingWith(folder, "huge.sav", Bytes(game.begin(), game.end()));
    EXPECT_EQ(readFileBytes(path, kSavedGameSize + 1)->size(), kSavedGameSize + 1);
    withLittleMemory([&] {
        const SavedGameResult r = readSavedGame(path);
        return !r.ok && r.error == "The file is too long to be a saved game (more than 58 bytes).";
    });
}

TEST(FileBytes, AGigabyteSettingsFileKeepsItsFields) {
    SKIP_UNDER_ADDRESS_SANITIZER();
    testing::TempFolder folder;
    Options written;
    written.playerName = "Zoe";
    written.computerLevel = Level::Intermediate;
    const std::string path = hugeFileStartingWith(folder, "lm2.ini", encodeSettings(written, Scores{}));
    withLittleMemory([&] {
        Options o;
        Scores s;
        return loadSettings(path, o, s) == SettingsIo::ok && o.playerName == "Zoe" && o.computerLevel == Level::Intermediate;
    });
}

}  // namespace
}  // namespace lumaro
