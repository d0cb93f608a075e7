// A person's turn on the board: steps by click, the end of the turn and handing it over.
#include "rules/MaxDiceRule.h"
#include "game/Game.h"

namespace lumaro {

bool Game::showMessage(const Message& message) {
    const bool wasBusy = busy;
    busy = true;
    if (message.yesNo && options_.soundFx) screen_->play(Sound::Question);
    const bool yes = screen_->showMessage(message) == Answer::Yes;
    busy = wasBusy;
    return yes;
}

bool Game::showMessage(MessageKind kind, const std::string& line1, const std::string& line2, bool yesNo) {
    Message message;
    message.kind = kind;
    message.line1 = line1;
    message.line2 = line2;
    message.yesNo = yesNo;
    message.timeout = 50;
    return showMessage(message);
}

void Game::recordWhiteStep(Byte from, Byte die) {
    for (int pair = 0; pair < 4; ++pair) {
        if (moveRecord[2 * pair + 2] == 0) {
            moveRecord[2 * pair + 1] = from;
            moveRecord[2 * pair + 2] = die;
            return;
        }
    }
}

// The left button prefers the first remaining die of slots 1, 2, 3, 4, any other button of 2, 1,
// 3, 4; when that die cannot move this checker the other preference is tried once.
Byte Game::chooseDie(Button button, Side side, int point, bool entry) const {
    auto firstOf = [this](std::initializer_list<int> order) -> Byte {
        for (int k : order)
            if (dice.diceLeft[k] != 0) return dice.diceLeft[k];
        return 0;
    };
    const Byte left = firstOf({1, 2, 3, 4});
    const Byte other = firstOf({2, 1, 3, 4});
    const Byte preferred = button == Button::Left ? left : other;
    const Byte second = button == Button::Left ? other : left;
    const int from = entry ? 0 : (point >= 1 && point <= 24 ? point : -1);
    if (from < 0) return preferred;
    if (stepResult(board, side, from, preferred) != kStepImpossible) return preferred;
    return second;
}

void Game::stepByClick(Side side, int point, Button button) {
    const Byte turnSide = turnOf(side);
    if (phaseOf(board, side) == 1) {
        if (canEnter(board, turnSide, dice.diceLeft))
            showMessage(MessageKind::RuleNotice, "You have to play first", "your men from the bar!", false);
        else
            endTurn();
        return;
    }
    if (!canMove(board, turnSide, dice.diceLeft) || point < 1 || point > 24) {
        endTurn();
        return;
    }
    busy = true;
    const Byte die = chooseDie(button, side, point, false);
    playStep(side, point, die, true, side == Side::White);
    busy = false;
    if (side == Side::White) screen_->refreshBarDots();
}

void Game::entryByClick(Side side, Button button) {
    busy = true;
    const Byte die = chooseDie(button, side, 0, true);
    playStep(side, 0, die, true, side == Side::White);
    busy = false;
    if (side == Side::White) screen_->refreshBarDots();
}

void Game::whiteStepByClick(int point, Button button) { stepByClick(Side::White, point, button); }
void Game::blackStepByClick(int point, Button button) { stepByClick(Side::Black, point, button); }
void Game::whiteEntryByClick(Button button) { entryByClick(Side::White, button); }
void Game::blackEntryByClick(Button button) { entryByClick(Side::Black, button); }

void Game::endTurn() {
    if (!gameOn) return;
    // Network play hands the turn over through the connection; it has its own turn end.
    if (networkPlace()) {
        opponent().whiteTurnEnds(*this);
        return;
    }
    const bool personOnTurn = turn == 1 || opponent().playsAtThisBoard();
    if (personOnTurn && !playedWhatTheDiceDemand()) return;
    if (turn == 1) {
        turn = 0;
        opponent().blackTurn(*this);
    } else {
        turn = 1;
        rollForWhite();
    }
}

bool Game::playedWhatTheDiceDemand() {
    if (!dice.anyLeft()) return true;
    const bool onBar = phaseOf(board, sideOfTurn(turn)) == 1;
    const bool canPlay = onBar ? canEnter(board, turn, dice.diceLeft) : canMove(board, turn, dice.diceLeft);
    if (canPlay) return false;  // the player must go on
    if (options_.soundFx) screen_->play(Sound::NoMove);
    screen_->delay(100);
    if (fallsShortOfMaximalPlay(snapshot.position, snapshot.dieA, snapshot.dieB, turn, dice.diceLeft) == 1) {
        showMessage(MessageKind::RuleNotice, "You have to play all dice", "or the higher one!", false);
        undoTurn();
        return false;
    }
    return true;
}

void Game::passTurn() {
    if (turn == 1) {
        turn = 0;
        rollForBlack();
    } else {
        turn = 1;
        rollForWhite();
    }
}

void Game::startNewGame() {
    resetStatistics();
    if (options_.alternateFirstMove) {
        const std::string begins = blackBeginsNext ? "Black begins!" : "White begins!";
        turn = blackBeginsNext ? 0 : 1;
        const bool yes = showMessage(MessageKind::NewGame, "Alternate play. " + begins, "Start a new game?", true);
        blackBeginsNext = !blackBeginsNext;
        if (!yes) {
            screen_->clearDice();
            gameOn = false;
            dice.clear();
            return;
        }
        screen_->letEventsRun();
        setUpNewBoard();
        beginGame();
        if (turn == 1) rollForWhite(); else rollForBlack();
        takeSnapshot();
        if (turn == 0) opponent().blackPlaysRolledDice(*this);
        return;
    }
    busy = true;
    do {
        dice.rollAutomatically(*screen_, options_.soundFx);
    } while (dice.dieA == dice.dieB);
    screen_->showOpeningDice(dice.dieA, dice.dieB);
    const bool blackBegins = dice.dieB < dice.dieA;
    turn = blackBegins ? 0 : 1;
    busy = false;
    const bool yes = showMessage(MessageKind::NewGame, std::string("Rolling dice...") + (blackBegins ? "Black begins!" : "White begins!"),
                           "Start a new game?", true);
    if (!yes) {
        screen_->clearDice();
        gameOn = false;
        dice.clear();
        return;
    }
    busy = true;
    RollStats& beginner = blackBegins ? blackRollStats : whiteRollStats;
    beginner.countRoll(dice.dieA, dice.dieB, blackBegins ? stats.blackPips : stats.whitePips);
    screen_->letEventsRun();
    busy = false;
    // The opening dice survive the new board: they are the beginner's first roll.
    const Byte a = dice.dieA, b = dice.dieB;
    setUpNewBoard();
    dice.dieA = a;
    dice.dieB = b;
    dice.fillDiceLeft();
    beginGame();
    recorder.rolled(blackBegins ? Side::Black : Side::White, a, b);
    takeSnapshot();
    screen_->showDice(blackBegins ? Side::Black : Side::White, a, b);
    if (blackBegins) opponent().blackPlaysRolledDice(*this);
}

}  // namespace lumaro
