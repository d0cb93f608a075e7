// lumaro-train: trains the expert level's two networks by self-play and writes nn1.bin and nn2.bin.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/cli/CommandLine.h"

#include "Checkpoint.h"
#include "Distill.h"
#include "MasterTraining.h"
#include "Progress.h"
#include "Trainer.h"

using namespace lumaro::train;

namespace {

constexpr const char* kUsage =
    "usage: lumaro-train --games N --out DIR [--seed S] [--threads T] [--batch B]\n"
    "                    [--lambda L] [--hidden-rate A] [--output-rate A] [--final-rate-share F]\n"
    "                    [--target equity|win] [--explore P] [--init-scale W] [--off-inputs-learn 0|1]\n"
    "                    [--common-share S] [--race-net HIDDEN | --races-by-analysis 0|1] [--lookahead 0|1]\n"
    "                    [--adam 0|1]\n"
    "                    [--checkpoint FILE] [--checkpoint-every SECONDS] [--resume]\n"
    "                    [--start WEIGHTS_DIR [--race-warmup GAMES]]\n"
    "Writes DIR/nn1.bin and DIR/nn2.bin at every checkpoint and at the end. --start begins\n"
    "from the nn1.bin and nn2.bin of WEIGHTS_DIR instead of random weights.\n"
    "       lumaro-train distill ... (distillation of look-ahead values; see lumaro-train distill --help)\n"
    "       lumaro-train master ... (the Master's networks; see lumaro-train master --help)\n";

// A learning rate: zero (that layer stays as it is) or more.
CLI::Validator rate() { return lumaro::cli::decimalNumber(0, 1e6); }
// A scale or a time: above zero.
CLI::Validator positive() { return lumaro::cli::decimalNumber(1e-30, 1e30); }

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "distill") == 0) return distillCommand(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "master") == 0) return masterCommand(argc, argv);
    using lumaro::cli::decimalNumber;
    using lumaro::cli::wholeNumber;
    TrainConfig config;
    std::string out;
    std::string checkpoint;
    double checkpointEvery = 300;
    bool resume = false;
    std::string start;
    std::string target = "equity";
    CLI::App app;
    app.add_option("--games", config.games)->required()->transform(wholeNumber(1, INT64_MAX));
    app.add_option("--out", out)->required();
    app.add_option("--seed", config.seed)->transform(lumaro::cli::seedNumber());
    app.add_option("--threads", config.threads)->transform(wholeNumber(1, 64));
    // Each game of a batch keeps its summary until the batch ends.
    app.add_option("--batch", config.batch)->transform(wholeNumber(1, 100000));
    app.add_option("--lambda", config.td.lambda)->transform(decimalNumber(0, 1));
    app.add_option("--hidden-rate", config.hiddenRate)->transform(rate());
    app.add_option("--output-rate", config.outputRate)->transform(rate());
    app.add_option("--final-rate-share", config.finalRateShare)->transform(decimalNumber(0, 1));
    app.add_option("--explore", config.td.explore)->transform(decimalNumber(0, 1));
    app.add_option("--off-inputs-learn", config.td.offInputsLearn)->transform(wholeNumber(0, 1));
    // Any share in (0, 1] still descends.
    app.add_option("--common-share", config.td.commonShare)->transform(decimalNumber(1e-30, 1));
    app.add_option("--lookahead", config.td.lookahead)->transform(wholeNumber(0, 1));
    app.add_option("--race-net", config.raceHidden)->transform(wholeNumber(0, 256));
    app.add_option("--races-by-analysis", config.racesByAnalysis)->transform(wholeNumber(0, 1));
    app.add_option("--adam", config.adaptive)->transform(wholeNumber(0, 1));
    app.add_option("--init-scale", config.initScale)->transform(positive());
    app.add_option("--checkpoint", checkpoint);
    app.add_option("--start", start)->check(CLI::ExistingDirectory);
    app.add_option("--race-warmup", config.raceWarmup)->transform(wholeNumber(0, INT64_MAX));
    app.add_option("--checkpoint-every", checkpointEvery)->transform(positive());
    app.add_option("--target", target)->check(CLI::IsMember({"equity", "win"}));
    app.add_flag("--resume", resume);
    if (const auto status = lumaro::cli::parseCommandLine(app, argc, argv, "lumaro-train", kUsage)) return *status;
    config.td.equity = target == "equity";
    if (checkpoint.empty()) checkpoint = out + "/train.ckpt";

    Trainer trainer(config);
    if (!start.empty() && !loadGameWeights(start, trainer.nets())) return 1;
    if (resume) {
        if (!loadCheckpoint(checkpoint, trainer)) {
            std::fprintf(stderr, "lumaro-train: cannot resume from %s (missing, damaged or another seed)\n",
                         checkpoint.c_str());
            return 1;
        }
        std::fprintf(stderr, "resuming after %lld games\n", static_cast<long long>(trainer.gamesDone()));
    }
    Progress progress(config.games, trainer.gamesDone());
    auto lastSave = std::chrono::steady_clock::now();
    std::int64_t plies = 0, games = 0, gammons = 0;
    auto note = [&] {
        char text[64];
        std::snprintf(text, sizeof text, "%.1f plies/game, %.1f%% gammons", games ? double(plies) / games : 0.0,
                      games ? 100.0 * gammons / games : 0.0);
        return std::string(text);
    };
    auto save = [&] {
        if (!saveGameWeights(out, trainer.nets()) || !saveCheckpoint(checkpoint, trainer)) {
            std::fprintf(stderr, "\nlumaro-train: cannot write to %s\n", out.c_str());
            return false;
        }
        return true;
    };
    while (!trainer.finished()) {
        const BatchStats s = trainer.runBatch();
        plies += s.plies;
        games += s.games;
        gammons += s.gammons;
        progress.update(trainer.gamesDone(), note());
        if (std::chrono::steady_clock::now() - lastSave > std::chrono::duration<double>(checkpointEvery)) {
            if (!save()) return 1;
            lastSave = std::chrono::steady_clock::now();
            plies = games = gammons = 0;  // the note then shows the latest stretch
        }
    }
    progress.finish(trainer.gamesDone(), note());
    if (!save()) return 1;
    std::fprintf(stderr, "%.1f games/s\n", progress.gamesPerSecond(trainer.gamesDone()));
    return 0;
}
