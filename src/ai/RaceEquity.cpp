#include "ai/RaceEquity.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace lumaro {
namespace {

// A roll moves 49/6 pips on average (a doublet four times its die), with a variance of 665/36;
// the number of rolls to cover n pips then has about n * variance / mean^3 as its variance.
constexpr double kMeanRoll = 49.0 / 6.0;
constexpr double kRollVariance = 665.0 / 36.0;
constexpr double kRollsVariancePerPip = kRollVariance / (kMeanRoll * kMeanRoll * kMeanRoll);
// 2 1/3 checkers leave the board a roll on average, so no side finishes faster than that.
constexpr double kCheckersPerRoll = 7.0 / 3.0;

// One side's checkers by its own points: 1..6 its home board, 25 the bar.
struct OwnSide {
    std::array<int, 26> count{};
    int off = 0;
};

OwnSide blackSide(const Position& pos) {
    OwnSide s;
    for (int p = 1; p <= 24; ++p)
        if (pos.hasBlack(p)) s.count[p] = pos.count[p];
    s.count[25] = pos.barBlack;
    s.off = pos.offBlack;
    return s;
}

OwnSide whiteSide(const Position& pos) {
    OwnSide s;
    for (int p = 1; p <= 24; ++p)
        if (pos.hasWhite(p)) s.count[25 - p] = pos.count[p];
    s.count[25] = pos.barWhite;
    s.off = pos.offWhite;
    return s;
}

// What a side still needs to bear everything off, and what it needs to save the gammon.
struct Need {
    double pips = 0;          // with the usual waste of a bear-off added
    double rolls = 0;
    double savePips = 0;      // to bring every checker home and bear one off
    double saveRolls = 0;
};

Need needOf(const OwnSide& s) {
    Need need;
    int pips = 0, checkers = 0, outside = 0, outsidePips = 0, lowestHome = 0;
    for (int p = 1; p <= 25; ++p) {
        const int n = s.count[p];
        pips += p * n;
        checkers += n;
        if (p > 6) {
            outside += n;
            outsidePips += (p - 6) * n;
        } else if (n > 0 && lowestHome == 0) {
            lowestHome = p;
        }
    }
    // Checkers stacked deep bear off with pips to spare; an empty high point wastes the dice that
    // would have borne off from it.
    int waste = 2 * std::max(0, s.count[1] - 1) + std::max(0, s.count[2] - 1) + std::max(0, s.count[3] - 3);
    for (int p = 4; p <= 6; ++p) waste += s.count[p] == 0;
    need.pips = pips + waste;
    need.rolls = std::max(need.pips / kMeanRoll, checkers / kCheckersPerRoll);
    // A checker crossing into the home board lands about two pips deeper than it had to; with none
    // at home yet, the first one off comes from about the middle of it.
    need.savePips = outsidePips + 2.0 * outside + (lowestHome > 0 ? lowestHome : 3);
    need.saveRolls = std::max(need.savePips / kMeanRoll, (outside + 1) / kCheckersPerRoll);
    return need;
}

double varianceOf(double pipsA, double pipsB) { return std::max(0.1, (pipsA + pipsB) * kRollsVariancePerPip); }

}  // namespace

double rollerFinishesFirst(double rollerRolls, double otherRolls, double variance) {
    // The roller's n-th roll comes before the other side's n-th: a tie in rolls is the roller's.
    const double z = (otherRolls - rollerRolls + 0.5) / std::sqrt(variance);
    return 0.5 * std::erfc(-z / std::sqrt(2.0));
}

RaceEstimate raceEstimate(const Position& pos) {
    const OwnSide black = blackSide(pos);
    const OwnSide white = whiteSide(pos);
    const Need b = needOf(black);
    const Need w = needOf(white);
    RaceEstimate c;
    c.whiteWins = rollerFinishesFirst(w.rolls, b.rolls, varianceOf(w.pips, b.pips));
    c.blackWins = 1.0 - c.whiteWins;
    if (black.off == 0)
        c.whiteGammons = std::min(c.whiteWins, rollerFinishesFirst(w.rolls, b.saveRolls, varianceOf(w.pips, b.savePips)));
    if (white.off == 0)
        c.blackGammons =
            std::min(c.blackWins, 1.0 - rollerFinishesFirst(w.saveRolls, b.rolls, varianceOf(w.savePips, b.pips)));
    return c;
}

double raceEquity(const Position& pos) {
    const RaceEstimate c = raceEstimate(pos);
    return c.blackWins - c.whiteWins + c.blackGammons - c.whiteGammons;
}

}  // namespace lumaro
