// While a message box is up, only the box answers: every click on the board, a checker, the dice
// or the cube, the keys M, D and Backspace, and every menu command arriving meanwhile change
// nothing. Each message the game shows is brought up in turn and bombarded.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>

#include "game/Game.h"
#include "game/MenuCommands.h"
#include "support/FakeScreen.h"
#include "support/Positions.h"
#include "support/TurnSetup.h"

using namespace lumaro;
using lumaro::testing::FakeScreen;
using lumaro::testing::positionOf;

namespace {

// Everything an input could change.
struct GameState {
    Position position;
    Byte turn, dieA, dieB, cubeValue, cubeOwnerWhite, homeRight, checkerColours, gameNumber;
    DiceLeft diceLeft;
    bool gameOn;
    std::array<Byte, 9> moveRecord;
    Scores scores;
    std::uint16_t whiteRolls, blackRolls;

    static GameState of(const Game& g) {
        return {g.state().position(), turnOf(g.state().sideToMove()), g.state().dice().dieA, g.state().dice().dieB, g.state().cube().value(), g.state().cube().ownerWhite(),
                g.options().homeRight, g.options().checkerColours, g.state().gameNumber(), g.state().dice().diceLeft, g.state().gameOn(),
                g.moveRecord(), g.state().scores(), g.rollStats(Side::White).rolls, g.rollStats(Side::Black).rolls};
    }
    bool operator==(const GameState& o) const {
        return position.sameCheckersAs(o.position) && turn == o.turn && dieA == o.dieA && dieB == o.dieB &&
               cubeValue == o.cubeValue && cubeOwnerWhite == o.cubeOwnerWhite && homeRight == o.homeRight &&
               checkerColours == o.checkerColours && gameNumber == o.gameNumber && diceLeft == o.diceLeft &&
               gameOn == o.gameOn && moveRecord == o.moveRecord && whiteRolls == o.whiteRolls &&
               blackRolls == o.blackRolls && scores.whitePointsTotal == o.scores.whitePointsTotal &&
               scores.blackPointsTotal == o.scores.blackPointsTotal && scores.whiteGamesWon == o.scores.whiteGamesWon &&
               scores.blackGamesWon == o.scores.blackGamesWon && scores.whiteMatchScore == o.scores.whiteMatchScore &&
               scores.blackMatchScore == o.scores.blackMatchScore;
    }
};

struct MessageBoxInput : ::testing::Test {
    FakeScreen screen;
    Game game{screen};
    std::set<std::string> probed;  // the first lines of the messages bombarded
    int nestedMessages = 0;

    void SetUp() override {
        game.changeOptions([&](Options& o) { o.soundFx = false; });
        game.startUp(4242);
        screen.whileShown = [this](const Message& m) { bombard(m); };
    }

    // Every input the board window and the menu panel can hand the game, twice over.
    void everyInput() {
        const Game::ShellState shell;
        for (int round = 0; round < 2; ++round) {
            for (int point : {0, 1, 6, 12, 13, 19, 24}) {
                game.clickBoard(point, Game::Button::Left);
                game.clickBoard(point, Game::Button::Right);
            }
            for (int point : {0, 1, 12, 24}) {
                game.clickChecker(Side::White, point, Game::Button::Left);
                game.clickChecker(Side::Black, point, Game::Button::Right);
            }
            game.clickDice();
            game.clickCube();
            for (char key : {'m', 'M', 'd', 'D', '3'}) game.keyPressed(key, false, false);
            game.keyPressed('\b', true, false);
            MenuCommands(game).start(shell);
            MenuCommands(game).back(shell);
            MenuCommands(game).move(shell);
            MenuCommands(game).abort(shell);
            MenuCommands(game).side(shell);
            MenuCommands(game).color(shell);
            MenuCommands(game).score(shell);
            MenuCommands(game).exit(shell);
        }
    }

    void bombard(const Message& m) {
        if (!game.busy()) ADD_FAILURE() << "not busy during \"" << m.line1 << "\"";
        const GameState before = GameState::of(game);
        const std::size_t shown = screen.messages.size();
        screen.whileShown = nullptr;  // a message opened by an input would itself be the fault
        everyInput();
        screen.whileShown = [this](const Message& next) { bombard(next); };
        EXPECT_TRUE(GameState::of(game) == before) << "an input changed the game during \"" << m.line1 << "\"";
        EXPECT_EQ(screen.messages.size(), shown) << "an input opened a message during \"" << m.line1 << "\"";
        probed.insert(m.line1);
    }

