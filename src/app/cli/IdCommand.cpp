#include "app/cli/IdCommand.h"

#include <cstdio>
#include <string>

#include "app/cli/MatchOptions.h"
#include "persistence/SavedGameFile.h"
#include "rules/GameIds.h"
#include "rules/MatchId.h"

namespace lumaro {

namespace {

constexpr const char* kIdUsage =
    "usage: lumaro-cli id GAME.sav [--match LENGTH --score WHITE BLACK] [--crawford] [--jacoby]\n";

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
    MatchOptions options;
    if (const auto status = readMatchOptions(argc, argv, false, kIdUsage, options)) return *status;
    const char* path = options.path.c_str();

    const SavedGameResult loaded = readSavedGame(path);
    if (!loaded.ok) {
        std::fprintf(stderr, "lumaro-cli: %s: %s\n", path, loaded.error.c_str());
        return 2;
    }
    MatchState state = matchStateOf(loaded.game);
    options.applyTo(state);
    if (const std::string problem = matchStateProblem(state); !problem.empty()) {
        std::fprintf(stderr, "lumaro-cli: %s\n", problem.c_str());
        return 2;
    }
    const GameIds ids = encodeGameIds(loaded.game.position, state);
    std::printf("Position ID: %s\nMatch ID: %s\n", ids.positionId.c_str(), ids.matchId.c_str());
    return 0;
}

}  // namespace lumaro
