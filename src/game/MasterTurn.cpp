// The Master in the game: its plays and its cube, thought over while the window stays live.
#include "ai/NeuralNets.h"
#include "game/Game.h"
#include "game/MasterCube.h"
#include "game/MasterThinking.h"

namespace lumaro {

bool Game::masterThinks() const {
    return options_.master && !options_.humanOpponent && nets_ && nets_->usable();
}

void Game::thinkLive(const std::function<void()>& job) {
    const bool wasBusy = busy_;
    const bool hadHourglass = hourglass_;
    busy_ = true;
    setHourglass(true);
    screen_->runLive(job);
    setHourglass(hadHourglass);
    busy_ = wasBusy;
}

void Game::playMastersChoice(Side side) {
    // The Master plays every roll by its own search, the opening ones too.
    const TurnSnapshot& start = state_.snapshot();
    const MasterPlayQuestion question{nets_, start.position, side, start.dieA, start.dieB, kMasterDepth};
    MasterPlayAnswer answer;
    thinkLive([&answer, question] { answer = masterPlay(question); });
    if (!state_.gameOn() || state_.sideToMove() != side) return;
    lastSearch_ = SearchResult{};
    lastSearch_.chosenPlay = lastSearch_.bestPath = answer.play;
    if (!answer.canMove) {
        if (options_.soundFx) screen_->play(Sound::NoMove);
        busy_ = true;
        screen_->delay(200);
        busy_ = false;
        return;
    }
    screen_->letEventsRun();
    playPlay(answer.play, side);
}

CubeDecision Game::masterThinksAboutCube(Side roller) {
    MasterCubeQuestion question;
    question.nets = nets_;
    question.position = state_.position();
    question.roller = roller;
    question.situation = cubeSituationOf(*this, roller);
    question.noBackgammons = options_.noBackgammonScoring;
    CubeDecision decision;
    thinkLive([&decision, question] { decision = masterCubeDecision(question); });
    return decision;
}

}  // namespace lumaro
