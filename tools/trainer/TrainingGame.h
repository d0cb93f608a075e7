#pragma once
// One game of self-play for training: each side in turn, seen as Black, plays the legal play whose
// after-state the networks score highest (1-ply, greedy, the game's own result for a play that
// wins), and the game's TD(lambda) weight changes are added up with the weights held fixed.
#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "Nets.h"
#include "TdTrace.h"
#include "rules/PlayGenerator.h"

namespace lumaro::train {

struct TdSettings {
    float lambda = 0.7f;
    // true: the output means the expected points of the game / 3 (a gammon is worth 2/3);
    // false: 2 x the chance of winning - 1.
    bool equity = true;
    // The chance of playing a random legal play instead of the best, for exploration.
    double explore = 0.0;
    // true: learning steps move the weights of inputs at -1 too (the plain gradient for the input
    // layer). Measured: it learns far faster than leaving them alone.
    bool offInputsLearn = true;
    // The share of an input-weight step kept along the direction in which every input moves alike.
    // Almost every input is -1 in almost every position, so that direction takes a step about 196
    // times larger than any other and caps the learning rate; at 1 the step is the plain gradient.
    // Any share in (0, 1] still descends.
    float commonShare = 1.0f;
    // Each after-state learns the value one roll ahead, averaged over the opponent's 21 rolls with
    // the opponent's best play for each (see TdTrace), instead of TD(lambda) along the game. About
    // twenty times the work a ply; meant for refining trained networks.
    bool lookahead = false;
};

// The value of a finished game for the side that bore off last.
float resultValue(int points, bool equity);

struct GameSummary {
    int plies = 0;
    int points = 0;  // for the side that moved first: +1..+3 or -1..-3; 0 for an endless game
    bool endedInRace = false;  // stopped when contact was gone, the race estimate as its result
};

// Scratch of one thread: the trace and the candidate lists, allocated once.
struct GameWork {
    explicit GameWork(const TdSettings& settings)
        : trace(settings.lambda, settings.offInputsLearn, settings.commonShare) {}
    TdTrace trace;
    GeneratorWorkArea area;
    std::vector<Position> candidates;
    std::vector<std::uint64_t> keys;
    std::vector<Position> reached;  // every step the generator records, with (hash, pips used)
    std::vector<std::pair<std::uint64_t, int>> reachedKeys;
    // The position before the roll, encoded, and each network's hidden sums for it (computed
    // when a candidate first needs that network): candidates are scored from them.
    std::array<float, kInputs> baseX{};
    std::array<std::array<float, 256>, 3> baseSums{};
    std::array<bool, 3> baseReady{};
};

// The distinct positions black can reach from `pos` with dieA-dieB (plays using the most pips),
// into work.candidates; empty when no play is legal.
void legalAfterStates(const Position& pos, Byte dieA, Byte dieB, GameWork& work);

// A scored after-state with the forward pass that scored it.
struct Scored {
    std::array<float, kInputs> x{};
    std::array<float, 256> hidden{};
    float y = 0;
    int which = 1;
    bool final = false;  // black has borne off its last checker: y is the result itself
    bool raceEstimate = false;  // no contact, scored by the race estimate: the game ends here in training
};

// Scores `pos` (after black's move, white to roll) for black. The networks start from work's base
// sums, which belong to work.baseX (set baseReady to false whenever baseX changes). A finished game
// scores its result, and a race is scored by the race estimate when nets.racesByAnalysis says so.
void score(const Nets& nets, const Position& pos, bool equity, GameWork& work, Scored& s);

// The value of `after` (a position after black's move, white to roll) one roll ahead, from
// black's side: minus white's best after-state value for each roll, averaged over the 36 rolls.
// Uses work's candidate lists and base sums.
float lookaheadValue(const Nets& nets, const Position& after, bool equity, GameWork& work);

// Plays training game number `game` of the run seeded `seed`; the same numbers give the same game.
// When nets.racesByAnalysis scores races (no race network), the game stops at the first play that
// leaves no contact and learns the race estimate as its result, as the game values such a play.
GameSummary playTrainingGame(const Nets& nets, const TdSettings& settings, std::uint64_t seed, std::uint64_t game,
                             GameWork& work, WeightChanges& changes);

}  // namespace lumaro::train
