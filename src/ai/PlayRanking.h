#pragma once
// The plays of a roll ranked for a hint: every distinct legal play of Black's (the computer's side;
// a White roll is ranked on the mirrored position), with its equity (PositionEquity: cubeless money
// equity from the mover's side, gammons counted) and, at depth 1, the best few again with the
// opponent's 21 rolls looked at (RollAverage), each answered by the reply that is best for the
// opponent at depth 0.
//
// Depth 0 orders the plays exactly as level 3 scores them, so its first play is level 3's choice:
// by the networks while the sides are in contact, by the hand-written analysis once a play leaves
// none (where its score is no equity). Equities therefore need not fall down a depth-0 list. Depth
// 1 orders the plays it looked at by their deeper equity, ahead of the others. Depth 0 takes a
// fraction of a millisecond, depth 1 a few (see lumaro-cli bench): a window shows the one at once
// and the other when it comes. One object per thread; the networks may be shared.
#include <vector>

#include "ai/LegalPlays.h"
#include "ai/RollAverage.h"
#include "ai/SearchTypes.h"

namespace lumaro {

struct RankedPlay {
    Play play{};
    Position after;
    int expertScore = 0;   // what level 3 compares for this play
    double equity0 = 0;    // depth 0
    bool deeper = false;   // equity1 was computed
    double equity1 = 0;    // depth 1
    double equity() const { return deeper ? equity1 : equity0; }
};

class PlayRanking {
public:
    // How many plays depth 1 looks at: the best by depth-0 equity, and level 3's choice.
    static constexpr int kDeeperPlays = 8;

    // Black's plays of the request's roll from its start position, best first; empty when Black
    // cannot move. The request's networks, settings (used by level 3 without contact), pip counts
    // and race category are used as level 3 uses them; its level is not: the ranking is level 3's.
    std::vector<RankedPlay> rank(const SearchRequest& request, int depth);

    // The depth-1 equity of a position right after Black's play.
    double deeperEquity(const NeuralNets* nets, const Position& after);

private:
    LegalPlays legalPlays_;
    PositionEquity equity_;
    RollAverage rollAverage_;
    std::vector<LegalPlay> plays_;
};

}  // namespace lumaro
