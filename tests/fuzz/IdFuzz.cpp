// Position and match IDs on any bytes: pasted text is refused with a reason or gives a game with
// fifteen checkers a side and a state this game can play; an accepted position ID is the only
// spelling of its position, and an accepted state comes back unchanged through its own ID.
//
// The whole input is read as pasted text; its first 14 bytes are also read as a position ID and
// the next 12 as a match ID, so that the fuzzer reaches the decoders' checks directly.
#include <algorithm>
#include <span>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "rules/GameIds.h"
#include "rules/MatchId.h"
#include "rules/PositionId.h"

using namespace lumaro;
using lumaro::fuzz::check;

namespace {

void checkPlayable(const Position& pos) {
    check(whiteCheckersOf(pos) == kCheckersPerSide && blackCheckersOf(pos) == kCheckersPerSide, "fifteen checkers a side");
    for (int p = 1; p <= 24; ++p) check(pos.count[p] <= kCheckersPerSide, "at most fifteen on a point");
    check(pos.offWhite < kCheckersPerSide || pos.offBlack < kCheckersPerSide, "at most one side borne off");
}

bool sameState(const MatchState& a, const MatchState& b) {
    return a.cube.value() == b.cube.value() && a.cube.ownerWhite() == b.cube.ownerWhite() && a.onRoll == b.onRoll &&
           a.toAct == b.toAct && a.dieA == b.dieA && a.dieB == b.dieB && a.doubleOffered == b.doubleOffered &&
           a.resignation == b.resignation && a.phase == b.phase && a.matchLength == b.matchLength &&
           a.score[Side::White] == b.score[Side::White] && a.score[Side::Black] == b.score[Side::Black] &&
           a.crawford == b.crawford && a.jacoby == b.jacoby;
}

void checkMatchId(std::string_view id) {
    const MatchIdResult read = decodeMatchId(id);
    if (!read.ok) {
        check(!read.error.empty(), "a refused match ID says why");
        return;
    }
    check(matchStateProblem(read.state).empty(), "an accepted match state is playable");
    const MatchIdResult again = decodeMatchId(encodeMatchId(read.state));
    check(again.ok && sameState(again.state, read.state), "a match state comes back through its ID");
}

void checkPositionId(std::string_view id, Side onRoll) {
    const PositionIdResult read = decodePositionId(id, onRoll);
    if (!read.ok) {
        check(!read.error.empty(), "a refused position ID says why");
        return;
    }
    checkPlayable(read.position);
    check(encodePositionId(read.position, onRoll) == id, "an accepted position ID is its position's only spelling");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const GameFromIds pasted = readPastedIds(text);
    if (pasted.ok) {
        checkPlayable(pasted.position);
        check(matchStateProblem(pasted.state).empty(), "a pasted state is playable");
        const GameIds ids = encodeGameIds(pasted.position, pasted.state);
        const GameFromIds again = decodeGameIds(ids.positionId, ids.matchId);
        check(again.ok && again.position.sameCheckersAs(pasted.position) && sameState(again.state, pasted.state),
              "a pasted game comes back through its IDs");
    } else {
        check(!pasted.error.empty(), "refused text says why");
    }
    const std::string_view positionId = text.substr(0, std::min(size, kPositionIdLength));
    checkPositionId(positionId, Side::White);
    checkPositionId(positionId, Side::Black);
    if (size > kPositionIdLength) checkMatchId(text.substr(kPositionIdLength, kMatchIdLength));
    return 0;
}
