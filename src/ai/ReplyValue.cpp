#include "ai/ReplyValue.h"

#include "ai/Features.h"

namespace lumaro {

int replyValueOf(const Position& pos) {
    int v = whiteRaceDistance(pos) - blackRaceDistance(pos);
    if (pos.barWhite > 0) {
        int blackHomePoints = 0;
        for (int p = 1; p <= 6; ++p) blackHomePoints += pos.hasBlack(p) && pos.count[p] >= 2;
        if (blackHomePoints >= 3) v += 200 * blackHomePoints;
    }
    for (int p = 1; p <= 18; ++p) {
        if (!pos.hasWhite(p)) continue;
        int wall = 0;
        for (int k = 1; k <= 6; ++k) wall += pos.hasBlack(p + k) && pos.count[p + k] >= 2;
        if (wall >= 3) v += 200 * wall;
    }
    return v;
}

}  // namespace lumaro
