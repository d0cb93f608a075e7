#pragma once
// The cube decision of the side on roll, before it rolls, from its cubeless chances and the cube's
// state, in money games and matches.
//
// The model interpolates between a dead cube (the cubeless result) and a fully live one, where
// the result is a straight line in the win probability between the doubling points and each side
// cashes the moment the other would pass (Janowski's cube efficiency): cubeful = efficiency x
// live + (1 - efficiency) x cubeless. For a cube owned by one side this is exactly Janowski's
// formula. Money: the live line runs between the take point (L - 1/2) / (W + L + 1/2) and the
// cash point (L + 1) / (W + L + 1/2), W and L the points of an average win and loss; with the
// Jacoby rule a centred cube counts no gammons. Matches: every result is a chance of winning the
// match, from the table; the doubling points come from the table's live cube one level further.
// The Crawford game has no cube; after it the trailer doubles at once and the leader never; a cube
// that already reaches or passes what its side needs is never turned.
#include <string>

#include "ai/MatchEquity.h"

namespace lumaro {

// The side on roll's cubeless chances; the gammons include the backgammons.
struct CubelessChances {
    double win = 0.5;
    double winGammon = 0;
    double winBackgammon = 0;
    double loseGammon = 0;
    double loseBackgammon = 0;
};

enum class CubeOwner { Centred, Roller, Opponent };

struct CubeSituation {
    int cube = 1;
    CubeOwner owner = CubeOwner::Centred;
    bool cubeInUse = true;
    bool jacoby = false;     // money only
    int matchLength = 0;     // 0 for a money game
    int rollerNeeds = 0;     // in a match: the points each side still needs
    int opponentNeeds = 0;
    bool crawford = false;   // this game is the Crawford game
};

enum class CubeVerdict { NoDouble, DoubleTake, DoublePass, TooGoodTake, TooGoodPass };

struct CubeDecision {
    CubeVerdict verdict = CubeVerdict::NoDouble;
    // Why the cube may not be turned, or empty when it may (and then every figure below counts).
    std::string unavailable;
    // Money: points per point of the cube now. A match: the roller's chance of winning the match.
    double cubeless = 0;
    double noDouble = 0;
    double doubleTake = 0;
    double doublePass = 0;
};

constexpr double kTypicalCubeEfficiency = 0.68;

CubeDecision decideCube(const CubelessChances& chances, const CubeSituation& situation,
                        const MatchEquityTable& table, double efficiency = kTypicalCubeEfficiency);

// The words of a verdict: "no double", "double, take", "too good, pass" ...
const char* verdictWords(CubeVerdict verdict);

}  // namespace lumaro
