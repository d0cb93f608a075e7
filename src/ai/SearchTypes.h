#pragma once
// What a move search is asked and what it answers.
#include <cstdint>

#include "ai/Analysis.h"
#include "rules/PlayGenerator.h"

namespace lumaro {

class NeuralNets;

struct SearchRequest {
    Position start;            // the turn-start position
    Byte dieA = 0;
    Byte dieB = 0;
    bool black = true;         // true: the computer's play; false: White's play for the MOVE command
    AnalysisSettings settings;
    int blackPips = 0;         // pip counts of the real board at the start of the turn
    int whitePips = 0;
    int category = 2;          // the moving side's race category for the turn
    const NeuralNets* nets = nullptr;  // level 3; none scores 0
};

struct SearchCounters {
    std::uint64_t analyses = 0;       // calls of the candidate analysis (every recorded step)
    std::uint64_t replyAnalyses = 0;  // White replies scored in the look-ahead
    std::uint64_t netEvaluations = 0;
    std::uint64_t candidatesScored = 0;  // candidate positions actually analysed

    SearchCounters& operator+=(const SearchCounters& o) {
        analyses += o.analyses;
        replyAnalyses += o.replyAnalyses;
        netEvaluations += o.netEvaluations;
        candidatesScored += o.candidatesScored;
        return *this;
    }
};

struct SearchResult {
    Play chosenPlay{};
    int chosenScore = INT32_MIN;
    int chosenLevel = 0;
    Play bestPath{};  // the first play found with the largest dice total
    SearchCounters counters;
    bool fromBook = false;  // the opening book's play: made as it stands, no search

    // The play to make: the best-scoring one unless another uses more pips.
    Play playToMake() const { return diceTotal(bestPath) > diceTotal(chosenPlay) ? bestPath : chosenPlay; }
};

// Keeps the chosen play: more steps always win; among equal steps the first with the highest score.
struct ChosenPlay {
    Play play{};
    int score = INT32_MIN;
    int level = 0;

    bool offer(int level_, int score_) const { return level_ > level || (level_ == level && score_ > score); }
    void keep(int level_, int score_, const Play& path) {
        if (!offer(level_, score_)) return;
        level = level_;
        score = score_;
        play = path;
    }
};

}  // namespace lumaro
