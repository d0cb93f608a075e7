#include "ai/NetInput.h"

#include <cmath>

namespace lumaro {

namespace {

// Four inputs from `first`: +1 on the one slot that matches n checkers (1, 2, 3, 4 or more).
void encodeStack(NetInput& in, int first, int n) {
    in.netInput[first] = n == 1 ? 1.0 : -1.0;
    in.netInput[first + 1] = n == 2 ? 1.0 : -1.0;
    in.netInput[first + 2] = n == 3 ? 1.0 : -1.0;
    in.netInput[first + 3] = n >= 4 ? 1.0 : -1.0;
}

double barOrTray(Byte n) { return n > 0 ? std::sqrt(static_cast<double>(n)) : -1.0; }

}  // namespace

void encodeForNet(const Position& pos, NetInput& in) {
    in.netInput[0] = 0.0;
    for (int k = 1; k <= 24; ++k) {
        const int q = 25 - k;
        encodeStack(in, 4 * (k - 1) + 1, pos.hasBlack(q) ? pos.count[q] : 0);
        encodeStack(in, 96 + 4 * (k - 1) + 1, pos.hasWhite(q) ? pos.count[q] : 0);
    }
    in.netInput[193] = barOrTray(pos.barBlack);
    in.netInput[194] = barOrTray(pos.barWhite);
    in.netInput[195] = barOrTray(pos.offBlack);
    in.netInput[196] = barOrTray(pos.offWhite);
}

}  // namespace lumaro
