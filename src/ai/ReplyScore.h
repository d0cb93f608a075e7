#pragma once
// The score of one of White's replies in the look-ahead, computed in one sweep over the board with
// bit masks. It is the reply variant of the heuristic score, to the point; the look-ahead calls it
// millions of times per turn, so it is written for speed.
#include "rules/Position.h"

namespace lumaro {

int replyScore(const Position& pos);
// The same score with only the instructions every x86-64 processor has; replyScore takes the
// processor's one-instruction bit count where it has one.
int replyScoreBaseline(const Position& pos);

}  // namespace lumaro
