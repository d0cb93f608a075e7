#include "app/cli/MatchOptions.h"

#include <cstdio>
#include <vector>

#include "app/cli/CommandLine.h"

namespace lumaro {

void MatchOptions::applyTo(MatchState& state) const {
    state.matchLength = length;
    state.score[Side::White] = white;
    state.score[Side::Black] = black;
    state.crawford = crawford;
    state.jacoby = jacoby;
}

std::optional<int> readMatchOptions(int argc, char** argv, bool takesNets, const std::string& usage,
                                    MatchOptions& options) {
    std::vector<int> score;
    CLI::App app;
    app.add_option("GAME.sav", options.path)->required()->check(CLI::ExistingFile);
    CLI::Option* match = app.add_option("--match", options.length)->transform(cli::wholeNumber(0, 32767));
    app.add_option("--score", score)->expected(2)->transform(cli::wholeNumber(0, 32767))->needs(match);
    app.add_flag("--crawford", options.crawford);
    app.add_flag("--jacoby", options.jacoby);
    if (takesNets) app.add_option("--nets", options.nets)->check(CLI::ExistingDirectory);
    if (const auto status = cli::parseCommandLine(app, argc - 1, argv + 1, "lumaro-cli", usage)) return status;
    if (score.size() == 2) {
        if (options.length == 0) {
            std::fprintf(stderr, "lumaro-cli: a score needs a match of 1 point or more\n%s", usage.c_str());
            return 2;
        }
        options.white = score[0];
        options.black = score[1];
    }
    return std::nullopt;
}

}  // namespace lumaro
