#pragma once
// The chance of winning a match from each score, computed by the program itself from one gammon rate.
//
// The method. A game is a win probability p that drifts continuously from 0.5 to 0 or 1; a fixed
// share of the games ends in a gammon (the gammon rate; backgammons are left out). Between doubles
// the chance of winning the match is then a straight line in p, and with a fully live cube each
// side doubles exactly where the opponent is indifferent between taking and passing, so every
// doubling point follows from the scores a double or a game's end lead to, cube level by cube level
// (Keeler and Spencer's continuous model, carried to match scores as in Zadeh's tournament model).
// The scores nearer the end are computed first. The Crawford game has no cube. After it the trailer
// doubles at once and the leader takes, except that at 2-away and 4-away the leader's free drop is
// worth 1.5 % and 0.4 % of the trailer's chances (Zadeh's values).
#include <vector>

namespace lumaro {

class MatchEquityTable {
public:
    static constexpr int kLongest = 64;  // points a side may need
    static constexpr double kTypicalGammonRate = 0.26;

    explicit MatchEquityTable(double gammonRate = kTypicalGammonRate);

    double gammonRate() const { return gammonRate_; }

    // The chance of winning the match for a side needing `need` points against a side needing
    // `otherNeeds`, at the start of a game with the cube centred at 1. A side needing 0 or less has
    // won. With one side 1 away the game is the Crawford game unless `postCrawford`.
    double chance(int need, int otherNeeds, bool postCrawford) const;

    // The trailer's chance after the Crawford game, needing `need` against the leader's 1.
    double postCrawford(int need) const;
    // The leader's chance in the Crawford game itself, the trailer needing `trailerNeeds`.
    double crawford(int trailerNeeds) const;

    // With a fully live cube at value `cube`, the win probability of the side needing `need` above
    // which it doubles and the opponent passes: 1 when its cube is dead (`cube` >= `need`).
    double cashPoint(int need, int otherNeeds, int cube, bool postCrawford) const;
    // ...and the probability below which the opponent cashes: 0 when the opponent's cube is dead.
    double opponentCashPoint(int need, int otherNeeds, int cube, bool postCrawford) const;

private:
    // Chance of the side needing `need` once a game at `cube` is over: won, or won with a gammon.
    double winValue(int need, int otherNeeds, int cube, bool postCrawford) const;
    double loseValue(int need, int otherNeeds, int cube, bool postCrawford) const;

    double gammonRate_;
    std::vector<double> preCrawford_;   // [need][otherNeeds], both 2..kLongest
    std::vector<double> postCrawford_;  // [trailer's need]
};

}  // namespace lumaro
