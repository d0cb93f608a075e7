#include <gtest/gtest.h>

#include "game/PositionStats.h"

using namespace lumaro;

namespace {

void put(Position& pos, int p, int n, Byte colour) {
    pos.count[p] = static_cast<Byte>(n);
    pos.colour[p] = colour;
}

void expectFeatures(const SideFeatures& f, std::array<int, 7> expected) {
    EXPECT_EQ((std::array<int, 7>{f.bar, f.back, f.outfield, f.home, f.off, f.exposure, f.blockade}),
              expected);
}

// White at 9 and 19; Black: a prime on 2..5 behind White, a point pair 11-12 ahead, blots 1, 15, 22.
Position primeBehindWhite() {
    Position pos;
    put(pos, 9, 1, kWhite);
    put(pos, 19, 2, kWhite);
    for (int p = 2; p <= 5; ++p) put(pos, p, 2, kBlack);
    put(pos, 11, 2, kBlack);
    put(pos, 12, 2, kBlack);
    for (int p : {1, 15, 22}) put(pos, p, 1, kBlack);
    return pos;
}

using Cells = std::array<std::string, 3>;
Cells cells(const ScoreRow& row) { return {row.label, row.white, row.black}; }

PositionStats statsOf(const Position& pos, bool cubeEnabled = true, Byte cubeValue = 1,
                      Byte owner = 0) {
    PositionStats s;
    s.recompute(pos, cubeEnabled, cubeValue, owner);
    return s;
}

}  // namespace

TEST(PositionFeatures, StartingPosition) {
    const Position start = startingPosition();
    expectFeatures(whiteFeatures(start), {0, 2, 8, 5, 0, 0, 1});
    expectFeatures(blackFeatures(start), {0, 2, 8, 5, 0, 0, 1});
    EXPECT_EQ(whitePipCount(start), 167);
    EXPECT_EQ(blackPipCount(start), 167);
}

TEST(PositionFeatures, ExposureAndBlockadeCountOnlyWhatLiesAheadUnlessOnTheBar) {
    Position pos = primeBehindWhite();
    expectFeatures(whiteFeatures(pos), {0, 0, 1, 2, 0, 2, 2});
    pos.barWhite = 1;  // from the bar the blot on 1 and the prime on 2..5 are ahead as well
    expectFeatures(whiteFeatures(pos), {1, 0, 1, 2, 0, 3, 4});

    // A White point above 18 does not see the prime; one above 23 sees no blot.
    Position late;
    put(late, 19, 1, kWhite);
    put(late, 24, 1, kWhite);
    put(late, 21, 2, kBlack);
    put(late, 22, 2, kBlack);
    put(late, 23, 1, kBlack);
    EXPECT_EQ(whiteFeatures(late).blockade, 0);
    EXPECT_EQ(whiteFeatures(late).exposure, 1);
}

TEST(PositionFeatures, BlackIsWhiteMirrored) {
    Position late;
    put(late, 19, 1, kWhite);
    put(late, 21, 2, kBlack);
    put(late, 22, 2, kBlack);
    Position onBar = primeBehindWhite();
    onBar.barWhite = 2;
    onBar.offBlack = 3;
    for (const Position& pos : {startingPosition(), primeBehindWhite(), onBar, late}) {
        const SideFeatures w = whiteFeatures(pos);
        const SideFeatures b = blackFeatures(mirrored(pos));
        expectFeatures(b, {w.bar, w.back, w.outfield, w.home, w.off, w.exposure, w.blockade});
        EXPECT_EQ(blackPipCount(mirrored(pos)), whitePipCount(pos));

        const PositionEstimates e = statsOf(pos).current;
        const PositionEstimates m = statsOf(mirrored(pos)).current;
        EXPECT_DOUBLE_EQ(m.blackSingle, e.whiteSingle);
        EXPECT_DOUBLE_EQ(m.blackGammon, e.whiteGammon);
        EXPECT_DOUBLE_EQ(m.blackBackgammon, e.whiteBackgammon);
    }
}

