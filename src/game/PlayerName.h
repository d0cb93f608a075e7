#pragma once
// Players' names as the game holds them and as they travel. Inside the program a name is UTF-8 text
// of at most 20 characters without control characters; lm2.ini and the network hold one byte a
// character, Latin-1, so a character Latin-1 lacks travels as "?".
#include <cstddef>
#include <string>
#include <string_view>

namespace lumaro {

inline constexpr std::size_t kMaxNameCharacters = 20;

// A name read from lm2.ini or received from the peer: Latin-1, one byte a character.
std::string nameFromBytes(std::string_view bytes);

// The bytes of a name for lm2.ini and the network: Latin-1, at most 20.
std::string nameToBytes(std::string_view name);

// A name as typed, held: control characters removed, cut to 20 characters (not bytes).
std::string heldName(std::string_view name);

}  // namespace lumaro
