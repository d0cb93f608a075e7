#pragma once
// A move received from the peer, checked before it touches the board.
#include <array>

#include "rules/PlayGenerator.h"
#include "net/Framing.h"

namespace lumaro::net {

// The four (point, die) pairs of command 14 (payload bytes 2..9) on this side of the board:
// the peer's point p is 25 - p here; pairs with die 0 are left out.
lumaro::Play receivedPlay(const Payload& payload);

// Whether Black may make `play` from `start` with the roll (dieA, dieB): dice 1..6, every step a
// legal step of the rules from the position the earlier steps left (the bar first, blocked points,
// bearing off only with all checkers home), each die used once (a doublet up to four times), and
// as many pips used as the rules demand (an empty play only when nothing could be played), unless
// the play bore off Black's last checker, which ends the game whichever die took it.
bool receivedMoveIsLegal(const lumaro::Position& start, Byte dieA, Byte dieB, const lumaro::Play& play);

}  // namespace lumaro::net
