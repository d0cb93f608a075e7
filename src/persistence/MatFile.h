#pragma once
// The games of a session as a text match file in the ".mat" layout that backgammon analysers
// import (GNU Backgammon: import mat). Black, the computer or the other person, is the first
// player (the left column), White, the player at this machine, the second (the right column).
// Single games are written as a money session: a "0 point match" whose scores run on from game
// to game. A game taken up from a set-up position is left out (the layout starts every game from
// the opening); GNU Backgammon's .sgf file (SgfFile.h) holds it.
#include <string>

#include "game/MatchRecord.h"

namespace lumaro {

struct MatHeader {
    std::string whiteName = "Master";
    std::string blackName = "Computer";
    std::string eventDate;  // "YYYY.MM.DD", or empty for none
};

// A name as one word the importers read back: blanks become '_', a ':' becomes '.'.
std::string matPlayerName(const std::string& name);

std::string matText(const MatchRecord& record, const MatHeader& header);

// Writes the file whole or not at all (an earlier file stays as it was); false on failure.
bool writeMatFile(const std::string& path, const MatchRecord& record, const MatHeader& header,
                  std::string* whyNot = nullptr);

}  // namespace lumaro
