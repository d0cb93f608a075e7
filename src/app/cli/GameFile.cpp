#include "app/cli/GameFile.h"

#include <cstdio>

#include "persistence/SavedGameFile.h"

namespace lumaro {

bool loadGameFile(const char* path, SavedGame& game, bool inPlay) {
    const SavedGameResult loaded = readSavedGame(path);
    if (!loaded.ok) {
        std::fprintf(stderr, "lumaro-cli: %s: %s\n", path, loaded.error.c_str());
        return false;
    }
    const Position& pos = loaded.game.position;
    if (inPlay && (pos.offWhite == kCheckersPerSide || pos.offBlack == kCheckersPerSide)) {
        std::fprintf(stderr, "lumaro-cli: %s: game over: %s has borne off all 15 checkers.\n", path,
                     pos.offWhite == kCheckersPerSide ? "White" : "Black");
        return false;
    }
    game = loaded.game;
    return true;
}

}  // namespace lumaro
