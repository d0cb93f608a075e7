#pragma once
// The cubeless chances the cube decision starts from. In contact, with the Master's own networks
// loaded, their five chances for each roll's best play, averaged over the roller's 21 rolls.
// Without them, the chances are formed from the other evaluations. With both sides home they are the bear-off
// table's exact chances; in another race, the race estimate's own wins and gammons. In contact the
// networks give one equity E, gammons included, looked at over the roller's 21 rolls; it is split
// at the typical gammon rate r (each side's wins are gammons at that rate, backgammons left out):
// win = 1/2 + E / (2 (1 + r)), and past a sure win the rest of the equity goes to gammons.
#include "ai/CubeDecision.h"
#include "ai/RollAverage.h"

namespace lumaro {

// Split of a cubeless equity into chances, as described above, with a gammon rate for each side's
// wins: win = (E + 1 + rl) / (2 + rw + rl). A side that has borne a checker off can no longer lose a
// gammon, so its rate is 0 then and the whole equity goes to single games and the other side's.
CubelessChances chancesOfEquity(double equity, double winGammonRate, double loseGammonRate);
inline CubelessChances chancesOfEquity(double equity, double gammonRate) {
    return chancesOfEquity(equity, gammonRate, gammonRate);
}

class CubelessEstimate {
public:
    // The chances of Black, on roll in `position` before rolling.
    CubelessChances blackToRoll(const NeuralNets* nets, const Position& position);

private:
    RollAverage rollAverage_;
    RollAverage masterRollAverage_{HomeRaces::Exact, ContactNets::Master};
};

}  // namespace lumaro
