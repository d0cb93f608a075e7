#pragma once
// The dots that show where the white checker under the mouse can go: yellow for one die,
// aqua for dice combined.
#include <array>

#include "game/Game.h"

namespace lumaro {

enum class Dot { None, Yellow, Aqua };
using BarDots = std::array<Dot, 25>;  // by logical point 1..24

// For the white checker on point p (no dots while White has checkers on the bar).
BarDots barDotsForPoint(const Game& game, int p);
// For a white checker on the bar: the entry points open to a remaining die.
BarDots barDotsForBar(const Game& game);

}  // namespace lumaro
