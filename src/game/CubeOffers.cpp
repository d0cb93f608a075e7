// Doubles offered by a person: to the computer or to the other person at this machine.
#include "ai/CubeMeasure.h"
#include "board/MaxDiceRule.h"
#include "game/Game.h"

namespace lumaro {

void Game::offerDouble() {
    if (!gameOn || cubeValue >= 64 || busy) return;
    if (!options.cubeEnabled) {
        if (options.soundFx) screen_->play(Sound::NoMove);
        return;
    }
    if (options.soundFx) screen_->play(Sound::Cube);
    screen_->delay(100);
    gameEndedByCube = false;
    // Dice that must still be played come first.
    if (dice.anyLeft() && regulimaxime(snapshot.position, snapshot.dieA, snapshot.dieB, turn, dice.diceLeft) == 1) return;
    if (isCrawfordGame()) {
        mesaj(1, "You can not double", "due to the Crawford rule!", false);
        return;
    }
    if (options.matchPlay && options.matchLength == 1) {
        mesaj(1, "There is no sense to double", "when you play for one point!", false);
        return;
    }
    if (opponentIsComputer()) {
        raspuns_pc_la_dublaj();
        return;
    }
    if (!options.localPlay) return;  // a connected network game offers through the connection
    // The player to roll next offers: Black after White's turn, White after Black's.
    const bool blackOffers = turn == 1;
    const bool mayOffer = cubeValue == 1 || (blackOffers ? cubeOwnerWhite == 0 : cubeOwnerWhite == 1);
    if (!mayOffer) return;
    const bool taken = mesaj(4, blackOffers ? "Black player wants to double." : "White player wants to double.",
                             "Do you accept?", true);
    if (taken) {
        cubeValue = static_cast<Byte>(cubeValue * 2);
        cubeOwnerWhite = blackOffers ? 1 : 0;
        afiscub();
        pasi2();
        return;
    }
    (blackOffers ? stats.blackPips : stats.whitePips) = 0;
    gameEndedByCube = true;
    terminare();
}

void Game::raspuns_pc_la_dublaj() {
    if (turn != 0) return;
    if (!(cubeValue == 1 || cubeOwnerWhite == 1)) return;
    if (computerTakesDouble()) {
        mesaj(4, "Your doubling proposal", options.doublesAlwaysAccepted ? "is always accepted!" : "was accepted!", false);
        cubeValue = static_cast<Byte>(cubeValue * 2);
        cubeOwnerWhite = 0;
        afiscub();
        pasi2();
        return;
    }
    mesaj(4, "Your doubling proposal", "was refused!", false);
    stats.whitePips = 0;
    gameEndedByCube = true;
    terminare();
}

}  // namespace lumaro
