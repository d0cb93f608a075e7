#pragma once
// The computer's move choice, fast: the same plays, scores and counts as the straightforward
// search, with the work it would repeat left out. A position reached again by the same steps in
// another order is not explored again, only the candidates that can still be chosen (those with
// the most steps) are analysed, and only the replies that can still be White's best are scored.
// At level 3 the candidates are collected in the order generated and those the networks score go
// through them in batches, which is much faster than one by one; the choice is the same.
// All tables are allocated once with the object; a search allocates nothing and shares nothing,
// so two searches on two objects can run side by side.
#include <memory>
#include <vector>

#include "ai/NeuralNets.h"
#include "ai/PositionSet.h"
#include "ai/ReplyValue.h"
#include "ai/SearchTypes.h"

namespace lumaro {

class MoveSearch {
public:
    // `pendingCapacity`: how many level-3 candidates are collected before they are scored; more
    // are scored in several rounds, in order.
    explicit MoveSearch(int pendingCapacity = 1024);

    SearchResult search(const SearchRequest& request);
    // The level-2 look-ahead of one candidate position (sum and minimum of White's best replies).
    LookAheadResult lookAhead(const Position& candidate, bool ownRollWasDouble, bool slowThinking,
                              SearchCounters& counters);

private:
    int analyse(const Position& pos, const SearchRequest& request, SearchCounters& counters);
    int bestReplyValue(const Position& candidate, const Roll& roll, SearchCounters& counters);
    // Level 3: analyses a candidate but leaves a network score for later; scores what is pending
    // and offers it to `chosen` in the order collected.
    void collect(const Position& pos, const Play& path, const SearchRequest& request, SearchCounters& counters,
                 ChosenPlay& chosen, int level);
    void scorePending(const SearchRequest& request, ChosenPlay& chosen, int level);

    PositionSet candidates_;
    PositionSet replies_;
    GeneratorWorkArea candidateArea_;
    GeneratorWorkArea replyArea_;

    // A level-3 candidate waiting for its score.
    struct Pending {
        Play path;
        Position pos;  // kept only for a network score
        int score;     // the heuristic score when there is no contact
        bool byNet;
    };
    std::vector<Pending> pending_;
    int pendingCount_ = 0;
    std::vector<const Position*> netPositions_;
    std::vector<int> netScores_;
    std::unique_ptr<NetBatchScratch> batchScratch_;
};

}  // namespace lumaro
