#pragma once
// A game in play as the pair of IDs other backgammon programs print and read: the position ID (the
// checkers, seen by the side on roll) and the match ID (everything else), and back from text a
// player pastes.
#include <string>
#include <string_view>

#include "rules/MatchState.h"
#include "rules/Position.h"

namespace lumaro {

struct GameIds {
    std::string positionId;
    std::string matchId;
};

GameIds encodeGameIds(const Position& pos, const MatchState& state);

// Either the game, or an English sentence saying why the text does not describe one.
struct GameFromIds {
    bool ok = false;
    Position position;
    MatchState state;
    bool matchIdGiven = false;  // false: a position ID alone, its match state the plain default
    std::string error;
};

GameFromIds decodeGameIds(std::string_view positionId, std::string_view matchId);

// Pasted text: lines "Position ID: P" and "Match ID: M" (other text around them, and blanks before
// a colon, as GNU Backgammon's board has them, are passed over), or "P:M", or "P M". A position ID
// alone is a money game with White on roll and the dice not yet rolled.
GameFromIds readPastedIds(std::string_view text);

}  // namespace lumaro
