#include "ui/BoardPlaces.h"

#include "game/WireEntryPoint.h"

namespace lumaro::places {
namespace {

constexpr int kPointX[13] = {0, 52, 105, 158, 211, 264, 317, 432, 485, 538, 591, 644, 697};
// Offsets of the 15 stack slots: a pyramid of 5, 4, 3, 2 and 1, each layer half a checker inwards.
constexpr int kStackOffset[16] = {0, 0, 51, 102, 153, 204, 26, 77, 128, 179, 51, 102, 153, 77, 128, 102};

bool validScreenPosition(int s) { return s >= 1 && s <= 24; }

}  // namespace

int pointX(int s) {
    if (!validScreenPosition(s)) return kBarX;
    return s <= 12 ? kPointX[s] : kPointX[25 - s];
}

int stackY(int s, int k) {
    if (k < 1) k = 1;
    if (k > kStackSlots) k = kStackSlots;
    return s <= 12 ? 30 + kStackOffset[k] : 572 - 53 - kStackOffset[k];
}

// The same table the network record names an entry's point with.
int pointAtScreenPosition(int s, bool homeRight) { return entryPointOnWire(s, homeRight); }

int hitTest(int x, int y) {
    const bool top = y >= 30 && y <= 294;
    const bool bottom = y >= 306 && y <= 569;
    if (!top && !bottom) return 0;
    if (x >= 51 && x <= 368) return top ? (x - 51) / 53 + 1 : 24 - (x - 51) / 53;
    if (x >= 431 && x <= 748) return top ? (x - 431) / 53 + 7 : 18 - (x - 431) / 53;
    return 0;
}

}  // namespace lumaro::places
