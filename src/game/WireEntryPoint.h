#pragma once
// White's steps travel to the network peer as (from, die) pairs (Game::moveRecord). A step from a
// point names that point; an entry from the bar names the board position at which its entry point
// is drawn here, so its byte depends on the SIDE option. The peer enters from its bar whatever
// the byte says, but the byte stays what the peer has always been sent.
#include "rules/Position.h"

namespace lumaro {

// The board position (1..24: the top row from the left, then the bottom row from the right) at
// which logical point p is drawn, with both home boards on the right or on the left.
inline Byte entryPointOnWire(int p, bool homeBoardsRight) {
    if (p < 1 || p > 24) return 0;
    if (!homeBoardsRight) return static_cast<Byte>(p);
    return static_cast<Byte>(p <= 12 ? 13 - p : 37 - p);
}

}  // namespace lumaro
