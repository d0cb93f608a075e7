#include "ai/CubeDecision.h"

#include <algorithm>

#include "rules/Cube.h"

namespace lumaro {
namespace {

struct Point {
    double p;
    double value;
};

// The live cube's result at win probability `p`: the straight line between the two doubling
// points, and the cash beyond them.
double onLine(Point low, Point high, double p) {
    if (p <= low.p) return low.value;
    if (p >= high.p || high.p <= low.p) return high.value;
    return low.value + (p - low.p) / (high.p - low.p) * (high.value - low.value);
}

double whereLineReaches(Point low, Point high, double target) {
    if (high.value <= low.value) return high.p;
    const double t = (target - low.value) / (high.value - low.value);
    return std::clamp(low.p + t * (high.p - low.p), low.p, high.p);
}

CubeVerdict verdictOf(const CubeDecision& d) {
    const bool takes = d.doubleTake <= d.doublePass;  // the opponent answers with what costs it less
    // A tie goes to the double: a fully live cube is doubled exactly at the cash point.
    if (std::min(d.doubleTake, d.doublePass) >= d.noDouble)
        return takes ? CubeVerdict::DoubleTake : CubeVerdict::DoublePass;
    if (d.noDouble > d.doublePass) return takes ? CubeVerdict::TooGoodTake : CubeVerdict::TooGoodPass;
    return CubeVerdict::NoDouble;
}

// Money, per point of the cube now.
CubeDecision moneyDecision(const CubelessChances& c, const CubeSituation& s, double x) {
    const double win = std::clamp(c.win, 0.0, 1.0);
    const double lose = 1.0 - win;
    const double cubeless = win - lose + c.winGammon - c.loseGammon + c.winBackgammon - c.loseBackgammon;
    // Points of an average win and loss, gammons counted: they set the doubling points of the doubled game.
    const double w = win > 0 ? (win + c.winGammon + c.winBackgammon) / win : 1.0;
    const double l = lose > 0 ? (lose + c.loseGammon + c.loseBackgammon) / lose : 1.0;
    const double takePoint = (l - 0.5) / (w + l + 0.5);
    const double cashPoint = (l + 1.0) / (w + l + 0.5);
    const bool jacobyCentred = s.jacoby && s.owner == CubeOwner::Centred;

    CubeDecision d;
    d.cubeless = cubeless;
    Point low{takePoint, -1.0}, high{cashPoint, 1.0};
    if (s.owner == CubeOwner::Roller) low = {0.0, -l};
    if (s.owner == CubeOwner::Opponent) high = {1.0, w};
    const double deadNoDouble = jacobyCentred ? win - lose : cubeless;
    d.noDouble = x * onLine(low, high, win) + (1 - x) * deadNoDouble;
    d.doubleTake = 2.0 * (x * onLine({takePoint, -1.0}, {1.0, w}, win) + (1 - x) * cubeless);
    d.doublePass = 1.0;
    return d;
}

// A match: every figure is the roller's chance of winning the match.
class MatchModel {
public:
    MatchModel(const CubelessChances& c, const CubeSituation& s, const MatchEquityTable& t)
        : c_(c), a_(s.rollerNeeds), b_(s.opponentNeeds), table_(t),
          postCrawford_(!s.crawford && (s.rollerNeeds == 1) != (s.opponentNeeds == 1)),
          afterGame_(s.crawford || postCrawford_) {
        c_.win = std::clamp(c_.win, 0.0, 1.0);
    }

    bool postCrawford() const { return postCrawford_; }
    double chance(int rollerNeeds, int opponentNeeds) const { return table_.chance(rollerNeeds, opponentNeeds, afterGame_); }

    // Average results of a game at `cube` that the roller wins or loses.
    double winValue(int cube) const {
        const double single = c_.win - c_.winGammon, gammon = c_.winGammon - c_.winBackgammon;
        const double sum = single * chance(a_ - cube, b_) + gammon * chance(a_ - 2 * cube, b_) +
                           c_.winBackgammon * chance(a_ - 3 * cube, b_);
        return c_.win > 0 ? sum / c_.win : chance(a_ - cube, b_);
    }
    double loseValue(int cube) const {
        const double lose = 1 - c_.win;
        const double single = lose - c_.loseGammon, gammon = c_.loseGammon - c_.loseBackgammon;
        const double sum = single * chance(a_, b_ - cube) + gammon * chance(a_, b_ - 2 * cube) +
                           c_.loseBackgammon * chance(a_, b_ - 3 * cube);
        return lose > 0 ? sum / lose : chance(a_, b_ - cube);
    }
    double cubeless(int cube) const { return c_.win * winValue(cube) + (1 - c_.win) * loseValue(cube); }

