#include "game/PositionStats.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace lumaro {

namespace {

bool holds(const Position& pos, int p, Byte colour) {
    return pos.count[p] > 0 && pos.colour[p] == colour;
}

int checkersOn(const Position& pos, Byte colour, int from, int to) {
    int n = 0;
    for (int p = from; p <= to; ++p)
        if (holds(pos, p, colour)) n += pos.count[p];
    return n;
}

int blotsOn(const Position& pos, Byte colour, int from, int to) {
    int n = 0;
    for (int p = from; p <= to; ++p)
        if (holds(pos, p, colour) && pos.count[p] == 1) ++n;
    return n;
}

// Longest run of consecutive points from..to, each made (two or more) by `colour`.
int longestRun(const Position& pos, Byte colour, int from, int to) {
    int best = 0;
    int run = 0;
    for (int p = from; p <= to; ++p) {
        run = (holds(pos, p, colour) && pos.count[p] >= 2) ? run + 1 : 0;
        best = std::max(best, run);
    }
    return best;
}

// White's estimated chance of winning: the feature differences, each counted for or against
// White, then the state of the two home boards.
double whiteSingleChance(const SideFeatures& w, const SideFeatures& b, int whitePips,
                         int blackPips) {
    const double h = normalizedDifference(w.bar, b.bar);
    const double i = normalizedDifference(w.back, b.back);
    const double k = normalizedDifference(w.outfield, b.outfield);
    const double l = normalizedDifference(w.off, b.off);
    const double m = normalizedDifference(w.exposure, b.exposure);
    const double n = normalizedDifference(w.blockade, b.blockade);
    const double p = normalizedDifference(whitePips, blackPips);

    // Each term that tells the colours apart gets an equal share of the half either side of
    // 0.5, and the home-board term one more share; so the estimate stays within 0..1.
    int j = 8;
    for (double term : {h, i, k, l, m, n, p})
        if (term == 0) --j;
    const double q = 0.5 / j;

    double e = 0.5 - h * q - i * q - k * q + l * q + m * q - n * q - p * q;
    const double r = normalizedDifference(w.home, b.home);
    const bool whiteOutside = w.outside() > 0;
    const bool blackOutside = b.outside() > 0;
    if (whiteOutside && blackOutside)
        e += r * q;
    else if (whiteOutside)
        e -= q;
    else if (blackOutside)
        e += q;
    else
        e -= r * q;  // both bearing in or off: fewer checkers left at home is the better race
    return e;
}

// The gammon chance of a colour whose checkers are all home or off (`own`) against `other`.
double gammonChance(const SideFeatures& own, const SideFeatures& other) {
    if (other.off > 0 || own.outside() > 0) return 0;
    if (own.off == kCheckersPerSide) return 1.0;
    return (own.off - other.home) / 30.0 + 0.5;
}

double backgammonChance(const SideFeatures& own, const SideFeatures& other) {
    const bool otherStuck = other.bar > 0 || other.back > 0;
    if (other.off == 0 && otherStuck && own.home + own.off == kCheckersPerSide)
        return (own.off + other.bar + other.back) / 30.0;
    return 0;
}

std::string percent(double chance) { return std::to_string(std::lround(chance * 100)); }

std::string fixed(double value, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

}  // namespace

SideFeatures whiteFeatures(const Position& pos) {
    SideFeatures f;
    f.bar = pos.barWhite;
    f.back = checkersOn(pos, kWhite, 1, 6);
    f.outfield = checkersOn(pos, kWhite, 7, 18);
    f.home = checkersOn(pos, kWhite, 19, 24);
    f.off = pos.offWhite;
    if (f.bar > 0) {
        // From the bar every point is still ahead.
        f.exposure = blotsOn(pos, kBlack, 1, 24);
        f.blockade = longestRun(pos, kBlack, 1, 24);
        return f;
    }
    for (int p = 1; p <= 23; ++p)
        if (pos.hasWhite(p)) f.exposure = std::max(f.exposure, blotsOn(pos, kBlack, p + 1, 24));
    for (int p = 1; p <= 18; ++p)
        if (pos.hasWhite(p)) f.blockade = std::max(f.blockade, longestRun(pos, kBlack, p + 1, 24));
    return f;
}

SideFeatures blackFeatures(const Position& pos) {
    SideFeatures f;
    f.bar = pos.barBlack;
    f.back = checkersOn(pos, kBlack, 19, 24);
    f.outfield = checkersOn(pos, kBlack, 7, 18);
    f.home = checkersOn(pos, kBlack, 1, 6);
    f.off = pos.offBlack;
    if (f.bar > 0) {
        f.exposure = blotsOn(pos, kWhite, 1, 24);
        f.blockade = longestRun(pos, kWhite, 1, 24);
        return f;
    }
    for (int q = 24; q >= 2; --q)
        if (pos.hasBlack(q)) f.exposure = std::max(f.exposure, blotsOn(pos, kWhite, 1, q - 1));
    for (int q = 24; q >= 7; --q)
        if (pos.hasBlack(q)) f.blockade = std::max(f.blockade, longestRun(pos, kWhite, 1, q - 1));
    return f;
}

double normalizedDifference(double a, double b) {
    if (a == b) return 0;  // also covers both 0
    return (a - b) / (a + b);
}

double cubeIndicator(double singleChance) {
    if (singleChance < 0.5 || singleChance > 0.56) return 0;
    return std::fabs(singleChance - 0.53) * 16;
}

void PositionStats::recompute(const Position& pos, bool cubeEnabled, std::uint8_t cubeValue,
                              std::uint8_t cubeOwnerWhite) {
    previousWhitePips = whitePips;
    previousBlackPips = blackPips;
    previous = current;

    const SideFeatures w = whiteFeatures(pos);
    const SideFeatures b = blackFeatures(pos);
    whitePips = static_cast<std::uint16_t>(whitePipCount(pos));
    blackPips = static_cast<std::uint16_t>(blackPipCount(pos));

    // A colour with nothing left to move has won; its chance is certain whatever the terms say.
    double white = whitePips == 0 ? 1.0 : whiteSingleChance(w, b, whitePips, blackPips);
    const double black = blackPips == 0 ? 1.0 : 1 - white;
    white = 1 - black;
    current.whiteSingle = white;
    current.blackSingle = black;

    current.whiteGammon = gammonChance(w, b);
    current.blackGammon = gammonChance(b, w);
    current.whiteBackgammon = backgammonChance(w, b);
    current.blackBackgammon = backgammonChance(b, w);

    if (!cubeEnabled) {
        current.whiteCube = current.blackCube = 0;
        previous.whiteCube = previous.blackCube = 0;
        return;
    }
    // A colour may double while the cube is centred or its own.
    const bool centred = cubeValue <= 1;
    current.whiteCube = cubeIndicator(white) + (centred || cubeOwnerWhite != 0 ? 0.5 : 0);
    current.blackCube = cubeIndicator(black) + (centred || cubeOwnerWhite == 0 ? 0.5 : 0);
}

void PositionStats::resetForNewGame() {
    whitePips = kStartingPips;
    blackPips = kStartingPips;
}

BoardCounters boardCounters(const Position& pos, int whitePips, int blackPips, bool showBorneOff,
                            bool showPipCount) {
    BoardCounters c;
    // A single checker on the bar is plain to see; the number helps only for a stack.
    if (pos.barWhite >= 2) c.barTop = std::to_string(pos.barWhite);
    if (pos.barBlack >= 2) c.barBottom = std::to_string(pos.barBlack);
    if (showBorneOff) {
        if (pos.offWhite > 0) c.offBottomRight = std::to_string(pos.offWhite);
        if (pos.offBlack > 0) c.offTopRight = std::to_string(pos.offBlack);
    }
    if (showPipCount) {
        c.pipTopRight = std::to_string(blackPips);
        c.pipBottomRight = std::to_string(whitePips);
    }
    return c;
}

std::array<StatRow, 10> statRows(const PositionStats& stats, const RollStats& white,
                                 const RollStats& black) {
    const PositionEstimates& now = stats.current;
    const PositionEstimates& before = stats.previous;
    auto equity = [](const PositionEstimates& e, bool ofWhite) {
        return ofWhite ? e.whiteSingle + e.whiteGammon + e.whiteBackgammon
                       : e.blackSingle + e.blackGammon + e.blackBackgammon;
    };
    auto num = [](int n) { return std::to_string(n); };
    return {{
        {" Chances <single>", percent(now.whiteSingle), percent(now.blackSingle),
         percent(before.whiteSingle), percent(before.blackSingle)},
        {" Chances <double>", percent(now.whiteGammon), percent(now.blackGammon),
         percent(before.whiteGammon), percent(before.blackGammon)},
        {" Chances <triple>", percent(now.whiteBackgammon), percent(now.blackBackgammon),
         percent(before.whiteBackgammon), percent(before.blackBackgammon)},
        {" Game turns", num(white.rolls), num(black.rolls), "", ""},
        {" Average dice", fixed(white.averageDie, 3), fixed(black.averageDie, 3), "", ""},
        {" Equal dice", num(white.doubles), num(black.doubles), "", ""},
        {" Game equity", fixed(equity(now, true), 2), fixed(equity(now, false), 2),
         fixed(equity(before, true), 2), fixed(equity(before, false), 2)},
        {" Cube equity", fixed(now.whiteCube, 2), fixed(now.blackCube, 2),
         fixed(before.whiteCube, 2), fixed(before.blackCube, 2)},
        {" Pips", num(stats.whitePips), num(stats.blackPips), num(stats.previousWhitePips),
         num(stats.previousBlackPips)},
        {" Maximum pips", num(white.maximumPips()), num(black.maximumPips()), "", ""},
    }};
}

PipGraph pipGraph(const RollStats& white, const RollStats& black) {
    PipGraph graph;
    if (white.rolls < 3 || black.rolls < 3) return graph;

    const int most = std::max<int>({white.maximumPips(), black.maximumPips(), 1});
    // Short games are stretched: wider steps while the later part of both histories is empty.
    auto bothEmptyAt = [&](int entry) {
        return white.pipHistory[entry] == 0 && black.pipHistory[entry] == 0;
    };
    int step = 1;
    if (bothEmptyAt(330)) step = 2;
    if (bothEmptyAt(165)) step = 4;
    if (bothEmptyAt(82)) step = 8;

    auto line = [&](const RollStats& stats) {
        std::vector<GraphPoint> points;
        const int n = std::min<int>(stats.rolls, (PipGraph::kWidth - 2) / step);
        for (int k = 1; k <= n; ++k)
            points.push_back({step * (k - 1) + 1, 179 - stats.pipHistory[k] * 178 / most});
        return points;
    };
    graph.black = line(black);
    graph.white = line(white);
    return graph;
}

std::vector<ScoreRow> scoreTable(const Options& options, const Scores& scores) {
    if (options.matchPlay)
        return {{"Match", std::to_string(scores.whiteMatchScore),
                 std::to_string(scores.blackMatchScore)},
                {"Total", std::to_string(scores.whiteMatchesWon),
                 std::to_string(scores.blackMatchesWon)}};
    return {{"Score", std::to_string(scores.whitePointsTotal),
             std::to_string(scores.blackPointsTotal)},
            {"Games", std::to_string(scores.whiteGamesWon), std::to_string(scores.blackGamesWon)}};
}

Message scoreMessage(const Options& options, const Scores& scores) {
    Message m;
    m.kind = MessageKind::Result;
    m.line1 = options.matchPlay ? "MATCHES SCORE" : "GAMES SCORE";
    m.table = scoreTable(options, scores);
    m.yesNo = false;
    m.timeout = 50;
    return m;
}

}  // namespace lumaro
