// Single checker steps on the real board: one rule and one way of making them, whoever moves
// (a person's click, the computer, MOVE, a move received over the network).
#include "game/Game.h"

namespace lumaro {

void Game::useDie(Byte die) {
    dice.useDie(die);
    screen_->dieUsed(die);
    screen_->letEventsRun();
}

void Game::afterStep() {
    board.updateWhitePhase();
    board.updateBlackPhase();
    updateCounters();
    endIfBorneOff();
}

// A hit: the blot of `blot` on logical point t flies to its bar.
void Game::sendBlotToBar(Side blot, int t) {
    const bool white = blot == Side::White;
    const int s = board.screenToPoint[t];
    if (white) board.removeWhiteAt(s); else board.removeBlackAt(s);
    board.flyFromLast(colourOf(blot), Board::kBarX, white ? Board::kWhiteBarY : Board::kBlackBarY);
    if (white) board.addWhiteToBar(); else board.addBlackToBar();
}

Byte Game::playStep(Side side, int from, Byte die, bool placingSound, bool record) {
    const bool white = side == Side::White;
    const Byte result = from < 0 || from > 24 ? kStepImpossible : stepResult(board, side, from, die, white ? board.phaseWhite : board.phaseBlack);
    if (result == kStepImpossible) {
        if (options_.soundFx) screen_->play(Sound::NoMove);
        return result;
    }
    const Byte own = colourOf(side);
    auto leave = [&] {
        if (from == 0) {
            if (white) board.removeWhiteFromBar(); else board.removeBlackFromBar();
        } else {
            const int s = board.screenToPoint[from];
            if (white) board.removeWhiteAt(s); else board.removeBlackAt(s);
        }
    };
    // Where the checker lands: a point, or 25 for the tray.
    const bool hit = result != kBorneOff && result > kHitOffset;
    const int to = result == kBorneOff ? 25 : (hit ? result - kHitOffset : result);
    if (result == kBorneOff) {
        if (record && white) recordWhiteStep(static_cast<Byte>(from), die);
        leave();
        (white ? board.offWhite : board.offBlack) += 1;
        if (placingSound && options_.soundFx) screen_->play(Sound::Checker);
        board.flyFromLast(own, board.trayX(), white ? Board::kWhiteTrayY : Board::kBlackTrayY);
    } else {
        // An entry is recorded by the screen position of its point, a move by the point it leaves.
        if (record && white) recordWhiteStep(from == 0 ? board.screenToPoint[to] : static_cast<Byte>(from), die);
        if (placingSound && options_.soundFx) screen_->play(Sound::Checker);
        // White's hit from a point lands at once; the others show their fade and appear effects.
        const bool quietHit = hit && white && from != 0;
        if (quietHit) board.animate = false;
        if (hit) sendBlotToBar(otherSide(side), to);
        leave();
        board.flyFromLast(own, board.nextSlotX(to), board.nextSlotY(to));
        board.addAtPoint(to, own);
        if (quietHit) board.animate = true;
    }
    recorder.stepMade(side, from, die);
    if (side == Side::Black && lastMoveMarkCount < static_cast<int>(lastMoveMarks.size())) {
        lastMoveMarks[static_cast<std::size_t>(lastMoveMarkCount++)] = {from, to};
        screen_->lastMoveChanged();
    }
    useDie(die);
    afterStep();
    return result;
}

void Game::clearLastMoveMarks() {
    if (lastMoveMarkCount == 0) return;
    lastMoveMarkCount = 0;
    screen_->lastMoveChanged();
}

}  // namespace lumaro
