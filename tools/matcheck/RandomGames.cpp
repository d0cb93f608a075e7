// lumaro-matgen: random legal games with random cube actions and resignations, recorded through the
// game's recorder and written as .mat files (and .sgf with --sgf), with a plain account of what was
// played beside each file (FILE.truth) for tools/check-mat-with-gnubg.sh and
// tools/check-sgf-with-gnubg.sh to compare with what GNU Backgammon reads.
//
//   lumaro-matgen --out FILE --seed S (--money GAMES | --match LENGTH) [--sgf FILE.sgf]
//                 [--jacoby] [--no-cube] [--no-crawford] [--setups PERCENT]
//
// --setups starts that share of the games from a random set-up position (as LOAD and pasted IDs
// do), which only the .sgf file holds. The account, one line each: "G number matchLength
// blackScore whiteScore crawford jacoby cube crawfordRule", "S side dieA dieB cube owner board" a
// set-up (dice 0 0: still to roll; owner -1 centred), "R side dieA dieB board" after a roll's play
// (side 0 Black, 1 White; board: points 1..24 of the game's numbering, + White / - Black, then
// White's and Black's bar and tray), "D side" a double, "T side" a take, "P side" a drop, "X side"
// a resignation, "W winner points kind" the result (kind 1 single, 2 gammon, 3 backgammon, as
// the board or the resignation has it; the points count it as a single under the Jacoby rule).
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "rules/StepTests.h"
#include "game/GameEnd.h"
#include "game/MatchRecord.h"
#include "persistence/MatFile.h"
#include "persistence/SgfFile.h"

using namespace lumaro;

namespace {

struct LogicalStep {
    int from;
    int die;
};
using Sequence = std::vector<LogicalStep>;

// Every way to play the dice step by step, from the bar first when a checker is there.
void walk(const Position& pos, Side side, std::vector<int> dice, Sequence& path, std::vector<Sequence>& out) {
    bool moved = false;
    for (std::size_t k = 0; k < dice.size(); ++k) {
        if (k > 0 && dice[k] == dice[k - 1]) continue;
        const int die = dice[k];
        const bool onBar = (side == Side::White ? pos.barWhite : pos.barBlack) > 0;
        for (int from = 0; from <= (onBar ? 0 : 24); ++from) {
            const Byte result = stepResult(pos, side, from, die);
            if (result == kStepImpossible) continue;
            Position next = pos;
            applyStep(next, side, from, result);
            std::vector<int> rest = dice;
            rest.erase(rest.begin() + static_cast<long>(k));
            path.push_back({from, die});
            walk(next, side, rest, path, out);
            path.pop_back();
            moved = true;
        }
    }
    if (!moved) out.push_back(path);
}

// The legal plays: as many dice as can be played; when only one of two can, the higher if it can.
std::vector<Sequence> legalPlays(const Position& pos, Side side, int a, int b) {
    std::vector<int> dice = a == b ? std::vector<int>{a, a, a, a} : std::vector<int>{std::max(a, b), std::min(a, b)};
    std::vector<Sequence> all;
    Sequence path;
    walk(pos, side, dice, path, all);
    std::size_t most = 0;
    for (const Sequence& s : all) most = std::max(most, s.size());
    std::vector<Sequence> legal;
    for (const Sequence& s : all)
        if (s.size() == most) legal.push_back(s);
    if (most == 1 && a != b) {
        std::vector<Sequence> higher;
        for (const Sequence& s : legal)
            if (s[0].die == std::max(a, b)) higher.push_back(s);
        if (!higher.empty()) legal = higher;
    }
    return legal;
}

int sideNumber(Side side) { return side == Side::White ? 1 : 0; }

std::string boardText(const Position& pos) {
    std::string text;
    for (int p = 1; p <= 24; ++p) {
        const int n = pos.count[p];
        text += std::to_string(n == 0 ? 0 : pos.colour[p] == kWhite ? n : -n) + ' ';
    }
    text += std::to_string(pos.barWhite) + ' ' + std::to_string(pos.barBlack) + ' ' + std::to_string(pos.offWhite) +
            ' ' + std::to_string(pos.offBlack);
    return text;
}

struct GameRules {
    bool jacoby = false;
    bool cube = true;
    bool crawfordRule = true;
    int setupPercent = 0;
};

class Session {
public:
    Session(std::uint64_t seed, std::ofstream& truth, GameRules rules) : rng_(seed), truth_(truth), rules_(rules) {}

