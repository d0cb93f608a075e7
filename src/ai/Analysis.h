#pragma once
// The hand-written analysis: the score of a position for the side whose play is scored (own).
// Higher is better for that side. All divisions round toward zero.
#include <cstdint>

#include "ai/Features.h"
#include "ai/Level.h"

namespace lumaro {

// The options that shape the computer's judgement.
struct AnalysisSettings {
    Level computerLevel = Level::Beginner;
    std::int8_t attackSlider = 0;    // -2..2
    std::int8_t riskSlider = 0;
    std::int8_t strategySlider = 0;
    bool normalNet = true;           // false: the aggressive bonus at level 3
    bool slowThinking = false;       // level 2 looks at White's doubles too
};

enum class AnalysisVariant {
    Computer,  // black's candidate plays
    Player,    // white's candidates when the computer plays White's roll (MOVE)
    Reply,     // white's replies in the look-ahead: fixed weights, category 0, no pip terms
};

// A slider of -2..2 scales a term by 1/3, 1/2, 1, 2 or 3.
int scaleBySlider(int c, int slider);

// The heuristic score of `pos` for black (or white) with the given variant. `category` is the
// side's race category for the turn; the pip counts are those of the real board at the start
// of the turn.
int heuristicScore(const Position& pos, bool black, AnalysisVariant variant, int category, int ownPips, int opponentPips,
                   const AnalysisSettings& settings);

// The same with the side's features already computed.
int heuristicScoreWith(const Position& pos, const PositionFeatures& own, bool black, AnalysisVariant variant,
                       int category, int ownPips, int opponentPips, const AnalysisSettings& settings);

// Level 3, "Aggressive": 1000 when white is on the bar and has at most one more exposed blot.
int aggressiveBonus(const Position& pos);

}  // namespace lumaro
