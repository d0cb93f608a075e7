#include "game/GameEnd.h"

#include <limits>
#include <string>

#include "game/PositionStats.h"

namespace lumaro {

namespace {

// Score totals live for years in the settings file; at the top of their type they stay there.
template <typename T>
void addSaturating(T& total, int amount) {
    const long long limit = std::numeric_limits<T>::max();
    const long long sum = static_cast<long long>(total) + amount;
    total = static_cast<T>(sum > limit ? limit : sum);
}

const char* kindWord(int kind) {
    switch (kind) {
        case 3: return "backgammon";
        case 2: return "gammon";
        default: return "single";
    }
}

}  // namespace

GameEnding gameEndingOf(const Position& pos, Side winner, bool gameEndedByCube, Byte cubeValue, Byte gameNumber) {
    GameEnding e;
    e.winner = winner;
    e.offWhite = pos.offWhite;
    e.offBlack = pos.offBlack;
    e.phaseWhite = whitePhaseOf(pos);
    e.phaseBlack = blackPhaseOf(pos);
    e.gameEndedByCube = gameEndedByCube;
    e.cubeValue = cubeValue;
    e.gameNumber = gameNumber;
    return e;
}

int gameKind(const GameEnding& ending, const Options& options) {
    const bool whiteWon = ending.winner == Side::White;
    const int loserOff = whiteWon ? ending.offBlack : ending.offWhite;
    const int loserPhase = whiteWon ? ending.phaseBlack : ending.phaseWhite;

    int kind = 1;
    if (loserOff == 0) kind = 2;
    if (!options.noBackgammonScoring && (loserPhase == 1 || loserPhase == 2) && loserOff == 0)
        kind = 3;
    // A refused double ends the game before the position can count.
    if (ending.gameEndedByCube) kind = 1;
    // Jacoby: gammons and backgammons count only once the cube has been turned.
    if (options.jacobyRule && options.cubeEnabled && ending.cubeValue == 1) kind = 1;
    return kind;
}

GameResult endGame(const GameEnding& ending, const Options& options, Scores& scores,
                   Byte& crawfordGameNumber) {
    GameResult result;
    result.whiteWon = ending.winner == Side::White;
    result.kind = gameKind(ending, options);
    result.resultPoints = result.kind * ending.cubeValue;
    const char* winner = result.whiteWon ? "White" : "Black";

    Message& m = result.message;
    if (options.matchPlay) {
        std::uint16_t& own = result.whiteWon ? scores.whiteMatchScore : scores.blackMatchScore;
        std::uint16_t& other = result.whiteWon ? scores.blackMatchScore : scores.whiteMatchScore;
        std::uint16_t& matches = result.whiteWon ? scores.whiteMatchesWon : scores.blackMatchesWon;

        crawfordGameNumber = 0;  // whatever game this was, the next is not the Crawford game
        addSaturating(own, result.resultPoints);
        if (options.matchLength <= own) {
            // The match is over; points beyond its length are not carried anywhere.
            result.matchWon = true;
            own = 0;
            other = 0;
            addSaturating(matches, 1);
            m.line1 = std::string(winner) + " player won the MATCH!";
        } else {
            m.line1 = std::string(winner) + " player won the GAME!";
            // One point short of the match while ahead: the next game is the Crawford game.
            const int length = options.matchLength;
            if (length > 1 && own + 1 == length && own > other) crawfordGameNumber = ending.gameNumber;
        }
    } else {
        addSaturating(result.whiteWon ? scores.whitePointsTotal : scores.blackPointsTotal,
                      result.resultPoints);
        addSaturating(result.whiteWon ? scores.whiteGamesWon : scores.blackGamesWon, 1);
        m.line1 = std::string(winner) + " player is the WINNER !";
    }

    m.kind = MessageKind::Result;
    m.line2 = resultWords(result.kind, ending.cubeValue);
    m.table = scoreTable(options, scores);
    m.yesNo = false;
    m.timeout = 50;
    return result;
}

std::string resultWords(int kind, int cubeValue) {
    return std::string(kindWord(kind)) + ", cube x" + std::to_string(cubeValue) + ", " + std::to_string(kind * cubeValue) + " p.";
}

bool isCrawfordGame(const Options& options, Byte gameNumber, Byte crawfordGameNumber) {
    if (!options.matchPlay || !options.crawfordRule || crawfordGameNumber == 0) return false;
    const int game = gameNumber;
    const int markedAfter = crawfordGameNumber;
    return game == markedAfter + 1 || (game < 2 && markedAfter == 255);
}

}  // namespace lumaro
