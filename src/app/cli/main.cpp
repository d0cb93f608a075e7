// lumaro-cli: the game's rules and computer player from the command line, for scripts and benchmarks.
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "ai/BearoffDatabase.h"
#include "ai/CubeMeasure.h"
#include "ai/MoveSearch.h"
#include "ai/NeuralNets.h"
#include "app/cli/Bench.h"
#include "app/cli/CommandLine.h"
#include "app/cli/CubeCommand.h"
#include "app/cli/GameFile.h"
#include "app/cli/HintCommand.h"
#include "app/cli/IdCommand.h"
#include "app/cli/MasterChoose.h"
#include "app/cli/NetsFolder.h"
#include "app/cli/SelfPlay.h"
#include "app/cli/SettingsCheck.h"
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
    {"selfplay", "--games N --seed S --a PLAYER --b PLAYER [--nets DIR] [--nets-b DIR] [--threads T] [--record FILE.mat]"},
};

// The usage of every command, or of the command `only`.
std::string usageText(const char* only = nullptr) {
    std::string text;
    for (const CommandUsage& c : kCommands) {
        if (only && std::strcmp(only, c.name) != 0) continue;
        text += std::string(text.empty() ? "usage:" : "      ") + " lumaro-cli " + c.name + " " + c.arguments + "\n";
    }
    if (!only) text += "       lumaro-cli --help | --version | COMMAND --help\n";
    return text;
}

// A command line it cannot read: the usage on standard error, exit status 2.
int usage() {
    std::fputs(usageText().c_str(), stderr);
    return 2;
}

// A command that takes the saved game alone.
std::optional<int> readGamePath(int argc, char** argv, std::string& gamePath) {
    CLI::App app;
    app.add_option("GAME.sav", gamePath)->required()->check(CLI::ExistingFile);
    return cli::parseCommandLine(app, argc - 1, argv + 1, "lumaro-cli", usageText(argv[1]));
}

std::string playTokens(const Play& play) {
    std::string out;
    for (int k = 1; k <= 4 && play[k].die != 0; ++k) {
        if (!out.empty()) out += ' ';
        out += std::to_string(play[k].point) + ':' + std::to_string(play[k].die);
    }
    return out.empty() ? "none" : out;
}

int info(int argc, char** argv) {
    std::string path;
    if (const auto status = readGamePath(argc, argv, path)) return *status;
    SavedGame game;
    if (!loadGameFile(path.c_str(), game, true)) return 2;
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
    std::string gamePath;
    std::string settingsPath;
    std::string netsFolder = defaultNetsFolder();
    int hintDepth = -1;
    bool master = false;
    int masterDepth = -1;
    CLI::App app;
    app.add_option("GAME.sav", gamePath)->required()->check(CLI::ExistingFile);
    app.add_option("--settings", settingsPath)->check(CLI::ExistingFile);
    app.add_option("--nets", netsFolder)->check(CLI::ExistingDirectory);
    CLI::Option* byHint = app.add_option("--hint-depth", hintDepth)->transform(cli::wholeNumber(0, 1));
    // --depth is the Master's, and the Master does not take the hint's depth.
    CLI::Option* byMaster = app.add_flag("--master", master)->excludes(byHint);
    app.add_option("--depth", masterDepth)->transform(cli::wholeNumber(1, 2))->needs(byMaster);
    if (const auto status = cli::parseCommandLine(app, argc - 1, argv + 1, "lumaro-cli", usageText("choose")))
        return *status;
    SavedGame game;
    if (!loadGameFile(gamePath.c_str(), game, true)) return 2;
    Options options;
    Scores scores;
    if (!settingsPath.empty()) {
        if (const std::string why = readSettingsStrictly(settingsPath, options, scores); !why.empty()) {
            std::fprintf(stderr, "lumaro-cli: %s: %s\n%s", settingsPath.c_str(), why.c_str(), usageText("choose").c_str());
            return 2;
        }
    }
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

int measure(int argc, char** argv) {
    std::string path;
    if (const auto status = readGamePath(argc, argv, path)) return *status;
    SavedGame game;
    if (!loadGameFile(path.c_str(), game, false)) return 2;
    const Position& pos = game.position;
    std::printf("cubeMeasure=%d\n", cubeMeasure(pos));
    std::printf("race=%d %d\n", blackRaceDistance(pos), whiteRaceDistance(pos));
    std::printf("pips=%d %d\n", whitePipCount(pos), blackPipCount(pos));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    const std::string command = argv[1];
    if (command == "--help" || command == "-h") {
        std::fputs(usageText().c_str(), stdout);
        return 0;
    }
    if (command == "--version") {
        std::printf("lumaro-cli %s\n", LUMARO_VERSION);
        return 0;
    }
    // The bear-off table the build wrote beside the weights, read at the first race that needs it.
    BearoffDatabase::useFile(defaultNetsFolder() + "/bearoff.bin");
    // Each command reads the rest of the line itself, COMMAND --help included.
    if (command == "info") return info(argc, argv);
    if (command == "choose") return choose(argc, argv);
    if (command == "measure") return measure(argc, argv);
    if (command == "id") return idCommand(argc, argv);
    if (command == "hint") return hintCommand(argc, argv);
    if (command == "cube") return cubeCommand(argc, argv);
    if (command == "bench") return benchCommand(argc, argv);
    if (command == "selfplay") return selfPlayCommand(argc, argv);
    return usage();
}