TEST(PositionFeatures, PipCountsIncludeTheBar) {
    Position pos;
    pos.barWhite = 1;
    put(pos, 20, 2, kWhite);
    pos.barBlack = 2;
    put(pos, 3, 1, kBlack);
    EXPECT_EQ(whitePipCount(pos), 25 + 2 * 5);
    EXPECT_EQ(blackPipCount(pos), 50 + 3);
}

TEST(PositionEstimates, EvenStartAndTheHomeBoardTerm) {
    const PositionStats start = statsOf(startingPosition());
    EXPECT_DOUBLE_EQ(start.current.whiteSingle, 0.5);
    EXPECT_DOUBLE_EQ(start.current.whiteCube, 0.98);  // 0.03 x 16 + 0.5 for the centred cube

    // Both all home, nothing off: only the race (25 against 20 pips) counts, with Q = 1/4.
    Position race;
    put(race, 22, 5, kWhite);
    put(race, 24, 10, kWhite);
    put(race, 1, 10, kBlack);
    put(race, 2, 5, kBlack);
    PositionEstimates e = statsOf(race).current;
    EXPECT_NEAR(e.whiteSingle, 0.5 - 0.25 / 9, 1e-12);
    EXPECT_NEAR(e.whiteSingle + e.blackSingle, 1.0, 1e-12);
    EXPECT_DOUBLE_EQ(e.whiteGammon, 0);  // Black's 15 at home outweigh White's 0 off

    // White bears off 3: the off term, the pip term (22 v 20) and the home term R = -1/9, Q = 1/6.
    put(race, 24, 7, kWhite);
    race.offWhite = 3;
    e = statsOf(race).current;
    EXPECT_NEAR(e.whiteSingle, 0.5 + (1 - 1.0 / 21 + 1.0 / 9) / 6, 1e-12);
    EXPECT_NEAR(e.whiteGammon, (3 - 15) / 30.0 + 0.5, 1e-12);
    EXPECT_DOUBLE_EQ(e.blackGammon, 0);  // White has borne off

    // Only White still has a checker outside its home board: one share against White.
    Position straggler;
    put(straggler, 10, 1, kWhite);
    put(straggler, 24, 14, kWhite);
    put(straggler, 1, 14, kBlack);
    put(straggler, 2, 1, kBlack);
    e = statsOf(straggler).current;
    EXPECT_NEAR(e.whiteSingle, 0.5 - (1 + 13.0 / 45) / 6 - 1.0 / 6, 1e-12);
}

TEST(PositionEstimates, AllOffIsCertainAndGammonsNeedTheLoserWithNothingOff) {
    Position pos;
    pos.offWhite = 15;
    put(pos, 1, 14, kBlack);
    pos.barBlack = 1;
    PositionEstimates e = statsOf(pos).current;
    EXPECT_EQ(e.whiteSingle, 1.0);
    EXPECT_EQ(e.blackSingle, 0.0);
    EXPECT_EQ(e.whiteGammon, 1.0);
    EXPECT_NEAR(e.whiteBackgammon, 16 / 30.0, 1e-12);

    pos.barBlack = 0;
    pos.offBlack = 1;
    e = statsOf(pos).current;
    EXPECT_EQ(e.whiteGammon, 0.0);
    EXPECT_EQ(e.whiteBackgammon, 0.0);

    const PositionEstimates m = statsOf(mirrored(pos)).current;
    EXPECT_EQ(m.blackSingle, 1.0);
    EXPECT_EQ(m.whiteSingle, 0.0);
}

TEST(PositionEstimates, BackgammonChanceWhileStillBearingIn) {
    Position pos;
    put(pos, 19, 15, kWhite);
    pos.barBlack = 1;
    put(pos, 24, 2, kBlack);
    put(pos, 7, 2, kBlack);
    put(pos, 1, 10, kBlack);
    const PositionEstimates e = statsOf(pos).current;
    EXPECT_NEAR(e.whiteBackgammon, 3 / 30.0, 1e-12);
    EXPECT_NEAR(e.whiteGammon, (0 - 10) / 30.0 + 0.5, 1e-12);
    EXPECT_EQ(e.blackBackgammon, 0.0);
}

