#include "game/GameState.h"

#include <algorithm>

#include "rules/MaxDiceRule.h"
#include "game/LivePosition.h"
#include "game/SettingsRules.h"

namespace lumaro {

bool GameState::isCrawfordGame(const Options& options) const {
    return lumaro::isCrawfordGame(options, gameNumber_, crawfordGameNumber_);
}

bool GameState::mayDouble(Side side, const Options& options) const {
    return options.cubeEnabled && cube_.mayBeDoubledBy(side);
}

TurnEnd GameState::turnEnd() const {
    if (!dice_.anyLeft()) return TurnEnd::Complete;
    const Byte turn = turnOf(turn_);
    const bool onBar = phaseOf(position_, turn_) == 1;
    const bool canPlay = onBar ? canEnter(position_, turn, dice_.diceLeft) : canMove(position_, turn, dice_.diceLeft);
    if (canPlay) return TurnEnd::DiceLeftToPlay;
    if (fallsShortOfMaximalPlay(snapshot_.position, snapshot_.dieA, snapshot_.dieB, turn, dice_.diceLeft) == 1)
        return TurnEnd::ShortPlay;
    return TurnEnd::Complete;
}

void GameState::reset() {
    position_ = Position{};
    gameOn_ = false;
    gameNumber_ = 1;
    crawfordGameNumber_ = 0;
    dice_.clear();
    cube_ = Cube{};
    awaitingRoll_ = false;
}

void GameState::newBoard() {
    position_ = freshBoard(startingPosition());
    cube_ = Cube{};
    gameNumber_ = gameNumber_ == 255 ? 1 : static_cast<Byte>(gameNumber_ + 1);
    dice_.clear();
    awaitingRoll_ = false;
    takeSnapshot();  // the turn's start until the first roll: a resignation goes back to it
}

void GameState::layOut(const Position& pos) {
    position_ = freshBoard(pos);
    takeSnapshot();
}

void GameState::turnTo(Side side) { turn_ = side; }

void GameState::begin() { gameOn_ = true; }

bool GameState::stopUnscored() {
    const bool wasOn = gameOn_;
    gameOn_ = false;
    return wasOn;
}

void GameState::restore(const SavedGame& saved) {
    position_ = freshBoard(Position{});
    snapshot_.position = saved.position;
    snapshot_.dieA = saved.dieA;
    snapshot_.dieB = saved.dieB;
    snapshot_.cube = Cube::of(saved.cubeValue, saved.cubeOwnerWhite);
    turn_ = sideOfTurn(saved.turn);
    undo();
    gameOn_ = true;
    awaitingRoll_ = false;
    crawfordGameNumber_ = 0;
}

void GameState::awaitRoll(Side roller) {
    dice_.clear();
    snapshot_.dieA = snapshot_.dieB = 0;
    turn_ = otherSide(roller);
    awaitingRoll_ = true;
}

void GameState::takeSnapshot() {
    snapshot_.position = position_;
    snapshot_.dieA = dice_.dieA;
    snapshot_.dieB = dice_.dieB;
    snapshot_.cube = cube_;
}

void GameState::roll(Byte a, Byte b) {
    dice_.dieA = a;
    dice_.dieB = b;
    dice_.fillDiceLeft();
    awaitingRoll_ = false;
    takeSnapshot();
}

void GameState::clearDice() { dice_.clear(); }

StepMade GameState::step(Side side, int from, Byte die) {
    StepMade made;
    const bool dieLeft = die != 0 && std::find(dice_.diceLeft.begin() + 1, dice_.diceLeft.end(), die) != dice_.diceLeft.end();
    if (!gameOn_ || side != turn_ || !dieLeft || from < 0 || from > 24) return made;
    made.result = stepResult(position_, side, from, die);
    if (!made.made()) return made;
    made.from = from;
    made.hit = !made.borneOff() && made.result > kHitOffset;
    made.to = made.borneOff() ? 25 : (made.hit ? made.result - kHitOffset : made.result);
    if (made.hit) {
        takeChecker(position_, otherSide(side), made.to);
        putChecker(position_, otherSide(side), 0);
    }
    takeChecker(position_, side, from);
    putChecker(position_, side, made.to);
    dice_.useDie(die);
    return made;
}

void GameState::passTurn() { turn_ = otherSide(turn_); }

void GameState::undo() {
    cube_ = snapshot_.cube;
    dice_.dieA = snapshot_.dieA;
    dice_.dieB = snapshot_.dieB;
    dice_.fillDiceLeft();
    position_ = restoredPosition(position_, snapshot_.position);
}

void GameState::takeDouble(Side taker) { cube_.takenBy(taker); }

const GameResult& GameState::gameOver(Side winner, GameOver how, const Options& options) {
    const GameEnding ending = gameEndingOf(position_, winner, how == GameOver::DoubleRefused, cube_.value(), gameNumber_);
    lastResult_ = endGame(ending, options, scores_, crawfordGameNumber_);
    lastResult_.how = how;
    dice_.diceLeft = {};
    gameOn_ = false;
    awaitingRoll_ = false;
    return lastResult_;
}

void GameState::resetGameScores() { lumaro::resetGameScores(scores_); }
void GameState::resetMatchScores() { lumaro::resetMatchScores(scores_, crawfordGameNumber_); }

}  // namespace lumaro
