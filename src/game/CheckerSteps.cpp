// Single checker steps on the real board: the computer's, and White's with a given die.
#include "game/Game.h"

namespace lumaro {

void Game::useDie(Byte die) {
    dice.useDie(die);
    screen_->dieUsed(die);
    screen_->letEventsRun();
}

void Game::afterStep() {
    board.analizafazaeu();
    board.analizafazatu();
    calculpunctaj();
}

// A hit: the white checker on t goes to the bar.
void Game::sendWhiteBlotToBar(int t) {
    board.stergalb(board.screenToPoint[t]);
    board.flyFromLast(kWhite, Board::kBarX, Board::kWhiteBarY);
    board.adalbbar();
}

void Game::sendBlackBlotToBar(int t) {
    board.stergnegru(board.screenToPoint[t]);
    board.flyFromLast(kBlack, Board::kBarX, Board::kBlackBarY);
    board.adnegrubar();
}

void Game::intrapc(Byte die) {
    const Byte result = blackEntryTest(board, die);
    if (result == kStepImpossible || result == kBorneOff) {
        if (options.soundFx) screen_->play(Sound::NoMove);
        return;
    }
    const int t = result > kHitOffset ? result - kHitOffset : result;
    if (result > kHitOffset) sendWhiteBlotToBar(t);
    board.stergnegrubar();
    board.flyFromLast(kBlack, board.nextSlotX(t), board.nextSlotY(t));
    board.adnegru(board.screenToPoint[t]);
    useDie(die);
    afterStep();
}

void Game::mutascoatepc(int s, Byte die) {
    const Byte result = blackStepTest(board, s, die);
    if (result == kStepImpossible) {
        if (options.soundFx) screen_->play(Sound::NoMove);
        return;
    }
    if (result == kBorneOff) {
        board.stergnegru(s);
        board.offBlack += 1;
        board.flyFromLast(kBlack, board.trayX(), Board::kBlackTrayY);
    } else {
        const int t = result > kHitOffset ? result - kHitOffset : result;
        if (result > kHitOffset) sendWhiteBlotToBar(t);
        board.stergnegru(s);
        board.flyFromLast(kBlack, board.nextSlotX(t), board.nextSlotY(t));
        board.adnegru(board.screenToPoint[t]);
    }
    useDie(die);
    afterStep();
}

void Game::whiteEntryWithDie(Byte die) {
    busy = true;
    const Byte result = whiteEntryTest(board, die);
    if (result == kStepImpossible || result == kBorneOff) {
        if (options.soundFx) screen_->play(Sound::NoMove);
        busy = false;
        return;
    }
    const int t = result > kHitOffset ? result - kHitOffset : result;
    if (result > kHitOffset) sendBlackBlotToBar(t);
    board.stergalbbar();
    board.flyFromLast(kWhite, board.nextSlotX(t), board.nextSlotY(t));
    board.adalb(board.screenToPoint[t]);
    useDie(die);
    afterStep();
    busy = false;
}

void Game::whiteStepWithDie(int s, Byte die) {
    busy = true;
    const Byte result = whiteStepTest(board, s, die);
    if (result == kStepImpossible) {
        if (options.soundFx) screen_->play(Sound::NoMove);
        busy = false;
        return;
    }
    if (result == kBorneOff) {
        board.stergalb(s);
        board.offWhite += 1;
        board.flyFromLast(kWhite, board.trayX(), Board::kWhiteTrayY);
    } else if (result > kHitOffset) {
        // The hit happens at once; the moving checker then flies to its point.
        const int t = result - kHitOffset;
        board.animate = false;
        sendBlackBlotToBar(t);
        board.stergalb(s);
        board.flyFromLast(kWhite, board.nextSlotX(t), board.nextSlotY(t));
        board.adalb(board.screenToPoint[t]);
        board.animate = true;
    } else {
        board.stergalb(s);
        board.flyFromLast(kWhite, board.nextSlotX(result), board.nextSlotY(result));
        board.adalb(board.screenToPoint[result]);
    }
    useDie(die);
    afterStep();
    busy = false;
}

}  // namespace lumaro
