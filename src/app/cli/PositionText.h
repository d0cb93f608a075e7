#pragma once
// Positions written as text: points 1..24 (white positive, black negative) | white bar, black bar,
// white off, black off | the two dice.
#include <optional>
#include <string>

#include "rules/Position.h"

namespace lumaro {

struct PositionAndRoll {
    Position position;
    Byte dieA = 0;
    Byte dieB = 0;
};

// Nothing for text that is not a legal position with fifteen checkers a side and two dice.
std::optional<PositionAndRoll> parsePositionText(const std::string& text);

}  // namespace lumaro
