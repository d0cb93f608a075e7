#include "rules/PlayApply.h"

namespace lumaro {

Position afterPlay(const Position& pos, Side side, const Play& play) {
    Position p = pos;
    for (int k = 1; k <= 4 && play[k].die != 0; ++k) {
        const bool onBar = (side == Side::White ? p.barWhite : p.barBlack) > 0;
        const int from = onBar ? 0 : play[k].point;
        applyStep(p, side, from, stepResult(p, side, from, play[k].die));
    }
    return p;
}

Play mirroredPlay(const Play& play) {
    Play out = play;
    for (int k = 1; k <= 4; ++k)
        if (out[k].die != 0) out[k].point = static_cast<Byte>(25 - out[k].point);
    return out;
}

}  // namespace lumaro
