#pragma once
// The hint for the game in play, on the Master's evaluation: while White is to play a roll, its
// plays ranked by the Master's search (cubeless equity, points a game with gammons counted); before
// White rolls, the Master's cube decision; while a double waits for White's answer, take or pass.
// It reads the game and changes nothing.
#include <memory>
#include <string>
#include <vector>

#include "ai/MasterSearch.h"
#include "rules/PlayGenerator.h"

namespace lumaro {

class Game;
class MasterCube;

struct HintLine {
    std::string play;        // as players write it, from White's side: "24/18 13/10"
    double equity = 0;       // cubeless money equity for White
    double difference = 0;   // to the best play (0 for the best, negative below it)
    bool deeper = false;     // looked at beyond the play itself (the rolls after it)
};

// One of the cube advice's equities: "No double", "Double/take", "Double/pass", or "Take", "Pass".
struct HintFigure {
    std::string label;
    double equity = 0;
};

struct Hint {
    enum class Kind { Unavailable, Plays, Cube };
    Kind kind = Kind::Unavailable;
    std::string title;
    std::vector<HintLine> plays;       // best first
    Play bestPlay{};                   // in the board's points for White; no step when White cannot move
    std::vector<std::string> lines;    // the cube advice in words, or why there is no hint now
    std::vector<HintFigure> figures;   // the cube advice's figures, for White
    bool figuresAreChances = false;    // chances of winning the match rather than equities
    std::string figuresUnit;           // what the figures count, as a sentence under them
};

class HintAdvisor {
public:
    // The depth of the full hint: the opponent's 21 rolls and our 21 after each.
    static constexpr int kDepth = 2;
    // How many plays the full hint looks at that deeply (as many as the plate lists).
    static constexpr int kPlaysLookedAt = 5;

    HintAdvisor();
    ~HintAdvisor();
    // `depth` 0 is at once (every play scored as it stands); 1 and 2 look one and two rolls
    // further and take longer.
    Hint hintFor(const Game& game, int depth);

private:
    Hint playsOfWhite(const Game& game, int depth);
    Hint cubeAdvice(const Game& game);

    std::unique_ptr<MasterSearch> search_;
    std::unique_ptr<MasterCube> cube_;
};

// The Master's plays of `mover`'s roll from `start`, best first, with the best `lookedAt` of them
// all at `depth` (those the search's filters left shallower are looked at again), then the rest
// as the search left them. The plays are the mover's seen as Black (`frame`).
struct DeepRanking {
    Position frame;
    std::vector<MasterPlay> plays;
    int listed = 0;  // how many of the first plays have the same depth and compare
};
DeepRanking rankDeeply(MasterSearch& search, const NeuralNets* nets, const Position& start, Side mover, Byte dieA,
                       Byte dieB, int depth, int lookedAt);

// The steps of `side`'s `play` from the turn's start, as (from, to) pairs of logical points (0 the
// bar, 25 the tray) for the marks on the board.
std::vector<std::pair<int, int>> stepsOfPlay(const Position& start, const Play& play, Side side = Side::White);

}  // namespace lumaro
