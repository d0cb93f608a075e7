// The computer's turn: the choice of a play, its execution with pauses and sounds, and its cube.
#include "ai/CubeMeasure.h"
#include "ai/NeuralNets.h"
#include "ai/OpeningBook.h"
#include "game/Game.h"
#include "game/MasterThinking.h"
#include "game/SearchSetup.h"

namespace lumaro {

Level Game::playingLevel() const {
    // Without its networks the expert would choose by the order plays are generated in.
    if (options_.computerLevel == Level::Expert && !(nets_ && nets_->usable())) return Level::Intermediate;
    return options_.computerLevel;
}

SearchRequest Game::searchRequest(bool black) const {
    // The real board is the turn-start position here (the search runs right after the roll, or
    // after MOVE has undone the turn's steps).
    AnalysisSettings settings = analysisSettingsOf(options_);
    settings.computerLevel = playingLevel();
    const TurnSnapshot& start = state_.snapshot();
    SearchRequest r = searchRequestFor(state_.position(), start.dieA, start.dieB, black, settings, nets_);
    r.start = start.position;
    return r;
}

SearchResult Game::choosePlay(bool black) {
    const RollStats& own = rollStats_[black ? Side::Black : Side::White];
    const RollStats& other = rollStats_[black ? Side::White : Side::Black];
    if (own.rolls == 1 && other.rolls == 0) {
        // The side's first roll, and the opponent has not rolled: the book.
        SearchResult book;
        const TurnSnapshot& start = state_.snapshot();
        book.chosenPlay = openingPlay(start.dieA, start.dieB, !black, [this] { return roller_.random.Random(100); });
        book.fromBook = true;
        return book;
    }
    return search_->search(searchRequest(black));
}

// A whole play made step by step with the pauses the player follows: the computer's, MOVE's, and
// the remote player's.
void Game::playPlay(const Play& play, Side side) {
    static constexpr int kPauseBeforeStep[5] = {0, 300, 200, 100, 100};
    busy_ = true;
    for (int k = 1; k <= 4 && play[k].die != 0; ++k) {
        if (!state_.gameOn()) break;  // the last checker is off: the game is over
        screen_->delay(kPauseBeforeStep[k]);
        if (options_.soundFx) screen_->play(Sound::Checker);
        const Step step = play[k];
        const bool onBar = phaseOf(state_.position(), side) == 1;
        // White's steps go into the record that travels to the peer of a network game.
        playStep(side, onBar ? 0 : step.point, step.die, false, true);
    }
    busy_ = false;
}

void Game::playBlackMove(const Play& play) { playPlay(play, Side::Black); }

void Game::playComputersChoice(Side side) {
    if (masterThinks()) {
        playMastersChoice(side);
        return;
    }
    // Only the computer's own thinking at level 2 shows the hourglass; MOVE never does.
    const bool thinkingLong = side == Side::Black && playingLevel() == Level::Intermediate;
    if (thinkingLong) setHourglass(true);
    busy_ = true;
    lastSearch_ = choosePlay(side == Side::Black);
    if (!lastSearch_.fromBook && diceTotal(lastSearch_.bestPath) == 0) {
        if (options_.soundFx) screen_->play(Sound::NoMove);
        screen_->delay(200);
        busy_ = false;
        if (thinkingLong) setHourglass(false);
        return;
    }
    const Play play = lastSearch_.fromBook ? lastSearch_.chosenPlay : lastSearch_.playToMake();
    screen_->letEventsRun();
    if (thinkingLong) {
        setHourglass(false);
        screen_->letEventsRun();
    }
    playPlay(play, side);
}

void Game::playComputerTurn() { playComputersChoice(Side::Black); }

void Game::playWhitePlay(const Play& play) {
    undoTurn();
    playPlay(play, Side::White);
    screen_->refreshBarDots();
}

void Game::playWhiteByComputer() {
    undoTurn();  // the steps already made this turn are taken back first
    playComputersChoice(Side::White);
    screen_->refreshBarDots();  // the dots of the dice just played go
}

bool Game::opponentTakesDouble() {
    if (!masterThinks() || options_.doublesAlwaysAccepted) return computerTakesDouble();
    return masterTakes(masterThinksAboutCube(Side::White));
}

bool Game::isCrawfordGame() const { return state_.isCrawfordGame(options_); }

bool Game::computerTakesDouble() const {
    return computerTakes(cubeMeasure(state_.position()), options_.doublesAlwaysAccepted);
}

void Game::computerOffersDouble() {
    if (isCrawfordGame()) return;
    if (options_.matchPlay && options_.matchLength == 1) return;
    if (masterThinks()) {
        // The Master doubles by its cube model, at any roll of the game; too good, it plays on.
        if (masterDoubles(masterThinksAboutCube(Side::Black))) blackDoubles("Computer wants to double.");
        return;
    }
    if (!measureInvitesDouble(cubeMeasure(state_.position()))) return;
    if (rollStats_[Side::White].rolls < 3 || rollStats_[Side::Black].rolls < 3) return;
    blackDoubles("Computer wants to double.");
}

}  // namespace lumaro
