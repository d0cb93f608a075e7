#include "app/cli/CubeCommand.h"

#include <cstdio>
#include <memory>
#include <string>

#include "ai/CubeDecision.h"
#include "ai/CubelessEstimate.h"
#include "app/cli/GameFile.h"
#include "app/cli/MatchOptions.h"
#include "app/cli/NetsFolder.h"
#include "game/MasterCube.h"
#include "rules/MatchId.h"

namespace lumaro {
namespace {

constexpr const char* kCubeUsage =
    "usage: lumaro-cli cube GAME.sav [--match LENGTH --score WHITE BLACK] [--crawford] [--jacoby] [--nets DIR]\n";

const char* sideName(Side side) { return side == Side::White ? "White" : "Black"; }

void printFigure(const char* name, double value, bool match) {
    if (match)
        std::printf("%s: %.2f %%\n", name, 100.0 * value);
    else
        std::printf("%s: %+.3f\n", name, value);
}

}  // namespace

int cubeCommand(int argc, char** argv) {
    MatchOptions options;
    options.nets = defaultNetsFolder();
    if (const auto status = readMatchOptions(argc, argv, true, kCubeUsage, options)) return *status;
    const char* path = options.path.c_str();
    const int length = options.length;

    SavedGame game;
    if (!loadGameFile(path, game, true)) return 2;
    const Side roller = sideOfTurn(game.turn);
    const Cube cube = Cube::of(game.cubeValue, game.cubeOwnerWhite);
    // The turn before its roll: the same checks as the match ID's.
    MatchState state;
    state.cube = cube;
    state.onRoll = roller;
    state.toAct = roller;
    options.applyTo(state);
    if (const std::string problem = matchStateProblem(state); !problem.empty()) {
        std::fprintf(stderr, "lumaro-cli: %s\n", problem.c_str());
        return 2;
    }
    if (length > MatchEquityTable::kLongest) {
        std::fprintf(stderr, "lumaro-cli: the cube is judged in matches of up to %d points.\n",
                     MatchEquityTable::kLongest);
        return 2;
    }
    auto nets = std::make_unique<NeuralNets>();
    if (!loadExpertNets(*nets, options.nets)) return 2;

    const CubeSituation situation =
        cubeSituationFor(cube, roller, game.cubeEnabled != 0, options.jacoby, length, state.score[Side::White],
                         state.score[Side::Black], options.crawford);
    const Position frame = roller == Side::Black ? game.position : mirrored(game.position);
    auto estimate = std::make_unique<CubelessEstimate>();
    const CubelessChances chances = estimate->blackToRoll(nets.get(), frame);
    const MatchEquityTable table;
    const CubeDecision d = decideCube(chances, situation, table);

    const bool match = length > 0;
    std::printf("%s\n", verdictWords(d.verdict));
    if (match)
        std::printf("%s on roll, %d-point match at %d-%d (White-Black), chances of winning the match\n",
                    sideName(roller), length, options.white, options.black);
    else
        std::printf("%s on roll, money game%s, equities per point of the cube now\n", sideName(roller),
                    options.jacoby ? " with the Jacoby rule" : "");
    std::printf("cubeless chances: win %.3f, win gammon %.3f, lose gammon %.3f\n", chances.win, chances.winGammon,
                chances.loseGammon);
    if (!d.unavailable.empty()) std::printf("the cube may not be turned: %s\n", d.unavailable.c_str());
    printFigure("cubeless", d.cubeless, match);
    printFigure("no double", d.noDouble, match);
    if (d.unavailable.empty()) {
        printFigure("double, take", d.doubleTake, match);
        printFigure("double, pass", d.doublePass, match);
    }
    return 0;
}

}  // namespace lumaro
