#pragma once
// A player of a network game who clicks at random: legal steps, the end of the turn, sometimes
// the cube or a resignation; the caller starts the next game until it has played its games.
#include <vector>

#include "NetworkPair.h"
#include "game/MenuCommands.h"
#include "support/RandomPositions.h"

namespace lumaro::testing {

struct RandomPlayer {
    TestRandom random;
    int games = 0;
    int gamesStarted = 0;
    bool wantsToResign = false;
    long long actions = 0;

    RandomPlayer(std::uint64_t seed, int games) : random(seed), games(games) {}

    void answerQuestions(Program& p) {
        p.screen.decide = [this](const Message& m) {
            if (m.line1 == "Do you want to resign?") return wantsToResign ? Answer::Yes : Answer::No;
            if (m.line1 == "Black player wants to double.") return random.below(4) == 0 ? Answer::No : Answer::Yes;
            return Answer::Yes;
        };
    }

    void clickAStep(Game& g) {
        const Position& b = g.state().position();
        const Game::Button button = random.below(2) ? Game::Button::Left : Game::Button::Right;
        if (whitePhaseOf(b) == 1) {
            if (canEnter(b, 1, g.state().dice().diceLeft)) g.whiteEntryByClick(button); else g.clickDice();
            return;
        }
        std::vector<int> movable;
        for (int p = 1; p <= 24; ++p)
            for (int k = 1; k <= 4; ++k) {
                const int d = g.state().dice().diceLeft[k];
                if (d && whiteStepTest(b, p, d) != kStepImpossible) {
                    movable.push_back(p);
                    break;
                }
            }
        if (movable.empty()) {
            g.clickDice();
            return;
        }
        g.clickBoard(movable[random.below(static_cast<std::uint32_t>(movable.size()))], button);
    }

    // One action at the top of the side's event loop. False once this side is done.
    bool act(Program& p) {
        Game& g = p.game;
        ++actions;
        if (g.busy() || g.hourglass()) return true;
        if (!g.state().gameOn()) {
            if (!g.connected()) return false;
            if (g.hostSide()) return true;  // the host waits for invitations
            if (gamesStarted >= games) return false;
            ++gamesStarted;
            MenuCommands(g).start(Game::ShellState{});
            return true;
        }
        if (g.state().sideToMove() == Side::White) {
            if (random.below(300) == 0) {
                wantsToResign = true;
                MenuCommands(g).abort(Game::ShellState{});
                wantsToResign = false;
                return true;
            }
            clickAStep(g);
            return true;
        }
        if (!g.waitingForOpponent()) {
            if (random.below(6) == 0) g.clickCube(); else g.clickDice();
        }
        return true;
    }
};

}  // namespace lumaro::testing
