#pragma once
// The games of a session in GNU Backgammon's own match format, SGF with GM[6]: a game tree for each
// game with the rules it was played by (the cube, Crawford, Jacoby), the match length and scores,
// every roll and play, the cube actions and the result. Unlike the ".mat" layout it can say where a
// game taken up from a saved game or pasted IDs started.
//
// Black, the computer or the other person, is GNU Backgammon's player 0 ("W" and PW in the file),
// White, the player at this machine, its player 1 ("B" and PB), as in the ".mat" files. The file's
// letters 'a'..'x' are the points 1..24 of the game's own numbering, 'y' the bar and 'z' off.
#include <string>

#include "game/MatchRecord.h"
#include "persistence/MatFile.h"

namespace lumaro {

// The names and the date come as for the ".mat" file (MatHeader), the date as "YYYY.MM.DD".
std::string sgfText(const MatchRecord& record, const MatHeader& header);

// Writes the file whole or not at all (an earlier file stays as it was); false on failure.
bool writeSgfFile(const std::string& path, const MatchRecord& record, const MatHeader& header,
                  std::string* whyNot = nullptr);

}  // namespace lumaro
