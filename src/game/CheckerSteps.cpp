// Single checker steps on the real board: one rule and one way of making them, whoever moves
// (a person's click, the computer, MOVE, a move received over the network).
#include "game/Game.h"
#include "game/LivePosition.h"
#include "game/WireEntryPoint.h"

namespace lumaro {

void Game::useDie(Byte die) {
    dice_.useDie(die);
    screen_->dieUsed(die);
    screen_->letEventsRun();
}

void Game::afterStep() {
    updateCounters();
    endIfBorneOff();
}

void Game::checkerLeaves(Side side, int from, bool withEffects) {
    takeChecker(board_, side, from);
    screen_->checkerLeft(side, from, withEffects);
}

void Game::checkerArrives(Side side, int to, bool withEffects) {
    putChecker(board_, side, to);
    screen_->checkerArrived(side, to, withEffects);
}

// A hit: the blot of `blot` on logical point t flies to its bar.
void Game::sendBlotToBar(Side blot, int t, bool withEffects) {
    checkerLeaves(blot, t, withEffects);
    checkerArrives(blot, 0, withEffects);
}

Byte Game::playStep(Side side, int from, Byte die, bool placingSound, bool record) {
    const bool white = side == Side::White;
    const Byte result = from < 0 || from > 24 ? kStepImpossible : stepResult(board_, side, from, die);
    if (result == kStepImpossible) {
        if (options_.soundFx) screen_->play(Sound::NoMove);
        return result;
    }
    // Where the checker lands: a point, or 25 for the tray.
    const bool hit = result != kBorneOff && result > kHitOffset;
    const int to = result == kBorneOff ? 25 : (hit ? result - kHitOffset : result);
    if (result == kBorneOff) {
        if (record && white) recordWhiteStep(static_cast<Byte>(from), die);
        checkerLeaves(side, from, true);
        if (placingSound && options_.soundFx) screen_->play(Sound::Checker);
        checkerArrives(side, 25, true);
    } else {
        // An entry is recorded by where its point is drawn, a move by the point it leaves.
        if (record && white) recordWhiteStep(from == 0 ? entryPointOnWire(to, options_.homeRight) : static_cast<Byte>(from), die);
        if (placingSound && options_.soundFx) screen_->play(Sound::Checker);
        // White's hit from a point lands at once; the others show their fade and appear effects.
        const bool withEffects = !(hit && white && from != 0);
        if (hit) sendBlotToBar(otherSide(side), to, withEffects);
        checkerLeaves(side, from, withEffects);
        checkerArrives(side, to, withEffects);
    }
    recorder_.stepMade(side, from, die);
    if (side == Side::Black && lastMoveMarkCount_ < static_cast<int>(lastMoveMarks_.size())) {
        lastMoveMarks_[static_cast<std::size_t>(lastMoveMarkCount_++)] = {from, to};
        screen_->lastMoveChanged();
    }
    useDie(die);
    afterStep();
    return result;
}

void Game::clearLastMoveMarks() {
    if (lastMoveMarkCount_ == 0) return;
    lastMoveMarkCount_ = 0;
    screen_->lastMoveChanged();
}

}  // namespace lumaro
