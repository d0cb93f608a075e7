#pragma once
// What `id` and `cube` read after the command: GAME.sav and the match's score and rules,
// `[--match LENGTH --score WHITE BLACK] [--crawford] [--jacoby]`, and for `cube` also `[--nets DIR]`.
#include <optional>
#include <string>

#include "rules/MatchState.h"

namespace lumaro {

struct MatchOptions {
    std::string path;
    int length = 0;  // 0: a money game
    int white = 0;
    int black = 0;
    bool crawford = false;
    bool jacoby = false;
    std::string nets;  // left as it was unless --nets is allowed and given

    // The score and the rules into `state`, whose position, cube and turn are the game's own.
    void applyTo(MatchState& state) const;
};

// Reads argv[2..] into `options`. Nothing when it went on; otherwise the exit status, `usage` printed
// (0 for --help; 2 for an unknown option, a second file, a file that is not there, a number that is
// no whole number from 0 to 32767, a score without a match length). `--nets DIR` is taken only
// with `takesNets`.
std::optional<int> readMatchOptions(int argc, char** argv, bool takesNets, const std::string& usage,
                                    MatchOptions& options);

}  // namespace lumaro
