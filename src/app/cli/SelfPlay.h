#pragma once
// `lumaro-cli selfplay`: cubeless money games between two computer players. Each player sees the
// board as the computer does, as Black with Black to move, and chooses exactly as the game's search.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ai/Analysis.h"
#include "game/MatchRecord.h"
#include "rules/PlayApply.h"
#include "game/GameEnd.h"

namespace lumaro {

class NeuralNets;

// A computer player as written on the command line: "LEVEL[:option,option...]", where an option is
// slow, fast, normal, aggressive, attack=N, risk=N or strategy=N (N from -2 to 2).
std::optional<AnalysisSettings> parsePlayer(const std::string& text);
// The Master as written on the command line: "master" (depth 2), "master:1" or "master:2"; 0 for
// anything else.
int masterDepthOfPlayer(const std::string& text);

// One turn of a self-play game as it happened: who moved, the dice and the play, in the mover's
// view (as Black).
struct SelfPlayTurn {
    bool aToMove = false;
    Byte dieA = 0;
    Byte dieB = 0;
    Play play{};
};

struct SelfPlayGame {
    std::vector<SelfPlayTurn> turns;
    std::optional<int> pointsA;  // nothing when the game never ended
};

struct MatchConfig {
    int games = 0;
    bool keepGames = false;  // keep every game's turns in MatchResult::played (--record)
    std::uint64_t seed = 1;
    AnalysisSettings a;
    AnalysisSettings b;
    const NeuralNets* netsA = nullptr;
    const NeuralNets* netsB = nullptr;
    int masterDepthA = 0;  // 1 or 2: A is the Master, searching that deep (with the networks of A)
    int masterDepthB = 0;
    int threads = 2;
};

struct SideTally {
    int wins = 0;
    int gammons = 0;      // 2-point wins
    int backgammons = 0;  // 3-point wins
};

struct MatchResult {
    int games = 0;      // games that ended (an endless game is not counted)
    long long pointsA = 0;
    double ppg = 0;     // points per game for A
    double stderrPpg = 0;
    SideTally a;
    SideTally b;
    int overlong = 0;
    std::vector<SelfPlayGame> played;  // with keepGames, in game order
};

// The games as a money session: A plays White (the player at this machine), B Black.
MatchRecord recordOf(const std::vector<SelfPlayGame>& games);

class MoveSearch;

// The play of the player to move (A when aToMove) as the game's computer would choose it: from the
// opening book on the starter's first roll (`draw100` picks between two lines), else by search.
Play selfPlayChoice(MoveSearch& search, const MatchConfig& config, const Position& pos, Byte dieA, Byte dieB,
                    bool aToMove, bool openingRoll, const std::function<int()>& draw100);

// Game g starts with A when g is even, B when odd; its dice come from its own generator seeded from
// (seed, g), so the result does not depend on the number of threads.
MatchResult playMatch(const MatchConfig& config);

int selfPlayCommand(int argc, char** argv);

}  // namespace lumaro
