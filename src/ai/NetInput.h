#pragma once
// The 196 numbers the networks see for a position, always from black's side of the board.
#include <array>

#include "rules/Position.h"

namespace lumaro {

inline constexpr int kNetInputs = 196;
// Inputs 1..192 describe the points and are always exactly +1 or -1; 193..196 are the bar and
// trays and take other values.
inline constexpr int kNetPointInputs = 192;

struct NetInput {
    std::array<double, kNetInputs + 1> netInput{};  // inputs 1..196; slot 0 unused
};

// For each point from 24 down to 1 (black's back point first): four inputs for black's checkers
// there (exactly 1, 2, 3, at least 4), and in 97..192 the same four for white's. Then the bar and
// tray counts of black, white, black, white as sqrt(n), or -1 for none.
void encodeForNet(const Position& pos, NetInput& in);

}  // namespace lumaro
