#include "game/GameIdsOfGame.h"

#include "game/Game.h"

namespace lumaro {

GameIds idsOfGame(const Game& game) {
    const GameState& state = game.state();
    const Options& options = game.options();
    MatchState match;
    Position position = state.position();
    if (state.gameOn()) {
        const TurnSnapshot& start = state.snapshot();
        position = start.position;
        match.cube = start.cube;
        match.onRoll = state.sideOnRoll();
        match.toAct = match.onRoll;
        // A manual roll still waiting for its dice has not been rolled.
        if (!game.enteringDice() && start.dieA != 0 && start.dieB != 0) {
            match.dieA = start.dieA;
            match.dieB = start.dieB;
        }
        match.phase = GamePhase::Playing;
    } else {
        match.cube = state.cube();
        const bool finished = position.offWhite >= kCheckersPerSide || position.offBlack >= kCheckersPerSide;
        match.phase = finished ? GamePhase::Over : GamePhase::NotStarted;
    }
    if (options.matchPlay) {
        match.matchLength = options.matchLength;
        const Scores& scores = state.scores();
        match.score[Side::White] = scores.whiteMatchScore;
        match.score[Side::Black] = scores.blackMatchScore;
        match.crawford = state.isCrawfordGame(options);
    } else {
        match.jacoby = options.jacobyRule;
    }
    return encodeGameIds(position, match);
}

std::optional<std::string> pastedGameProblem(const GameFromIds& pasted) {
    const MatchState& match = pasted.state;
    if (match.phase != GamePhase::Playing && match.phase != GamePhase::NotStarted) return "The game of these IDs is over.";
    if (match.doubleOffered) return "A double waits for its answer in these IDs.";
    if (match.resignation != 0) return "A resignation waits for its answer in these IDs.";
    const Position& pos = pasted.position;
    if (pos.offWhite >= kCheckersPerSide || pos.offBlack >= kCheckersPerSide) return "The game of these IDs is over.";
    return std::nullopt;
}

SavedGame savedGameOfIds(const GameFromIds& pasted, bool cubeEnabled) {
    const MatchState& match = pasted.state;
    SavedGame game;
    game.position = pasted.position;
    game.dieA = match.dieA;
    game.dieB = match.dieB;
    game.turn = turnOf(match.onRoll);
    game.cubeValue = match.cube.value();
    game.cubeOwnerWhite = match.cube.ownerWhite();
    game.cubeEnabled = cubeEnabled ? 1 : 0;
    return game;
}

}  // namespace lumaro
