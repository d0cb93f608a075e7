#pragma once
// `lumaro-cli bench`: the computer's search over a fixed set of positions at every level, with
// counts, times and a signature of the plays chosen, so that any change of behaviour shows.
#include <cstdint>
#include <string>
#include <vector>

namespace lumaro {

struct BenchLine {
    std::string name;
    int positions = 0;
    std::uint64_t analyses = 0;          // candidate analyses as the straightforward search counts them
    std::uint64_t candidatesScored = 0;  // candidates actually analysed
    std::uint64_t replyAnalyses = 0;
    std::uint64_t netEvaluations = 0;
    double seconds = 0;
    double slowestMs = 0;
    std::uint64_t signature = 0;
};

struct BenchOptions {
    bool reference = false;  // also time the straightforward search at level 2 Slow
};

std::vector<BenchLine> runBench(const BenchOptions& options);
std::string formatBenchLine(const BenchLine& line);

// Forward passes per second of each network with the bench's test weights.
struct NetSpeed {
    double net1PerSecond = 0;
    double net2PerSecond = 0;
};
NetSpeed measureNetSpeed();

// A search timed over the bench positions at a shallow and a deep depth: the mean and the worst
// time of a position at each.
struct DepthTiming {
    int positions = 0;
    double meanMsShallow = 0;
    double slowestMsShallow = 0;
    double meanMsDeep = 0;
    double slowestMsDeep = 0;
    bool trainedWeights = false;  // the shipped weights were found; else the bench's test weights
};
// The hint's ranking at depth 0 (the first lines a player sees) and at depth 1.
DepthTiming measureHintTiming();

// The exact race at the end of a game: how long its bear-off table takes to build, what it holds
// in memory, and how many positions a second it scores once built.
struct BearoffSpeed {
    double buildMs = 0;
    double readMs = -1;  // reading the build's table file; -1 when it is missing or refused
    double megabytes = 0;
    double racesPerSecond = 0;
};
BearoffSpeed measureBearoffSpeed();

// The Master's choice at depth 1 and at depth 2, the bear-off table built beforehand (once a program
// run, not a move's cost).
DepthTiming measureMasterTiming();

int benchCommand(int argc, char** argv);

}  // namespace lumaro
