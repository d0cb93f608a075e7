#include "net/ReceivedMove.h"

#include "rules/MaxDiceRule.h"
#include "rules/StepTests.h"

namespace lumaro::net {

lumaro::Play receivedPlay(const Payload& payload) {
    lumaro::Play play{};
    int k = 1;
    for (int pair = 0; pair < 4; ++pair) {
        const Byte point = payload[2 + 2 * pair];
        const Byte die = payload[3 + 2 * pair];
        if (die == 0) continue;
        // Out-of-range points stay out of range (a checker that is nowhere cannot move).
        play[k].point = point <= 25 ? static_cast<Byte>(25 - point) : 255;
        play[k].die = die;
        ++k;
    }
    return play;
}

bool receivedMoveIsLegal(const lumaro::Position& start, Byte dieA, Byte dieB, const lumaro::Play& play) {
    using namespace lumaro;
    if (dieA < 1 || dieA > 6 || dieB < 1 || dieB > 6) return false;
    DiceLeft left{};
    left[1] = std::max(dieA, dieB);
    left[2] = std::min(dieA, dieB);
    if (dieA == dieB) left[3] = left[4] = dieA;
    Position pos = start;
    for (int k = 1; k <= 4 && play[k].die != 0; ++k) {
        const Byte die = play[k].die;
        int slot = 0;
        for (int s = 1; s <= 4 && slot == 0; ++s)
            if (left[s] == die) slot = s;
        if (slot == 0) return false;  // not a die of the roll, or used up
        const int from = pos.barBlack > 0 ? 0 : play[k].point;
        if (from < 0 || from > 24 || (from == 0 && pos.barBlack == 0)) return false;
        const Byte result = stepResult(pos, Side::Black, from, die);
        if (result == kStepImpossible) return false;
        applyStep(pos, Side::Black, from, result);
        left[slot] = 0;
    }
    // The last checker borne off ends the game at once, whichever die took it.
    if (pos.offBlack >= kCheckersPerSide) return true;
    return fallsShortOfMaximalPlay(start, dieA, dieB, 0, left) == 0;
}

}  // namespace lumaro::net
