#pragma once
// The position ID of GNU Backgammon and the programs that read it: the checkers of both sides in
// 14 characters, as the side on roll sees them. The ID does not say which side is on roll; the
// match ID does.
#include <cstddef>
#include <string>
#include <string_view>

#include "rules/Position.h"

namespace lumaro {

inline constexpr std::size_t kPositionIdLength = 14;

// The position has fifteen checkers or fewer a side (those missing count as borne off).
std::string encodePositionId(const Position& pos, Side onRoll);

// Either the position, normalized, or an English sentence saying why the text is not a position ID.
struct PositionIdResult {
    bool ok = false;
    Position position;
    std::string error;
};

PositionIdResult decodePositionId(std::string_view id, Side onRoll);

}  // namespace lumaro
