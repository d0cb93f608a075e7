// Clicks and keys from the board window. Nothing here acts while the game is busy (a move, a
// roll, a message box) or the hourglass shows: the box, the move or the thinking comes first.
#include "game/Game.h"

namespace lumaro {

bool Game::movesByClick(Side side) const {
    return state_.sideToMove() == side && (side == Side::White || blackPlayer().playsAtThisBoard());
}

void Game::clickBoard(int point, Button button) {
    if (!acceptsInput()) return;
    if (point >= 1 && point <= 24) {
        const Position& board = state_.position();
        if (board.hasWhite(point) && movesByClick(Side::White)) {
            whiteStepByClick(point, button);
            return;
        }
        if (board.hasBlack(point) && movesByClick(Side::Black)) {
            blackStepByClick(point, button);
            return;
        }
    }
    endTurn();
}

void Game::clickChecker(Side side, int point, Button button) {
    if (!acceptsInput()) return;
    const bool white = side == Side::White;
    if (!movesByClick(side) || point < 0 || point > 24) {
        endTurn();
        return;
    }
    const Position& board = state_.position();
    if (white ? board.hasWhite(point) : board.hasBlack(point)) {
        if (white) whiteStepByClick(point, button); else blackStepByClick(point, button);
        return;
    }
    // Not on a point: the checker is on the bar.
    if (canEnter(board, turnOf(side), state_.dice().diceLeft)) {
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
        const bool sideHere = movesByClick(state_.sideToMove());
        if (busy_ || hourglass_ || toolWindowOpen || !state_.gameOn() || !sideHere) return KeyCommand::None;
        undoTurn();
    }
    // Typed dice go to a manual roll waiting for them; otherwise, while a box is up, a move runs or
    // the computer thinks, a key is no answer to anything.
    if (!enteringDice_ && !acceptsInput()) return KeyCommand::None;
    typeDiceKey(static_cast<Byte>(key));
    if (enteringDice_) return KeyCommand::None;
    if (key == 'D' || key == 'd') offerDouble();
    if (key == 'M' || key == 'm') return KeyCommand::Move;
    return KeyCommand::None;
}

}  // namespace lumaro
