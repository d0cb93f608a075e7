// lumaro-cli: the game's rules and computer player from the command line, for scripts and benchmarks.
#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <unistd.h>

#include "ai/CubeMeasure.h"
#include "ai/MoveSearch.h"
#include "ai/NeuralNets.h"
#include "app/cli/Bench.h"
#include "app/cli/CubeCommand.h"
#include "app/cli/GameFile.h"
#include "app/cli/HintCommand.h"
#include "app/cli/IdCommand.h"
#include "app/cli/MasterChoose.h"
#include "app/cli/NetsFolder.h"
#include "app/cli/SelfPlay.h"
#include "rules/MaxDiceRule.h"
#include "game/PositionStats.h"
#include "game/SearchSetup.h"
#include "persistence/SettingsFile.h"

namespace {

using namespace lumaro;

struct CommandUsage {
    const char* name;
    const char* arguments;
};
constexpr CommandUsage kCommands[] = {
    {"info", "GAME.sav"},
    {"choose", "GAME.sav [--settings LM2.ini] [--nets DIR] [--hint-depth 0|1 | --master [--depth 1|2]]"},
    {"hint", "GAME.sav [--nets DIR] [--depth 0|1|2]"},
    {"measure", "GAME.sav"},
    {"id", "GAME.sav [--match LENGTH --score WHITE BLACK] [--crawford] [--jacoby]"},
    {"cube", "GAME.sav [--match LENGTH --score WHITE BLACK] [--crawford] [--jacoby] [--nets DIR]"},
    {"bench", "[--reference] [--expect SIGNATURES]"},
    {"selfplay", "--games N --seed S --a LEVEL[:options] --b LEVEL[:options] [--nets DIR] [--record FILE.mat]"},
};

void printUsage(std::FILE* out, const char* only = nullptr) {
    bool first = true;
    for (const CommandUsage& c : kCommands) {
        if (only && std::strcmp(only, c.name) != 0) continue;
        std::fprintf(out, "%s lumaro-cli %s %s\n", first ? "usage:" : "      ", c.name, c.arguments);
        first = false;
    }
    if (!only) std::fprintf(out, "       lumaro-cli --help | --version | COMMAND --help\n");
}

// A command line it cannot read: the usage on standard error, exit status 2.
int usage() {
    printUsage(stderr);
    return 2;
}

bool isHelp(const char* arg) { return std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0; }

std::string playTokens(const Play& play) {
    std::string out;
    for (int k = 1; k <= 4 && play[k].die != 0; ++k) {
        if (!out.empty()) out += ' ';
        out += std::to_string(play[k].point) + ':' + std::to_string(play[k].die);
    }
    return out.empty() ? "none" : out;
}

int info(const char* path) {
    SavedGame game;
    if (!loadGameFile(path, game, true)) return 2;
    const Position& pos = game.position;
    std::printf("pips=%d %d\n", whitePipCount(pos), blackPipCount(pos));
    std::printf("phases=%d %d\n", whitePhaseOf(pos), blackPhaseOf(pos));
    std::printf("best=%s\n", playTokens(maximalPlay(pos, game.turn == 1, game.dieA, game.dieB)).c_str());
    return 0;
}

// The play the hint ranks first, with the equity it rests on.
int chooseByHint(const SavedGame& game, const Options& options, const std::string& netsFolder, int depth) {
    auto nets = std::make_unique<NeuralNets>();
    if (!loadExpertNets(*nets, netsFolder)) return 2;
    AnalysisSettings settings = analysisSettingsOf(options);
    settings.computerLevel = Level::Expert;
    auto ranking = std::make_unique<PlayRanking>();
    const SideRanking r = rankForSideToMove(*ranking, game, *nets, settings, depth);
    std::printf("%s\n", playTokens(bestPlayOf(r)).c_str());
    if (r.plays.empty())
        std::printf("equity=none depth=%d plays=0\n", depth);
    else
        std::printf("equity=%+.4f depth=%d plays=%zu\n", r.plays.front().equity(), depth, r.plays.size());
    return 0;
}

// The Master's play, with the equity it rests on.
int chooseByMaster(const SavedGame& game, const std::string& netsFolder, int depth) {
    auto nets = std::make_unique<NeuralNets>();
    if (!loadExpertNets(*nets, netsFolder)) return 2;
    const MasterChoice c = masterChoiceFor(game, *nets, depth);
    std::printf("%s\n", playTokens(c.play).c_str());
    if (c.plays == 0)
        std::printf("equity=none depth=%d plays=0\n", depth);
    else
        std::printf("equity=%+.4f depth=%d plays=%d\n", c.equity, c.depth, c.plays);
    return 0;
}

int choose(int argc, char** argv) {
    const char* gamePath = nullptr;
    const char* settingsPath = nullptr;
    std::string netsFolder = defaultNetsFolder();
    int hintDepth = -1;
    bool master = false;
    int masterDepth = -1;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--settings") == 0 && i + 1 < argc)
            settingsPath = argv[++i];
        else if (std::strcmp(argv[i], "--nets") == 0 && i + 1 < argc)
            netsFolder = argv[++i];
        else if (std::strcmp(argv[i], "--hint-depth") == 0 && i + 1 < argc && hintDepthOf(argv[i + 1]))
            hintDepth = *hintDepthOf(argv[++i]);
        else if (std::strcmp(argv[i], "--master") == 0)
            master = true;
        else if (std::strcmp(argv[i], "--depth") == 0 && i + 1 < argc && masterDepthOf(argv[i + 1]))
            masterDepth = *masterDepthOf(argv[++i]);
        else if (!gamePath && argv[i][0] != '-')
            gamePath = argv[i];
        else
            return usage();
    }
    // --depth is the Master's, and the Master does not take the hint's depth.
    if (!gamePath || (masterDepth >= 0 && !master) || (master && hintDepth >= 0)) return usage();
    SavedGame game;
    if (!loadGameFile(gamePath, game, true)) return 2;
    Options options;
    Scores scores;
    if (settingsPath) loadSettings(settingsPath, options, scores);
    if (master) return chooseByMaster(game, netsFolder, masterDepth >= 0 ? masterDepth : 2);
    if (hintDepth >= 0) return chooseByHint(game, options, netsFolder, hintDepth);
    auto nets = std::make_unique<NeuralNets>();
    if (options.computerLevel == Level::Expert && !loadExpertNets(*nets, netsFolder)) return 2;

