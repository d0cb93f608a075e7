#include "rules/GameIds.h"

#include <cctype>
#include <optional>

#include "rules/MatchId.h"
#include "rules/PositionId.h"

namespace lumaro {

namespace {

// Text longer than this is not a pair of IDs with a board around them.
constexpr std::size_t kLongestPaste = 64 * 1024;

GameFromIds refuse(std::string error) {
    GameFromIds result;
    result.error = std::move(error);
    return result;
}

bool isBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

// The word after "LABEL :" in the text, or nothing when the label is not there.
std::optional<std::string_view> labelled(std::string_view text, std::string_view label) {
    const std::size_t at = text.find(label);
    if (at == std::string_view::npos) return std::nullopt;
    std::size_t i = at + label.size();
    while (i < text.size() && text[i] == ' ') ++i;
    if (i < text.size() && text[i] == ':') ++i;
    while (i < text.size() && text[i] == ' ') ++i;
    std::size_t end = i;
    while (end < text.size() && !isBlank(text[end])) ++end;
    return text.substr(i, end - i);
}

}  // namespace

GameIds encodeGameIds(const Position& pos, const MatchState& state) {
    return {encodePositionId(pos, state.onRoll), encodeMatchId(state)};
}

GameFromIds decodeGameIds(std::string_view positionId, std::string_view matchId) {
    // The position ID is told first: pasted text that is no ID at all fails there, and says so.
    // (Whether it is well formed does not depend on the side on roll the match ID gives.)
    const PositionIdResult wellFormed = decodePositionId(positionId, Side::White);
    if (!wellFormed.ok) return refuse(wellFormed.error);
    const MatchIdResult match = decodeMatchId(matchId);
    if (!match.ok) return refuse(match.error);
    const PositionIdResult position = decodePositionId(positionId, match.state.onRoll);
    if (!position.ok) return refuse(position.error);
    GameFromIds result;
    result.ok = true;
    result.position = position.position;
    result.state = match.state;
    return result;
}

GameFromIds readPastedIds(std::string_view text) {
    if (text.size() > kLongestPaste) return refuse("The pasted text is far too long to be a position.");
    const auto positionId = labelled(text, "Position ID");
    const auto matchId = labelled(text, "Match ID");
    if (matchId && !positionId) return refuse("The pasted text has a match ID but no position ID.");
    if (positionId) {
        if (!matchId) return decodeGameIds(*positionId, encodeMatchId(MatchState{}));
        GameFromIds game = decodeGameIds(*positionId, *matchId);
        game.matchIdGiven = game.ok;
        return game;
    }
    text = trimmed(text);
    if (text.empty()) return refuse("There is nothing to paste.");
    std::size_t split = text.find(':');
    if (split == std::string_view::npos) {
        split = 0;
        while (split < text.size() && !isBlank(text[split])) ++split;
    }
    if (split >= text.size()) return decodeGameIds(text, encodeMatchId(MatchState{}));
    GameFromIds game = decodeGameIds(trimmed(text.substr(0, split)), trimmed(text.substr(split + 1)));
    game.matchIdGiven = game.ok;
    return game;
}

}  // namespace lumaro