TEST(PositionEstimates, CubeIndicator) {
    EXPECT_NEAR(cubeIndicator(0.5), 0.48, 1e-12);
    EXPECT_NEAR(cubeIndicator(0.53), 0.0, 1e-12);
    EXPECT_NEAR(cubeIndicator(0.56), 0.48, 1e-12);
    EXPECT_EQ(cubeIndicator(0.4999), 0.0);
    EXPECT_EQ(cubeIndicator(0.5601), 0.0);

    const Position start = startingPosition();
    PositionStats held = statsOf(start, true, 2, 1);
    EXPECT_NEAR(held.current.whiteCube, 0.98, 1e-12);
    EXPECT_NEAR(held.current.blackCube, 0.48, 1e-12);
    held = statsOf(start, true, 4, 0);
    EXPECT_NEAR(held.current.whiteCube, 0.48, 1e-12);
    EXPECT_NEAR(held.current.blackCube, 0.98, 1e-12);

    // Without the cube even the values kept from before are cleared.
    held.recompute(start, false, 1, 0);
    EXPECT_EQ(held.current.whiteCube, 0.0);
    EXPECT_EQ(held.current.blackCube, 0.0);
    EXPECT_EQ(held.previous.whiteCube, 0.0);
    EXPECT_EQ(held.previous.blackCube, 0.0);
}

TEST(PositionStats, KeepsTheValuesOfOneRecomputationEarlier) {
    PositionStats s;  // start-up: even chances, no pips
    s.recompute(startingPosition(), true, 1, 0);
    EXPECT_EQ(s.previousWhitePips, 0);
    EXPECT_EQ(s.previous.whiteSingle, 0.5);
    EXPECT_EQ(s.previous.whiteCube, 0.5);

    Position moved = startingPosition();
    put(moved, 1, 1, kWhite);
    put(moved, 4, 1, kWhite);  // leaves a blot on each
    s.recompute(moved, true, 1, 0);
    EXPECT_EQ(s.previousWhitePips, 167);
    EXPECT_EQ(s.whitePips, 164);
    EXPECT_EQ(s.previous.whiteSingle, 0.5);
    EXPECT_NE(s.current.whiteSingle, 0.5);

    s.resetForNewGame();
    EXPECT_EQ(s.whitePips, 167);
    EXPECT_EQ(s.blackPips, 167);
}

TEST(PositionDisplay, BoardCounters) {
    Position pos;
    pos.barWhite = 1;
    pos.barBlack = 2;
    pos.offWhite = 3;
    BoardCounters c = boardCounters(pos, 40, 55, true, true);
    EXPECT_EQ(c.barTop, "");
    EXPECT_EQ(c.barBottom, "2");
    EXPECT_EQ(c.offBottomRight, "3");
    EXPECT_EQ(c.offTopRight, "");
    EXPECT_EQ(c.pipTopRight, "55");
    EXPECT_EQ(c.pipBottomRight, "40");

    pos.barWhite = 2;
    pos.barBlack = 1;
    c = boardCounters(pos, 40, 55, false, false);
    EXPECT_EQ(c.offBottomRight, "");
    EXPECT_EQ(c.pipTopRight, "");
    EXPECT_EQ(c.barTop, "2");
    EXPECT_EQ(c.barBottom, "");
}

