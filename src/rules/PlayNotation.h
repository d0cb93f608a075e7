#pragma once
// A play written the way players write it, from the mover's own side: points 24..1 in the
// direction it moves, `bar` and `off`, one checker's steps joined ("24/13"), a hit marked where it
// happens ("24/18*/13"), the same move made by several checkers counted ("13/9(2)"), the moves
// from the back first: "13/9 24/23*" is written "24/23* 13/9".
#include <string>

#include "rules/PlayGenerator.h"

namespace lumaro {

// The play of `side` from `start`; a step the rules refuse is left out, an empty play is "".
std::string playNotation(const Position& start, Side side, const Play& play);

}  // namespace lumaro
