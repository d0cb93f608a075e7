#pragma once
// The score of one of White's replies in the look-ahead, computed in one sweep over the board with
// bit masks. It is the reply variant of the heuristic score, to the point; the look-ahead calls it
// millions of times per turn, so it is written for speed.
#include "rules/Position.h"

namespace lumaro {

int replyScore(const Position& pos);

}  // namespace lumaro