    void startTurn(const Position& pos, Byte a, Byte b, Byte turn) { lumaro::testing::startTurnOn(game, pos, a, b, turn); }
};

TEST_F(MessageBoxInput, NewGameQuestionsTakeNoOtherInput) {
    game.startNewGame();  // "Rolling dice..."
    game.changeOptions([&](Options& o) { o.alternateFirstMove = true; });
    screen.answers = {Answer::No};
    game.startNewGame();  // "Alternate play. ..."
    EXPECT_EQ(probed.size(), 2u);
    EXPECT_FALSE(game.busy());
}

TEST_F(MessageBoxInput, RuleNoticesTakeNoOtherInput) {
    // A checker on the bar must come in first.
    startTurn(positionOf({{12, 14}, {13, -15}}, 1), 3, 5, 1);
    game.whiteStepByClick(12, Game::Button::Left);
    EXPECT_TRUE(probed.count("You have to play first"));
    // A short play is refused and undone.
    startTurn(positionOf({{1, 1}, {12, -2}}), 6, 5, 1);
    game.whiteStepByClick(1, Game::Button::Right);
    game.clickDice();
    EXPECT_TRUE(probed.count("You have to play all dice"));
    // The Crawford game and a one-point match refuse doubles.
    startTurn(startingPosition(), 3, 1, 0);
    game.arrangeDicePlayed();
    game.changeOptions([&](Options& o) { o.matchPlay = true; });
    game.changeOptions([&](Options& o) { o.matchLength = 1; });
    game.offerDouble();
    game.changeOptions([&](Options& o) { o.matchLength = 5; });
    game.arrangeMatchBoards(5, 4);
    game.offerDouble();
    EXPECT_TRUE(probed.count("There is no sense to double"));
    EXPECT_TRUE(probed.count("You can not double"));
    EXPECT_FALSE(game.busy());
}

TEST_F(MessageBoxInput, TheComputersDoubleAndTheResultTakeNoOtherInput) {
    // A race the computer likes: it doubles before its roll; White drops.
    startTurn(positionOf({{3, -15}, {22, 15}}), 1, 2, 1);
    game.arrangeDicePlayed();
    screen.answers = {Answer::No};
    game.clickDice();
    EXPECT_TRUE(probed.count("Computer wants to double."));
    EXPECT_TRUE(probed.count("Black player is the WINNER !"));
    EXPECT_FALSE(game.state().gameOn());
    EXPECT_EQ(game.state().scores().blackGamesWon, 1u);  // booked once
    EXPECT_FALSE(game.busy());
}

TEST_F(MessageBoxInput, DoublesBetweenTwoPeopleTakeNoOtherInput) {
    game.changeOptions([&](Options& o) { o.humanOpponent = true; });
    startTurn(startingPosition(), 3, 1, 1);
    game.clickCube();  // White's roll is still to play: nobody doubles yet
    EXPECT_TRUE(screen.messages.empty());
    game.arrangeDicePlayed();
    screen.answers = {Answer::Yes};
    game.clickCube();  // White has played: Black offers
    EXPECT_TRUE(probed.count("Black player wants to double."));
    EXPECT_EQ(game.state().cube().value(), 2);
    EXPECT_EQ(game.state().sideToMove(), Side::Black);  // Black rolled after the take
}

TEST_F(MessageBoxInput, WhitesDoubleToTheComputerTakesNoOtherInput) {
    startTurn(positionOf({{3, -15}, {22, 15}}), 1, 2, 0);
    game.arrangeDicePlayed();
    game.changeOptions([&](Options& o) { o.doublesAlwaysAccepted = true; });
    game.clickCube();
    EXPECT_TRUE(probed.count("Your doubling proposal"));
    EXPECT_EQ(game.state().cube().value(), 2);
}

TEST_F(MessageBoxInput, ResignScoreAndExitTakeNoOtherInput) {
    startTurn(startingPosition(), 3, 1, 1);
    const Game::ShellState shell;
    screen.answers = {Answer::No};
    EXPECT_FALSE(MenuCommands(game).abort(shell));
    MenuCommands(game).score(shell);
    screen.answers = {Answer::Yes};
    EXPECT_TRUE(MenuCommands(game).exit(shell));  // resigns: the result box follows
    EXPECT_TRUE(probed.count("Do you want to resign?"));
    EXPECT_TRUE(probed.count("GAMES SCORE"));
    EXPECT_TRUE(probed.count("Black player is the WINNER !"));
    EXPECT_EQ(game.state().scores().blackGamesWon, 1u);
}

TEST_F(MessageBoxInput, TheResultBoxOfTheLastCheckerBooksTheGameOnce) {
    startTurn(positionOf({{24, 1}, {1, -3}, {20, -2}}), 1, 2, 1);
    game.clickBoard(24, Game::Button::Left);
    EXPECT_TRUE(probed.count("White player is the WINNER !"));
    EXPECT_EQ(game.state().scores().whiteGamesWon, 1u);
    EXPECT_EQ(game.state().scores().whitePointsTotal, 1u);
    EXPECT_FALSE(game.state().gameOn());
    EXPECT_FALSE(game.busy());
    // Once the box has closed, the finished board takes no moves.
    const GameState after = GameState::of(game);
    screen.whileShown = nullptr;
    game.keyPressed('m', false, false);
    game.keyPressed('\b', true, false);
    game.clickBoard(20, Game::Button::Left);
    EXPECT_TRUE(GameState::of(game) == after);
}

}  // namespace
