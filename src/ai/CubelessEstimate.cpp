#include "ai/CubelessEstimate.h"

#include <algorithm>

#include "ai/BearoffRace.h"
#include "ai/Features.h"
#include "ai/RaceEquity.h"

namespace lumaro {

CubelessChances chancesOfEquity(double equity, double gammonRate) {
    const double r = std::clamp(gammonRate, 0.0, 1.0);
    CubelessChances c;
    const double e = std::clamp(equity, -2.0, 2.0);
    c.win = std::clamp(0.5 + e / (2.0 * (1.0 + r)), 0.0, 1.0);
    c.winGammon = std::min(c.win, std::max(r * c.win, e - 1.0));
    c.loseGammon = std::min(1.0 - c.win, std::max(r * (1.0 - c.win), -e - 1.0));
    return c;
}

CubelessChances CubelessEstimate::blackToRoll(const NeuralNets* nets, const Position& position) {
    // Both sides home: the bear-off table's exact chances.
    if (const auto exact = bearoffRaceChances(position, Side::Black)) {
        CubelessChances c;
        c.win = exact->win;
        c.winGammon = exact->winGammon;
        c.loseGammon = exact->loseGammon;
        return c;
    }
    if (contactOf(position) == 0) {
        // Mirrored, Black on roll becomes White to roll just after the other side's play.
        const RaceEstimate race = raceEstimate(mirrored(position));
        CubelessChances c;
        c.win = race.whiteWins;
        c.winGammon = race.whiteGammons;
        c.loseGammon = race.blackGammons;
        return c;
    }
    // The Master's networks give the chances themselves, gammons and backgammons included.
    if (nets && nets->master()) return masterRollAverage_.blackToRollChances(nets, position);
    double equity = 0;
    rollAverage_.blackToRoll(nets, &position, 1, &equity);
    return chancesOfEquity(equity, MatchEquityTable::kTypicalGammonRate);
}

}  // namespace lumaro
