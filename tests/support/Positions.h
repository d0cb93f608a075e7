#pragma once
// Hand-made positions for tests: "W3" puts three white checkers on a point, "B2" two black ones.
#include <initializer_list>
#include <utility>

#include "rules/Position.h"

namespace lumaro::testing {

struct Stack {
    int point;
    int white;  // > 0 white checkers, < 0 black checkers
};

// Builds a position from stacks; the remaining checkers of each colour are borne off unless
// `barWhite` / `barBlack` take some.
inline Position positionOf(std::initializer_list<Stack> stacks, int barWhite = 0, int barBlack = 0) {
    Position pos;
    int white = barWhite;
    int black = barBlack;
    for (const Stack& s : stacks) {
        if (s.white > 0) {
            pos.count[s.point] = static_cast<Byte>(s.white);
            pos.colour[s.point] = kWhite;
            white += s.white;
        } else {
            pos.count[s.point] = static_cast<Byte>(-s.white);
            pos.colour[s.point] = kBlack;
            black += -s.white;
        }
    }
    pos.barWhite = static_cast<Byte>(barWhite);
    pos.barBlack = static_cast<Byte>(barBlack);
    pos.offWhite = static_cast<Byte>(kCheckersPerSide - white);
    pos.offBlack = static_cast<Byte>(kCheckersPerSide - black);
    return pos;
}

}  // namespace lumaro::testing
