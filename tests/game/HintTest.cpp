// The hint as the board asks for it: what it offers at which moment of a turn, and that P makes
// exactly the play the hint put first, from the turn's start, whatever was moved before.
#include <gtest/gtest.h>

#include "ai/MasterSearch.h"
#include "ai/NeuralNets.h"
#include "rules/PlayApply.h"
#include "game/Game.h"
#include "game/Hint.h"
#include "game/SideRanking.h"
#include "support/FakeScreen.h"
#include "support/Positions.h"
#include "support/TurnSetup.h"

using namespace lumaro;
using lumaro::testing::FakeScreen;
using lumaro::testing::positionOf;

namespace {

struct HintFixture : ::testing::Test {
    FakeScreen screen;
    Game game{screen};
    const NeuralNets nets = NeuralNets::testWeights(5);
    HintAdvisor advisor;

    void SetUp() override {
        game.changeOptions([](Options& o) { o.soundFx = false; });
        game.startUp(7);
        game.setNets(&nets);
    }
};

TEST_F(HintFixture, TheFirstPlayIsWhatPMakesFromTheTurnsStart) {
    const Position start = startingPosition();
    lumaro::testing::startTurnOn(game, start, 3, 1, 1);
    game.whiteStepByClick(1, Game::Button::Left);  // a step already made is taken back first
    for (int depth : {0, 1}) {
        const Hint hint = advisor.hintFor(game, depth);
        ASSERT_EQ(hint.kind, Hint::Kind::Plays) << depth;
        ASSERT_GE(hint.plays.size(), 3u) << depth;
        EXPECT_EQ(hint.plays[0].difference, 0.0);
        EXPECT_EQ(hint.plays[0].deeper, depth == 1);
    }
    // One roll deeper the list falls from the best, every line of that depth.
    const Hint deeper = advisor.hintFor(game, 1);
    for (std::size_t i = 1; i < deeper.plays.size(); ++i) {
        EXPECT_TRUE(deeper.plays[i].deeper) << i;
        EXPECT_LE(deeper.plays[i].difference, 0.0) << i;
    }
    const Hint hint = advisor.hintFor(game, 1);
    Position expected = start;
    for (const auto& [from, to] : stepsOfPlay(start, hint.bestPlay)) {
        ASSERT_TRUE(from >= 0 && from <= 24 && to >= 1 && to <= 25);
        applyStep(expected, Side::White, from, stepResult(expected, Side::White, from, static_cast<Byte>(to - from)));
    }
    ASSERT_EQ(stepsOfPlay(start, hint.bestPlay).size(), 2u);
    game.playWhitePlay(hint.bestPlay);
    EXPECT_TRUE(game.state().position().sameCheckersAs(expected));
    EXPECT_FALSE(game.state().dice().anyLeft());
}

TEST_F(HintFixture, OffersTheCubeBeforeWhiteRollsAndNothingWhileBlackPlays) {
    EXPECT_EQ(advisor.hintFor(game, 0).kind, Hint::Kind::Unavailable) << "no game yet";

    // Black has played its roll; White is to roll: the cube advice, or why the cube stays.
    const Position pos = positionOf({{1, 2}, {12, 5}, {17, 3}, {19, 5}, {24, -2}, {13, -5}, {8, -4}, {6, -4}});
    lumaro::testing::startTurnOn(game, pos, 6, 5, 0);
    EXPECT_EQ(advisor.hintFor(game, 0).kind, Hint::Kind::Unavailable) << "Black's dice are still to play";
    game.arrangeDicePlayed();
    const Hint cube = advisor.hintFor(game, 1);
    ASSERT_EQ(cube.kind, Hint::Kind::Cube);
    ASSERT_EQ(cube.lines.size(), 1u);
    ASSERT_EQ(cube.figures.size(), 3u);  // no double, double/take, double/pass
    game.arrangeCube(2, 0);  // Black holds the cube: White may not double
    const Hint held = advisor.hintFor(game, 0);
    ASSERT_EQ(held.kind, Hint::Kind::Cube);
    EXPECT_EQ(held.lines, std::vector<std::string>{"The cube may not be turned now."});
}

TEST_F(HintFixture, AfterTheComputerDancesWhiteIsToRollAndHearsTheCubeAdvice) {
    // White's home board closed, a black checker on the bar: whatever Black rolls, it dances.
    const Position closed = positionOf({{19, 2}, {20, 2}, {21, 2}, {22, 2}, {23, 2}, {24, 2}, {12, 3}, {6, -5}, {8, -4}, {13, -5}}, 0, 1);
    lumaro::testing::startTurnOn(game, closed, 6, 5, 0);
    game.playComputerTurn();
    ASSERT_EQ(game.state().position().barBlack, 1);
    ASSERT_TRUE(game.state().dice().anyLeft()) << "a dance leaves Black's dice unplayed";
    const Hint hint = advisor.hintFor(game, 1);
    ASSERT_EQ(hint.kind, Hint::Kind::Cube) << (hint.lines.empty() ? "" : hint.lines[0]);
    EXPECT_EQ(hint.title, "Before your roll");
    ASSERT_EQ(hint.figures.size(), 3u);
    EXPECT_EQ(hint.figures[1].label, "Double/take");
}

TEST_F(HintFixture, WhileBlacksDoubleWaitsItSaysTakeOrPassAndAfterwardsNoLonger) {
    const Position pos = positionOf({{1, 2}, {12, 5}, {17, 3}, {19, 5}, {24, -2}, {13, -5}, {8, -4}, {6, -4}});
    lumaro::testing::startTurnOn(game, pos, 6, 5, 0);
    Hint during;
    screen.whileShown = [&](const Message&) { during = advisor.hintFor(game, 0); };
    screen.answers = {Answer::Yes};
    ASSERT_TRUE(game.blackDoubles("Computer wants to double."));
    ASSERT_EQ(during.kind, Hint::Kind::Cube);
    EXPECT_EQ(during.title, "Black doubles");
    ASSERT_EQ(during.lines.size(), 1u);
    EXPECT_TRUE(during.lines[0] == "Take." || during.lines[0] == "Pass.") << during.lines[0];
    ASSERT_EQ(during.figures.size(), 2u);
    // The advice follows its own figures: a take when taking loses less than passing.
    EXPECT_EQ(during.lines[0] == "Take.", during.figures[0].equity >= during.figures[1].equity);
    EXPECT_FALSE(game.whiteAnswersDouble());
    EXPECT_NE(advisor.hintFor(game, 0).title, "Black doubles");
}

// A second person at this board doubles by the cube after White's turn: White's question gets the
// same take or pass as the computer's double, and the taken cube lets Black roll.
TEST_F(HintFixture, ASecondPersonsDoubleGetsTheTakeOrPassToo) {
    game.changeOptions([](Options& o) { o.humanOpponent = o.localPlay = true; });
    const Position pos = positionOf({{1, 2}, {12, 5}, {17, 3}, {19, 5}, {24, -2}, {13, -5}, {8, -4}, {6, -4}});
    lumaro::testing::startTurnOn(game, pos, 6, 5, 1);
    game.arrangeDicePlayed();
    Hint during;
    screen.whileShown = [&](const Message&) { during = advisor.hintFor(game, 0); };
    screen.answers = {Answer::Yes};
    game.clickCube();
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].line1, "Black player wants to double.");
    EXPECT_EQ(during.title, "Black doubles");
    EXPECT_EQ(game.state().cube().value(), 2);
    EXPECT_EQ(game.state().cube().ownerWhite(), 1);
    EXPECT_EQ(game.state().sideToMove(), Side::Black);
    EXPECT_NE(game.state().dice().dieA, 0);
}

}  // namespace

