#include "app/cli/Bench.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>

#include "ai/BearoffRace.h"
#include "ai/LibraryExp.h"
#include "ai/MasterSearch.h"
#include "ai/MoveSearch.h"
#include "ai/NeuralNets.h"
#include "ai/PlayRanking.h"
#include "files/FileBytes.h"
#include "ai/ReferenceSearch.h"
#include "app/cli/BenchPositions.h"
#include "app/cli/CommandLine.h"
#include "app/cli/NetsFolder.h"
#include "app/cli/PositionText.h"
#include "game/Hint.h"
#include "game/SearchSetup.h"

namespace lumaro {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::uint64_t kTestWeightSeed = 20261207;

struct Config {
    const char* name;
    int level;
    bool slow;
};
constexpr Config kConfigs[] = {
    {"level 1", 1, false},
    {"level 2 Fast", 2, false},
    {"level 2 Slow (best)", 2, true},
    {"level 3", 3, false},
};

std::vector<PositionAndRoll> loadPositions() {
    std::vector<PositionAndRoll> out;
    for (const char* text : benchPositions())
        if (auto parsed = parsePositionText(text)) out.push_back(*parsed);
    return out;
}

SearchRequest requestFor(const PositionAndRoll& p, const Config& config, const NeuralNets* nets) {
    AnalysisSettings settings;
    settings.computerLevel = static_cast<Level>(config.level);
    settings.slowThinking = config.slow ? 1 : 0;
    return searchRequestFor(p.position, p.dieA, p.dieB, true, settings, nets);
}

// FNV-1a over the steps of every play chosen.
void addToSignature(std::uint64_t& h, const Play& play) {
    for (int k = 1; k <= 4; ++k) {
        for (Byte b : {play[k].point, play[k].die}) {
            h ^= b;
            h *= 0x100000001b3ull;
        }
    }
}

template <class Search>
BenchLine runConfig(const char* name, const std::vector<PositionAndRoll>& positions, const Config& config,
                    const NeuralNets* nets, Search search) {
    BenchLine line;
    line.name = name;
    line.signature = 0xcbf29ce484222325ull;
    const auto start = Clock::now();
    for (const PositionAndRoll& p : positions) {
        const auto t0 = Clock::now();
        const SearchResult result = search(requestFor(p, config, nets));
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
        if (ms > line.slowestMs) line.slowestMs = ms;
        line.analyses += result.counters.analyses;
        line.candidatesScored += result.counters.candidatesScored;
        line.replyAnalyses += result.counters.replyAnalyses;
        line.netEvaluations += result.counters.netEvaluations;
        addToSignature(line.signature, result.playToMake());
        ++line.positions;
    }
    line.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return line;
}

}  // namespace

std::vector<BenchLine> runBench(const BenchOptions& options) {
    const std::vector<PositionAndRoll> positions = loadPositions();
    const NeuralNets nets = NeuralNets::testWeights(kTestWeightSeed);
    auto search = std::make_unique<MoveSearch>();
    std::vector<BenchLine> lines;
    for (const Config& config : kConfigs) {
        lines.push_back(runConfig(config.name, positions, config, &nets,
                                  [&search](const SearchRequest& r) { return search->search(r); }));
        if (options.reference && config.level == 2 && config.slow)
            lines.push_back(runConfig("level 2 Slow (best), straightforward", positions, config, &nets,
                                      [](const SearchRequest& r) { return referenceSearch(r); }));
    }
    return lines;
}

std::string formatBenchLine(const BenchLine& l) {
    const double evaluations = static_cast<double>(l.candidatesScored + l.replyAnalyses);
    char buffer[512];
    std::snprintf(buffer, sizeof buffer,
                  "%-38s positions=%d analyses=%llu scored=%llu replies=%llu nets=%llu time=%.1fms "
                  "evals/s=%.0f slowest=%.2fms signature=%016llx",
                  (l.name + ":").c_str(), l.positions, static_cast<unsigned long long>(l.analyses),
                  static_cast<unsigned long long>(l.candidatesScored), static_cast<unsigned long long>(l.replyAnalyses),
                  static_cast<unsigned long long>(l.netEvaluations), l.seconds * 1000.0,
                  l.seconds > 0 ? evaluations / l.seconds : 0.0, l.slowestMs,
                  static_cast<unsigned long long>(l.signature));
    return buffer;
}

