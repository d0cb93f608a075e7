#include "Distill.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/cli/CommandLine.h"

#include "Checkpoint.h"
#include "Fit.h"
#include "Progress.h"
#include "Samples.h"

namespace lumaro::train {

namespace {

constexpr const char* kUsage =
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
    "last games to the check set.\n";

}  // namespace

int distillCommand(int argc, char** argv) {
    std::string teacherFolder, samplePath, out, startsPath;
    std::vector<std::string> morePaths;
    std::int64_t games = 0, blockGames = 2000;
    SampleSettings sampling;
    FitSettings fit;
    double checkShare = 0.05;
    using cli::decimalNumber;
    using cli::wholeNumber;
    CLI::App app;
    app.add_option("--teacher", teacherFolder)->required()->check(CLI::ExistingDirectory);
    app.add_option("--samples", samplePath)->required();
    app.add_option("--out", out)->required();
    app.add_option("--games", games)->required()->transform(wholeNumber(1, INT64_MAX));
    app.add_option("--block-games", blockGames)->transform(wholeNumber(1, INT64_MAX));
    app.add_option("--seed", sampling.seed)->transform(cli::seedNumber());
    app.add_option("--explore", sampling.explore)->transform(decimalNumber(0, 1));
    app.add_option("--siblings", sampling.siblings)->transform(wholeNumber(1, 64));
    app.add_option("--threads", sampling.threads)->transform(wholeNumber(1, 64));
    app.add_option("--epochs", fit.epochs)->transform(wholeNumber(0, 1000000));
    app.add_option("--batch", fit.batch)->transform(wholeNumber(1, 1000000));
    app.add_option("--hidden-rate", fit.hiddenRate)->transform(decimalNumber(0, 1e6));
    app.add_option("--output-rate", fit.outputRate)->transform(decimalNumber(0, 1e6));
    app.add_option("--final-rate-share", fit.finalRateShare)->transform(decimalNumber(0, 1));
    app.add_option("--common-share", fit.commonShare)->transform(decimalNumber(1e-30, 1));
    app.add_option("--choice-weight", fit.choiceWeight)->transform(decimalNumber(0, 1e6));
    app.add_option("--more-samples", morePaths)->check(CLI::ExistingFile);
    CLI::Option* starts = app.add_option("--starts", startsPath)->check(CLI::ExistingFile);
    app.add_option("--start-share", sampling.startShare)->transform(decimalNumber(0, 1))->needs(starts);
    app.add_option("--check-share", checkShare)->transform(decimalNumber(0, 0.5));
    if (const auto status = cli::parseCommandLine(app, argc - 1, argv + 1, "lumaro-train", kUsage)) return *status;
    fit.seed = sampling.seed;
    fit.threads = sampling.threads;

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
