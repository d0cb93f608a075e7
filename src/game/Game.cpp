#include "game/Game.h"

#include "game/LivePosition.h"
#include "game/SettingsRules.h"

namespace lumaro {

Game::Game(Screen& screen)
    : screen_(&screen),
      search_(std::make_unique<MoveSearch>()),
      computer_(makeComputerOpponent()),
      personHere_(makePersonAtThisBoard()) {}

Game::~Game() = default;

Opponent& Game::opponent() const {
    if (networkPlace() && remote_) return *remote_;
    return options_.humanOpponent ? *personHere_ : *computer_;
}

void Game::setHourglass(bool on) {
    hourglass = on;
    screen_->setWaitCursor(on);
}

void Game::startUp(std::uint32_t seedMilliseconds) {
    stats = PositionStats{};
    gameOn = false;
    gameNumber = 1;
    crawfordGameNumber = 0;
    dice.random.seed = seedMilliseconds;
    blackBeginsNext = dice.random.Random(100) > 50;
    dice.clockTicks = 0;
    dice.marsaglia.initFrom(dice.random);
    board.count.fill(0);
    board.colour.fill(0);
    resetStatistics();
    dice.clear();
    board.offWhite = board.offBlack = board.barWhite = board.barBlack = 0;
    cubeValue = 1;
    cubeOwnerWhite = 0;
    drawCube();
}

void Game::drawCube() { screen_->drawCube(cubeValue, cubeOwnerWhite); }

void Game::takeSnapshot() {
    snapshot.position = board;
    snapshot.checkerColours = options_.checkerColours;
    snapshot.dieA = dice.dieA;
    snapshot.dieB = dice.dieB;
    snapshot.cubeOwnerWhite = cubeOwnerWhite;
    snapshot.cubeValue = cubeValue;
}

void Game::rollAt(Side side, bool automatic) {
    busy = true;
    // Black's new turn starts its own marks; White's roll is the local player's next action.
    clearLastMoveMarks();
    if (automatic) {
        dice.rollAutomatically(*screen_, options_.soundFx);
        screen_->showDice(side, dice.dieA, dice.dieB);
    } else {
        dice.dieA = 0;
        dice.dieB = 0;
        screen_->showDice(side, 0, 0);
        dice.pendingKey = 0;
        // The dice buttons and the keyboard fill pendingKey while the wait lets events run.
        enteringDice = true;
        while (!dice.bothEntered() && !screen_->closing()) {
            screen_->delay(10);
            if (dice.enterManualDie(dice.pendingKey)) screen_->showDice(side, dice.dieA, dice.dieB);
            dice.pendingKey = 0;
        }
        enteringDice = false;
        dice.fillDiceLeft();
    }
    takeSnapshot();
    recorder.rolled(side, dice.dieA, dice.dieB);
    const bool white = side == Side::White;
    RollStats& rolls = white ? whiteRollStats : blackRollStats;
    rolls.countRoll(dice.dieA, dice.dieB, white ? stats.whitePips : stats.blackPips);
    busy = false;
}

void Game::rollForWhite() { rollAt(Side::White, options_.automaticDice); }
void Game::rollForBlack() { rollAt(Side::Black, options_.automaticDice); }
void Game::rollForWhiteInNetworkGame() {
    turn = 1;
    waitingForOpponent = false;
    rollAt(Side::White, true);
}

void Game::takePeerRoll(Byte a, Byte b) {
    clearLastMoveMarks();
    dice.dieA = a;
    dice.dieB = b;
    screen_->showDice(Side::Black, a, b);
    recorder.rolled(Side::Black, a, b);
    dice.fillDiceLeft();
    takeSnapshot();
    blackRollStats.countRoll(a, b, stats.blackPips);
}

void Game::sideResigns(Side resigner) {
    recorder.resigned(resigner);
    finishGame(otherSide(resigner), GameOver::Resigned);
}

void Game::connectionMade(bool thisSideHosts) {
    connected = true;
    hostSide = thisSideHosts;
    waitingForOpponent = false;
}

bool Game::connectionLost() {
    connected = false;
    hostSide = false;
    waitingForOpponent = false;
    return stopGameUnscored();
}

bool Game::stopGameUnscored() {
    const bool wasOn = gameOn;
    gameOn = false;
    return wasOn;
}

Side Game::nextNetworkBeginner() {
    blackBeginsNext = !blackBeginsNext;
    return blackBeginsNext ? Side::Black : Side::White;
}

void Game::prepareNetworkGame(Side beginner) {
    resetStatistics();
    turn = turnOf(beginner);
}

void Game::startNetworkGame() {
    beginGame();
    waitingForOpponent = turn == 0;
}

void Game::whiteMoveSent() {
    moveRecord.fill(0);
    waitingForOpponent = true;
    turn = 0;
}

void Game::playPeerMove(const Play& play) {
    playBlackMove(play);
    moveRecord.fill(0);
}

void Game::endPeerTurn() { waitingForOpponent = false; }

void Game::resetGameScores() { lumaro::resetGameScores(scores); }
void Game::resetMatchScores() { lumaro::resetMatchScores(scores, crawfordGameNumber); }

void Game::beginGame() {
    gameOn = true;
    recordNewGame();
    screen_->gameStarted();
}

void Game::setUpNewBoard() {
    busy = true;
    clearLastMoveMarks();
    moveRecord.fill(0);
    screen_->clearDice();
    screen_->letEventsRun();
    layOutPosition(startingPosition());
    cubeValue = 1;
    cubeOwnerWhite = 0;
    drawCube();
    updateCounters();
    gameNumber = gameNumber == 255 ? 1 : static_cast<Byte>(gameNumber + 1);
    busy = false;
    screen_->refreshBarDots();
}

void Game::layOutPosition(const Position& pos) {
    board = freshBoard(pos);
    screen_->boardCleared();
    screen_->positionLaidOut(board);
}

void Game::redrawDiceOfSideToMove() { screen_->showDice(sideToMove(), dice.dieA, dice.dieB); }

void Game::undoTurn() {
    if (turn == 0) clearLastMoveMarks();  // Black's steps taken back
    recorder.turnUndone(sideToMove());
    busy = true;
    cubeValue = snapshot.cubeValue;
    cubeOwnerWhite = snapshot.cubeOwnerWhite;
    drawCube();
    dice.dieA = snapshot.dieA;
    dice.dieB = snapshot.dieB;
    dice.fillDiceLeft();
    redrawDiceOfSideToMove();
    board = restoredPosition(board, snapshot.position);
    screen_->positionLaidOut(board);
    updateCounters();
    busy = false;
    screen_->refreshBarDots();
    moveRecord.fill(0);
    screen_->refreshBarDots();
}

void Game::recordNewGame() {
    const int length = options_.matchPlay ? options_.matchLength : 0;
    const MatchRecord& record = recorder.record();
    const bool newMatch = length != 0 && scores.whiteMatchScore == 0 && scores.blackMatchScore == 0;
    if (!record.games.empty() && (record.matchLength != length || newMatch)) {
        recorder = MatchRecorder{};
        ++recordSession;
    }
    int white = 0, black = 0;
    if (length != 0) {
        white = scores.whiteMatchScore;
        black = scores.blackMatchScore;
    } else {
        // A session of single games counts its own points from game to game.
        for (const RecordedGame& g : recorder.record().games)
            if (g.ended) (g.winner == Side::White ? white : black) += g.points;
    }
    recorder.startGame(length, white, black, isCrawfordGame());
}

void Game::resetStatistics() {
    whiteRollStats.clear();
    blackRollStats.clear();
    stats.resetForNewGame();
}

void Game::updateCounters() {
    stats.recompute(board, options_.cubeEnabled, cubeValue, cubeOwnerWhite);
    counters = boardCounters(board, stats.whitePips, stats.blackPips, true, true);
    screen_->countersChanged();
    screen_->letEventsRun();
}

void Game::endIfBorneOff() {
    // Only a game in progress can end: a finished position shown again (an undo, a loaded game
    // that was already over) must not be booked twice.
    if (!gameOn) return;
    if (board.offWhite >= kCheckersPerSide) {
        // In a network game the peer gets the last move first; if it cannot, the connection
        // ends and takes the game with it.
        if (networkPlace() && connected && turn == 1 && !opponent().whiteBoreOffLast(*this)) return;
        if (gameOn) finishGame(Side::White, GameOver::BorneOff);
    } else if (board.offBlack >= kCheckersPerSide) {
        finishGame(Side::Black, GameOver::BorneOff);
    }
}

void Game::finishGame(Side winner, GameOver how) {
    const bool wasBusy = busy;
    busy = true;  // held until the result box has closed: the game is over, nothing may move on
    if (options_.soundFx) screen_->play(Sound::GameEnd);
    whiteRollStats.countEnd(stats.whitePips);
    blackRollStats.countEnd(stats.blackPips);
    const GameEnding ending = gameEndingOf(board, winner, how == GameOver::DoubleRefused, cubeValue, gameNumber);
    lastResult = endGame(ending, options_, scores, crawfordGameNumber);
    lastResult.how = how;
    recorder.gameEnded(winner, lastResult.resultPoints);
    screen_->recordChanged();
    dice.diceLeft = {};
    gameOn = false;
    showMessage(lastResult.message);
    busy = wasBusy;
}

SavedGame Game::savedGame() const {
    SavedGame saved;
    saved.position = snapshot.position;
    saved.dieA = snapshot.dieA;
    saved.dieB = snapshot.dieB;
    saved.turn = turn;
    saved.cubeValue = snapshot.cubeValue;
    saved.cubeOwnerWhite = snapshot.cubeOwnerWhite;
    saved.cubeEnabled = options_.cubeEnabled;
    return saved;
}

void Game::restoreSavedGame(const SavedGame& saved) {
    busy = true;
    // A position set up from a file cannot be written move by move.
    recorder.discardGame();
    clearLastMoveMarks();
    board = freshBoard(Position{});
    screen_->boardCleared();
    snapshot.position = saved.position;
    snapshot.dieA = saved.dieA;
    snapshot.dieB = saved.dieB;
    snapshot.cubeValue = saved.cubeValue;
    snapshot.cubeOwnerWhite = saved.cubeOwnerWhite;
    turn = saved.turn;
    options_.cubeEnabled = saved.cubeEnabled;
    busy = false;
    undoTurn();
    gameOn = true;
    screen_->gameStarted();
    crawfordGameNumber = 0;
    resetStatistics();
    // The pip counts are taken after the reset, so the history starts from the loaded position.
    updateCounters();
    dice.fillDiceLeft();
    // The loaded position counts as the first roll of both colours, the loaded dice as the second
    // roll of the colour to move.
    whiteRollStats.rolls = 1;
    blackRollStats.rolls = 1;
    whiteRollStats.pipHistory[1] = stats.whitePips;
    blackRollStats.pipHistory[1] = stats.blackPips;
    RollStats& mover = turn == 1 ? whiteRollStats : blackRollStats;
    mover.countRoll(dice.dieA, dice.dieB, turn == 1 ? stats.whitePips : stats.blackPips);
    // A game saved after its last checker was borne off ends here, once.
    endIfBorneOff();
}

}  // namespace lumaro
