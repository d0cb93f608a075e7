// The commands of the menu panel, with the guards that keep each of them out at the wrong moment.
#include "game/Game.h"

namespace lumaro {

bool Game::resign() {
    if (!gameOn) return true;
    if (!mesaj(3, "Do you want to resign?", "", true)) return false;
    gameEndedByCube = false;
    // Against the computer, or while White is on turn, White gives up; otherwise Black does.
    if (opponentIsComputer() || turn == 1)
        stats.blackPips = 0;
    else
        stats.whitePips = 0;
    terminare();
    return true;
}

bool Game::commandStart(const ShellState& shell) {
    if (shell.hourglass || busy || shell.toolWindowOpen) return false;
    if (gameOn && !resign()) return false;
    afiszarstart();
    return true;
}

bool Game::commandBack(const ShellState& shell) {
    if (shell.hourglass || busy || shell.toolWindowOpen || !gameOn) return false;
    if (opponentIsComputer() && turn == 0) return false;
    refacfast();
    return true;
}

bool Game::commandMove(const ShellState& shell) {
    if (shell.hourglass || busy || shell.toolWindowOpen || !gameOn) return false;
    if (!opponentIsComputer() || turn == 0) return false;
    mutapceu();
    return true;
}

bool Game::commandAbort(const ShellState& shell) {
    if (shell.hourglass || busy || shell.toolWindowOpen || !gameOn) return false;
    return resign();
}

bool Game::commandSide(const ShellState& shell) {
    if (shell.hourglass || busy || shell.toolWindowOpen || !gameOn) return false;
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
    if (shell.hourglass || busy || shell.toolWindowOpen) return false;
    busy = true;
    options.checkerColours = static_cast<Byte>(options.checkerColours % 3 + 1);
    board.rebuild();
    busy = false;
    return true;
}

bool Game::commandScore(const ShellState& shell) {
    if (shell.hourglass || busy || shell.toolWindowOpen) return false;
    mesaj(scoreMessage(options, scores));
    return true;
}

bool Game::commandExit(const ShellState& shell) {
    if (shell.hourglass || busy || shell.toolWindowOpen) return false;
    return !gameOn || resign();
}

}  // namespace lumaro
