#include "rules/MatchId.h"

#include <algorithm>

#include "rules/IdBits.h"

namespace lumaro {

namespace {

// The key's fields: first bit and width, the first bit the lowest of the value.
constexpr std::size_t kKeyBytes = 9;
struct Field {
    int first;
    int width;
};
constexpr Field kCubeLog2{0, 4};
constexpr Field kCubeOwner{4, 2};  // player 0 or 1, or 3 when centred
constexpr Field kOnRoll{6, 1};
constexpr Field kCrawford{7, 1};
constexpr Field kGameState{8, 3};
constexpr Field kToAct{11, 1};
constexpr Field kDoubleOffered{12, 1};
constexpr Field kResignation{13, 2};
constexpr Field kDieA{15, 3};
constexpr Field kDieB{18, 3};
constexpr Field kMatchLength{21, 15};
constexpr Field kScorePlayer0{36, 15};
constexpr Field kScorePlayer1{51, 15};
constexpr Field kNoJacoby{66, 1};  // set when the Jacoby rule is off
constexpr int kUsedBits = 67;
constexpr unsigned kCentred = 3;

unsigned playerOf(Side side) { return side == Side::White ? 1 : 0; }
Side sideOf(unsigned player) { return player == 1 ? Side::White : Side::Black; }
std::string name(Side side) { return side == Side::White ? "White" : "Black"; }
std::string num(int value) { return std::to_string(value); }

unsigned read(const IdBits& key, Field f) { return key.field(f.first, f.width); }
void write(IdBits& key, Field f, unsigned value) { key.setField(f.first, f.width, value); }

bool isDie(int d) { return d >= 1 && d <= 6; }

std::string scoreProblem(const MatchState& s) {
    if (s.matchLength < 0 || s.matchLength > kLongestMatch)
        return "The match is to " + num(s.matchLength) + " points; this game plays matches of up to " +
               num(kLongestMatch) + " points.";
    for (Side side : {Side::White, Side::Black}) {
        if (s.score[side] < 0 || s.score[side] >= 1 << kScorePlayer0.width)
            return name(side) + "'s score of " + num(s.score[side]) + " is out of range.";
        if (s.matchLength > 0 && s.score[side] >= s.matchLength)
            return name(side) + " has " + num(s.score[side]) + " points in a " + num(s.matchLength) +
                   "-point match, which is already won.";
    }
    if (!s.crawford) return {};
    if (s.matchLength == 0) return "A money game cannot be the Crawford game.";
    const bool whiteAtPoint = s.score[Side::White] == s.matchLength - 1;
    const bool blackAtPoint = s.score[Side::Black] == s.matchLength - 1;
    if (whiteAtPoint == blackAtPoint)
        return "The Crawford game is played when exactly one side is a point from winning the match.";
    if (!s.cube.centred() || s.doubleOffered) return "Nobody may double in the Crawford game.";
    return {};
}

std::string turnProblem(const MatchState& s) {
    const bool rolled = s.dieA != 0 || s.dieB != 0;
    if (rolled && (!isDie(s.dieA) || !isDie(s.dieB)))
        return "The dice " + num(s.dieA) + " and " + num(s.dieB) +
               " are not both from 1 to 6 (or both 0 before the roll).";
    if (s.resignation > 3) return "A resignation offers 1, 2 or 3 times the cube, not " + num(s.resignation) + ".";
    if (s.phase != GamePhase::Playing) return {};
    if (s.doubleOffered && s.resignation != 0) return "A double and a resignation cannot both be open.";
    if (s.doubleOffered && rolled) return "A double is offered before the roll, not after it.";
    if (s.doubleOffered && s.toAct == s.onRoll)
        return name(s.onRoll) + " cannot answer " + name(s.onRoll) + "'s own double.";
    if (!s.doubleOffered && s.resignation == 0 && s.toAct != s.onRoll)
        return name(s.onRoll) + " is on roll, but " + name(s.toAct) + " is to act with nothing offered.";
    return {};
}

}  // namespace

std::string matchStateProblem(const MatchState& s) {
    if (static_cast<Byte>(s.phase) > static_cast<Byte>(GamePhase::Dropped)) return "The game state is unknown.";
    if (std::string problem = turnProblem(s); !problem.empty()) return problem;
    return scoreProblem(s);
}

std::string encodeMatchId(const MatchState& s) {
    IdBits key(kKeyBytes);
    unsigned log2 = 0;
    while (log2 < 15 && (1u << log2) < s.cube.value()) ++log2;
    write(key, kCubeLog2, log2);
    const Side holder = s.cube.ownerWhite() == 1 ? Side::White : Side::Black;
    write(key, kCubeOwner, s.cube.centred() ? kCentred : playerOf(holder));
    write(key, kOnRoll, playerOf(s.onRoll));
    write(key, kCrawford, s.crawford ? 1 : 0);
    write(key, kGameState, static_cast<unsigned>(s.phase) & 7);
    write(key, kToAct, playerOf(s.toAct));
    write(key, kDoubleOffered, s.doubleOffered ? 1 : 0);
    write(key, kResignation, s.resignation & 3u);
    // The higher die first, as GNU Backgammon writes them.
    write(key, kDieA, std::max(s.dieA, s.dieB) & 7u);
    write(key, kDieB, std::min(s.dieA, s.dieB) & 7u);
    write(key, kMatchLength, static_cast<unsigned>(s.matchLength) & 0x7FFF);
    write(key, kScorePlayer0, static_cast<unsigned>(s.score[Side::Black]) & 0x7FFF);
    write(key, kScorePlayer1, static_cast<unsigned>(s.score[Side::White]) & 0x7FFF);
    write(key, kNoJacoby, s.jacoby ? 0 : 1);
    return base64Of(key.bytes());
}

MatchIdResult decodeMatchId(std::string_view id) {
    MatchIdResult result;
    IdBits key(kKeyBytes);
    if (!readBase64(id, key.bytes(), "The match ID", result.error)) return result;
    for (int i = kUsedBits; i < key.bitCount(); ++i) {
        if (key.bit(i)) {
            result.error = "The match ID has bits set past its last field.";
            return result;
        }
    }

    const unsigned log2 = read(key, kCubeLog2);
    const unsigned owner = read(key, kCubeOwner);
    if ((1u << log2) > Cube::kHighest) {
        result.error = "The match ID's cube stands at " + num(1 << log2) + "; this game's cube goes no higher than " +
                       num(Cube::kHighest) + ".";
        return result;
    }
    if (owner == 2) {
        result.error = "The match ID's cube owner names no player.";
        return result;
    }
    if ((owner == kCentred) != (log2 == 0)) {
        result.error = owner == kCentred ? "The match ID has a centred cube at " + num(1 << log2) + "; a centred cube stands at 1."
                                         : "The match ID has a cube at 1 held by a player; a cube is held once turned.";
        return result;
    }
    const unsigned state = read(key, kGameState);
    if (state > static_cast<unsigned>(GamePhase::Dropped)) {
        result.error = "The match ID's game state " + num(static_cast<int>(state)) + " names no state.";
        return result;
    }

    MatchState& s = result.state;
    s.cube = Cube::of(static_cast<Byte>(1u << log2), owner == 1 ? 1 : 0);
    s.onRoll = sideOf(read(key, kOnRoll));
    s.crawford = read(key, kCrawford) == 1;
    s.phase = static_cast<GamePhase>(state);
    s.toAct = sideOf(read(key, kToAct));
    s.doubleOffered = read(key, kDoubleOffered) == 1;
    s.resignation = static_cast<Byte>(read(key, kResignation));
    const auto dieA = static_cast<Byte>(read(key, kDieA));
    const auto dieB = static_cast<Byte>(read(key, kDieB));
    s.dieA = std::max(dieA, dieB);
    s.dieB = std::min(dieA, dieB);
    s.matchLength = static_cast<int>(read(key, kMatchLength));
    s.score[Side::Black] = static_cast<int>(read(key, kScorePlayer0));
    s.score[Side::White] = static_cast<int>(read(key, kScorePlayer1));
    s.jacoby = read(key, kNoJacoby) == 0;
    if (std::string problem = matchStateProblem(s); !problem.empty()) {
        result.error = "The match ID describes a game this program cannot play. " + problem;
        return result;
    }
    result.ok = true;
    return result;
}

}  // namespace lumaro
