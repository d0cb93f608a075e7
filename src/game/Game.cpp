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
    gameOn_ = false;
    gameNumber_ = 1;
    crawfordGameNumber_ = 0;
    dice_.random.seed = seedMilliseconds;
    blackBeginsNext_ = dice_.random.Random(100) > 50;
    dice_.clockTicks = 0;
    dice_.marsaglia.initFrom(dice_.random);
    board_.count.fill(0);
    board_.colour.fill(0);
    resetStatistics();
    dice_.clear();
    board_.offWhite = board_.offBlack = board_.barWhite = board_.barBlack = 0;
    cube_ = Cube{};
    drawCube();
}

void Game::drawCube() { screen_->drawCube(cube_); }

void Game::takeSnapshot() {
    snapshot_.position = board_;
    snapshot_.checkerColours = options_.checkerColours;
    snapshot_.dieA = dice_.dieA;
    snapshot_.dieB = dice_.dieB;
    snapshot_.cube = cube_;
}

void Game::rollAt(Side side, bool automatic) {
    busy_ = true;
    // Black's new turn starts its own marks; White's roll is the local player's next action.
    clearLastMoveMarks();
    if (automatic) {
        dice_.rollAutomatically(*screen_, options_.soundFx);
        screen_->showDice(side, dice_.dieA, dice_.dieB);
    } else {
        dice_.dieA = 0;
        dice_.dieB = 0;
        screen_->showDice(side, 0, 0);
        dice_.pendingKey = 0;
        // The dice buttons and the keyboard fill pendingKey while the wait lets events run.
        enteringDice_ = true;
        while (!dice_.bothEntered() && !screen_->closing()) {
            screen_->delay(10);
            if (dice_.enterManualDie(dice_.pendingKey)) screen_->showDice(side, dice_.dieA, dice_.dieB);
            dice_.pendingKey = 0;
        }
        enteringDice_ = false;
        dice_.fillDiceLeft();
    }
    takeSnapshot();
    recorder_.rolled(side, dice_.dieA, dice_.dieB);
    const bool white = side == Side::White;
    RollStats& rolls = rollStats_[side];
    rolls.countRoll(dice_.dieA, dice_.dieB, white ? stats_.whitePips : stats_.blackPips);
    busy_ = false;
}

void Game::rollForWhite() { rollAt(Side::White, options_.automaticDice); }
void Game::rollForBlack() { rollAt(Side::Black, options_.automaticDice); }
void Game::rollForWhiteInNetworkGame() {
    turn_ = Side::White;
    waitingForOpponent_ = false;
    rollAt(Side::White, true);
}

void Game::takePeerRoll(Byte a, Byte b) {
    clearLastMoveMarks();
    dice_.dieA = a;
    dice_.dieB = b;
    screen_->showDice(Side::Black, a, b);
    recorder_.rolled(Side::Black, a, b);
    dice_.fillDiceLeft();
    takeSnapshot();
    rollStats_[Side::Black].countRoll(a, b, stats_.blackPips);
}

void Game::arrangeTurn(const Position& pos, Byte a, Byte b, Side side, int rolls) {
    layOutPosition(pos);
    turn_ = side;
    dice_.dieA = a;
    dice_.dieB = b;
    dice_.fillDiceLeft();
    takeSnapshot();
    gameOn_ = true;
    arrangeRolls(rolls, rolls);
    updateCounters();
}

void Game::arrangeCube(Byte value, Byte ownerWhite) {
    cube_ = Cube::of(value, ownerWhite);
}

