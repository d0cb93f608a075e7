// Clicks and keys from the board window. Nothing here acts while the game is busy (a move, a
// roll, a message box) or the hourglass shows: the box, the move or the thinking comes first.
#include "game/Game.h"

namespace lumaro {

void Game::clickBoard(int s, Button button) {
    if (!acceptsInput()) return;
    if (s >= 1 && s <= 24) {
        const int p = board.screenToPoint[s];
        if (board.hasWhite(p) && turn == 1) {
            whiteStepByClick(s, button);
            return;
        }
        if (board.hasBlack(p) && turn == 0 && opponent().playsAtThisBoard()) {
            blackStepByClick(s, button);
            return;
        }
    }
    endTurn();
}

void Game::clickChecker(Side side, int image, Button button) {
    if (!acceptsInput()) return;
    const bool white = side == Side::White;
    const bool onTurn = white ? turn == 1 : turn == 0 && opponent().playsAtThisBoard();
    if (!onTurn || image < 1 || image > Board::kImages) {
        endTurn();
        return;
    }
    for (int p = 1; p <= 24; ++p) {
        if (!(white ? board.hasWhite(p) : board.hasBlack(p))) continue;
        for (int k = 1; k <= board.count[p] && k <= Board::kImages; ++k) {
            if (board.stack[p][k] != image) continue;
            if (white) whiteStepByClick(board.screenToPoint[p], button); else blackStepByClick(board.screenToPoint[p], button);
            return;
        }
    }
    // Not on a point: the checker is on the bar.
    if (canEnter(board, turn, dice.diceLeft)) {
        if (white) whiteEntryByClick(button); else blackEntryByClick(button);
        return;
    }
    endTurn();
}

void Game::clickDice() {
    if (!acceptsInput()) return;
    endTurn();
}

void Game::clickCube() {
    if (!acceptsInput()) return;
    offerDouble();
}

Game::KeyCommand Game::keyPressed(char key, bool backspace, bool toolWindowOpen) {
    if (backspace) {
        const bool blackNotHere = turn == 0 && !opponent().playsAtThisBoard();
        if (busy || hourglass || toolWindowOpen || !gameOn || blackNotHere) return KeyCommand::None;
        undoTurn();
    }
    // Typed dice go to a manual roll waiting for them; otherwise, while a box is up, a move runs or
    // the computer thinks, a key is no answer to anything.
    if (!enteringDice && !acceptsInput()) return KeyCommand::None;
    dice.pendingKey = static_cast<Byte>(key);
    if (enteringDice) return KeyCommand::None;
    if (key == 'D' || key == 'd') offerDouble();
    if (key == 'M' || key == 'm') return KeyCommand::Move;
    return KeyCommand::None;
}

}  // namespace lumaro
