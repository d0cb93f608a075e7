// The commands of the menu panel, with the guards that keep each of them out at the wrong moment.
#include "game/Game.h"

namespace lumaro {

bool Game::resign() {
    if (!gameOn_) return true;
    if (!askToResign()) return false;
    resignNow();
    return true;
}

bool Game::askToResign() {
    // While the peer is on turn a network game cannot be resigned: the answer is no.
    if (networkPlace() && connected_ && turn_ == Side::Black) return false;
    return showMessage(MessageKind::Resign, "Do you want to resign?", "", true);
}

void Game::resignNow() {
    if (!gameOn_) return;
    if (networkPlace() && connected_) {
        // The peer knows the position of the turn's start, not the steps made since: both sides
        // score the resignation from that position.
        undoTurn();
        // The peer hears of it first; when it cannot, the communication error has ended the game.
        if (!blackPlayer().whiteResigns(*this)) return;
    }
    if (!gameOn_) return;
    // The player at this machine gives up; between two people at one board, the one on turn.
    sideResigns(blackPlayer().playsAtThisBoard() ? sideToMove() : Side::White);
}

bool Game::commandStart(const ShellState& shell) {
    if (menuRefused(shell, true)) return false;
    if (connected_ && hostSide_) return false;  // the caller starts the games of a connection
    if (gameOn_ && !resign()) return false;
    blackPlayer().startGame(*this);
    return true;
}

bool Game::commandBack(const ShellState& shell) {
    if (menuRefused(shell, true) || !gameOn_) return false;
    if (turn_ == Side::Black && !blackPlayer().playsAtThisBoard()) return false;
    undoTurn();
    return true;
}

bool Game::commandMove(const ShellState& shell) {
    if (menuRefused(shell, false) || !gameOn_) return false;
    // The computer's search plays White's roll against the computer, and in a network game for a
    // player who asks for it (the steps travel to the peer like clicked ones).
    if (!blackPlayer().allowsMoveCommand(*this) || turn_ == Side::Black) return false;
    playWhiteByComputer();
    return true;
}

bool Game::commandAbort(const ShellState& shell) {
    if (menuRefused(shell, false) || !gameOn_) return false;
    return resign();
}

bool Game::commandSide(const ShellState& shell) {
    if (menuRefused(shell, true) || !gameOn_) return false;
    busy_ = true;
    options_.homeRight = !options_.homeRight;
    screen_->sideChanged(options_.homeRight);
    updateCounters();
    busy_ = false;
    screen_->refreshBarDots();
    return true;
}

bool Game::commandColor(const ShellState& shell) {
    if (menuRefused(shell, true)) return false;
    const Options before = options_;
    options_.checkerColours = static_cast<Byte>(options_.checkerColours % 3 + 1);
    optionsChanged(before);
    return true;
}

bool Game::commandScore(const ShellState& shell) {
    if (menuRefused(shell, true)) return false;
    showMessage(scoreMessage(options_, scores_));
    return true;
}

void Game::optionsChanged(const Options& before) {
    if (before.modernSkin != options_.modernSkin || before.checkerColours != options_.checkerColours) {
        // Every checker is drawn again; nothing may move meanwhile.
        const bool wasBusy = busy_;
        busy_ = true;
        screen_->checkerLookChanged();
        if (before.modernSkin != options_.modernSkin) {
            drawCube();
            if (gameOn_)
                redrawDiceOfSideToMove();
            else
                screen_->clearDice();
        }
        busy_ = wasBusy;
    }
    if (!options_.showBarDots) screen_->refreshBarDots();
    screen_->displayOptionsChanged();
}

bool Game::commandExit(const ShellState& shell) {
    if (menuRefused(shell, false)) return false;
    if (gameOn_) {
        if (peerOnTurn()) {
            // The peer is on turn: the game can only be left, lost, without telling the peer.
            if (!showMessage(MessageKind::Resign, "Resign and force exit", "from this network game?", true)) return false;
            sideResigns(Side::White);
        } else if (!resign()) {
            return false;
        }
    }
    if (connected_ && !showMessage(MessageKind::Resign, "Disconnect and exit?", "", true)) return false;
    return true;
}

}  // namespace lumaro
