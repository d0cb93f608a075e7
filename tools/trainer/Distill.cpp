#include "Distill.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "Checkpoint.h"
#include "Fit.h"
#include "Progress.h"
#include "Samples.h"

namespace lumaro::train {

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: lumaro-train distill --teacher DIR --samples FILE --games N --out DIR [--seed S]\n"
                 "                    [--explore P] [--siblings K] [--threads T] [--block-games G] [--epochs E] [--batch B]\n"
                 "                    [--hidden-rate A] [--output-rate A] [--final-rate-share F]\n"
                 "                    [--common-share S] [--check-share C] [--choice-weight W]\n"
                 "                    [--starts FILE --start-share P] [--more-samples FILE ...]\n"
                 "Collects the samples of N games into FILE (going on from a file of the same seed), then\n"
                 "fits networks that start from the teacher's and writes DIR/nn1.bin, DIR/nn2.bin and\n"
                 "DIR/epoch-K/ after each epoch. With --starts, a share P of the games starts from the\n"
                 "file's positions (a GNU Backgammon position ID a line, the side on roll's view).\n"
                 "--more-samples adds the samples of other complete files to the fit, each file's\n"
                 "last games to the check set.\n");
    return 2;
}

}  // namespace

int distillCommand(int argc, char** argv) {
    std::string teacherFolder, samplePath, out, startsPath;
    std::vector<std::string> morePaths;
    std::int64_t games = 0, blockGames = 2000;
    SampleSettings sampling;
    FitSettings fit;
    double checkShare = 0.05;
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::string flag = argv[i];
        const char* v = argv[i + 1];
        if (flag == "--teacher") teacherFolder = v;
        else if (flag == "--samples") samplePath = v;
        else if (flag == "--out") out = v;
        else if (flag == "--games") games = std::atoll(v);
        else if (flag == "--block-games") blockGames = std::max(1LL, std::atoll(v));
        else if (flag == "--seed") sampling.seed = fit.seed = std::strtoull(v, nullptr, 10);
        else if (flag == "--explore") sampling.explore = std::clamp(std::strtod(v, nullptr), 0.0, 1.0);
        else if (flag == "--siblings") sampling.siblings = std::clamp(std::atoi(v), 1, 64);
        else if (flag == "--threads") sampling.threads = fit.threads = std::clamp(std::atoi(v), 1, 64);
        else if (flag == "--epochs") fit.epochs = std::max(0, std::atoi(v));
        else if (flag == "--batch") fit.batch = std::max(1, std::atoi(v));
        else if (flag == "--hidden-rate") fit.hiddenRate = std::strtof(v, nullptr);
        else if (flag == "--output-rate") fit.outputRate = std::strtof(v, nullptr);
        else if (flag == "--final-rate-share") fit.finalRateShare = std::strtof(v, nullptr);
        else if (flag == "--common-share") fit.commonShare = std::strtof(v, nullptr);
        else if (flag == "--choice-weight") fit.choiceWeight = std::max(0.0f, std::strtof(v, nullptr));
        else if (flag == "--more-samples") morePaths.push_back(v);
        else if (flag == "--starts") startsPath = v;
        else if (flag == "--start-share") sampling.startShare = std::clamp(std::strtod(v, nullptr), 0.0, 1.0);
        else if (flag == "--check-share") checkShare = std::clamp(std::strtod(v, nullptr), 0.0, 0.5);
        else return usage();
    }
    if (argc % 2 != 0 || teacherFolder.empty() || samplePath.empty() || out.empty() || games <= 0) return usage();

    if (!startsPath.empty()) {
        int refused = 0;
        sampling.starts = readStartPositions(startsPath, refused);
        std::fprintf(stderr, "%zu start positions from %s (%d lines refused)\n", sampling.starts.size(),
                     startsPath.c_str(), refused);
        if (sampling.starts.empty()) return 1;
    }
    // Read before the collection, which can take hours, so that a wrong path stops the run at once.
    std::vector<SampleFile> moreFiles(morePaths.size());
    for (std::size_t k = 0; k < morePaths.size(); ++k)
        if (!readSamples(morePaths[k], moreFiles[k])) {
            std::fprintf(stderr, "lumaro-train: %s is not a sample file\n", morePaths[k].c_str());
            return 1;
        }
    Nets teacher;
    if (!loadGameWeights(teacherFolder, teacher)) return 1;
    teacher.racesByAnalysis = true;

    SampleFile file;
    if (readSamples(samplePath, file) && file.seed == sampling.seed) {
        std::error_code ec;
        std::filesystem::resize_file(samplePath, file.wholeBytes, ec);  // drop a block cut short
        std::fprintf(stderr, "going on after %lld games (%zu samples)\n", static_cast<long long>(file.games),
                     file.samples.size());
    } else {
        if (std::filesystem::exists(samplePath)) {
            std::fprintf(stderr, "lumaro-train: %s holds no samples of seed %llu\n", samplePath.c_str(),
                         static_cast<unsigned long long>(sampling.seed));
            return 1;
        }
        file = SampleFile{sampling.seed, 0, 0, {}};
        if (!startSampleFile(samplePath, sampling.seed)) {
            std::fprintf(stderr, "lumaro-train: cannot write %s\n", samplePath.c_str());
            return 1;
        }
    }
    Progress progress(games, file.games);
    while (file.games < games) {
        const std::int64_t count = std::min(blockGames, games - file.games);
        std::vector<Sample> block = collectSamples(teacher, sampling, file.games, count);
        if (!appendSamples(samplePath, count, block)) {
            std::fprintf(stderr, "\nlumaro-train: cannot write %s\n", samplePath.c_str());
            return 1;
        }
        file.games += count;
        file.samples.insert(file.samples.end(), block.begin(), block.end());
        progress.update(file.games, std::to_string(file.samples.size()) + " samples");
    }
    if (progress.gamesPerSecond(file.games) > 0)
        progress.finish(file.games, std::to_string(file.samples.size()) + " samples");

    // Each file's last games' samples are the check set: whole games the fit never sees.
    std::vector<Sample> check;
    const auto splitOffCheck = [&](std::vector<Sample>& samples) {
        const auto count = static_cast<std::size_t>(static_cast<double>(samples.size()) * checkShare);
        const auto from = samples.end() - static_cast<std::ptrdiff_t>(count);
        check.insert(check.end(), from, samples.end());
        samples.erase(from, samples.end());
    };
    splitOffCheck(file.samples);
    for (SampleFile& more : moreFiles) {
        splitOffCheck(more.samples);
        file.samples.insert(file.samples.end(), more.samples.begin(), more.samples.end());
        more.samples = {};
    }

    Nets student = teacher;
    const auto report = [](const CheckScore& c) {
        std::fprintf(stderr, "%.4f on the check set, best play chosen in %.2f %% of its rolls, %.4f points lost a roll\n",
                     c.error, 100.0 * c.bestChosen, c.pointsLost);
    };
    std::fprintf(stderr, "%zu samples to fit, %zu to check; the starting weights' error ", file.samples.size(),
                 check.size());
    report(checkScore(student, check, fit.threads));
    bool written = true;
    fitSamples(student, file.samples, check, fit, [&](int epoch, double trainError, const CheckScore& c) {
        std::fprintf(stderr, "epoch %d: error %.4f while fitting, ", epoch, trainError);
        report(c);
        written = saveGameWeights(out, student) &&
                  saveGameWeights(out + "/epoch-" + std::to_string(epoch), student);
        if (!written) std::fprintf(stderr, "lumaro-train: cannot write to %s\n", out.c_str());
        return written;
    });
    return written ? 0 : 1;
}

}  // namespace lumaro::train
