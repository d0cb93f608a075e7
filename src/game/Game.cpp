#include "game/Game.h"

#include "game/LivePosition.h"
#include "game/SettingsRules.h"

namespace lumaro {

Game::Game(Screen& screen)
    : screen_(&screen),
      search_(std::make_unique<MoveSearch>()),
      computer_(makeComputerPlayer()),
      personHere_(makePersonAtThisBoard()) {}

Game::~Game() = default;

Player& Game::blackPlayer() const {
    if (networkPlace() && remote_) return *remote_;
    return options_.humanOpponent ? *personHere_ : *computer_;
}

void Game::setHourglass(bool on) {
    hourglass_ = on;
    screen_->setWaitCursor(on);
}

void Game::startUp(std::uint32_t seedMilliseconds) {
    stats_ = PositionStats{};
    roller_.random.seed = seedMilliseconds;
    blackBeginsNext_ = roller_.random.Random(100) > 50;
    roller_.clockTicks = 0;
    roller_.marsaglia.initFrom(roller_.random);
    resetStatistics();
    state_.reset();
    drawCube();
}

void Game::drawCube() { screen_->drawCube(state_.cube()); }

void Game::rollAt(Side side, bool automatic) {
    busy_ = true;
    // Black's new turn starts its own marks; White's roll is the local player's next action.
    clearLastMoveMarks();
    Dice rolled;
    if (automatic) {
        rolled = roller_.rollAutomatically(*screen_, options_.soundFx);
        screen_->showDice(side, rolled.dieA, rolled.dieB);
    } else {
        screen_->showDice(side, 0, 0);
        roller_.pendingKey = 0;
        // The dice buttons and the keyboard fill pendingKey while the wait lets events run.
        enteringDice_ = true;
        while (!rolled.bothEntered() && !screen_->closing()) {
            screen_->delay(10);
            if (rolled.enterManualDie(roller_.pendingKey)) screen_->showDice(side, rolled.dieA, rolled.dieB);
            roller_.pendingKey = 0;
        }
        enteringDice_ = false;
    }
    state_.roll(rolled.dieA, rolled.dieB);
    recorder_.rolled(side, rolled.dieA, rolled.dieB);
    rollStats_[side].countRoll(rolled.dieA, rolled.dieB, stats_.pipsOf(side));
    busy_ = false;
}

void Game::rollForWhite() { rollAt(Side::White, options_.automaticDice); }
void Game::rollForBlack() { rollAt(Side::Black, options_.automaticDice); }
void Game::rollForWhiteInNetworkGame() {
    state_.turnTo(Side::White);
    waitingForOpponent_ = false;
    rollAt(Side::White, true);
}

void Game::takePeerRoll(Byte a, Byte b) {
    clearLastMoveMarks();
    state_.roll(a, b);
    screen_->showDice(Side::Black, a, b);
    recorder_.rolled(Side::Black, a, b);
    rollStats_[Side::Black].countRoll(a, b, stats_.blackPips);
}

void Game::arrangeTurn(const Position& pos, Byte a, Byte b, Side side, int rolls) {
    layOutPosition(pos);
    state_.turnTo(side);
    state_.roll(a, b);
    state_.begin();
    arrangeRolls(rolls, rolls);
    updateCounters();
}

void Game::arrangeCube(Byte value, Byte ownerWhite) {
    state_.arrangeCube(Cube::of(value, ownerWhite));
}

void Game::arrangeMatchBoards(Byte boardNumber, Byte crawfordBoardNumber) {
    state_.arrangeMatchBoards(boardNumber, crawfordBoardNumber);
}

void Game::arrangeRolls(int whiteRolls, int blackRolls) {
    rollStats_[Side::White].rolls = static_cast<std::uint16_t>(whiteRolls);
    rollStats_[Side::Black].rolls = static_cast<std::uint16_t>(blackRolls);
}

void Game::sideResigns(Side resigner) {
    recorder_.resigned(resigner);
    finishGame(otherSide(resigner), GameOver::Resigned);
}

void Game::connectionMade(bool thisSideHosts) {
    connected_ = true;
    hostSide_ = thisSideHosts;
    waitingForOpponent_ = false;
}

bool Game::connectionLost() {
    connected_ = false;
    hostSide_ = false;
    waitingForOpponent_ = false;
    return stopGameUnscored();
}

bool Game::stopGameUnscored() { return state_.stopUnscored(); }

Side Game::nextNetworkBeginner() {
    blackBeginsNext_ = !blackBeginsNext_;
    return blackBeginsNext_ ? Side::Black : Side::White;
}

void Game::prepareNetworkGame(Side beginner) {
    resetStatistics();
    state_.turnTo(beginner);
}

void Game::startNetworkGame() {
    beginGame();
    waitingForOpponent_ = state_.sideToMove() == Side::Black;
}

void Game::whiteMoveSent() {
    moveRecord_.fill(0);
    waitingForOpponent_ = true;
    state_.turnTo(Side::Black);
}

void Game::playPeerMove(const Play& play) {
    playBlackMove(play);
    moveRecord_.fill(0);
}

void Game::endPeerTurn() { waitingForOpponent_ = false; }

void Game::resetGameScores() { state_.resetGameScores(); }
void Game::resetMatchScores() { state_.resetMatchScores(); }

void Game::beginGame() {
    state_.begin();
    recordNewGame();
    screen_->gameStarted();
}

void Game::setUpNewBoard() {
    busy_ = true;
    clearLastMoveMarks();
    moveRecord_.fill(0);
    screen_->clearDice();
    screen_->letEventsRun();
    state_.newBoard();
    showFreshBoard();
    drawCube();
    updateCounters();
    busy_ = false;
    screen_->refreshBarDots();
}

void Game::layOutPosition(const Position& pos) {
    state_.layOut(pos);
    showFreshBoard();
}

void Game::showFreshBoard() {
    screen_->boardCleared();
    screen_->positionLaidOut(state_.position());
}

void Game::redrawDiceOfSideToMove() {
    const Dice& dice = state_.dice();
    screen_->showDice(state_.sideToMove(), dice.dieA, dice.dieB);
}

void Game::undoTurn() {
    if (state_.sideToMove() == Side::Black) clearLastMoveMarks();  // Black's steps taken back
    recorder_.turnUndone(state_.sideToMove());
    state_.undo();
    showTurnStart();
}

void Game::showTurnStart() {
    busy_ = true;
    drawCube();
    redrawDiceOfSideToMove();
    screen_->positionLaidOut(state_.position());
    updateCounters();
    busy_ = false;
    moveRecord_.fill(0);
    screen_->refreshBarDots();
}

void Game::recordNewGame() {
    const int length = options_.matchPlay ? options_.matchLength : 0;
    const MatchRecord& record = recorder_.record();
    const Scores& scores = state_.scores();
    const bool newMatch = length != 0 && scores.whiteMatchScore == 0 && scores.blackMatchScore == 0;
    if (!record.games.empty() && (record.matchLength != length || newMatch)) {
        recorder_ = MatchRecorder{};
        ++recordSession_;
    }
    int white = 0, black = 0;
    if (length != 0) {
        white = scores.whiteMatchScore;
        black = scores.blackMatchScore;
    } else {
        // A session of single games counts its own points from game to game.
        for (const RecordedGame& g : recorder_.record().games)
            if (g.ended) (g.winner == Side::White ? white : black) += g.points;
    }
    RecordedRules rules;
    rules.cube = options_.cubeEnabled;
    rules.jacoby = options_.jacobyRule && options_.cubeEnabled;  // the rule counts only with the cube
    rules.crawford = options_.crawfordRule;
    recorder_.startGame(length, white, black, isCrawfordGame(), rules);
}

void Game::awaitRoll(Side roller) {
    state_.awaitRoll(roller);
    screen_->clearDice();
}

void Game::takeUpMatch(int length, int whiteScore, int blackScore, bool crawfordGame) {
    options_.matchPlay = true;
    options_.matchLength = static_cast<std::uint8_t>(length);
    if (crawfordGame) options_.crawfordRule = true;
    Scores scores = state_.scores();
    scores.whiteMatchScore = static_cast<std::uint16_t>(whiteScore);
    scores.blackMatchScore = static_cast<std::uint16_t>(blackScore);
    state_.keepScores(scores);
    // The games played before belong to another match: its record is left whole.
    if (!recorder_.record().games.empty()) {
        recorder_ = MatchRecorder{};
        ++recordSession_;
    }
}

void Game::resetStatistics() {
    rollStats_[Side::White].clear();
    rollStats_[Side::Black].clear();
    stats_.resetForNewGame();
}

void Game::updateCounters() {
    const Cube& cube = state_.cube();
    stats_.recompute(state_.position(), options_.cubeEnabled, cube.value(), cube.ownerWhite());
    counters_ = boardCounters(state_.position(), stats_.whitePips, stats_.blackPips, true, true);
    screen_->countersChanged();
    screen_->letEventsRun();
}

void Game::endIfBorneOff() {
    // Only a game in progress can end: a finished position shown again (an undo, a loaded game
    // that was already over) must not be booked twice.
    if (!state_.gameOn()) return;
    const Position& board = state_.position();
    if (board.offWhite >= kCheckersPerSide) {
        // In a network game the peer gets the last move first; if it cannot, the connection
        // ends and takes the game with it.
        if (state_.sideToMove() == Side::White && !blackPlayer().whiteBoreOffLast(*this)) return;
        if (state_.gameOn()) finishGame(Side::White, GameOver::BorneOff);
    } else if (board.offBlack >= kCheckersPerSide) {
        finishGame(Side::Black, GameOver::BorneOff);
    }
}

void Game::finishGame(Side winner, GameOver how) {
    const bool wasBusy = busy_;
    busy_ = true;  // held until the result box has closed: the game is over, nothing may move on
    if (options_.soundFx) screen_->play(Sound::GameEnd);
    rollStats_[Side::White].countEnd(stats_.whitePips);
    rollStats_[Side::Black].countEnd(stats_.blackPips);
    const GameResult& result = state_.gameOver(winner, how, options_);
    recorder_.gameEnded(winner, result.resultPoints);
    screen_->recordChanged();
    showMessage(result.message);
    busy_ = wasBusy;
}

SavedGame Game::savedGame() const {
    const TurnSnapshot& start = state_.snapshot();
    SavedGame saved;
    saved.position = start.position;
    saved.dieA = start.dieA;
    saved.dieB = start.dieB;
    saved.turn = turnOf(state_.sideOnRoll());
    saved.cubeValue = start.cube.value();
    saved.cubeOwnerWhite = start.cube.ownerWhite();
    saved.cubeEnabled = options_.cubeEnabled;
    return saved;
}

void Game::restoreSavedGame(const SavedGame& saved) {
    busy_ = true;
    clearLastMoveMarks();
    options_.cubeEnabled = saved.cubeEnabled;
    state_.restore(saved);
    // The record keeps the game from the position it is taken up in.
    recordNewGame();
    recorder_.setUp({saved.position, sideOfTurn(saved.turn), saved.dieA, saved.dieB,
                     Cube::of(saved.cubeValue, saved.cubeOwnerWhite)});
    screen_->boardCleared();
    busy_ = false;
    showTurnStart();
    screen_->gameStarted();
    resetStatistics();
    // The pip counts are taken after the reset, so the history starts from the loaded position.
    updateCounters();
    // The loaded position counts as the first roll of both colours, the loaded dice as the second
    // roll of the colour to move.
    rollStats_[Side::White].rolls = 1;
    rollStats_[Side::Black].rolls = 1;
    rollStats_[Side::White].pipHistory[1] = stats_.whitePips;
    rollStats_[Side::Black].pipHistory[1] = stats_.blackPips;
    // A game still to roll (pasted IDs) counts its roll when it is rolled.
    const Side mover = state_.sideToMove();
    const Dice& dice = state_.dice();
    if (dice.dieA != 0 && dice.dieB != 0) rollStats_[mover].countRoll(dice.dieA, dice.dieB, stats_.pipsOf(mover));
    // A game saved after its last checker was borne off ends here, once.
    endIfBorneOff();
}

}  // namespace lumaro
