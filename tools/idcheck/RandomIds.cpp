// lumaro-idgen: random positions and match states with this game's position and match IDs, and
// IDs read back, for tools/check-ids-with-gnubg.sh to compare with GNU Backgammon's.
//
//   lumaro-idgen --count N --seed S   one line per state: its text (StateText.h), then both IDs
//   lumaro-idgen --decode             for each line "POSITIONID MATCHID" on stdin, the state's text,
//                                     or "refused: REASON"
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "StateText.h"
#include "rules/GameIds.h"
#include "rules/MatchId.h"

using namespace lumaro;

namespace {

class Draw {
public:
    explicit Draw(std::uint64_t seed) : engine_(seed) {}
    int below(int n) { return static_cast<int>(engine_() % static_cast<std::uint64_t>(n)); }
    bool chance(int percent) { return below(100) < percent; }

private:
    std::mt19937_64 engine_;
};

// Fifteen checkers a side spread over points, bar and tray, never two sides on one point and
// never both sides borne off: every kind of position, reachable or not.
Position randomPosition(Draw& draw) {
    Position pos;
    for (Side side : {Side::White, Side::Black}) {
        int left = kCheckersPerSide;
        Byte& off = side == Side::White ? pos.offWhite : pos.offBlack;
        Byte& bar = side == Side::White ? pos.barWhite : pos.barBlack;
        if (draw.chance(25)) off = static_cast<Byte>(draw.below(side == Side::Black && pos.offWhite == 15 ? 15 : 16));
        left -= off;
        if (left > 0 && draw.chance(20)) bar = static_cast<Byte>(1 + draw.below(std::min(left, 4)));
        left -= bar;
        // At most fifteen points are the other side's, so a free one is always found.
        std::vector<int> points;
        const int spread = 1 + draw.below(8);
        for (int tries = 0; left > 0 && (points.empty() || tries < spread); ++tries) {
            const int p = 1 + draw.below(24);
            if (pos.count[p] > 0) continue;  // taken by the other side (or already this side's)
            pos.count[p] = 1;
            pos.colour[p] = colourOf(side);
            points.push_back(p);
            --left;
        }
        // The rest pile onto the points taken (none are left when all are off or on the bar).
        for (; left > 0; --left) ++pos.count[points[draw.below(static_cast<int>(points.size()))]];
    }
    return normalized(pos);
}

MatchState randomState(Draw& draw) {
    MatchState s;
    if (!draw.chance(35)) s.matchLength = draw.chance(5) ? 1 + draw.below(kLongestMatch) : 1 + draw.below(25);
    for (Side side : {Side::White, Side::Black})
        s.score[side] = s.matchLength > 0 ? draw.below(s.matchLength) : (draw.chance(30) ? draw.below(300) : 0);
    const bool whiteAtPoint = s.matchLength > 0 && s.score[Side::White] == s.matchLength - 1;
    const bool blackAtPoint = s.matchLength > 0 && s.score[Side::Black] == s.matchLength - 1;
    s.crawford = whiteAtPoint != blackAtPoint && draw.chance(50);
    s.jacoby = s.matchLength == 0 && draw.chance(50);
    s.onRoll = draw.chance(50) ? Side::White : Side::Black;
    if (!s.crawford && !draw.chance(40)) {
        const Byte value = static_cast<Byte>(2 << draw.below(6));
        s.cube = Cube::of(value, draw.chance(50) ? 1 : 0);
    }
    if (!draw.chance(35)) {
        s.dieA = static_cast<Byte>(1 + draw.below(6));
        s.dieB = static_cast<Byte>(1 + draw.below(6));
    }
    s.toAct = s.onRoll;
    const int offer = draw.below(100);
    if (offer < 12 && !s.crawford && s.cube.mayBeDoubledBy(s.onRoll)) {
        s.doubleOffered = true;
        s.dieA = s.dieB = 0;
        s.toAct = otherSide(s.onRoll);
    } else if (offer < 24) {
        s.resignation = static_cast<Byte>(1 + draw.below(3));
        s.toAct = draw.chance(50) ? Side::White : Side::Black;  // the other side resigned
    }
    if (draw.chance(8)) {
        const GamePhase others[] = {GamePhase::NotStarted, GamePhase::Over, GamePhase::Resigned, GamePhase::Dropped};
        s.phase = others[draw.below(4)];
    }
    return s;
}

int generate(int count, std::uint64_t seed) {
    Draw draw(seed);
    for (int i = 0; i < count; ++i) {
        const Position pos = randomPosition(draw);
        const MatchState state = randomState(draw);
        if (const std::string problem = matchStateProblem(state); !problem.empty()) {
            std::fprintf(stderr, "lumaro-idgen: made a state it should not have: %s\n", problem.c_str());
            return 1;
        }
        const GameIds ids = encodeGameIds(pos, state);
        std::printf("%s %s %s\n", stateText(pos, state).c_str(), ids.positionId.c_str(), ids.matchId.c_str());
    }
    return 0;
}

int decode() {
    std::string positionId, matchId;
    while (std::cin >> positionId >> matchId) {
        const GameFromIds game = decodeGameIds(positionId, matchId);
        if (game.ok)
            std::printf("%s\n", stateText(game.position, game.state).c_str());
        else
            std::printf("refused: %s\n", game.error.c_str());
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--decode") return decode();
    if (argc == 5 && std::string(argv[1]) == "--count" && std::string(argv[3]) == "--seed")
        return generate(std::atoi(argv[2]), std::strtoull(argv[4], nullptr, 10));
    std::fprintf(stderr, "usage: lumaro-idgen --count N --seed S | --decode\n");
    return 2;
}
