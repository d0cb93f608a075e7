// A person's turn on the board: steps by click, the end of the turn and handing it over.
#include "rules/MaxDiceRule.h"
#include "game/Game.h"

namespace lumaro {

bool Game::showMessage(const Message& message) {
    const bool wasBusy = busy_;
    busy_ = true;
    if (message.yesNo && options_.soundFx) screen_->play(Sound::Question);
    const bool yes = screen_->showMessage(message) == Answer::Yes;
    busy_ = wasBusy;
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
        if (moveRecord_[2 * pair + 2] == 0) {
            moveRecord_[2 * pair + 1] = from;
            moveRecord_[2 * pair + 2] = die;
            return;
        }
    }
}

// The left button prefers the first remaining die of slots 1, 2, 3, 4, any other button of 2, 1,
// 3, 4; when that die cannot move this checker the other preference is tried once.
Byte Game::chooseDie(Button button, Side side, int point, bool entry) const {
    const DiceLeft& diceLeft = state_.dice().diceLeft;
    auto firstOf = [&diceLeft](std::initializer_list<int> order) -> Byte {
        for (int k : order)
            if (diceLeft[k] != 0) return diceLeft[k];
        return 0;
    };
    const Byte left = firstOf({1, 2, 3, 4});
    const Byte other = firstOf({2, 1, 3, 4});
    const Byte preferred = button == Button::Left ? left : other;
    const Byte second = button == Button::Left ? other : left;
    const int from = entry ? 0 : (point >= 1 && point <= 24 ? point : -1);
    if (from < 0) return preferred;
    if (stepResult(state_.position(), side, from, preferred) != kStepImpossible) return preferred;
    return second;
}

void Game::stepByClick(Side side, int point, Button button) {
    const Byte turnSide = turnOf(side);
    const Position& board = state_.position();
    const DiceLeft& diceLeft = state_.dice().diceLeft;
    if (phaseOf(board, side) == 1) {
        if (canEnter(board, turnSide, diceLeft))
            showMessage(MessageKind::RuleNotice, "You have to play first", "your men from the bar!", false);
        else
            endTurn();
        return;
    }
    if (!canMove(board, turnSide, diceLeft) || point < 1 || point > 24) {
        endTurn();
        return;
    }
    busy_ = true;
    const Byte die = chooseDie(button, side, point, false);
    playStep(side, point, die, true, side == Side::White);
    busy_ = false;
    if (side == Side::White) screen_->refreshBarDots();
}

void Game::entryByClick(Side side, Button button) {
    busy_ = true;
    const Byte die = chooseDie(button, side, 0, true);
    playStep(side, 0, die, true, side == Side::White);
    busy_ = false;
    if (side == Side::White) screen_->refreshBarDots();
}

void Game::whiteStepByClick(int point, Button button) { stepByClick(Side::White, point, button); }
void Game::blackStepByClick(int point, Button button) { stepByClick(Side::Black, point, button); }
void Game::whiteEntryByClick(Button button) { entryByClick(Side::White, button); }
void Game::blackEntryByClick(Button button) { entryByClick(Side::Black, button); }

void Game::endTurn() {
    if (!state_.gameOn()) return;
    blackPlayer().turnEndAsked(*this);
}

void Game::handOverTurn() {
    const bool personOnTurn = state_.sideToMove() == Side::White || blackPlayer().playsAtThisBoard();
    if (personOnTurn && !playedWhatTheDiceDemand()) return;
    state_.passTurn();
    if (state_.sideToMove() == Side::Black)
        blackPlayer().blackTurn(*this);
    else
        rollForWhite();
}

bool Game::playedWhatTheDiceDemand() {
    const TurnEnd end = state_.turnEnd();
    if (end == TurnEnd::DiceLeftToPlay) return false;  // the player must go on
    if (!state_.dice().anyLeft()) return true;
    if (options_.soundFx) screen_->play(Sound::NoMove);
    screen_->delay(100);
    if (end == TurnEnd::ShortPlay) {
        showMessage(MessageKind::RuleNotice, "You have to play all dice", "or the higher one!", false);
        undoTurn();
        return false;
    }
    return true;
}

void Game::passTurn() {
    state_.passTurn();
    if (state_.sideToMove() == Side::Black)
        rollForBlack();
    else
        rollForWhite();
}

void Game::startNewGame() {
    resetStatistics();
    if (options_.alternateFirstMove) {
        const std::string begins = blackBeginsNext_ ? "Black begins!" : "White begins!";
        state_.turnTo(blackBeginsNext_ ? Side::Black : Side::White);
        const bool yes = showMessage(MessageKind::NewGame, "Alternate play. " + begins, "Start a new game?", true);
        blackBeginsNext_ = !blackBeginsNext_;
        if (!yes) {
            declineNewGame();
            return;
        }
        screen_->letEventsRun();
        setUpNewBoard();
        beginGame();
        if (state_.sideToMove() == Side::White) rollForWhite(); else rollForBlack();
        if (state_.sideToMove() == Side::Black) blackPlayer().blackPlaysRolledDice(*this);
        return;
    }
    busy_ = true;
    Dice opening;
    do {
        opening = roller_.rollAutomatically(*screen_, options_.soundFx);
    } while (opening.dieA == opening.dieB);
    const Byte a = opening.dieA, b = opening.dieB;
    screen_->showOpeningDice(a, b);
    const bool blackBegins = b < a;
    const Side beginner = blackBegins ? Side::Black : Side::White;
    state_.turnTo(beginner);
    busy_ = false;
    const bool yes = showMessage(MessageKind::NewGame, std::string("Rolling dice...") + (blackBegins ? "Black begins!" : "White begins!"),
                           "Start a new game?", true);
    if (!yes) {
        declineNewGame();
        return;
    }
    busy_ = true;
    rollStats_[beginner].countRoll(a, b, stats_.pipsOf(beginner));
    screen_->letEventsRun();
    busy_ = false;
    // The opening dice are the beginner's first roll on the new board.
    setUpNewBoard();
    beginGame();
    state_.roll(a, b);
    recorder_.rolled(beginner, a, b);
    screen_->showDice(beginner, a, b);
    if (blackBegins) blackPlayer().blackPlaysRolledDice(*this);
}

void Game::declineNewGame() {
    screen_->clearDice();
    state_.stopUnscored();
    state_.clearDice();
}

}  // namespace lumaro
