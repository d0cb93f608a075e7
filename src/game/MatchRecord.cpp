#include "game/MatchRecord.h"

#include "rules/StepTests.h"

namespace lumaro {

int ownPointOf(Side side, int logicalPoint) {
    if (logicalPoint <= 0) return 25;  // the bar
    return side == Side::Black ? logicalPoint : 25 - logicalPoint;
}

RecordedGame* MatchRecorder::currentGame() {
    if (record_.games.empty() || record_.games.back().ended) return nullptr;
    return &record_.games.back();
}

RecordedAction* MatchRecorder::lastRollOf(Side side) {
    RecordedGame* game = currentGame();
    if (!game || game->actions.empty()) return nullptr;
    RecordedAction& last = game->actions.back();
    return last.kind == RecordedKind::Roll && last.side == side ? &last : nullptr;
}

void MatchRecorder::startGame(int matchLength, int whiteScore, int blackScore, bool crawfordGame, RecordedRules rules) {
    record_.matchLength = matchLength < 0 ? 0 : matchLength;
    RecordedGame game;
    game.whiteScore = whiteScore;
    game.blackScore = blackScore;
    game.crawford = crawfordGame;
    game.rules = rules;
    record_.games.push_back(game);
    position_ = startingPosition();
    beforeRoll_ = position_;
}

void MatchRecorder::setUp(const RecordedSetup& setup) {
    RecordedGame* game = currentGame();
    if (!game || !game->actions.empty()) return;
    game->setup = setup;
    const bool rolledDice = setup.dieA >= 1 && setup.dieA <= 6 && setup.dieB >= 1 && setup.dieB <= 6;
    if (!rolledDice) game->setup->dieA = game->setup->dieB = 0;
    position_ = setup.position;
    beforeRoll_ = position_;
    if (rolledDice) rolled(setup.onRoll, setup.dieA, setup.dieB);
}

void MatchRecorder::rolled(Side side, int dieA, int dieB) {
    RecordedGame* game = currentGame();
    if (!game || dieA < 1 || dieA > 6 || dieB < 1 || dieB > 6) return;
    RecordedAction roll;
    roll.side = side;
    roll.dieA = dieA;
    roll.dieB = dieB;
    game->actions.push_back(roll);
    beforeRoll_ = position_;
}

void MatchRecorder::stepMade(Side side, int fromPoint, int die) {
    RecordedAction* roll = lastRollOf(side);
    if (!roll || die < 1 || die > 6 || fromPoint < 0 || fromPoint > 24) return;
    const bool onBar = (side == Side::White ? position_.barWhite : position_.barBlack) > 0;
    const int from = onBar ? 0 : fromPoint;
    const Byte result = stepResult(position_, side, from, die);
    if (result == kStepImpossible) return;  // the board refused it, so the game did not make it
    RecordedStep step;
    step.from = ownPointOf(side, from);
    if (result == kBorneOff) {
        step.to = 0;
    } else {
        const int destination = result > kHitOffset ? result - kHitOffset : result;
        step.to = ownPointOf(side, destination);
        step.hit = result > kHitOffset;
    }
    roll->steps.push_back(step);
    applyStep(position_, side, from, result);
}

void MatchRecorder::turnUndone(Side side) {
    RecordedAction* roll = lastRollOf(side);
    if (!roll) return;
    roll->steps.clear();
    position_ = beforeRoll_;
}

namespace {

RecordedAction cubeAction(RecordedKind kind, Side side) {
    RecordedAction a;
    a.kind = kind;
    a.side = side;
    return a;
}

// Whether `side` could move a checker with either die (a roll it has not played yet).
bool couldMove(const Position& pos, Side side, int dieA, int dieB) {
    const bool onBar = (side == Side::White ? pos.barWhite : pos.barBlack) > 0;
    for (int die : {dieA, dieB})
        for (int from = 0; from <= (onBar ? 0 : 24); ++from)
            if (stepResult(pos, side, from, die) != kStepImpossible) return true;
    return false;
}

}  // namespace

void MatchRecorder::doubled(Side side) {
    if (RecordedGame* game = currentGame()) game->actions.push_back(cubeAction(RecordedKind::Double, side));
}

void MatchRecorder::took(Side side) {
    if (RecordedGame* game = currentGame()) game->actions.push_back(cubeAction(RecordedKind::Take, side));
}

void MatchRecorder::dropped(Side side) {
    if (RecordedGame* game = currentGame()) game->actions.push_back(cubeAction(RecordedKind::Drop, side));
}

void MatchRecorder::resigned(Side side) {
    RecordedGame* game = currentGame();
    if (!game) return;
    // Dice rolled and not played before giving up are no play at all: GNU Backgammon would fill in
    // a play of its own for them. The game's first roll stays all the same: it reads "rolled,
    // resigns" there, and without a single roll it would not import the game at all.
    if (RecordedAction* roll = lastRollOf(side);
        roll && roll->steps.empty() && game->actions.size() > 1 && couldMove(position_, side, roll->dieA, roll->dieB))
        game->actions.pop_back();
    game->actions.push_back(cubeAction(RecordedKind::Resign, side));
}

void MatchRecorder::gameEnded(Side winner, int points) {
    RecordedGame* game = currentGame();
    if (!game) return;
    game->ended = true;
    game->winner = winner;
    game->points = points;
}

}  // namespace lumaro
