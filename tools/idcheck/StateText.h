#pragma once
// A position and match state as one line of text that the GNU Backgammon side of the check reads
// without knowing anything of this game's code:
//   points=P1,...,P24 bar=W,B off=W,B cube=V holder=W|B|- roll=W|B act=W|B dice=A,B double=0|1
//   resign=0..3 state=0..4 length=L score=W,B crawford=0|1 jacoby=0|1
// Points are this game's points 1..24, White's checkers counted positive and Black's negative.
#include <string>

#include "rules/MatchState.h"
#include "rules/Position.h"

namespace lumaro {

std::string stateText(const Position& pos, const MatchState& state);

}  // namespace lumaro
