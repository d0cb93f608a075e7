#pragma once
// Black's legal plays of a roll, each resulting position once: the plays that use as many dice as
// the roll allows (the higher die when only one can be played), in the order the computer's search
// meets them, so that the first of equal scores is the one it would choose. The tables are
// allocated once with the object; a call allocates only while its output grows.
#include <vector>

#include "ai/PositionSet.h"
#include "rules/PlayGenerator.h"

namespace lumaro {

struct LegalPlay {
    Play play;
    Position after;
};

class LegalPlays {
public:
    LegalPlays();

    // Replaces `out` with the plays; empty when Black cannot move.
    void blackPlays(const Position& start, Byte dieA, Byte dieB, std::vector<LegalPlay>& out);
    // Appends the positions the plays lead to, or `start` itself when Black cannot move.
    void appendBlackResults(const Position& start, Byte dieA, Byte dieB, std::vector<Position>& out);

private:
    // Fills found_ with every position first reached, and returns how many of them are legal
    // plays, moved to the front of found_ in order.
    int generate(const Position& start, Byte dieA, Byte dieB);

    struct Found {
        LegalPlay play;
        Byte steps;
        Byte pips;
    };
    PositionSet seen_;
    GeneratorWorkArea area_;
    std::vector<Found> found_;
};

}  // namespace lumaro