    // Where the roller, holding `cube`, cashes: the opponent holding twice the value is indifferent
    // to taking there. A dead cube never cashes: the line runs on to a win.
    Point rollerCash(int cube) const {
        if (cube >= a_) return {1.0, winValue(cube)};
        const double pass = chance(a_ - cube, b_);
        return {whereLineReaches(opponentCash(2 * cube), {1.0, winValue(2 * cube)}, pass), pass};
    }
    Point opponentCash(int cube) const {
        if (cube >= b_) return {0.0, loseValue(cube)};
        const int doubled = 2 * cube;
        // One level deeper the table's own doubling point is enough.
        const Point high = doubled < a_ ? Point{table_.cashPoint(a_, b_, doubled, afterGame_), chance(a_ - doubled, b_)}
                                        : Point{1.0, winValue(doubled)};
        const double pass = chance(a_, b_ - cube);
        return {whereLineReaches({0.0, loseValue(doubled)}, high, pass), pass};
    }

    double live(int cube, CubeOwner owner) const {
        const Point low = owner == CubeOwner::Roller ? Point{0.0, loseValue(cube)} : opponentCash(cube);
        const Point high = owner == CubeOwner::Opponent ? Point{1.0, winValue(cube)} : rollerCash(cube);
        return onLine(low, high, c_.win);
    }

private:
    CubelessChances c_;
    int a_, b_;
    const MatchEquityTable& table_;
    bool postCrawford_;
    bool afterGame_;  // the next game is post-Crawford
};

std::string whyNotInMatch(const CubeSituation& s, bool postCrawford) {
    if (s.crawford) return "the Crawford game";
    if (postCrawford && s.rollerNeeds == 1) return "the leader never doubles after the Crawford game";
    if (s.cube >= s.rollerNeeds) return "the cube already gives the match";
    return {};
}

}  // namespace

CubeDecision decideCube(const CubelessChances& chances, const CubeSituation& s, const MatchEquityTable& table,
                        double efficiency) {
    const double x = std::clamp(efficiency, 0.0, 1.0);
    const int cube = std::clamp(s.cube, 1, static_cast<int>(Cube::kHighest));
    std::string unavailable;
    if (!s.cubeInUse) unavailable = "the cube is not in use";
    else if (s.owner == CubeOwner::Opponent) unavailable = "the opponent holds the cube";
    else if (cube >= Cube::kHighest) unavailable = "the cube is at its highest";

    CubeDecision d;
    if (s.matchLength <= 0) {
        d = moneyDecision(chances, s, x);
    } else {
        const MatchModel m(chances, s, table);
        d.cubeless = m.cubeless(cube);
        if (unavailable.empty()) unavailable = whyNotInMatch(s, m.postCrawford());
        // The Crawford game has no cube at all.
        d.noDouble = s.crawford ? d.cubeless : x * m.live(cube, s.owner) + (1 - x) * d.cubeless;
        d.doubleTake = x * m.live(2 * cube, CubeOwner::Opponent) + (1 - x) * m.cubeless(2 * cube);
        d.doublePass = m.chance(s.rollerNeeds - cube, s.opponentNeeds);
        // After the Crawford game the leader's cube is dead, so the trailer's live line is the
        // doubled game's own: the trailer doubles at once unless playing on for a gammon is better.
    }
    d.unavailable = unavailable;
    if (!unavailable.empty()) {
        d.verdict = CubeVerdict::NoDouble;
        d.doubleTake = d.doublePass = 0;
        return d;
    }
    d.verdict = verdictOf(d);
    return d;
}

const char* verdictWords(CubeVerdict verdict) {
    switch (verdict) {
        case CubeVerdict::NoDouble: return "no double";
        case CubeVerdict::DoubleTake: return "double, take";
        case CubeVerdict::DoublePass: return "double, pass";
        case CubeVerdict::TooGoodTake: return "too good, take";
        case CubeVerdict::TooGoodPass: return "too good, pass";
    }
    return "";
}

}  // namespace lumaro
