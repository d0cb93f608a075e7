// Resigning, the guards of a network game, and what follows a change of the options.
#include "game/Game.h"

namespace lumaro {

bool Game::peerOnTurn() const { return networkPlace() && connected_ && state_.gameOn() && state_.sideToMove() == Side::Black; }

bool Game::resign() {
    if (!state_.gameOn()) return true;
    if (!askToResign()) return false;
    resignNow();
    return true;
}

bool Game::askToResign() {
    // While the peer is on turn a network game cannot be resigned: the answer is no.
    if (networkPlace() && connected_ && state_.sideToMove() == Side::Black) return false;
    return showMessage(MessageKind::Resign, "Do you want to resign?", resignationCost(), true);
}

Side Game::resigningSide() const {
    // The player at this machine gives up; between two people at one board, the one on turn.
    return blackPlayer().playsAtThisBoard() ? state_.sideToMove() : Side::White;
}

std::string Game::resignationCost() const {
    // Judged as the end of the game will judge it: the position on the board, the cube, the rules.
    const Side winner = otherSide(resigningSide());
    const Cube& cube = state_.cube();
    const GameEnding ending = gameEndingOf(state_.position(), winner, false, cube.value(), state_.gameNumber());
    const int kind = gameKind(ending, options_);
    const Scores& scores = state_.scores();
    const int winnerScore = winner == Side::White ? scores.whiteMatchScore : scores.blackMatchScore;
    const bool matchLost = options_.matchPlay && winnerScore + kind * cube.value() >= options_.matchLength;
    return std::string(winner == Side::White ? "White" : "Black") + (matchLost ? " wins the MATCH: " : " wins: ") +
           resultWords(kind, cube.value());
}

void Game::resignNow() {
    if (!state_.gameOn()) return;
    // The peer of a network game hears of it first; when it cannot, the communication error has
    // ended the game.
    if (!blackPlayer().whiteResigns(*this) || !state_.gameOn()) return;
    sideResigns(resigningSide());
}

void Game::optionsChanged(const Options& before) {
    if (before.modernSkin != options_.modernSkin || before.checkerColours != options_.checkerColours) {
        // Every checker is drawn again; nothing may move meanwhile.
        const bool wasBusy = busy_;
        busy_ = true;
        screen_->checkerLookChanged();
        if (before.modernSkin != options_.modernSkin) {
            drawCube();
            if (state_.gameOn())
                redrawDiceOfSideToMove();
            else
                screen_->clearDice();
        }
        busy_ = wasBusy;
    }
    if (!options_.showBarDots) screen_->refreshBarDots();
    screen_->displayOptionsChanged();
}

}  // namespace lumaro
