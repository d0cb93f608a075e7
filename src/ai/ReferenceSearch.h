#pragma once
// The computer's move choice done the straightforward way: every recorded step is analysed from
// scratch, and at level 2 every one of White's replies too. It is the yardstick the fast search
// is checked and timed against; the game uses the fast one.
#include "ai/ReplyValue.h"
#include "ai/SearchTypes.h"

namespace lumaro {

SearchResult referenceSearch(const SearchRequest& request);

// The level-2 look-ahead of one candidate position, straightforwardly.
LookAheadResult referenceLookAhead(const Position& candidate, bool ownRollWasDouble, bool slowThinking,
                                   SearchCounters& counters);

}  // namespace lumaro
