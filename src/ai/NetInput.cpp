#include "ai/NetInput.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace lumaro {

namespace {

// Four inputs from `first`: +1 on the one slot that matches n checkers (1, 2, 3, 4 or more). Copied
// from a table, four at a time: every scored position writes 48 of these.
void encodeStack(NetInput& in, int first, int n) {
    static constexpr double kStacks[5][4] = {
        {-1.0, -1.0, -1.0, -1.0}, {1.0, -1.0, -1.0, -1.0}, {-1.0, 1.0, -1.0, -1.0},
        {-1.0, -1.0, 1.0, -1.0},  {-1.0, -1.0, -1.0, 1.0},
    };
    std::memcpy(&in.netInput[first], kStacks[std::min(n, 4)], sizeof kStacks[0]);
}

double barOrTray(Byte n) { return n > 0 ? std::sqrt(static_cast<double>(n)) : -1.0; }

}  // namespace

void encodeForNet(const Position& pos, NetInput& in) {
    in.netInput[0] = 0.0;
    for (int k = 1; k <= 24; ++k) {
        const int q = 25 - k;
        // Selected without branches: whether a point is black, white or empty is unpredictable.
        const int n = pos.count[q];
        const Byte colour = pos.colour[q];
        encodeStack(in, 4 * (k - 1) + 1, n * (colour == kBlack));
        encodeStack(in, 96 + 4 * (k - 1) + 1, n * (colour == kWhite));
    }
    in.netInput[193] = barOrTray(pos.barBlack);
    in.netInput[194] = barOrTray(pos.barWhite);
    in.netInput[195] = barOrTray(pos.offBlack);
    in.netInput[196] = barOrTray(pos.offWhite);
}

}  // namespace lumaro
