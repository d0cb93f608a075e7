#pragma once
// The match ID of GNU Backgammon and the programs that read it: a MatchState in 12 characters.
// The ID numbers the players 0 and 1; here White, the player at this machine, is player 1 (the
// bottom player X of GNU Backgammon's board, the seat it gives its user) and Black is player 0,
// as in the .mat files, where Black is the first player.
#include <cstddef>
#include <string>
#include <string_view>

#include "rules/MatchState.h"

namespace lumaro {

inline constexpr std::size_t kMatchIdLength = 12;

// The state should be one matchStateProblem() finds nothing wrong with.
std::string encodeMatchId(const MatchState& state);

// Either the state or an English sentence saying why the text is not a match ID this game can play.
struct MatchIdResult {
    bool ok = false;
    MatchState state;
    std::string error;
};

MatchIdResult decodeMatchId(std::string_view id);

// What makes a state one this game cannot play, as a sentence, or an empty string.
std::string matchStateProblem(const MatchState& state);

}  // namespace lumaro