    // One game; returns the winner and the points.
    std::pair<Side, int> playGame(int number, int matchLength, int blackScore, int whiteScore, bool crawford) {
        truth_ << "G " << number << ' ' << matchLength << ' ' << blackScore << ' ' << whiteScore << ' ' << crawford
               << ' ' << rules_.jacoby << ' ' << rules_.cube << ' ' << rules_.crawfordRule << '\n';
        recorder.startGame(matchLength, whiteScore, blackScore, crawford,
                           RecordedRules{rules_.cube, rules_.jacoby, rules_.crawfordRule});
        Position pos = startingPosition();
        cube_ = 1;
        int owner = -1;  // centred
        Side side = Side::White;
        int a = 0, b = 0;
        bool rolled = false;      // the side on roll has its dice
        bool setUpDice = false;   // ...and the recorder has them from the set-up
        bool opening = false;
        if (rules_.setupPercent > 0 && static_cast<int>(rng_() % 100) < rules_.setupPercent) {
            const RecordedSetup setup = randomSetup(rules_.cube && !crawford);
            recorder.setUp(setup);
            pos = setup.position;
            side = setup.onRoll;
            a = setup.dieA;
            b = setup.dieB;
            rolled = setUpDice = a != 0;
            cube_ = setup.cube.value();
            owner = setup.cube.centred() ? -1 : setup.cube.ownerWhite();
            truth_ << "S " << sideNumber(side) << ' ' << a << ' ' << b << ' ' << cube_ << ' ' << owner << ' '
                   << boardText(pos) << '\n';
        } else {
            a = die();
            b = die();
            while (a == b) b = die();
            side = a > b ? Side::Black : Side::White;  // the higher die starts and plays both
            rolled = opening = true;
        }
        bool firstMove = true;  // nothing recorded in this game yet but a set-up's own dice
        for (;;) {
            if (!rolled) {
                // Before rolling: now and then give up, or offer the cube.
                if (chance(0.006)) {
                    const Side winner = otherSide(side);
                    const int kind = std::min(1 + static_cast<int>(rng_() % 2), winKind(pos, winner));
                    recorder.resigned(side);
                    truth_ << "X " << sideNumber(side) << '\n';
                    return finish(winner, kind);
                }
                const bool mayDouble = rules_.cube && !crawford && cube_ < 64 && (owner == -1 || owner == sideNumber(side));
                if (mayDouble && chance(0.06)) {
                    firstMove = false;
                    recorder.doubled(side);
                    truth_ << "D " << sideNumber(side) << '\n';
                    const Side taker = otherSide(side);
                    if (chance(0.35)) {
                        recorder.dropped(taker);
                        truth_ << "P " << sideNumber(taker) << '\n';
                        return finish(side, 1);
                    }
                    recorder.took(taker);
                    truth_ << "T " << sideNumber(taker) << '\n';
                    cube_ *= 2;
                    owner = sideNumber(taker);
                }
                a = die();
                b = die();
            }
            if (!setUpDice) recorder.rolled(side, a, b);
            const std::vector<Sequence> plays = legalPlays(pos, side, a, b);
            // Now and then the side gives up over its roll before playing it. The recorder keeps the
            // roll when it is the game's first move (over the opening roll too) or could not be
            // played; a set-up's own dice are in its "S" line already.
            if (chance(opening ? 0.05 : 0.004)) {
                const bool dance = plays.size() == 1 && plays[0].empty();
                if ((firstMove || dance) && !setUpDice)
                    truth_ << "R " << sideNumber(side) << ' ' << a << ' ' << b << ' ' << boardText(pos) << '\n';
                recorder.resigned(side);
                truth_ << "X " << sideNumber(side) << '\n';
                return finish(otherSide(side), 1);
            }
            rolled = setUpDice = opening = firstMove = false;
            const Sequence& play = plays[rng_() % plays.size()];
            for (const LogicalStep& s : play) {
                recorder.stepMade(side, s.from, s.die);
                applyStep(pos, side, s.from, stepResult(pos, side, s.from, s.die));
            }
            truth_ << "R " << sideNumber(side) << ' ' << a << ' ' << b << ' ' << boardText(pos) << '\n';
            const Byte off = side == Side::White ? pos.offWhite : pos.offBlack;
            if (off == kCheckersPerSide) return finish(side, winKind(pos, side));
            side = otherSide(side);
        }
    }