TEST(PositionDisplay, StatRows) {
    PositionStats s = statsOf(startingPosition());
    s.recompute(startingPosition(), true, 2, 1);
    RollStats white, black;
    white.countRoll(3, 5, 167);
    white.countRoll(6, 6, 160);
    black.countRoll(2, 1, 167);

    const auto rows = statRows(s, white, black);
    EXPECT_EQ(rows[0], (StatRow{" Chances <single>", "50", "50", "50", "50"}));
    EXPECT_EQ(rows[3], (StatRow{" Game turns", "2", "1", "", ""}));
    EXPECT_EQ(rows[4], (StatRow{" Average dice", "5.000", "1.500", "", ""}));
    EXPECT_EQ(rows[5], (StatRow{" Equal dice", "1", "0", "", ""}));
    EXPECT_EQ(rows[6], (StatRow{" Game equity", "0.50", "0.50", "0.50", "0.50"}));
    EXPECT_EQ(rows[7], (StatRow{" Cube equity", "0.98", "0.48", "0.98", "0.98"}));
    EXPECT_EQ(rows[8], (StatRow{" Pips", "167", "167", "167", "167"}));
    EXPECT_EQ(rows[9], (StatRow{" Maximum pips", "167", "167", "", ""}));

    // Percentages round to the nearest: White 0.677 single and 0.1 gammon, as in the race above.
    Position race;
    put(race, 22, 5, kWhite);
    put(race, 24, 7, kWhite);
    race.offWhite = 3;
    put(race, 1, 10, kBlack);
    put(race, 2, 5, kBlack);
    const auto raceRows = statRows(statsOf(race), white, black);
    EXPECT_EQ(raceRows[0][1], "68");
    EXPECT_EQ(raceRows[0][2], "32");
    EXPECT_EQ(raceRows[6][1], "0.78");
}

TEST(PositionDisplay, PipGraph) {
    RollStats white, black;
    for (int pips : {167, 150}) {
        white.countRoll(1, 2, pips);
        black.countRoll(1, 2, pips);
    }
    EXPECT_TRUE(pipGraph(white, black).white.empty());  // two rolls each are not enough

    white.countRoll(1, 2, 100);
    black.countRoll(1, 2, 120);
    PipGraph g = pipGraph(white, black);  // short game: 8 pixels a roll, scaled to 167
    EXPECT_EQ(g.white, (std::vector<GraphPoint>{{1, 1}, {9, 20}, {17, 73}}));
    EXPECT_EQ(g.black, (std::vector<GraphPoint>{{1, 1}, {9, 20}, {17, 52}}));

    for (int r = 4; r <= 100; ++r) white.countRoll(1, 2, 90);
    g = pipGraph(white, black);  // one colour past entry 82: 4 pixels a roll for both
    EXPECT_EQ(g.white.size(), 100u);
    EXPECT_EQ(g.white.back(), (GraphPoint{397, 84}));
    EXPECT_EQ(g.black.back(), (GraphPoint{9, 52}));

    for (int r = 101; r <= 200; ++r) white.countRoll(1, 2, 90);
    EXPECT_EQ(pipGraph(white, black).white.back().x, 2 * 199 + 1);  // past 165: 2 pixels a roll

    for (int r = 201; r <= 700; ++r) white.countRoll(1, 2, 90);
    g = pipGraph(white, black);  // a full history: 1 pixel a roll, cut at the picture's edge
    EXPECT_EQ(g.white.size(), 659u);
    EXPECT_EQ(g.white.back().x, 659);
}

TEST(PositionDisplay, ScoreMessage) {
    Options options;
    Scores scores;
    scores.whiteMatchScore = 3;
    scores.blackMatchesWon = 2;
    scores.whitePointsTotal = 70000;
    scores.blackGamesWon = 12;

    Message m = scoreMessage(options, scores);
    EXPECT_EQ(m.kind, MessageKind::Result);
    EXPECT_FALSE(m.yesNo);
    EXPECT_EQ(m.timeout, 50);
    EXPECT_EQ(m.line1, "GAMES SCORE");
    EXPECT_EQ(m.line2, "");
    ASSERT_EQ(m.table.size(), 2u);
    EXPECT_EQ(cells(m.table[0]), (Cells{"Score", "70000", "0"}));
    EXPECT_EQ(cells(m.table[1]), (Cells{"Games", "0", "12"}));

    options.matchPlay = true;
    m = scoreMessage(options, scores);
    EXPECT_EQ(m.line1, "MATCHES SCORE");
    EXPECT_EQ(cells(m.table[0]), (Cells{"Match", "3", "0"}));
    EXPECT_EQ(cells(m.table[1]), (Cells{"Total", "0", "2"}));
}
