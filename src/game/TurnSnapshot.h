#pragma once
// The position at the start of the current play, copied right after every roll. Undo, the refusal
// of a short play, the play generator and saved games all work from it.
#include "rules/Cube.h"
#include "rules/Position.h"

namespace lumaro {

struct TurnSnapshot {
    Position position;
    Byte checkerColours = 1;
    Byte dieA = 0;
    Byte dieB = 0;
    Cube cube;
};

}  // namespace lumaro
