// The doubling cube: doubles offered by a person (a click on the cube or D), by the computer, and
// their answers.
#include "ai/CubeMeasure.h"
#include "rules/MaxDiceRule.h"
#include "game/Game.h"

namespace lumaro {

void Game::offerDouble() {
    if (!state_.gameOn() || state_.cube().value() >= Cube::kHighest || busy_) return;
    if (!options_.cubeEnabled) {
        if (options_.soundFx) screen_->play(Sound::NoMove);
        return;
    }
    if (options_.soundFx) screen_->play(Sound::Cube);
    const bool wasBusy = busy_;
    busy_ = true;  // the short pause is no moment for another click
    screen_->delay(100);
    busy_ = wasBusy;
    // Dice that must still be played come first: a die that can still move, or a play that uses
    // fewer dice than the roll allows.
    if (state_.turnEnd() != TurnEnd::Complete) return;
    if (isCrawfordGame()) {
        showMessage(MessageKind::RuleNotice, "You can not double", "due to the Crawford rule!", false);
        return;
    }
    if (options_.matchPlay && options_.matchLength == 1) {
        showMessage(MessageKind::RuleNotice, "There is no sense to double", "when you play for one point!", false);
        return;
    }
    // The player to roll next offers: Black after White's turn, White after Black's. Black offers
    // by the cube only when it is a person at this board.
    const Side offerer = otherSide(state_.sideToMove());
    if (offerer == Side::Black && !blackPlayer().playsAtThisBoard()) return;
    if (!state_.cube().availableTo(offerer)) return;
    blackPlayer().doubleOffered(*this, offerer);
}

bool Game::mayDouble(Side side) const { return state_.mayDouble(side, options_); }

void Game::takeDouble(Side taker) {
    recorder_.doubled(otherSide(taker));
    recorder_.took(taker);
    state_.takeDouble(taker);
    drawCube();
}

void Game::doubleTaken(Side taker) {
    takeDouble(taker);
    passTurn();
}

void Game::doubleDropped(Side dropper) {
    recorder_.doubled(otherSide(dropper));
    recorder_.dropped(dropper);
    finishGame(otherSide(dropper), GameOver::DoubleRefused);
}

void Game::computerAnswersDouble() {
    if (state_.sideToMove() != Side::Black) return;
    if (!state_.cube().availableTo(Side::White)) return;
    if (opponentTakesDouble()) {
        showMessage(MessageKind::Cube, "Your doubling proposal", options_.doublesAlwaysAccepted ? "is always accepted!" : "was accepted!", false);
        doubleTaken(Side::Black);
        return;
    }
    showMessage(MessageKind::Cube, "Your doubling proposal", "was refused!", false);
    doubleDropped(Side::Black);
}

bool Game::blackDoubles(const std::string& line1, const std::function<void(bool taken)>& answered) {
    whiteAnswersDouble_ = true;
    const bool taken = showMessage(MessageKind::Cube, line1, "Do you accept?", true);
    whiteAnswersDouble_ = false;
    // The game may have stopped while the question was up (a network game's connection went).
    if (!state_.gameOn()) return false;
    if (answered) answered(taken);
    if (taken) {
        takeDouble(Side::White);
        return true;
    }
    doubleDropped(Side::White);
    return false;
}

}  // namespace lumaro
