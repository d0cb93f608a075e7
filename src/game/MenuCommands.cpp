// The commands of the menu panel, with the guards that keep each of them out at the wrong moment.
#include "game/Game.h"

namespace lumaro {

bool Game::resign() {
    if (!gameOn) return true;
    if (!mesaj(MessageKind::Resign, "Do you want to resign?", "", true)) return false;
    // The player at this machine gives up; between two people at one board, the one on turn.
    const Side resigner = opponent().playsAtThisBoard() ? sideToMove() : Side::White;
    recorder.resigned(resigner);
    terminare(otherSide(resigner), GameOver::Resigned);
    return true;
}

bool Game::commandStart(const ShellState& shell) {
    if (hourglass || peerOnTurn() || busy || shell.toolWindowOpen) return false;
    if (gameOn && !resign()) return false;
    afiszarstart();
    return true;
}

bool Game::commandBack(const ShellState& shell) {
    if (hourglass || peerOnTurn() || busy || shell.toolWindowOpen || !gameOn) return false;
    if (turn == 0 && !opponent().playsAtThisBoard()) return false;
    refacfast();
    return true;
}

bool Game::commandMove(const ShellState& shell) {
    if (hourglass || busy || shell.toolWindowOpen || !gameOn) return false;
    if (!opponent().isComputer() || turn == 0) return false;
    mutapceu();
    return true;
}

bool Game::commandAbort(const ShellState& shell) {
    if (hourglass || busy || shell.toolWindowOpen || !gameOn) return false;
    return resign();
}

bool Game::commandSide(const ShellState& shell) {
    if (hourglass || peerOnTurn() || busy || shell.toolWindowOpen || !gameOn) return false;
    busy = true;
    board.homeRight = board.homeRight ? 0 : 1;
    options.homeRight = board.homeRight;
    board.rebuild();
    calculpunctaj();
    busy = false;
    screen_->refreshBarDots();
    return true;
}

bool Game::commandColor(const ShellState& shell) {
    if (hourglass || peerOnTurn() || busy || shell.toolWindowOpen) return false;
    const Options before = options;
    options.checkerColours = static_cast<Byte>(options.checkerColours % 3 + 1);
    optionsChanged(before);
    return true;
}

bool Game::commandScore(const ShellState& shell) {
    if (hourglass || peerOnTurn() || busy || shell.toolWindowOpen) return false;
    mesaj(scoreMessage(options, scores));
    return true;
}

void Game::optionsChanged(const Options& before) {
    if (before.modernSkin != options.modernSkin || before.checkerColours != options.checkerColours) {
        // Every checker image carries the board under it: lay them all out again where they stood.
        const bool wasBusy = busy;
        busy = true;
        board.rebuild();
        if (before.modernSkin != options.modernSkin) {
            drawCube();
            if (gameOn)
                redrawDiceOfSideToMove();
            else
                screen_->clearDice();
        }
        busy = wasBusy;
    }
    if (!options.showBarDots) screen_->refreshBarDots();
    screen_->displayOptionsChanged();
}

bool Game::commandExit(const ShellState& shell) {
    if (hourglass || busy || shell.toolWindowOpen) return false;
    return !gameOn || resign();
}

}  // namespace lumaro
