#pragma once
// The doubling cube: its value and who holds it. A centred cube (value 1) may be turned by either
// side; once taken, only by its holder, and never past 64.
#include "rules/Position.h"

namespace lumaro {

class Cube {
public:
    static constexpr Byte kHighest = 64;

    // A cube as a saved game or a snapshot keeps it: the value and whether White holds it (a centred
    // cube reads as not White's).
    static Cube of(Byte value, Byte ownerWhite) {
        Cube cube;
        cube.value_ = value;
        cube.holder_ = ownerWhite == 1 ? Side::White : Side::Black;
        return cube;
    }

    Byte value() const { return value_; }
    bool centred() const { return value_ == 1; }
    Byte ownerWhite() const { return holder_ == Side::White ? 1 : 0; }

    // `side` may turn the cube: centred, or its own.
    bool availableTo(Side side) const { return centred() || holder_ == side; }
    // ...and there is a higher value to turn it to.
    bool mayBeDoubledBy(Side side) const { return value_ < kHighest && availableTo(side); }
    // A double taken: twice the value, held by the side that took it.
    void takenBy(Side taker) {
        value_ = static_cast<Byte>(value_ * 2);
        holder_ = taker;
    }

private:
    Byte value_ = 1;
    Side holder_ = Side::Black;
};

}  // namespace lumaro
