#pragma once
// Which point a mouse position on the 800 x 600 board is over.

namespace lumaro {

// The screen position 1..24 of the point under (x, y), or 0 for the bar, the margins and the
// strip between the two rows.
inline int hitTest(int x, int y) {
    const bool top = y >= 30 && y <= 294;
    const bool bottom = y >= 306 && y <= 569;
    if (!top && !bottom) return 0;
    if (x >= 51 && x <= 368) return top ? (x - 51) / 53 + 1 : 24 - (x - 51) / 53;
    if (x >= 431 && x <= 748) return top ? (x - 431) / 53 + 7 : 18 - (x - 431) / 53;
    return 0;
}

}  // namespace lumaro
