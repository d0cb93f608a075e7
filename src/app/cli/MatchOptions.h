#pragma once
// What `id` and `cube` read after the command: GAME.sav and the match's score and rules,
// `[--match LENGTH --score WHITE BLACK] [--crawford] [--jacoby]`, and for `cube` also `[--nets DIR]`.
#include <string>

#include "rules/MatchState.h"

namespace lumaro {

struct MatchOptions {
    const char* path = nullptr;
    int length = 0;  // 0: a money game
    int white = 0;
    int black = 0;
    bool crawford = false;
    bool jacoby = false;
    std::string nets;  // left as it was unless --nets is allowed and given

    // The score and the rules into `state`, whose position, cube and turn are the game's own.
    void applyTo(MatchState& state) const;
};

// Reads argv[2..] into `options`; false on anything it does not take (the caller prints its usage):
// an unknown option, a second file, a number that is no whole number from 0 to 32767, a score
// without a match length. `--nets DIR` is taken only with `takesNets`.
bool readMatchOptions(int argc, char** argv, bool takesNets, MatchOptions& options);

}  // namespace lumaro
