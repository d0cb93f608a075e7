#pragma once
// The computer's first roll of a game, when the opponent has not rolled yet, comes from a book.
#include <cstdint>

#include "rules/PlayGenerator.h"

namespace lumaro {

// Whether the book knows two lines for this roll (in either order of the dice).
bool openingHasTwoLines(Byte dieA, Byte dieB);

// One line of the book, in black's points; for white every point p becomes 25 - p.
Play openingLine(Byte dieA, Byte dieB, bool white, bool firstLine);

// The book play: rolls with two lines draw one number of 0..99 with `draw100` and play the
// first line when it is above 50; other rolls draw nothing.
template <class Draw>
Play openingPlay(Byte dieA, Byte dieB, bool white, Draw draw100) {
    const bool firstLine = !openingHasTwoLines(dieA, dieB) || draw100() > 50;
    return openingLine(dieA, dieB, white, firstLine);
}

}  // namespace lumaro