NetSpeed measureNetSpeed() {
    // Each distinct bench position once: the set holds the starting position many times, and copies
    // would flatter the one-position pass, which reuses its previous result for the same input, and
    // the batched one, which adds the inputs a batch's positions share only once. The batched pass
    // keeps nothing from one call to the next; what is timed is encoding and forward pass.
    std::vector<Position> distinct;
    for (const PositionAndRoll& p : loadPositions()) {
        const auto same = [&p](const Position& q) { return q.sameCheckersAs(p.position); };
        if (std::none_of(distinct.begin(), distinct.end(), same)) distinct.push_back(p.position);
    }
    std::vector<const Position*> batch;
    for (const Position& pos : distinct) batch.push_back(&pos);
    std::vector<double> outputs(batch.size());

    const NeuralNets nets = NeuralNets::testWeights(kTestWeightSeed);
    auto scratch = std::make_unique<NetBatchScratch>();
    const int count = static_cast<int>(batch.size());
    double sink = 0;
    const auto runAll = [&](int net) {
        if (net == 1)
            nets.runNet1Batch(batch.data(), count, outputs.data(), *scratch);
        else
            nets.runNet2Batch(batch.data(), count, outputs.data(), *scratch);
        sink += outputs[0];
    };
    // The fastest of many short trials after one untimed round: other programs sharing the
    // processor can only slow a trial down.
    constexpr int kTrials = 25;
    constexpr int kRounds = 4;
    NetSpeed speed;
    for (int net = 1; net <= 2; ++net) {
        runAll(net);
        double best = 0;
        for (int trial = 0; trial < kTrials; ++trial) {
            const auto start = Clock::now();
            for (int round = 0; round < kRounds; ++round) runAll(net);
            const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
            best = std::max(best, kRounds * static_cast<double>(count) / seconds);
        }
        (net == 1 ? speed.net1PerSecond : speed.net2PerSecond) = best;
    }
    if (sink == 12345.678) std::puts("");  // keeps the passes from being optimised away
    return speed;
}

namespace {

// Races with both sides home, the same every run: each side keeps 1..15 checkers, dropped on its
// home points by a small fixed generator.
std::vector<Position> homeRaces(int count) {
    std::uint64_t state = 20261210;
    const auto next = [&state](int below) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<int>((state >> 33) % static_cast<std::uint64_t>(below));
    };
    std::vector<Position> races;
    for (int i = 0; i < count; ++i) {
        Position pos;
        for (const Side side : {Side::Black, Side::White}) {
            const int checkers = 1 + next(kCheckersPerSide);
            for (int c = 0; c < checkers; ++c) {
                const int own = 1 + next(6);
                const int p = side == Side::Black ? own : 25 - own;
                ++pos.count[p];
                pos.colour[p] = colourOf(side);
            }
            (side == Side::Black ? pos.offBlack : pos.offWhite) = static_cast<Byte>(kCheckersPerSide - checkers);
        }
        races.push_back(pos);
    }
    return races;
}

}  // namespace

BearoffSpeed measureBearoffSpeed() {
    BearoffSpeed speed;
    const auto start = Clock::now();
    const BearoffDatabase table = BearoffDatabase::build();
    speed.buildMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    const auto readStart = Clock::now();
    if (const auto bytes = readFileBytes(defaultNetsFolder() + "/bearoff.bin", 16u << 20))
        if (BearoffDatabase::fromBytes(*bytes))
            speed.readMs = std::chrono::duration<double, std::milli>(Clock::now() - readStart).count();
    speed.megabytes = static_cast<double>(table.bytes()) / (1024.0 * 1024.0);
    const std::vector<Position> races = homeRaces(1000);
    double sink = 0;
    // The fastest of a few trials, as for the networks.
    for (int trial = 0; trial < 10; ++trial) {
        const auto t0 = Clock::now();
        for (const Position& pos : races)
            sink += bearoffRaceChances(pos, Side::White, table).value_or(RaceChances{}).equity();
        const double seconds = std::chrono::duration<double>(Clock::now() - t0).count();
        speed.racesPerSecond = std::max(speed.racesPerSecond, static_cast<double>(races.size()) / seconds);
    }
    if (sink == 12345.678) std::puts("");  // keeps the evaluations from being optimised away
    return speed;
}

namespace {

// The shipped weights choose the plays a player would be shown; the work is the same with any.
std::unique_ptr<NeuralNets> benchNets(bool& trained) {
    auto nets = std::make_unique<NeuralNets>();
    nets->loadNets(defaultNetsFolder());
    trained = nets->usable();
    if (!trained) *nets = NeuralNets::testWeights(kTestWeightSeed);
    return nets;
}

// Times `search(position, depth)` at both depths on every bench position.
template <typename Search>
void timeBothDepths(DepthTiming& timing, int shallow, int deep, Search&& search) {
    double totalShallow = 0, totalDeep = 0;
    for (const PositionAndRoll& p : loadPositions()) {
        const auto t0 = Clock::now();
        search(p, shallow);
        const auto t1 = Clock::now();
        search(p, deep);
        const double msShallow = std::chrono::duration<double, std::milli>(t1 - t0).count();
        const double msDeep = std::chrono::duration<double, std::milli>(Clock::now() - t1).count();
        totalShallow += msShallow;
        totalDeep += msDeep;
        timing.slowestMsShallow = std::max(timing.slowestMsShallow, msShallow);
        timing.slowestMsDeep = std::max(timing.slowestMsDeep, msDeep);
        ++timing.positions;
    }
    if (timing.positions > 0) {
        timing.meanMsShallow = totalShallow / timing.positions;
        timing.meanMsDeep = totalDeep / timing.positions;
    }
}

}  // namespace

