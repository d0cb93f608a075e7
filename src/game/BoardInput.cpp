// Clicks and keys from the board window. Nothing here acts while the game is busy (a move, a
// roll, a message box) or the hourglass shows: the box, the move or the thinking comes first.
#include "game/Game.h"

namespace lumaro {

void Game::clickBoard(int point, Button button) {
    if (!acceptsInput()) return;
    if (point >= 1 && point <= 24) {
        if (board_.hasWhite(point) && turn_ == Side::White) {
            whiteStepByClick(point, button);
            return;
        }
        if (board_.hasBlack(point) && turn_ == Side::Black && blackPlayer().playsAtThisBoard()) {
            blackStepByClick(point, button);
            return;
        }
    }
    endTurn();
}

void Game::clickChecker(Side side, int point, Button button) {
    if (!acceptsInput()) return;
    const bool white = side == Side::White;
    const bool onTurn = white ? turn_ == Side::White : turn_ == Side::Black && blackPlayer().playsAtThisBoard();
    if (!onTurn || point < 0 || point > 24) {
        endTurn();
        return;
    }
    if (white ? board_.hasWhite(point) : board_.hasBlack(point)) {
        if (white) whiteStepByClick(point, button); else blackStepByClick(point, button);
        return;
    }
    // Not on a point: the checker is on the bar.
    if (canEnter(board_, turnOf(turn_), dice_.diceLeft)) {
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
        const bool blackNotHere = turn_ == Side::Black && !blackPlayer().playsAtThisBoard();
        if (busy_ || hourglass_ || toolWindowOpen || !gameOn_ || blackNotHere) return KeyCommand::None;
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
