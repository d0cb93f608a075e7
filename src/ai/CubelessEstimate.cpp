#include "ai/CubelessEstimate.h"

#include <algorithm>

#include "ai/BearoffRace.h"
#include "ai/Features.h"
#include "ai/RaceEquity.h"

namespace lumaro {

CubelessChances chancesOfEquity(double equity, double winGammonRate, double loseGammonRate) {
    const double rw = std::clamp(winGammonRate, 0.0, 1.0);
    const double rl = std::clamp(loseGammonRate, 0.0, 1.0);
    CubelessChances c;
    const double e = std::clamp(equity, -2.0, 2.0);
    c.win = std::clamp((e + 1.0 + rl) / (2.0 + rw + rl), 0.0, 1.0);
    // Past a sure win (or loss) the rest of the equity is gammons, where gammons can still happen.
    c.winGammon = rw > 0 ? std::min(c.win, std::max(rw * c.win, e - 1.0)) : 0.0;
    c.loseGammon = rl > 0 ? std::min(1.0 - c.win, std::max(rl * (1.0 - c.win), -e - 1.0)) : 0.0;
    return c;
}

CubelessChances CubelessEstimate::blackToRoll(const NeuralNets* nets, const Position& position) {
    // Both sides home: the bear-off table's exact chances. The check comes first so that a
    // position in contact never waits for the table to be built.
    if (const auto exact = bothSidesHome(position) ? bearoffRaceChances(position, Side::Black) : std::nullopt) {
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
    // A side with a checker off is safe from a gammon.
    const double rate = MatchEquityTable::kTypicalGammonRate;
    return chancesOfEquity(equity, position.offWhite > 0 ? 0.0 : rate, position.offBlack > 0 ? 0.0 : rate);
}

}  // namespace lumaro