    MatchRecorder recorder;

private:
    // A position some random turns into a game, the side on roll with or without its dice, and
    // now and then a cube already turned.
    RecordedSetup randomSetup(bool cubeMayBeTurned) {
        RecordedSetup setup;
        Position pos = startingPosition();
        Side side = chance(0.5) ? Side::White : Side::Black;
        const int turns = static_cast<int>(rng_() % 90);
        for (int t = 0; t < turns; ++t) {
            const int a = die(), b = die();
            const std::vector<Sequence> plays = legalPlays(pos, side, a, b);
            Position next = pos;
            for (const LogicalStep& s : plays[rng_() % plays.size()])
                applyStep(next, side, s.from, stepResult(next, side, s.from, s.die));
            if (next.offWhite == kCheckersPerSide || next.offBlack == kCheckersPerSide) break;
            pos = next;
            side = otherSide(side);
        }
        setup.position = pos;
        setup.onRoll = side;
        if (chance(0.5)) {
            setup.dieA = die();
            setup.dieB = die();
        }
        if (cubeMayBeTurned && chance(0.5)) setup.cube = Cube::of(static_cast<Byte>(2 << (rng_() % 3)), chance(0.5) ? 1 : 0);
        return setup;
    }
    // The game won by `kind` (1 single, 2 gammon, 3 backgammon) times the cube; with the Jacoby
    // rule a gammon or backgammon counts only once the cube has been turned.
    std::pair<Side, int> finish(Side winner, int kind) {
        const bool jacobySingle = rules_.jacoby && rules_.cube && cube_ == 1;
        const int points = (jacobySingle ? 1 : kind) * cube_;
        recorder.gameEnded(winner, points);
        truth_ << "W " << sideNumber(winner) << ' ' << points << ' ' << kind << '\n';
        return {winner, points};
    }
    int die() { return static_cast<int>(rng_() % 6) + 1; }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }

    std::mt19937_64 rng_;
    std::ofstream& truth_;
    GameRules rules_;
    int cube_ = 1;
};

int usage() {
    std::fprintf(stderr,
                 "usage: lumaro-matgen --out FILE --seed S (--money GAMES | --match LENGTH) [--sgf FILE.sgf]\n"
                 "                     [--jacoby] [--no-cube] [--no-crawford] [--setups PERCENT]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string out, sgf;
    std::uint64_t seed = 1;
    int money = 0, length = 0;
    GameRules rules;
    for (int i = 1; i < argc; ++i) {
        const std::string flag = argv[i];
        if (flag == "--jacoby") rules.jacoby = true;
        else if (flag == "--no-cube") rules.cube = false;
        else if (flag == "--no-crawford") rules.crawfordRule = false;
        else if (i + 1 == argc) return usage();
        else if (flag == "--out") out = argv[++i];
        else if (flag == "--sgf") sgf = argv[++i];
        else if (flag == "--seed") seed = std::strtoull(argv[++i], nullptr, 10);
        else if (flag == "--money") money = std::atoi(argv[++i]);
        else if (flag == "--match") length = std::atoi(argv[++i]);
        else if (flag == "--setups") rules.setupPercent = std::atoi(argv[++i]);
        else return usage();
    }
    if (out.empty() || (money <= 0) == (length <= 0)) return usage();
    std::ofstream truth(out + ".truth");
    Session session(seed, truth, rules);
    if (money > 0) {
        int black = 0, white = 0;  // the session's points so far, as the file shows them
        for (int g = 1; g <= money; ++g) {
            const auto [winner, points] = session.playGame(g, 0, black, white, false);
            (winner == Side::White ? white : black) += points;
        }
    } else {
        int black = 0, white = 0;
        bool crawfordPlayed = false;
        for (int g = 1; black < length && white < length; ++g) {
            const bool crawford = rules.crawfordRule && !crawfordPlayed && (black == length - 1 || white == length - 1);
            crawfordPlayed = crawfordPlayed || crawford;
            const auto [winner, points] = session.playGame(g, length, black, white, crawford);
            (winner == Side::White ? white : black) += points;
        }
    }
    std::string why;
    const MatHeader header{"Master", "Computer", ""};
    if (!writeMatFile(out, session.recorder.record(), header, &why) ||
        (!sgf.empty() && !writeSgfFile(sgf, session.recorder.record(), header, &why))) {
        std::fprintf(stderr, "lumaro-matgen: %s\n", why.c_str());
        return 1;
    }
    return 0;
}
