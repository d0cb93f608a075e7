#include "app/cli/MatchOptions.h"

#include <cstdlib>

namespace lumaro {
namespace {

// A whole number from 0 to 32767, or -1.
int countOf(const char* text) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < 0 || value > 32767) return -1;
    return static_cast<int>(value);
}

}  // namespace

void MatchOptions::applyTo(MatchState& state) const {
    state.matchLength = length;
    state.score[Side::White] = white;
    state.score[Side::Black] = black;
    state.crawford = crawford;
    state.jacoby = jacoby;
}

bool readMatchOptions(int argc, char** argv, bool takesNets, MatchOptions& options) {
    bool scoreGiven = false;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--match" && i + 1 < argc) {
            options.length = countOf(argv[++i]);
        } else if (arg == "--score" && i + 2 < argc) {
            options.white = countOf(argv[++i]);
            options.black = countOf(argv[++i]);
            scoreGiven = true;
        } else if (arg == "--crawford") {
            options.crawford = true;
        } else if (arg == "--jacoby") {
            options.jacoby = true;
        } else if (takesNets && arg == "--nets" && i + 1 < argc) {
            options.nets = argv[++i];
        } else if (!options.path && arg[0] != '-') {
            options.path = argv[i];
        } else {
            return false;
        }
    }
    return options.path && options.length >= 0 && options.white >= 0 && options.black >= 0 &&
           !(scoreGiven && options.length == 0);
}

}  // namespace lumaro
