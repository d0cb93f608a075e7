#include "ai/MatchEquity.h"

#include <algorithm>

namespace lumaro {
namespace {

constexpr int kSide = MatchEquityTable::kLongest + 1;
// The leader's free drop after the Crawford game, in the trailer's chances.
constexpr double kFreeDropTwoAway = 0.015;
constexpr double kFreeDropFourAway = 0.004;

struct Point {
    double p;
    double chance;
};

// Where the straight line from `low` to `high` reaches `target`, kept between the two.
double whereLineReaches(Point low, Point high, double target) {
    if (high.chance <= low.chance) return high.p;
    const double t = (target - low.chance) / (high.chance - low.chance);
    return std::clamp(low.p + t * (high.p - low.p), low.p, high.p);
}

double valueOnLine(Point low, Point high, double p) {
    if (p <= low.p) return low.chance;
    if (p >= high.p) return high.chance;
    return low.chance + (p - low.p) / (high.p - low.p) * (high.chance - low.chance);
}

}  // namespace

MatchEquityTable::MatchEquityTable(double gammonRate)
    : gammonRate_(std::clamp(gammonRate, 0.0, 1.0)), preCrawford_(kSide * kSide, 0.5), postCrawford_(kSide, 0.5) {
    const double g = gammonRate_;
    auto trailerAfter = [&](int need) { return need <= 0 ? 1.0 : postCrawford_[need]; };
    for (int need = 2; need <= kLongest; ++need) {
        // The trailer doubles at once and the leader takes: a game for two points, four with a gammon.
        postCrawford_[need] = 0.5 * ((1 - g) * trailerAfter(need - 2) + g * trailerAfter(need - 4));
        if (need == 2) postCrawford_[need] -= kFreeDropTwoAway;
        if (need == 4) postCrawford_[need] -= kFreeDropFourAway;
    }
    // Each score needs only scores nearer the end: fill them by the points both sides need together.
    for (int total = 4; total <= 2 * kLongest; ++total) {
        for (int need = std::max(2, total - kLongest); need <= std::min(kLongest, total - 2); ++need) {
            const int other = total - need;
            const Point low{opponentCashPoint(need, other, 1, false), chance(need, other - 1, false)};
            const Point high{cashPoint(need, other, 1, false), chance(need - 1, other, false)};
            preCrawford_[need * kSide + other] = valueOnLine(low, high, 0.5);
        }
    }
}

double MatchEquityTable::postCrawford(int need) const {
    if (need <= 0) return 1.0;
    return postCrawford_[std::min(need, kLongest)];
}

double MatchEquityTable::crawford(int trailerNeeds) const {
    if (trailerNeeds <= 0) return 0.0;
    if (trailerNeeds == 1) return 0.5;
    // No cube: the leader wins the match with any win; the trailer's win leads to post-Crawford play.
    const double g = gammonRate_;
    return 0.5 + 0.5 * ((1 - g) * (1 - postCrawford(trailerNeeds - 1)) + g * (1 - postCrawford(trailerNeeds - 2)));
}

double MatchEquityTable::chance(int need, int otherNeeds, bool postCrawford) const {
    if (need <= 0) return 1.0;
    if (otherNeeds <= 0) return 0.0;
    need = std::min(need, kLongest);
    otherNeeds = std::min(otherNeeds, kLongest);
    if (need == 1 && otherNeeds == 1) return 0.5;
    if (need == 1) return postCrawford ? 1 - this->postCrawford(otherNeeds) : crawford(otherNeeds);
    if (otherNeeds == 1) return postCrawford ? this->postCrawford(need) : 1 - crawford(need);
    return preCrawford_[need * kSide + otherNeeds];
}

double MatchEquityTable::winValue(int need, int otherNeeds, int cube, bool postCrawford) const {
    const double g = gammonRate_;
    return (1 - g) * chance(need - cube, otherNeeds, postCrawford) + g * chance(need - 2 * cube, otherNeeds, postCrawford);
}

double MatchEquityTable::loseValue(int need, int otherNeeds, int cube, bool postCrawford) const {
    const double g = gammonRate_;
    return (1 - g) * chance(need, otherNeeds - cube, postCrawford) + g * chance(need, otherNeeds - 2 * cube, postCrawford);
}

double MatchEquityTable::cashPoint(int need, int otherNeeds, int cube, bool postCrawford) const {
    if (cube >= need) return 1.0;
    // The opponent, holding the cube at twice the value, is indifferent to taking at this point.
    const int doubled = 2 * cube;
    const Point low = doubled < otherNeeds
                          ? Point{opponentCashPoint(need, otherNeeds, doubled, postCrawford),
                                  chance(need, otherNeeds - doubled, postCrawford)}
                          : Point{0.0, loseValue(need, otherNeeds, doubled, postCrawford)};
    const Point high{1.0, winValue(need, otherNeeds, doubled, postCrawford)};
    return whereLineReaches(low, high, chance(need - cube, otherNeeds, postCrawford));
}

double MatchEquityTable::opponentCashPoint(int need, int otherNeeds, int cube, bool postCrawford) const {
    if (cube >= otherNeeds) return 0.0;
    const int doubled = 2 * cube;
    const Point low{0.0, loseValue(need, otherNeeds, doubled, postCrawford)};
    const Point high = doubled < need ? Point{cashPoint(need, otherNeeds, doubled, postCrawford),
                                              chance(need - doubled, otherNeeds, postCrawford)}
                                      : Point{1.0, winValue(need, otherNeeds, doubled, postCrawford)};
    return whereLineReaches(low, high, chance(need, otherNeeds - cube, postCrawford));
}

}  // namespace lumaro
