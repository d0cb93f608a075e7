#pragma once
// A whole play made on a position without images: the self-play matches, the trainer and the
// checks of a received move use it; the live board makes the same steps with its checker images.
#include "rules/PlayGenerator.h"
#include "rules/StepTests.h"

namespace lumaro {

// The play of `side` made step by step; a step the rules refuse is skipped. A step of a side with
// checkers on the bar enters, whatever its point says.
Position afterPlay(const Position& pos, Side side, const Play& play);

// The same play seen from the other side, as `mirrored` sees the position: point p becomes 25 - p.
Play mirroredPlay(const Play& play);

// Black's play, as the computer's search hands it over.
inline Position afterBlackPlay(const Position& pos, const Play& play) { return afterPlay(pos, Side::Black, play); }

}  // namespace lumaro
