#pragma once
// The computer's move choice, fast: the same plays, scores and counts as the straightforward
// search, with the work it would repeat left out. A position reached again by the same steps in
// another order is not explored again, only the candidates that can still be chosen (those with
// the most steps) are analysed, and only the replies that can still be White's best are scored.
// All tables are allocated once with the object; a search allocates nothing and shares nothing,
// so two searches on two objects can run side by side.
#include "ai/NeuralNets.h"
#include "ai/PositionSet.h"
#include "ai/ReplyValue.h"
#include "ai/SearchTypes.h"

namespace lumaro {

class MoveSearch {
public:
    MoveSearch();

    SearchResult search(const SearchRequest& request);
    // The level-2 look-ahead of one candidate position (sum and minimum of White's best replies).
    LookAheadResult lookAhead(const Position& candidate, bool ownRollWasDouble, bool slowThinking,
                              SearchCounters& counters);

private:
    int analyse(const Position& pos, const SearchRequest& request, SearchCounters& counters);
    int bestReplyValue(const Position& candidate, const Roll& roll, SearchCounters& counters);

    PositionSet candidates_;
    PositionSet replies_;
    GeneratorWorkArea candidateArea_;
    GeneratorWorkArea replyArea_;
    NetScratch netScratch_;
};

}  // namespace lumaro