DepthTiming measureHintTiming() {
    DepthTiming timing;
    const auto nets = benchNets(timing.trainedWeights);
    BearoffDatabase::shared();
    auto search = std::make_unique<MasterSearch>();
    // The hint's first look and its full one, as the H key asks for them.
    timeBothDepths(timing, 0, HintAdvisor::kDepth, [&](const PositionAndRoll& p, int depth) {
        rankDeeply(*search, nets.get(), p.position, Side::Black, p.dieA, p.dieB, depth, HintAdvisor::kPlaysLookedAt);
    });
    return timing;
}

DepthTiming measureMasterTiming() {
    DepthTiming timing;
    const auto nets = benchNets(timing.trainedWeights);
    BearoffDatabase::shared();
    auto search = std::make_unique<MasterSearch>();
    timeBothDepths(timing, 1, 2, [&](const PositionAndRoll& p, int depth) {
        search->rank(nets.get(), p.position, p.dieA, p.dieB, depth);
    });
    return timing;
}

int benchCommand(int argc, char** argv) {
    BenchOptions options;
    std::string expectFile;
    CLI::App app;
    app.add_flag("--reference", options.reference);
    // Checked before the bench's long run: a mistyped name stops it at once.
    app.add_option("--expect", expectFile)->check(CLI::ExistingFile);
    if (const auto status = cli::parseCommandLine(app, argc - 1, argv + 1, "lumaro-cli",
                                                  "usage: lumaro-cli bench [--reference] [--expect SIGNATURES]\n"))
        return *status;
    const std::vector<BenchLine> lines = runBench(options);
    for (const BenchLine& line : lines) std::printf("%s\n", formatBenchLine(line).c_str());
    if (options.reference) {
        double fast = 0, reference = 0;
        for (const BenchLine& line : lines) {
            if (line.name == "level 2 Slow (best)") fast = line.seconds;
            if (line.name == "level 2 Slow (best), straightforward") reference = line.seconds;
        }
        if (fast > 0) std::printf("level 2 Slow (best) speed-up over the straightforward search: %.1fx\n", reference / fast);
    }
    const DepthTiming hint = measureHintTiming();
    std::printf("hint ranking: positions=%d depth 0 mean=%.2fms slowest=%.2fms, depth 2 mean=%.2fms slowest=%.2fms "
                "(%s weights)\n",
                hint.positions, hint.meanMsShallow, hint.slowestMsShallow, hint.meanMsDeep, hint.slowestMsDeep,
                hint.trainedWeights ? "shipped" : "test");
    const DepthTiming master = measureMasterTiming();
    std::printf("master move: positions=%d depth 1 mean=%.2fms slowest=%.2fms, depth 2 mean=%.2fms slowest=%.2fms "
                "(%s weights)\n",
                master.positions, master.meanMsShallow, master.slowestMsShallow, master.meanMsDeep, master.slowestMsDeep,
                master.trainedWeights ? "shipped" : "test");
    const NetSpeed speed = measureNetSpeed();
    std::printf("network forward passes per second: net1=%.0f net2=%.0f (exponentials: %s)\n", speed.net1PerSecond,
                speed.net2PerSecond, expPathName(expPath()));
    const BearoffSpeed bearoff = measureBearoffSpeed();
    char read[32] = "- (no sound file)";
    if (bearoff.readMs >= 0) std::snprintf(read, sizeof read, "%.1fms", bearoff.readMs);
    std::printf("bear-off table: built in %.0fms, read from its file in %s, %.1f MB; races with both sides home "
                "scored per second: %.0f\n",
                bearoff.buildMs, read, bearoff.megabytes, bearoff.racesPerSecond);

    if (expectFile.empty()) return 0;
    // The recorded signatures, one "name=signature" a line, must match the plays chosen now.
    std::ifstream in(expectFile);
    if (!in) {
        std::fprintf(stderr, "lumaro-cli: cannot read %s\n", expectFile.c_str());
        return 2;
    }
    int mismatches = 0, checked = 0;
    std::string row;
    while (std::getline(in, row)) {
        const auto eq = row.rfind('=');
        if (eq == std::string::npos) continue;
        const std::string name = row.substr(0, eq);
        const std::string expected = row.substr(eq + 1);
        for (const BenchLine& line : lines) {
            if (line.name != name) continue;
            char actual[17];
            std::snprintf(actual, sizeof actual, "%016llx", static_cast<unsigned long long>(line.signature));
            ++checked;
            if (expected != actual) {
                std::fprintf(stderr, "signature of %s changed: %s, recorded %s\n", name.c_str(), actual, expected.c_str());
                ++mismatches;
            }
        }
    }
    if (checked == 0) {
        std::fprintf(stderr, "lumaro-cli: no signatures in %s\n", expectFile.c_str());
        return 1;
    }
    return mismatches == 0 ? 0 : 1;
}

}  // namespace lumaro