    const bool black = game.turn == 0;
    const SearchRequest r =
        searchRequestFor(game.position, game.dieA, game.dieB, black, analysisSettingsOf(options), nets.get());
    auto search = std::make_unique<MoveSearch>();
    const SearchResult result = search->search(r);
    const bool nothingToPlay = diceTotal(result.bestPath) == 0;
    const Play play = nothingToPlay ? Play{} : result.playToMake();
    std::printf("%s\n", playTokens(play).c_str());
    // With no legal play nothing was scored: the score is "none" like the play.
    const std::string score = nothingToPlay ? "none" : std::to_string(result.chosenScore);
    std::printf("score=%s level=%d evals=%llu\n", score.c_str(), result.chosenLevel,
                static_cast<unsigned long long>(result.counters.analyses));
    return 0;
}

int measure(const char* path) {
    SavedGame game;
    if (!loadGameFile(path, game, false)) return 2;
    const Position& pos = game.position;
    std::printf("cubeMeasure=%d\n", cubeMeasure(pos));
    std::printf("race=%d %d\n", blackRaceDistance(pos), whiteRaceDistance(pos));
    std::printf("pips=%d %d\n", whitePipCount(pos), blackPipCount(pos));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    if (isHelp(argv[1])) {
        printUsage(stdout);
        return 0;
    }
    if (std::strcmp(argv[1], "--version") == 0) {
        std::printf("lumaro-cli %s\n", LUMARO_VERSION);
        return 0;
    }
    const std::string command = argv[1];
    // COMMAND --help: that command's options, on standard output.
    for (const CommandUsage& c : kCommands)
        if (argc >= 3 && command == c.name && isHelp(argv[2])) {
            printUsage(stdout, c.name);
            return 0;
        }
    if (command == "info" && argc == 3) return info(argv[2]);
    if (command == "choose") return choose(argc, argv);
    if (command == "measure" && argc == 3) return measure(argv[2]);
    if (command == "id") return idCommand(argc, argv);
    if (command == "hint") return hintCommand(argc, argv);
    if (command == "cube") return cubeCommand(argc, argv);
    if (command == "bench") return benchCommand(argc, argv);
    if (command == "selfplay") return selfPlayCommand(argc, argv);
    return usage();
}