namespace {

// White to roll after Black's turn, on `pos`.
void whiteToRollOn(Game& game, const Position& pos) {
    lumaro::testing::startTurnOn(game, pos, 6, 5, 0);
    game.arrangeDicePlayed();
}

// The hint ranks by the Master's search: its first play is the Master's own choice, also on the
// opening rolls where the Expert's first look picks another play.
TEST(HintOnTheMaster, TheFirstPlayIsTheMastersChoiceWhereTheExpertPicksAnother) {
    NeuralNets nets;
    nets.loadNets(LUMARO_NETS_FOLDER);
    ASSERT_TRUE(nets.usable());
    FakeScreen screen;
    Game game{screen};
    game.changeOptions([](Options& o) { o.soundFx = false; });
    game.startUp(7);
    game.setNets(&nets);
    HintAdvisor advisor;
    MasterSearch master;
    PlayRanking expert;
    AnalysisSettings settings;
    settings.computerLevel = Level::Expert;
    int expertDiffers = 0;
    for (Byte a = 1; a <= 6; ++a) {
        for (Byte b = 1; b < a; ++b) {
            lumaro::testing::startTurnOn(game, startingPosition(), a, b, 1);
            const Hint hint = advisor.hintFor(game, HintAdvisor::kDepth);
            ASSERT_EQ(hint.kind, Hint::Kind::Plays);
            ASSERT_FALSE(hint.plays.empty());
            EXPECT_EQ(hint.title, "Your " + std::to_string(a) + "-" + std::to_string(b) + ", two rolls deeper");
            // White's roll seen as Black's, as the search sees every mover; the Master plays at depth 2.
            const std::vector<MasterPlay> choice = master.rank(&nets, mirrored(startingPosition()), a, b, 2);
            EXPECT_EQ(hint.bestPlay, mirroredPlay(choice.front().play)) << int(a) << "-" << int(b);
            EXPECT_DOUBLE_EQ(hint.plays[0].equity, choice.front().equity);
            const SideRanking first = rankPlaysOf(expert, startingPosition(), Side::White, a, b, settings, &nets, 0);
            if (bestPlayOf(first) != hint.bestPlay) ++expertDiffers;
        }
    }
    EXPECT_GT(expertDiffers, 0);
}

// In a bear-off the chances are exact: four checkers on White's 1-point come off at once with a
// doublet, a gammon against fifteen black ones not yet borne off, so playing on is worth more than
// Black's pass; a fifth checker takes that away, and the double is a pass.
TEST_F(HintFixture, TooGoodWhileAGammonIsInReachAndDoublePassOnceItIsNot) {
    whiteToRollOn(game, positionOf({{24, 4}, {1, -15}}));
    Hint hint = advisor.hintFor(game, HintAdvisor::kDepth);
    ASSERT_EQ(hint.figures.size(), 3u);
    EXPECT_EQ(hint.lines, std::vector<std::string>{"Too good to double: play on for the gammon."});
    EXPECT_GT(hint.figures[0].equity, hint.figures[2].equity);  // no double above double/pass
    EXPECT_FALSE(hint.figuresAreChances);

    whiteToRollOn(game, positionOf({{24, 5}, {1, -15}}));
    hint = advisor.hintFor(game, HintAdvisor::kDepth);
    ASSERT_EQ(hint.figures.size(), 3u);
    EXPECT_EQ(hint.lines, std::vector<std::string>{"Double: it is a pass."});
    EXPECT_DOUBLE_EQ(hint.figures[2].equity, 1.0);
    EXPECT_LE(hint.figures[0].equity, hint.figures[2].equity);
}

// A match: the Crawford game has no double; after it the leader gains nothing by doubling and
// the trailer doubles at once, in chances of winning the match.
TEST_F(HintFixture, TheMatchScoreDecidesTheCubeAroundTheCrawfordGame) {
    const Position pos = positionOf({{1, 2}, {12, 5}, {17, 3}, {19, 5}, {24, -2}, {13, -5}, {8, -4}, {6, -4}});
    game.takeUpMatch(5, 4, 2, true);
    game.arrangeMatchBoards(2, 1);
    ASSERT_TRUE(game.isCrawfordGame());
    whiteToRollOn(game, pos);
    EXPECT_EQ(advisor.hintFor(game, 0).lines, std::vector<std::string>{"The cube may not be turned now."});

    game.arrangeMatchBoards(3, 1);  // the game after it, White still the leader
    ASSERT_FALSE(game.isCrawfordGame());
    whiteToRollOn(game, pos);
    Hint hint = advisor.hintFor(game, 0);
    EXPECT_EQ(hint.lines, std::vector<std::string>{"No double."});
    ASSERT_EQ(hint.figures.size(), 1u);
    EXPECT_TRUE(hint.figuresAreChances);
    EXPECT_GT(hint.figures[0].equity, 0.5);
    EXPECT_LT(hint.figures[0].equity, 1.0);

    game.takeUpMatch(5, 2, 4, false);  // White the trailer after the Crawford game
    game.arrangeMatchBoards(3, 1);
    whiteToRollOn(game, pos);
    hint = advisor.hintFor(game, 0);
    EXPECT_EQ(hint.lines, std::vector<std::string>{"Double: it is a take."});
    ASSERT_EQ(hint.figures.size(), 3u);
    EXPECT_EQ(hint.figuresUnit, "Chances of winning the match.");
}

}  // namespace
