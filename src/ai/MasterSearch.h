#pragma once
// The Master's choice of a play: every legal play of Black's roll scored by cubeless money equity
// (points a game, gammons counted) on one scale whatever the position, contact or race, so that
// breaking contact is weighed against keeping it. A race with both sides home is exact (the
// bear-off table), another race the estimate of RaceEquity, a position in contact the Master's own
// networks (the expert's where those are not loaded).
//
// Depth 0 scores every play. Depth 1 looks at the opponent's 21 rolls, each answered by its best
// reply at depth 0, for the plays a filter keeps; depth 2 goes one roll further for fewer still:
// the opponent's reply to each roll is chosen at depth 0 and then scored at depth 1. Each filter
// keeps, as strong engines do, up to a number of the best plays so far that are within a margin
// of the best. One object per thread; the networks may be shared.
#include <vector>

#include "ai/LegalPlays.h"
#include "ai/RollAverage.h"

namespace lumaro {

struct MasterPlay {
    Play play{};
    Position after;
    int depth = 0;        // the deepest look this play had
    double equity0 = 0;   // at depth 0
    double equity = 0;    // at `depth`, from Black's side
};

// Which plays go on to the next depth: at most `keep` of the best, none more than `within`
// points below the best.
struct MoveFilter {
    int keep;
    double within;
};

class MasterSearch {
public:
    static constexpr MoveFilter kToDepth1{8, 0.16};
    static constexpr MoveFilter kToDepth2{3, 0.06};

    // Black's plays of the roll from `start`, best first: those of the deepest look first by their
    // equity there, then the others by theirs. Empty when Black cannot move. Depth is 0, 1 or 2.
    std::vector<MasterPlay> rank(const NeuralNets* nets, const Position& start, Byte dieA, Byte dieB, int depth);

    // Black's equity right after its play, with White to roll, at depth 1 and at depth 2.
    double equity1(const NeuralNets* nets, const Position& after);
    double equity2(const NeuralNets* nets, const Position& after);

private:
    // The depth-1 and depth-2 equities of positions right after Black's play.
    void deeper1(const NeuralNets* nets, const std::vector<Position>& after, std::vector<double>& out);
    void deeper2(const NeuralNets* nets, const std::vector<Position>& after, std::vector<double>& out);

    LegalPlays legalPlays_;
    PositionEquity equity_{HomeRaces::Exact, ContactNets::Master};
    RollAverage rollAverage_{HomeRaces::Exact, ContactNets::Master};
    std::vector<LegalPlay> plays_;
    std::vector<Position> replies_;
    std::vector<double> replyEquities_;
};

}  // namespace lumaro
