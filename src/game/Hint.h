#pragma once
// The hint for the game in play: while White is to play a roll, its plays ranked by the Expert's
// networks (one roll deeper at depth 1); before White rolls, the cube advice; while a double waits
// for White's answer, take or pass. It reads the game and changes nothing.
#include <memory>
#include <string>
#include <vector>

#include "rules/PlayGenerator.h"

namespace lumaro {

class Game;
class PlayRanking;
class CubeAdvisor;

struct HintLine {
    std::string play;        // as players write it, from White's side: "24/18 13/10"
    double equity = 0;       // cubeless money equity for White
    double difference = 0;   // to the best play (0 for the best, negative below it)
    bool deeper = false;     // looked at one roll deeper
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
    std::vector<HintFigure> figures;   // the cube advice's equities, for White
    std::string figuresUnit;           // what the figures count: "per point of the cube now"
};

class HintAdvisor {
public:
    HintAdvisor();
    ~HintAdvisor();
    // `depth` 0 is at once; 1 looks at the opponent's 21 rolls and takes longer.
    Hint hintFor(const Game& game, int depth);

private:
    Hint playsOfWhite(const Game& game, int depth);
    Hint cubeAdvice(const Game& game, int depth);

    std::unique_ptr<PlayRanking> ranking_;
    std::unique_ptr<CubeAdvisor> cube_;
};

// The steps of `side`'s `play` from the turn's start, as (from, to) pairs of logical points (0 the
// bar, 25 the tray) for the marks on the board.
std::vector<std::pair<int, int>> stepsOfPlay(const Position& start, const Play& play, Side side = Side::White);

}  // namespace lumaro
