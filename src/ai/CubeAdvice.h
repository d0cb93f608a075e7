#pragma once
// Cube advice before a roll in money play, from one cubeless equity. The cube's worth is taken from
// the classic live-cube model without gammons (the opponent takes down to 20 % of the games, the
// owner cashes from 80 %), weighed two thirds against the cubeless equity, which counts gammons:
// cubeful = 2/3 x live-cube line + 1/3 x cubeless. The win chance on the live-cube line is read
// off the equity as (1 + equity) / 2. The Jacoby rule and the match score are not considered.
// Every equity is the roller's, per point of the cube's present value: a dropped double is +1.
#include "ai/PositionEquity.h"
#include "ai/RollAverage.h"
#include "rules/Cube.h"

namespace lumaro {

enum class CubeHolder { Centred, Roller, Opponent };

// Where `cube` stands for the side about to roll.
inline CubeHolder cubeHolderFor(const Cube& cube, Side roller) {
    if (cube.value() == 1) return CubeHolder::Centred;
    return cube.ownerWhite() == (roller == Side::White ? 1 : 0) ? CubeHolder::Roller : CubeHolder::Opponent;
}

enum class CubeAction {
    NoDouble,
    DoubleTake,
    DoublePass,
    TooGood,       // the opponent would pass, but playing on for the gammon is worth more
    NotAvailable,  // the opponent holds the cube
};

struct CubeAdvice {
    double cubeless = 0;    // the roller's cubeless equity
    double noDouble = 0;    // playing on with the cube as it is
    double doubleTake = 0;  // doubled and taken: twice the stake, the opponent holding the cube
    double doublePass = 1;
    CubeAction action = CubeAction::NoDouble;
    bool opponentTakes() const { return doubleTake <= doublePass; }
};

CubeAdvice cubeAdviceFor(double cubelessEquity, CubeHolder holder);

// The roller is Black, on roll in `position`; its cubeless equity is PositionEquity's at depth 0
// and RollAverage's (its 21 rolls) at depth 1.
class CubeAdvisor {
public:
    CubeAdvice advise(const NeuralNets* nets, const Position& position, CubeHolder holder, int depth);

private:
    PositionEquity equity_;
    RollAverage rollAverage_;
};

}  // namespace lumaro
