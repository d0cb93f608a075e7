#include "game/LivePosition.h"

#include <algorithm>

namespace lumaro {
namespace {

constexpr Byte kMostOnOnePlace = kCheckersPerSide;

Byte& barOf(Position& pos, Side side) { return side == Side::White ? pos.barWhite : pos.barBlack; }
Byte colourOnBoard(Byte colour) { return colour == kWhite ? kWhite : kBlack; }
Byte capped(Byte n) { return std::min(n, kMostOnOnePlace); }

}  // namespace

void takeChecker(Position& pos, Side side, int point) {
    if (point == 0) {
        Byte& bar = barOf(pos, side);
        if (bar > 0) bar -= 1;
        return;
    }
    if (point < 1 || point > 24) return;
    if (pos.count[point] == 0 || pos.colour[point] != colourOf(side)) return;
    pos.count[point] -= 1;
}

void putChecker(Position& pos, Side side, int point) {
    if (point == 0) {
        Byte& bar = barOf(pos, side);
        if (bar < kMostOnOnePlace) bar += 1;
    } else if (point == 25) {
        (side == Side::White ? pos.offWhite : pos.offBlack) += 1;
    } else if (point >= 1 && point <= 24 && pos.count[point] < kMostOnOnePlace) {
        pos.colour[point] = colourOf(side);
        pos.count[point] += 1;
    }
}

Position freshBoard(const Position& pos) {
    Position fresh;
    for (int p = 1; p <= 24; ++p) {
        fresh.count[p] = capped(pos.count[p]);
        fresh.colour[p] = fresh.count[p] > 0 ? colourOnBoard(pos.colour[p]) : 0;
    }
    fresh.barWhite = capped(pos.barWhite);
    fresh.barBlack = capped(pos.barBlack);
    fresh.offWhite = pos.offWhite;
    fresh.offBlack = pos.offBlack;
    return fresh;
}

Position restoredPosition(const Position& current, const Position& target) {
    Position restored = freshBoard(target);
    for (int p = 1; p <= 24; ++p)
        if (restored.count[p] == 0) restored.colour[p] = current.colour[p];
    return restored;
}

}  // namespace lumaro
