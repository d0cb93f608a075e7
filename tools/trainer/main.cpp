// lumaro-train: trains the expert level's two networks by self-play and writes nn1.bin and nn2.bin.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Checkpoint.h"
#include "Distill.h"
#include "MasterTraining.h"
#include "Progress.h"
#include "Trainer.h"

using namespace lumaro::train;

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: lumaro-train --games N --out DIR [--seed S] [--threads T] [--batch B]\n"
                 "                    [--lambda L] [--hidden-rate A] [--output-rate A] [--final-rate-share F]\n"
                 "                    [--target equity|win] [--explore P] [--init-scale W] [--off-inputs-learn 0|1]\n"
                 "                    [--common-share S] [--race-net HIDDEN | --races-by-analysis 1] [--lookahead 0|1]\n"
                 "                    [--adam 0|1]\n"
                 "                    [--checkpoint FILE] [--checkpoint-every SECONDS] [--resume]\n"
                 "                    [--start WEIGHTS_DIR [--race-warmup GAMES]]\n"
                 "Writes DIR/nn1.bin and DIR/nn2.bin at every checkpoint and at the end. --start begins\n"
                 "from the nn1.bin and nn2.bin of WEIGHTS_DIR instead of random weights.\n"
                 "       lumaro-train distill ... (distillation of look-ahead values; see lumaro-train distill)\n"
                 "       lumaro-train master ... (the Master's networks; see lumaro-train master)\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "distill") == 0) return distillCommand(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "master") == 0) return masterCommand(argc, argv);
    TrainConfig config;
    std::string out;
    std::string checkpoint;
    double checkpointEvery = 300;
    bool resume = false;
    std::string start;
    for (int i = 1; i < argc; ++i) {
        const std::string flag = argv[i];
        if (flag == "--resume") {
            resume = true;
            continue;
        }
        if (i + 1 >= argc) return usage();
        const char* v = argv[++i];
        if (flag == "--games") config.games = std::atoll(v);
        else if (flag == "--out") out = v;
        else if (flag == "--seed") config.seed = std::strtoull(v, nullptr, 10);
        else if (flag == "--threads") config.threads = std::atoi(v);
        else if (flag == "--batch") config.batch = std::atoi(v);
        else if (flag == "--lambda") config.td.lambda = std::strtof(v, nullptr);
        else if (flag == "--hidden-rate") config.hiddenRate = std::strtof(v, nullptr);
        else if (flag == "--output-rate") config.outputRate = std::strtof(v, nullptr);
        else if (flag == "--final-rate-share") config.finalRateShare = std::strtof(v, nullptr);
        else if (flag == "--explore") config.td.explore = std::strtod(v, nullptr);
        else if (flag == "--off-inputs-learn") config.td.offInputsLearn = std::atoi(v) != 0;
        else if (flag == "--common-share") config.td.commonShare = std::strtof(v, nullptr);
        else if (flag == "--lookahead") config.td.lookahead = std::atoi(v) != 0;
        else if (flag == "--race-net") config.raceHidden = std::clamp(std::atoi(v), 0, 256);
        else if (flag == "--races-by-analysis") config.racesByAnalysis = std::atoi(v) != 0;
        else if (flag == "--adam") config.adaptive = std::atoi(v) != 0;
        else if (flag == "--init-scale") config.initScale = std::strtof(v, nullptr);
        else if (flag == "--checkpoint") checkpoint = v;
        else if (flag == "--start") start = v;
        else if (flag == "--race-warmup") config.raceWarmup = std::max(0LL, std::atoll(v));
        else if (flag == "--checkpoint-every") checkpointEvery = std::strtod(v, nullptr);
        else if (flag == "--target" && (std::strcmp(v, "equity") == 0 || std::strcmp(v, "win") == 0))
            config.td.equity = std::strcmp(v, "equity") == 0;
        else return usage();
    }
    if (out.empty() || config.games <= 0) return usage();
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
