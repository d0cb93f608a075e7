// Single checker steps on the real board: one rule and one way of making them, whoever moves
// (a person's click, the computer, MOVE, a move received over the network).
#include "game/Game.h"
#include "game/WireEntryPoint.h"

namespace lumaro {

void Game::afterStep() {
    updateCounters();
    endIfBorneOff();
}

void Game::showCheckerMove(Side side, int from, int to, bool withEffects) {
    screen_->checkerLeft(side, from, withEffects);
    screen_->checkerArrived(side, to, withEffects);
}

Byte Game::playStep(Side side, int from, Byte die, bool placingSound, bool record) {
    const StepMade step = state_.step(side, from, die);
    if (!step.made()) {
        if (options_.soundFx) screen_->play(Sound::NoMove);
        return step.result;
    }
    if (record && side == Side::White) {
        // An entry is recorded by where its point is drawn, anything else by the point it leaves.
        const bool entry = from == 0 && !step.borneOff();
        recordWhiteStep(entry ? entryPointOnWire(step.to, options_.homeRight) : static_cast<Byte>(from), die);
    }
    if (step.borneOff()) {
        screen_->checkerLeft(side, from, true);
        if (placingSound && options_.soundFx) screen_->play(Sound::Checker);
        screen_->checkerArrived(side, 25, true);
    } else {
        if (placingSound && options_.soundFx) screen_->play(Sound::Checker);
        // White's hit from a point lands at once; the others show their fade and appear effects.
        const bool withEffects = !(step.hit && side == Side::White && from != 0);
        if (step.hit) showCheckerMove(otherSide(side), step.to, 0, withEffects);
        showCheckerMove(side, from, step.to, withEffects);
    }
    recorder_.stepMade(side, from, die);
    if (side == Side::Black && lastMoveMarkCount_ < static_cast<int>(lastMoveMarks_.size())) {
        lastMoveMarks_[static_cast<std::size_t>(lastMoveMarkCount_++)] = {from, step.to};
        screen_->lastMoveChanged();
    }
    screen_->dieUsed(die);
    screen_->letEventsRun();
    afterStep();
    return step.result;
}

void Game::clearLastMoveMarks() {
    if (lastMoveMarkCount_ == 0) return;
    lastMoveMarkCount_ = 0;
    screen_->lastMoveChanged();
}

}  // namespace lumaro
