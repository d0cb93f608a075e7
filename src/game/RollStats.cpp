#include "game/RollStats.h"

#include <algorithm>

namespace lumaro {

void RollStats::clear() { *this = RollStats{}; }

void RollStats::countRoll(int dieA, int dieB, int pips) {
    if (dieA == dieB) ++doubles;
    // The running mean is kept in extended precision for the step and stored as a float, so a
    // long game does not drift more than the float itself allows.
    const long double n = rolls;
    const long double roll = (dieA + dieB) / 2.0L;
    averageDie = static_cast<float>((n * averageDie + roll) / (n + 1));
    ++rolls;
    if (rolls <= kHistoryLength) pipHistory[rolls] = static_cast<std::uint16_t>(pips);
}

void RollStats::countEnd(int pips) {
    ++rolls;
    if (rolls <= kHistoryLength) pipHistory[rolls] = static_cast<std::uint16_t>(pips);
}

std::uint16_t RollStats::maximumPips() const {
    return *std::max_element(pipHistory.begin() + 1, pipHistory.end());
}

}  // namespace lumaro
