#pragma once
// The computer's cube judgement: one number from the race and the walls on the real board.
// Larger is worse for Black. It takes a double below 100 and offers one within -20..20.
#include "rules/Position.h"

namespace lumaro {

int cubeMeasure(const Position& board);

inline bool computerTakes(int measure, bool doublesAlwaysAccepted) { return doublesAlwaysAccepted || measure < 100; }
inline bool measureInvitesDouble(int measure) { return measure >= -20 && measure <= 20; }

}  // namespace lumaro
