#include "app/cli/IdCommand.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "persistence/SavedGameFile.h"
#include "rules/GameIds.h"
#include "rules/MatchId.h"

namespace lumaro {

namespace {

int idUsage() {
    std::fprintf(stderr, "usage: lumaro-cli id GAME.sav [--match LENGTH --score WHITE BLACK] [--crawford] [--jacoby]\n");
    return 2;
}

// A whole number from 0 to 32767, or -1.
int countOf(const char* text) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < 0 || value > 32767) return -1;
    return static_cast<int>(value);
}

// The saved game's turn start: the side on roll has rolled, and nothing is offered.
MatchState matchStateOf(const SavedGame& game) {
    MatchState state;
    state.cube = Cube::of(game.cubeValue, game.cubeOwnerWhite);
    state.onRoll = sideOfTurn(game.turn);
    state.toAct = state.onRoll;
    state.dieA = game.dieA;
    state.dieB = game.dieB;
    const Position& pos = game.position;
    const bool over = pos.offWhite == kCheckersPerSide || pos.offBlack == kCheckersPerSide;
    state.phase = over ? GamePhase::Over : GamePhase::Playing;
    return state;
}

}  // namespace

int idCommand(int argc, char** argv) {
    const char* path = nullptr;
    int length = 0, white = 0, black = 0;
    bool scoreGiven = false, crawford = false, jacoby = false;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--match" && i + 1 < argc) {
            length = countOf(argv[++i]);
        } else if (arg == "--score" && i + 2 < argc) {
            white = countOf(argv[++i]);
            black = countOf(argv[++i]);
            scoreGiven = true;
        } else if (arg == "--crawford") {
            crawford = true;
        } else if (arg == "--jacoby") {
            jacoby = true;
        } else if (!path && arg[0] != '-') {
            path = argv[i];
        } else {
            return idUsage();
        }
    }
    if (!path || length < 0 || white < 0 || black < 0 || (scoreGiven && length == 0)) return idUsage();

    const SavedGameResult loaded = readSavedGame(path);
    if (!loaded.ok) {
        std::fprintf(stderr, "lumaro-cli: %s: %s\n", path, loaded.error.c_str());
        return 2;
    }
    MatchState state = matchStateOf(loaded.game);
    state.matchLength = length;
    state.score[Side::White] = white;
    state.score[Side::Black] = black;
    state.crawford = crawford;
    state.jacoby = jacoby;
    if (const std::string problem = matchStateProblem(state); !problem.empty()) {
        std::fprintf(stderr, "lumaro-cli: %s\n", problem.c_str());
        return 2;
    }
    const GameIds ids = encodeGameIds(loaded.game.position, state);
    std::printf("Position ID: %s\nMatch ID: %s\n", ids.positionId.c_str(), ids.matchId.c_str());
    return 0;
}

}  // namespace lumaro
