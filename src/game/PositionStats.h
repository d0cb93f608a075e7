#pragma once
// The pip counts and the rough chances shown to the players: recomputed after every change of the
// position, kept beside their values one recomputation earlier, and laid out for the board
// counters, the statistics window, its pip graph and the score box. For display only; the
// computer player judges positions on its own.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "rules/Position.h"
#include "game/Options.h"
#include "game/RollStats.h"
#include "game/Scores.h"
#include "game/Screen.h"

namespace lumaro {

// Where one colour's checkers are and how it stands against the other colour, in checkers.
struct SideFeatures {
    int bar = 0;
    int back = 0;      // in the opponent's home board
    int outfield = 0;  // points 7 to 18
    int home = 0;      // in its own home board
    int off = 0;
    int exposure = 0;  // opposing blots this colour could still reach
    int blockade = 0;  // longest opposing prime still in front of this colour

    int outside() const { return bar + back + outfield; }
};

SideFeatures whiteFeatures(const Position& pos);
SideFeatures blackFeatures(const Position& pos);

// (a - b) / (a + b), and 0 when they are equal or both 0.
double normalizedDifference(double a, double b);

struct PositionEstimates {
    double whiteSingle = 0.5;
    double blackSingle = 0.5;
    double whiteGammon = 0;
    double blackGammon = 0;
    double whiteBackgammon = 0;
    double blackBackgammon = 0;
    double whiteCube = 0.5;
    double blackCube = 0.5;
};

// One colour's cube indicator before the cube's place is counted: |s - 0.53| x 16 while its single
// chance s lies in 0.5..0.56, otherwise 0. recompute adds 0.5 for a colour that may double.
double cubeIndicator(double singleChance);

// Pip counts and estimates of the position on the board, with the values before the last
// recomputation (the statistics window shows both).
struct PositionStats {
    static constexpr std::uint16_t kStartingPips = 167;

    std::uint16_t whitePips = 0;
    std::uint16_t blackPips = 0;
    std::uint16_t previousWhitePips = 0;
    std::uint16_t previousBlackPips = 0;
    PositionEstimates current;
    PositionEstimates previous;

    std::uint16_t pipsOf(Side side) const { return side == Side::White ? whitePips : blackPips; }

    // After every change of the position. The cube owner counts only when cubeValue > 1.
    void recompute(const Position& pos, bool cubeEnabled, std::uint8_t cubeValue,
                   std::uint8_t cubeOwnerWhite);
    // At the start of every game; the game clears the two RollStats beside it.
    void resetForNewGame();
};

// The texts of the counters around the board; an empty text hides the counter.
struct BoardCounters {
    std::string barTop;          // White's checkers on the bar
    std::string barBottom;       // Black's checkers on the bar
    std::string offBottomRight;  // White's borne-off checkers
    std::string offTopRight;     // Black's borne-off checkers
    std::string pipTopRight;     // Black's pip count
    std::string pipBottomRight;  // White's pip count
};

BoardCounters boardCounters(const Position& pos, int whitePips, int blackPips, bool showBorneOff,
                            bool showPipCount);

// The statistics grid: a label, then WHITE, BLACK, WHITE-, BLACK- (current, then previous).
using StatRow = std::array<std::string, 5>;
inline const StatRow kStatHeadings{"", "WHITE", "BLACK", "WHITE-", "BLACK-"};
std::array<StatRow, 10> statRows(const PositionStats& stats, const RollStats& white,
                                 const RollStats& black);

// The pip graph under the grid: one polyline per colour in pixels of the 661 by 181 picture,
// Black drawn first. Both are empty until each colour has rolled three times.
struct GraphPoint {
    int x = 0;
    int y = 0;
    bool operator==(const GraphPoint&) const = default;
};
struct PipGraph {
    static constexpr int kWidth = 661;
    static constexpr int kHeight = 181;
    std::vector<GraphPoint> black;
    std::vector<GraphPoint> white;
};
PipGraph pipGraph(const RollStats& white, const RollStats& black);

// The two rows under the WHITE and BLACK headings of a score box: "Match" and "Total" in match
// play, "Score" and "Games" in single games.
std::vector<ScoreRow> scoreTable(const Options& options, const Scores& scores);
// The SCORE box: the running match or single-game totals.
Message scoreMessage(const Options& options, const Scores& scores);

}  // namespace lumaro
