#pragma once
// How good a position after White's reply is for Black: the race, and the White checkers that
// Black's points hold back. Larger is better for Black.
#include "rules/Position.h"

namespace lumaro {

int replyValueOf(const Position& pos);

// The 21 rolls of the look-ahead in their fixed order: (1,1), (1,2) ... (6,6).
struct Roll {
    Byte first;
    Byte second;
};
inline constexpr Roll kLookAheadRolls[21] = {{1, 1}, {1, 2}, {1, 3}, {1, 4}, {1, 5}, {1, 6}, {2, 2},
                                              {2, 3}, {2, 4}, {2, 5}, {2, 6}, {3, 3}, {3, 4}, {3, 5},
                                              {3, 6}, {4, 4}, {4, 5}, {4, 6}, {5, 5}, {5, 6}, {6, 6}};

// Whether the look-ahead looks at a roll: none after the computer's own double, and White's
// doubles only when thinking slowly.
inline bool lookAheadVisits(const Roll& roll, bool ownRollWasDouble, bool slowThinking) {
    if (ownRollWasDouble) return false;
    return slowThinking || roll.first != roll.second;
}

// The look-ahead result: the sum and the minimum of the reply values.
struct LookAheadResult {
    int sum = 0;
    int minimum = 100000;
    bool operator==(const LookAheadResult&) const = default;
};

}  // namespace lumaro
