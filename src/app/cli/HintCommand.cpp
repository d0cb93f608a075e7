#include "app/cli/HintCommand.h"

#include <cstdio>
#include <memory>
#include <string>

#include "ai/CubeAdvice.h"
#include "app/cli/CommandLine.h"
#include "app/cli/GameFile.h"
#include "app/cli/NetsFolder.h"
#include "rules/Cube.h"
#include "rules/PlayNotation.h"

namespace lumaro {
namespace {

const char* sideName(Side side) { return side == Side::White ? "White" : "Black"; }

const char* actionText(CubeAction action) {
    switch (action) {
        case CubeAction::NoDouble: return "no double";
        case CubeAction::DoubleTake: return "double, take";
        case CubeAction::DoublePass: return "double, pass";
        case CubeAction::TooGood: return "too good to double, play on";
        case CubeAction::NotAvailable: return "the cube is the opponent's";
    }
    return "";
}

void printCubeAdvice(const SavedGame& game, const SideRanking& r, const NeuralNets& nets, int depth) {
    if (game.cubeEnabled == 0) {
        std::printf("cube: not in use\n");
        return;
    }
    CubeHolder holder = cubeHolderFor(Cube::of(game.cubeValue, game.cubeOwnerWhite), r.side);
    // A cube at its highest value cannot be turned again.
    if (game.cubeValue >= Cube::kHighest) holder = CubeHolder::Opponent;
    auto advisor = std::make_unique<CubeAdvisor>();
    const CubeAdvice a = advisor->advise(&nets, r.frame, holder, depth);
    std::printf("cube, before %s's roll: %s (cubeless %+.3f, no double %+.3f, double/take %+.3f, double/pass %+.3f)\n",
                sideName(r.side), actionText(a.action), a.cubeless, a.noDouble, a.doubleTake, a.doublePass);
    if (a.action != CubeAction::NotAvailable)
        std::printf("cube, if %s doubles: %s should %s (take %+.3f, pass %+.3f)\n", sideName(r.side),
                    sideName(otherSide(r.side)), a.opponentTakes() ? "take" : "pass", -a.doubleTake, -a.doublePass);
}

void printPlays(const SideRanking& r) {
    if (r.plays.empty()) {
        std::printf("no legal play\n");
        return;
    }
    const double best = r.plays.front().equity();
    int rank = 0;
    for (const RankedPlay& p : r.plays) {
        const std::string notation = playNotation(r.frame, Side::Black, p.play);
        std::printf("%3d. %-28s %+.3f %+.3f  %s\n", ++rank, notation.c_str(), p.equity(), p.equity() - best,
                    p.deeper ? "1-ply" : "0-ply");
    }
}

constexpr const char* kHintUsage = "usage: lumaro-cli hint GAME.sav [--nets DIR] [--depth 0|1]\n";

}  // namespace

SideRanking rankForSideToMove(PlayRanking& ranking, const SavedGame& game, const NeuralNets& nets,
                              const AnalysisSettings& settings, int depth) {
    return rankPlaysOf(ranking, game.position, sideOfTurn(game.turn), game.dieA, game.dieB, settings, &nets, depth);
}

int hintCommand(int argc, char** argv) {
    std::string gamePath;
    std::string netsFolder = defaultNetsFolder();
    int depth = 1;
    CLI::App app;
    app.add_option("GAME.sav", gamePath)->required()->check(CLI::ExistingFile);
    app.add_option("--nets", netsFolder)->check(CLI::ExistingDirectory);
    app.add_option("--depth", depth)->transform(cli::wholeNumber(0, 1));
    if (const auto status = cli::parseCommandLine(app, argc - 1, argv + 1, "lumaro-cli", kHintUsage)) return *status;
    SavedGame game;
    if (!loadGameFile(gamePath.c_str(), game, true)) return 2;
    auto nets = std::make_unique<NeuralNets>();
    if (!loadExpertNets(*nets, netsFolder)) return 2;
    AnalysisSettings settings;
    settings.computerLevel = Level::Expert;
    auto ranking = std::make_unique<PlayRanking>();
    const SideRanking r = rankForSideToMove(*ranking, game, *nets, settings, depth);
    std::printf("%s to play %d-%d, depth %d\n", sideName(r.side), game.dieA, game.dieB, depth);
    printCubeAdvice(game, r, *nets, depth);
    printPlays(r);
    return 0;
}

}  // namespace lumaro
