// lumaro-cli: the game's rules and computer player from the command line, for scripts and benchmarks.
#include <cstdio>
#include <cstring>
#include <string>

#include "board/MaxDiceRule.h"
#include "game/PositionStats.h"
#include "persistence/SavedGame.h"

namespace {

using namespace lumaro;

int usage() {
    std::fprintf(stderr, "usage: lumaro-cli info GAME.sav\n");
    return 2;
}

std::string playTokens(const Play& play) {
    std::string out;
    for (int k = 1; k <= 4 && play[k].die != 0; ++k) {
        if (!out.empty()) out += ' ';
        out += std::to_string(play[k].point) + ':' + std::to_string(play[k].die);
    }
    return out.empty() ? "none" : out;
}

int info(const char* path) {
    const SavedGameResult loaded = readSavedGame(path);
    if (!loaded.ok) {
        std::fprintf(stderr, "lumaro-cli: %s: %s\n", path, loaded.error.c_str());
        return 2;
    }
    const SavedGame& game = loaded.game;
    const Position& pos = game.position;
    std::printf("pips=%d %d\n", whitePipCount(pos), blackPipCount(pos));
    std::printf("phases=%d %d\n", whitePhaseOf(pos), blackPhaseOf(pos));
    const Play best = maximalPlay(pos, game.turn == 1, game.dieA, game.dieB);
    std::printf("best=%s\n", playTokens(best).c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    if (std::strcmp(argv[1], "info") == 0 && argc == 3) return info(argv[2]);
    return usage();
}