void Game::arrangeMatchBoards(Byte boardNumber, Byte crawfordBoardNumber) {
    gameNumber_ = boardNumber;
    crawfordGameNumber_ = crawfordBoardNumber;
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

bool Game::stopGameUnscored() {
    const bool wasOn = gameOn_;
    gameOn_ = false;
    return wasOn;
}

Side Game::nextNetworkBeginner() {
    blackBeginsNext_ = !blackBeginsNext_;
    return blackBeginsNext_ ? Side::Black : Side::White;
}

void Game::prepareNetworkGame(Side beginner) {
    resetStatistics();
    turn_ = beginner;
}

void Game::startNetworkGame() {
    beginGame();
    waitingForOpponent_ = turn_ == Side::Black;
}

void Game::whiteMoveSent() {
    moveRecord_.fill(0);
    waitingForOpponent_ = true;
    turn_ = Side::Black;
}

void Game::playPeerMove(const Play& play) {
    playBlackMove(play);
    moveRecord_.fill(0);
}

void Game::endPeerTurn() { waitingForOpponent_ = false; }

void Game::resetGameScores() { lumaro::resetGameScores(scores_); }
void Game::resetMatchScores() { lumaro::resetMatchScores(scores_, crawfordGameNumber_); }

void Game::beginGame() {
    gameOn_ = true;
    recordNewGame();
    screen_->gameStarted();
}

void Game::setUpNewBoard() {
    busy_ = true;
    clearLastMoveMarks();
    moveRecord_.fill(0);
    screen_->clearDice();
    screen_->letEventsRun();
    layOutPosition(startingPosition());
    cube_ = Cube{};
    drawCube();
    updateCounters();
    gameNumber_ = gameNumber_ == 255 ? 1 : static_cast<Byte>(gameNumber_ + 1);
    busy_ = false;
    screen_->refreshBarDots();
}

void Game::layOutPosition(const Position& pos) {
    board_ = freshBoard(pos);
    screen_->boardCleared();
    screen_->positionLaidOut(board_);
}

void Game::redrawDiceOfSideToMove() { screen_->showDice(sideToMove(), dice_.dieA, dice_.dieB); }

void Game::undoTurn() {
    if (turn_ == Side::Black) clearLastMoveMarks();  // Black's steps taken back
    recorder_.turnUndone(sideToMove());
    busy_ = true;
    cube_ = snapshot_.cube;
    drawCube();
    dice_.dieA = snapshot_.dieA;
    dice_.dieB = snapshot_.dieB;
    dice_.fillDiceLeft();
    redrawDiceOfSideToMove();
    board_ = restoredPosition(board_, snapshot_.position);
    screen_->positionLaidOut(board_);
    updateCounters();
    busy_ = false;
    moveRecord_.fill(0);
    screen_->refreshBarDots();
}

void Game::recordNewGame() {
    const int length = options_.matchPlay ? options_.matchLength : 0;
    const MatchRecord& record = recorder_.record();
    const bool newMatch = length != 0 && scores_.whiteMatchScore == 0 && scores_.blackMatchScore == 0;
    if (!record.games.empty() && (record.matchLength != length || newMatch)) {
        recorder_ = MatchRecorder{};
        ++recordSession_;
    }
    int white = 0, black = 0;
    if (length != 0) {
        white = scores_.whiteMatchScore;
        black = scores_.blackMatchScore;
    } else {
        // A session of single games counts its own points from game to game.
        for (const RecordedGame& g : recorder_.record().games)
            if (g.ended) (g.winner == Side::White ? white : black) += g.points;
    }
    recorder_.startGame(length, white, black, isCrawfordGame());
}

void Game::resetStatistics() {
    rollStats_[Side::White].clear();
    rollStats_[Side::Black].clear();
    stats_.resetForNewGame();
}

void Game::updateCounters() {
    stats_.recompute(board_, options_.cubeEnabled, cube_.value(), cube_.ownerWhite());
    counters_ = boardCounters(board_, stats_.whitePips, stats_.blackPips, true, true);
    screen_->countersChanged();
    screen_->letEventsRun();
}

void Game::endIfBorneOff() {
    // Only a game in progress can end: a finished position shown again (an undo, a loaded game
    // that was already over) must not be booked twice.
    if (!gameOn_) return;
    if (board_.offWhite >= kCheckersPerSide) {
        // In a network game the peer gets the last move first; if it cannot, the connection
        // ends and takes the game with it.
        if (networkPlace() && connected_ && turn_ == Side::White && !blackPlayer().whiteBoreOffLast(*this)) return;
        if (gameOn_) finishGame(Side::White, GameOver::BorneOff);
    } else if (board_.offBlack >= kCheckersPerSide) {
        finishGame(Side::Black, GameOver::BorneOff);
    }
}

void Game::finishGame(Side winner, GameOver how) {
    const bool wasBusy = busy_;
    busy_ = true;  // held until the result box has closed: the game is over, nothing may move on
    if (options_.soundFx) screen_->play(Sound::GameEnd);
    rollStats_[Side::White].countEnd(stats_.whitePips);
    rollStats_[Side::Black].countEnd(stats_.blackPips);
    const GameEnding ending = gameEndingOf(board_, winner, how == GameOver::DoubleRefused, cube_.value(), gameNumber_);
    lastResult_ = endGame(ending, options_, scores_, crawfordGameNumber_);
    lastResult_.how = how;
    recorder_.gameEnded(winner, lastResult_.resultPoints);
    screen_->recordChanged();
    dice_.diceLeft = {};
    gameOn_ = false;
    showMessage(lastResult_.message);
    busy_ = wasBusy;
}

SavedGame Game::savedGame() const {
    SavedGame saved;
    saved.position = snapshot_.position;
    saved.dieA = snapshot_.dieA;
    saved.dieB = snapshot_.dieB;
    saved.turn = turnOf(turn_);
    saved.cubeValue = snapshot_.cube.value();
    saved.cubeOwnerWhite = snapshot_.cube.ownerWhite();
    saved.cubeEnabled = options_.cubeEnabled;
    return saved;
}

void Game::restoreSavedGame(const SavedGame& saved) {
    busy_ = true;
    // A position set up from a file cannot be written move by move.
    recorder_.discardGame();
    clearLastMoveMarks();
    board_ = freshBoard(Position{});
    screen_->boardCleared();
    snapshot_.position = saved.position;
    snapshot_.dieA = saved.dieA;
    snapshot_.dieB = saved.dieB;
    snapshot_.cube = Cube::of(saved.cubeValue, saved.cubeOwnerWhite);
    turn_ = sideOfTurn(saved.turn);
    options_.cubeEnabled = saved.cubeEnabled;
    busy_ = false;
    undoTurn();
    gameOn_ = true;
    screen_->gameStarted();
    crawfordGameNumber_ = 0;
    resetStatistics();
    // The pip counts are taken after the reset, so the history starts from the loaded position.
    updateCounters();
    dice_.fillDiceLeft();
    // The loaded position counts as the first roll of both colours, the loaded dice as the second
    // roll of the colour to move.
    rollStats_[Side::White].rolls = 1;
    rollStats_[Side::Black].rolls = 1;
    rollStats_[Side::White].pipHistory[1] = stats_.whitePips;
    rollStats_[Side::Black].pipHistory[1] = stats_.blackPips;
    RollStats& mover = rollStats_[turn_];
    mover.countRoll(dice_.dieA, dice_.dieB, turn_ == Side::White ? stats_.whitePips : stats_.blackPips);
    // A game saved after its last checker was borne off ends here, once.
    endIfBorneOff();
}

}  // namespace lumaro
