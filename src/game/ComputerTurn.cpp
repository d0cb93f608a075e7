// The computer's turn: the choice of a play, its execution with pauses and sounds, and its cube.
#include "ai/CubeMeasure.h"
#include "ai/OpeningBook.h"
#include "game/Game.h"
#include "game/SearchSetup.h"

namespace lumaro {

SearchRequest Game::searchRequest(bool black) const {
    // The real board is the turn-start position here (the search runs right after the roll, or
    // after MOVE has undone the turn's steps).
    SearchRequest r = searchRequestFor(board.position(), snapshot.dieA, snapshot.dieB, black, analysisSettingsOf(options), nets);
    r.start = snapshot.position;
    return r;
}

SearchResult Game::choosePlay(bool black) {
    const RollStats& own = black ? blackRollStats : whiteRollStats;
    const RollStats& other = black ? whiteRollStats : blackRollStats;
    if (own.rolls == 1 && other.rolls == 0) {
        // The side's first roll, and the opponent has not rolled: the book.
        SearchResult book;
        book.chosenPlay = openingPlay(snapshot.dieA, snapshot.dieB, !black, [this] { return dice.random.Random(100); });
        book.fromBook = true;
        return book;
    }
    return search_->search(searchRequest(black));
}

void Game::executePlay(const Play& play, bool black) {
    static constexpr int kPauseBeforeStep[5] = {0, 300, 200, 100, 100};
    for (int k = 1; k <= 4 && play[k].die != 0; ++k) {
        if (!gameOn) break;  // the last checker is off: the game is over
        busy = true;
        screen_->delay(kPauseBeforeStep[k]);
        if (options.soundFx) screen_->play(Sound::Checker);
        const Step step = play[k];
        const int s = step.point >= 1 && step.point <= 24 ? board.screenToPoint[step.point] : 0;
        if (black) {
            if (board.phaseBlack == 1)
                intrapc(step.die);
            else
                mutascoatepc(s, step.die);
        } else {
            if (board.phaseWhite == 1)
                whiteEntryWithDie(step.die);
            else
                whiteStepWithDie(s, step.die);
        }
    }
}

void Game::playComputersChoice(bool black) {
    // Only the computer's own thinking at level 2 shows the hourglass; MOVE never does.
    const bool thinkingLong = black && options.computerLevel == 2;
    if (thinkingLong) screen_->setWaitCursor(true);
    board.analizafazaeu();
    board.analizafazatu();
    busy = true;
    lastSearch = choosePlay(black);
    if (!lastSearch.fromBook && diceTotal(lastSearch.bestPath) == 0) {
        if (options.soundFx) screen_->play(Sound::NoMove);
        screen_->delay(200);
        busy = false;
        if (thinkingLong) screen_->setWaitCursor(false);
        return;
    }
    const Play play = lastSearch.fromBook ? lastSearch.chosenPlay : lastSearch.playToMake();
    screen_->letEventsRun();
    if (thinkingLong) {
        screen_->setWaitCursor(false);
        screen_->letEventsRun();
    }
    executePlay(play, black);
    busy = false;
}

void Game::mutapc() { playComputersChoice(true); }

void Game::mutapceu() {
    refacfast();  // the steps already made this turn are taken back first
    playComputersChoice(false);
}

bool Game::isCrawfordGame() const { return lumaro::isCrawfordGame(options, gameNumber, crawfordGameNumber); }

bool Game::computerTakesDouble() const {
    return computerTakes(cubeMeasure(board), options.doublesAlwaysAccepted != 0);
}

void Game::computerOffersDouble() {
    if (isCrawfordGame()) return;
    if (options.matchPlay && options.matchLength == 1) return;
    if (!measureInvitesDouble(cubeMeasure(board))) return;
    if (whiteRollStats.rolls < 3 || blackRollStats.rolls < 3) return;
    Message question;
    question.kind = 4;
    question.line1 = "Computer wants to double.";
    question.line2 = "Do you accept?";
    question.yesNo = true;
    question.timeout = 50;
    if (screen_->mesaj(question) == Answer::No) {
        gameEndedByCube = true;
        stats.blackPips = 0;
        return;
    }
    gameEndedByCube = false;
    cubeValue = static_cast<Byte>(cubeValue * 2);
    cubeOwnerWhite = 1;
    drawCube();
}

}  // namespace lumaro
