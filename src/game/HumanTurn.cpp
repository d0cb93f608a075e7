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
    auto firstOf = [this](std::initializer_list<int> order) -> Byte {
        for (int k : order)
            if (dice_.diceLeft[k] != 0) return dice_.diceLeft[k];
        return 0;
    };
    const Byte left = firstOf({1, 2, 3, 4});
    const Byte other = firstOf({2, 1, 3, 4});
    const Byte preferred = button == Button::Left ? left : other;
    const Byte second = button == Button::Left ? other : left;
    const int from = entry ? 0 : (point >= 1 && point <= 24 ? point : -1);
    if (from < 0) return preferred;
    if (stepResult(board_, side, from, preferred) != kStepImpossible) return preferred;
    return second;
}

void Game::stepByClick(Side side, int point, Button button) {
    const Byte turnSide = turnOf(side);
    if (phaseOf(board_, side) == 1) {
        if (canEnter(board_, turnSide, dice_.diceLeft))
            showMessage(MessageKind::RuleNotice, "You have to play first", "your men from the bar!", false);
        else
            endTurn();
        return;
    }
    if (!canMove(board_, turnSide, dice_.diceLeft) || point < 1 || point > 24) {
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
    if (!gameOn_) return;
    // Network play hands the turn over through the connection; it has its own turn end.
    if (networkPlace()) {
        blackPlayer().whiteTurnEnds(*this);
        return;
    }
    const bool personOnTurn = turn_ == Side::White || blackPlayer().playsAtThisBoard();
    if (personOnTurn && !playedWhatTheDiceDemand()) return;
    if (turn_ == Side::White) {
        turn_ = Side::Black;
        blackPlayer().blackTurn(*this);
    } else {
        turn_ = Side::White;
        rollForWhite();
    }
}

bool Game::playedWhatTheDiceDemand() {
    if (!dice_.anyLeft()) return true;
    const bool onBar = phaseOf(board_, turn_) == 1;
    const bool canPlay = onBar ? canEnter(board_, turnOf(turn_), dice_.diceLeft) : canMove(board_, turnOf(turn_), dice_.diceLeft);
    if (canPlay) return false;  // the player must go on
    if (options_.soundFx) screen_->play(Sound::NoMove);
    screen_->delay(100);
    if (fallsShortOfMaximalPlay(snapshot_.position, snapshot_.dieA, snapshot_.dieB, turnOf(turn_), dice_.diceLeft) == 1) {
        showMessage(MessageKind::RuleNotice, "You have to play all dice", "or the higher one!", false);
        undoTurn();
        return false;
    }
    return true;
}

void Game::passTurn() {
    if (turn_ == Side::White) {
        turn_ = Side::Black;
        rollForBlack();
    } else {
        turn_ = Side::White;
        rollForWhite();
    }
}

void Game::startNewGame() {
    resetStatistics();
    if (options_.alternateFirstMove) {
        const std::string begins = blackBeginsNext_ ? "Black begins!" : "White begins!";
        turn_ = blackBeginsNext_ ? Side::Black : Side::White;
        const bool yes = showMessage(MessageKind::NewGame, "Alternate play. " + begins, "Start a new game?", true);
        blackBeginsNext_ = !blackBeginsNext_;
        if (!yes) {
            screen_->clearDice();
            gameOn_ = false;
            dice_.clear();
            return;
        }
        screen_->letEventsRun();
        setUpNewBoard();
        beginGame();
        if (turn_ == Side::White) rollForWhite(); else rollForBlack();
        takeSnapshot();
        if (turn_ == Side::Black) blackPlayer().blackPlaysRolledDice(*this);
        return;
    }
    busy_ = true;
    do {
        dice_.rollAutomatically(*screen_, options_.soundFx);
    } while (dice_.dieA == dice_.dieB);
    screen_->showOpeningDice(dice_.dieA, dice_.dieB);
    const bool blackBegins = dice_.dieB < dice_.dieA;
    turn_ = blackBegins ? Side::Black : Side::White;
    busy_ = false;
    const bool yes = showMessage(MessageKind::NewGame, std::string("Rolling dice...") + (blackBegins ? "Black begins!" : "White begins!"),
                           "Start a new game?", true);
    if (!yes) {
        screen_->clearDice();
        gameOn_ = false;
        dice_.clear();
        return;
    }
    busy_ = true;
    RollStats& beginner = rollStats_[blackBegins ? Side::Black : Side::White];
    beginner.countRoll(dice_.dieA, dice_.dieB, blackBegins ? stats_.blackPips : stats_.whitePips);
    screen_->letEventsRun();
    busy_ = false;
    // The opening dice survive the new board: they are the beginner's first roll.
    const Byte a = dice_.dieA, b = dice_.dieB;
    setUpNewBoard();
    dice_.dieA = a;
    dice_.dieB = b;
    dice_.fillDiceLeft();
    beginGame();
    recorder_.rolled(blackBegins ? Side::Black : Side::White, a, b);
    takeSnapshot();
    screen_->showDice(blackBegins ? Side::Black : Side::White, a, b);
    if (blackBegins) blackPlayer().blackPlaysRolledDice(*this);
}

}  // namespace lumaro
