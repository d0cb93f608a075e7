#pragma once
// Where things are drawn on the 800 x 600 board. A screen position 1..24 names a point's place:
// 1..12 along the top row from left to right, 13..24 along the bottom row from right to left.
// Which logical point stands at a screen position depends on the SIDE option (BoardScene).

namespace lumaro::places {

inline constexpr int kStackSlots = 15;  // a point shows at most fifteen checkers

// The left edge of the checkers on screen position s (the bar's for anything else).
int pointX(int s);
// The top edge of the k-th checker (1..15, slot 1 at the edge) of a stack on screen position s.
int stackY(int s, int k);

// The bar: White's checkers wait at the top, Black's at the bottom.
inline constexpr int kBarX = 374;
inline constexpr int kWhiteBarY = 30;
inline constexpr int kBlackBarY = 520;
// Where checkers borne off fly: the right edge with the home boards on the right, else the left.
inline int trayX(bool homeRight) { return homeRight ? 780 : 0; }
inline constexpr int kWhiteTrayY = 400;
inline constexpr int kBlackTrayY = 200;

// The logical point at screen position s (1..24) for the orientation; the mapping is its own
// inverse, so it also gives the screen position of a logical point. 0 for anything else.
int pointAtScreenPosition(int s, bool homeRight);

// The screen position 1..24 of the point under (x, y), or 0 for the bar, the margins and the
// strip between the two rows.
int hitTest(int x, int y);

}  // namespace lumaro::places
