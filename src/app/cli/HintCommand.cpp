#include "app/cli/HintCommand.h"

#include <cstdio>
#include <memory>
#include <string>

#include "app/cli/CommandLine.h"
#include "app/cli/GameFile.h"
#include "app/cli/NetsFolder.h"
#include "rules/Cube.h"
#include "rules/PlayNotation.h"
#include "game/Hint.h"
#include "game/MasterCube.h"

namespace lumaro {
namespace {

const char* sideName(Side side) { return side == Side::White ? "White" : "Black"; }

void printCubeAdvice(const SavedGame& game, Side side, const NeuralNets& nets) {
    if (game.cubeEnabled == 0) {
        std::printf("cube: not in use\n");
        return;
    }
    // A saved game is a money game; the Jacoby rule is not kept with it.
    const CubeSituation situation = cubeSituationFor(Cube::of(game.cubeValue, game.cubeOwnerWhite), side, true, false, 0, 0, 0, false);
    auto cube = std::make_unique<MasterCube>();
    const CubeDecision d = cube->decide(&nets, game.position, side, situation);
    if (!d.unavailable.empty()) {
        std::printf("cube, before %s's roll: no double, %s (cubeless %+.3f)\n", sideName(side), d.unavailable.c_str(), d.cubeless);
        return;
    }
    std::printf("cube, before %s's roll: %s (cubeless %+.3f, no double %+.3f, double/take %+.3f, double/pass %+.3f)\n",
                sideName(side), verdictWords(d.verdict), d.cubeless, d.noDouble, d.doubleTake, d.doublePass);
    const bool takes = d.doubleTake <= d.doublePass;
    std::printf("cube, if %s doubles: %s should %s (take %+.3f, pass %+.3f)\n", sideName(side),
                sideName(otherSide(side)), takes ? "take" : "pass", -d.doubleTake, -d.doublePass);
}

void printPlays(const DeepRanking& r) {
    if (r.plays.empty()) {
        std::printf("no legal play\n");
        return;
    }
    const double best = r.plays.front().equity;
    int rank = 0;
    for (const MasterPlay& p : r.plays) {
        const std::string notation = playNotation(r.frame, Side::Black, p.play);
        std::printf("%3d. %-28s %+.3f %+.3f  %d-ply\n", ++rank, notation.c_str(), p.equity, p.equity - best, p.depth);
    }
}

constexpr const char* kHintUsage = "usage: lumaro-cli hint GAME.sav [--nets DIR] [--depth 0|1|2]\n";

}  // namespace

SideRanking rankForSideToMove(PlayRanking& ranking, const SavedGame& game, const NeuralNets& nets,
                              const AnalysisSettings& settings, int depth) {
    return rankPlaysOf(ranking, game.position, sideOfTurn(game.turn), game.dieA, game.dieB, settings, &nets, depth);
}

int hintCommand(int argc, char** argv) {
    std::string gamePath;
    std::string netsFolder = defaultNetsFolder();
    int depth = HintAdvisor::kDepth;
    CLI::App app;
    app.add_option("GAME.sav", gamePath)->required()->check(CLI::ExistingFile);
    app.add_option("--nets", netsFolder)->check(CLI::ExistingDirectory);
    app.add_option("--depth", depth)->transform(cli::wholeNumber(0, 2));
    if (const auto status = cli::parseCommandLine(app, argc - 1, argv + 1, "lumaro-cli", kHintUsage)) return *status;
    SavedGame game;
    if (!loadGameFile(gamePath.c_str(), game, true)) return 2;
    auto nets = std::make_unique<NeuralNets>();
    if (!loadExpertNets(*nets, netsFolder)) return 2;
    // The same ranking and cube decision as the board's H key.
    const Side side = sideOfTurn(game.turn);
    auto search = std::make_unique<MasterSearch>();
    const DeepRanking r = rankDeeply(*search, nets.get(), game.position, side, game.dieA, game.dieB, depth,
                                     HintAdvisor::kPlaysLookedAt);
    std::printf("%s to play %d-%d, depth %d\n", sideName(side), game.dieA, game.dieB, depth);
    printCubeAdvice(game, side, *nets);
    printPlays(r);
    return 0;
}

}  // namespace lumaro
