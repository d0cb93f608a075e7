#include <gtest/gtest.h>

#include "ai/CubeMeasure.h"
#include "ai/NeuralNets.h"
#include "ai/OpeningBook.h"
#include "game/Game.h"
#include "game/MenuCommands.h"
#include "support/FakeScreen.h"
#include "support/Positions.h"
#include "support/TurnSetup.h"

using namespace lumaro;
using lumaro::testing::FakeScreen;
using lumaro::testing::positionOf;

namespace {

struct ComputerTurn : ::testing::Test {
    FakeScreen screen;
    Game game{screen};

    void SetUp() override {
        game.changeOptions([&](Options& o) { o.soundFx = true; });
        game.startUp(4242);
        game.arrangeGameOn(true);
    }

    // `pos` on the board with the roll (a, b) for `turn`, as after a roll; both sides have rolled
    // `rolls` times (so the opening book stays out unless asked for).
    void startTurn(const Position& pos, Byte a, Byte b, Byte turn, int rolls = 5) {
        lumaro::testing::startTurnOn(game, pos, a, b, turn, rolls);
        screen.sounds.clear();
        screen.delays.clear();
    }
};

TEST_F(ComputerTurn, BlackOpensThreeOneFromTheBookAtEveryLevel) {
    for (int level = 1; level <= 3; ++level) {
        game.changeOptions([&](Options& o) { o.computerLevel = static_cast<Level>(level); });
        startTurn(startingPosition(), 1, 3, 0, 0);
        game.arrangeRolls(game.rollStats(Side::White).rolls, 1);
        game.playComputerTurn();
        EXPECT_TRUE(game.lastSearch().fromBook);
        EXPECT_EQ(game.state().position().count[5], 2) << level;  // the five point made
        EXPECT_EQ(game.state().position().count[8], 2);
        EXPECT_EQ(game.state().position().count[6], 4);
        EXPECT_EQ(game.state().dice().diceLeft, DiceLeft{});
    }
}

TEST_F(ComputerTurn, TheBookIsOnlyForTheFirstRollWhenTheOpponentHasNotRolled) {
    startTurn(startingPosition(), 1, 3, 0, 0);
    game.arrangeRolls(game.rollStats(Side::White).rolls, 1);
    game.arrangeRolls(1, game.rollStats(Side::Black).rolls);  // White began the game
    game.playComputerTurn();
    EXPECT_FALSE(game.lastSearch().fromBook);
    EXPECT_GT(game.lastSearch().counters.analyses, 0u);
}

TEST_F(ComputerTurn, OpeningLinesInBothMirrorsAndTheirDraw) {
    int draws = 0;
    auto draw = [&draws](std::uint32_t value) {
        return [&draws, value] {
            ++draws;
            return value;
        };
    };
    const Play black21above = openingPlay(1, 2, false, draw(51));
    EXPECT_EQ(black21above[1], (Step{13, 2}));
    EXPECT_EQ(black21above[2], (Step{6, 1}));
    const Play black21below = openingPlay(2, 1, false, draw(50));
    EXPECT_EQ(black21below[1], (Step{24, 1}));
    EXPECT_EQ(black21below[2], (Step{13, 2}));
    EXPECT_EQ(draws, 2);
    const Play white65 = openingPlay(6, 5, true, draw(0));
    EXPECT_EQ(white65[1], (Step{1, 6}));
    EXPECT_EQ(white65[2], (Step{7, 5}));
    EXPECT_EQ(draws, 2);  // a roll with one line draws nothing
    const Play black22 = openingPlay(2, 2, false, draw(80));
    EXPECT_EQ(black22[4], (Step{22, 2}));
}

TEST_F(ComputerTurn, MoveOnWhitesFirstRollPlaysTheBookForWhite) {
    startTurn(startingPosition(), 6, 5, 1, 0);
    game.arrangeRolls(1, game.rollStats(Side::Black).rolls);
    game.playWhiteByComputer();
    EXPECT_EQ(game.state().position().count[1], 1);
    EXPECT_EQ(game.state().position().count[12], 6);
    EXPECT_EQ(game.state().position().count[7], 0);
}

TEST_F(ComputerTurn, OnlyOneDiePlayableUsesTheHigherWhenEitherWould) {
    // Black's lone runner on 20 can play the 6 or the 1 but not both (white holds 13).
    startTurn(positionOf({{20, -1}, {1, -14}, {13, 2}, {24, 13}}), 6, 1, 0);
    game.playComputerTurn();
    EXPECT_EQ(game.state().position().count[14], 1);  // the 6
    EXPECT_EQ(game.state().position().count[20], 0);

    // Only the 1 can be played at all.
    startTurn(positionOf({{20, -1}, {1, -14}, {14, 2}, {13, 2}, {24, 11}}), 6, 1, 0);
    game.playComputerTurn();
    EXPECT_EQ(game.state().position().count[19], 1);
}

TEST_F(ComputerTurn, NoLegalPlaySoundsWaitsAndLeavesTheBoard) {
    // Black on the bar against a closed white board.
    const Position closed = positionOf({{19, 2}, {20, 2}, {21, 2}, {22, 2}, {23, 2}, {24, 2}, {10, 3}, {5, -14}}, 0, 1);
    startTurn(closed, 3, 4, 0);
    game.playComputerTurn();
    EXPECT_TRUE(game.state().position().sameCheckersAs(closed));
    ASSERT_EQ(screen.sounds.size(), 1u);
    EXPECT_EQ(screen.sounds[0], Sound::NoMove);
    EXPECT_EQ(screen.delays, std::vector<int>{200});
    EXPECT_FALSE(game.busy());
}

TEST_F(ComputerTurn, ADoubleIsPlayedWithPausesOfThreeTwoOneAndOneHundred) {
    startTurn(positionOf({{13, -15}, {1, 15}}), 2, 2, 0);
    game.playComputerTurn();
    EXPECT_EQ(screen.delays, (std::vector<int>{300, 200, 100, 100}));
    EXPECT_EQ(screen.sounds, std::vector<Sound>(4, Sound::Checker));
    EXPECT_EQ(blackPipCount(game.state().position()), 13 * 15 - 8);
    EXPECT_EQ(blackCheckersOf(game.state().position()), 15);
}

TEST_F(ComputerTurn, TheComputerHitsAndTheBlotGoesToTheBar) {
    // 3-1 with a white blot on 5: level 1 makes the point on it.
    startTurn(positionOf({{8, -3}, {6, -5}, {13, -7}, {5, 1}, {24, 14}}), 3, 1, 0);
    game.playComputerTurn();
    EXPECT_EQ(game.state().position().barWhite, 1);
    EXPECT_TRUE(game.state().position().hasBlack(5));
    EXPECT_EQ(whiteCheckersOf(game.state().position()), 15);
    EXPECT_EQ(blackCheckersOf(game.state().position()), 15);
}

TEST_F(ComputerTurn, TheExpertPlaysAtLevelTwoWhileItsNetworksLackWeights) {
    game.changeOptions([&](Options& o) { o.computerLevel = Level::Expert; });
    const NeuralNets none;  // nothing loaded
    const NeuralNets trained = NeuralNets::testWeights(5);
    for (const NeuralNets* nets : {static_cast<const NeuralNets*>(nullptr), &none, &trained}) {
        game.setNets(nets);
        startTurn(startingPosition(), 6, 4, 0);
        game.playComputerTurn();
        const SearchCounters& c = game.lastSearch().counters;
        if (nets == &trained) {
            EXPECT_GT(c.netEvaluations, 0u);
            EXPECT_EQ(c.replyAnalyses, 0u);
        } else {
            EXPECT_EQ(c.netEvaluations, 0u);
            EXPECT_GT(c.replyAnalyses, 0u);  // level 2's look at White's replies
        }
        EXPECT_EQ(game.playingLevel(), nets == &trained ? Level::Expert : Level::Intermediate);
        EXPECT_EQ(levelNumber(game.options().computerLevel), 3);
    }
}

TEST(CubeMeasure, RaceAndWalls) {
    // An even race with nothing in the way.
    const Position even = positionOf({{3, -15}, {22, 15}});
    EXPECT_EQ(cubeMeasure(even), 0);
    // Black on the bar against three white home points: 600 more; against two: nothing.
    const Position three = positionOf({{19, 2}, {20, 2}, {21, 2}, {10, 9}, {3, -14}}, 0, 1);
    EXPECT_EQ(cubeMeasure(three), blackRaceDistance(three) - whiteRaceDistance(three) + 600);
    const Position two = positionOf({{19, 2}, {20, 2}, {10, 11}, {3, -14}}, 0, 1);
    EXPECT_EQ(cubeMeasure(two), blackRaceDistance(two) - whiteRaceDistance(two));
    EXPECT_TRUE(computerTakes(99, false));
    EXPECT_FALSE(computerTakes(100, false));
    EXPECT_TRUE(computerTakes(5000, true));
    EXPECT_TRUE(measureInvitesDouble(20));
    EXPECT_TRUE(measureInvitesDouble(-20));
    EXPECT_FALSE(measureInvitesDouble(21));
    EXPECT_FALSE(measureInvitesDouble(-21));
}

TEST_F(ComputerTurn, OffersADoubleOnlyWhenTheRulesAllow) {
    const Position even = positionOf({{3, -15}, {22, 15}});
    startTurn(even, 1, 2, 1);
    screen.answers = {Answer::Yes};
    game.computerOffersDouble();
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].line1, "Computer wants to double.");
    EXPECT_EQ(screen.messages[0].line2, "Do you accept?");
    EXPECT_EQ(game.state().cube().value(), 2);
    EXPECT_EQ(game.state().cube().ownerWhite(), 1);

    // Refused: Black wins at the current cube.
    game.arrangeCube(1, game.state().cube().ownerWhite());
    screen.answers = {Answer::No};
    game.computerOffersDouble();
    EXPECT_EQ(game.state().lastResult().how, GameOver::DoubleRefused);
    EXPECT_FALSE(game.state().gameOn());
    EXPECT_FALSE(game.state().lastResult().whiteWon);
    EXPECT_EQ(game.state().lastResult().resultPoints, 1);
    EXPECT_EQ(game.stats().blackPips, blackPipCount(even));  // the counts stay those of the board

    // Too early in the game, in a one-point match, in the Crawford game: no question.
    screen.messages.clear();
    game.arrangeRolls(2, game.rollStats(Side::Black).rolls);
    game.computerOffersDouble();
    game.arrangeRolls(5, game.rollStats(Side::Black).rolls);
    game.changeOptions([&](Options& o) { o.matchPlay = true; });
    game.changeOptions([&](Options& o) { o.matchLength = 1; });
    game.computerOffersDouble();
    game.changeOptions([&](Options& o) { o.matchLength = 5; });
    game.arrangeMatchBoards(4, 3);
    game.computerOffersDouble();
    EXPECT_TRUE(screen.messages.empty());
    // Black far ahead: no offer either.
    game.arrangeMatchBoards(game.state().gameNumber(), 0);
    startTurn(positionOf({{1, -15}, {12, 15}}), 1, 2, 1);
    game.computerOffersDouble();
    EXPECT_TRUE(screen.messages.empty());
}

// White ends its turn where the computer would double: in a game without the cube its turn
// begins with its roll, never the question.
TEST_F(ComputerTurn, NoDoubleIsOfferedInAGameWithoutTheCube) {
    for (const bool cube : {true, false}) {
        game.changeOptions([&](Options& o) { o.cubeEnabled = cube; });
        startTurn(positionOf({{3, -15}, {22, 15}}), 1, 2, 1);
        game.arrangeCube(1, 0);
        game.arrangeDicePlayed();
        screen.messages.clear();
        screen.answers = {Answer::Yes};
        game.endTurn();
        const bool asked = !screen.messages.empty() && screen.messages[0].line1 == "Computer wants to double.";
        EXPECT_EQ(asked, cube) << cube;
        EXPECT_EQ(game.state().cube().value(), cube ? 2 : 1);
    }
}

TEST(KeepChosen, MoreStepsWinAndTheFirstOfEqualScoresStays) {
    ChosenPlay chosen;
    Play a{}, b{}, c{};
    a[1] = {8, 3};
    b[1] = {6, 3};
    c[1] = {8, 3};
    c[2] = {6, 1};
    chosen.keep(1, 50, a);
    chosen.keep(1, 50, b);  // equal score: the first stays
    EXPECT_EQ(chosen.play, a);
    chosen.keep(1, 51, b);
    EXPECT_EQ(chosen.play, b);
    chosen.keep(2, -1000, c);  // more steps, whatever the score
    EXPECT_EQ(chosen.play, c);
    chosen.keep(1, 999999, a);
    EXPECT_EQ(chosen.play, c);
    EXPECT_EQ(chosen.level, 2);
    EXPECT_EQ(chosen.score, -1000);
}

TEST(LookAheadRolls, FastSkipsDoublesAndTheComputersDoubleSkipsAll) {
    int fast = 0, slow = 0, afterDouble = 0;
    for (const Roll& roll : kLookAheadRolls) {
        fast += lookAheadVisits(roll, false, false);
        slow += lookAheadVisits(roll, false, true);
        afterDouble += lookAheadVisits(roll, true, true);
    }
    EXPECT_EQ(fast, 15);
    EXPECT_EQ(slow, 21);
    EXPECT_EQ(afterDouble, 0);
}

// The Master plays Black: its cube by the cube model, its plays by its search thought over live.
struct MasterTurn : ComputerTurn {
    const NeuralNets nets = NeuralNets::testWeights(5);

    void SetUp() override {
        ComputerTurn::SetUp();
        game.setNets(&nets);
        game.changeOptions([](Options& o) {
            o.computerLevel = Level::Expert;
            o.master = true;
        });
    }
    // Black has played its roll in `pos`; White doubles before its own.
    void whiteDoubles(const Position& pos) {
        startTurn(pos, 3, 2, 0);
        game.arrangeCube(1, 0);
        game.arrangeDicePlayed();
        screen.messages.clear();
        game.offerDouble();
    }
    void playMatchAt(int length, int white, int black) {
        game.changeOptions([length](Options& o) {
            o.matchPlay = true;
            o.matchLength = static_cast<std::uint8_t>(length);
        });
        Scores scores;
        scores.whiteMatchScore = static_cast<std::uint16_t>(white);
        scores.blackMatchScore = static_cast<std::uint16_t>(black);
        game.restoreScores(scores);
        game.arrangeMatchBoards(3, 0);
    }
};

// Last rolls: Black's one checker leaves with any roll, so White wins exactly when its own roll
// bears both its checkers off. With its 4- and 1-point White does so with 29 rolls of 36, its
// 2-point twice 26, its 4- and 2-point 23.
const Position kWhiteWins29 = positionOf({{1, -1}, {21, 1}, {24, 1}});
const Position kWhiteWins26 = positionOf({{1, -1}, {23, 2}});
const Position kWhiteWins23 = positionOf({{1, -1}, {21, 1}, {23, 1}});

TEST_F(MasterTurn, PassesAndTakesOnEitherSideOfItsTakePoint) {
    // A money game: 7/36 for Black is below the take point, where level 3 would take; 10/36 above.
    whiteDoubles(kWhiteWins29);
    ASSERT_FALSE(screen.messages.empty());
    EXPECT_EQ(screen.messages[0].line2, "was refused!");
    EXPECT_FALSE(game.state().gameOn());
    EXPECT_TRUE(game.state().lastResult().whiteWon);
    EXPECT_EQ(game.state().lastResult().how, GameOver::DoubleRefused);
    game.arrangeGameOn(true);
    whiteDoubles(kWhiteWins26);
    EXPECT_EQ(screen.messages.at(0).line2, "was accepted!");
    EXPECT_EQ(game.state().cube().value(), 2);
    EXPECT_EQ(game.state().cube().ownerWhite(), 0);
    EXPECT_TRUE(game.state().gameOn());

    // Both sides 2 away in a match: the doubled game is the match, and the pass leaves Black 2 away
    // against 1 in the Crawford game, worth more than 10/36; 13/36 is worth more than that.
    playMatchAt(5, 3, 3);
    whiteDoubles(kWhiteWins26);
    EXPECT_EQ(screen.messages.at(0).line2, "was refused!");
    EXPECT_FALSE(game.state().gameOn());
    game.arrangeGameOn(true);
    whiteDoubles(kWhiteWins23);
    EXPECT_EQ(screen.messages.at(0).line2, "was accepted!");
    EXPECT_EQ(game.state().cube().value(), 2);

    // Doubles always accepted: the player's option holds for the Master too.
    game.changeOptions([](Options& o) { o.doublesAlwaysAccepted = true; });
    whiteDoubles(kWhiteWins29);
    EXPECT_EQ(screen.messages.at(0).line2, "is always accepted!");
}

TEST_F(MasterTurn, DoublesWhenItsCubeModelSaysSoFromItsFirstRolls) {
    // Black's own last roll, White certain to finish next: 26/36 is a double, 23/36 not yet. Level
    // 3 would not double so early in the game.
    startTurn(positionOf({{2, -2}, {24, 1}}), 3, 2, 0, 1);
    screen.answers = {Answer::Yes};
    game.computerOffersDouble();
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].line1, "Computer wants to double.");
    EXPECT_EQ(game.state().cube().value(), 2);
    game.arrangeCube(1, 0);
    startTurn(positionOf({{4, -1}, {2, -1}, {24, 1}}), 3, 2, 0);
    screen.messages.clear();
    game.computerOffersDouble();
    EXPECT_TRUE(screen.messages.empty());
    // Black needing the 2 points the cube already gives: nothing to gain by turning it.
    playMatchAt(5, 2, 3);
    startTurn(positionOf({{2, -2}, {24, 1}}), 3, 2, 0);
    game.arrangeCube(2, 0);
    game.computerOffersDouble();
    EXPECT_TRUE(screen.messages.empty());
}

TEST_F(MasterTurn, ClicksKeysAndMenuItemsWhileItThinksAreKeptOut) {
    // Black's opening roll: the Master searches it too, with no book.
    startTurn(startingPosition(), 3, 1, 0, 0);
    game.arrangeRolls(0, 1);
    const Position before = game.state().position();
    int thoughtWith = 0;
    screen.whileThinking = [&] {
        ++thoughtWith;
        EXPECT_TRUE(game.hourglass());
        game.clickBoard(13, Game::Button::Left);
        game.clickChecker(Side::White, 1, Game::Button::Left);
        game.clickDice();
        game.clickCube();
        game.keyPressed('d', false, false);
        game.keyPressed('\0', true, false);
        EXPECT_EQ(game.keyPressed('m', false, false), Game::KeyCommand::None);
        MenuCommands menu(game);
        EXPECT_FALSE(menu.start({}));
        EXPECT_FALSE(menu.move({}));
        EXPECT_FALSE(menu.back({}));
        EXPECT_FALSE(menu.exit({}));
        // Nothing has moved while it thinks.
        EXPECT_EQ(blackPipCount(game.state().position()), blackPipCount(before));
        EXPECT_EQ(game.state().sideToMove(), Side::Black);
    };
    game.playComputerTurn();
    EXPECT_EQ(thoughtWith, 1);
    EXPECT_EQ(screen.liveJobs, 1);
    EXPECT_FALSE(game.hourglass());
    EXPECT_FALSE(game.busy());
    EXPECT_TRUE(screen.messages.empty());
    EXPECT_EQ(game.state().sideToMove(), Side::Black);
    EXPECT_EQ(game.rollStats(Side::White).rolls, 0);
    EXPECT_EQ(game.state().cube().value(), 1);
    // Black's 3-1 is played in full and White's checkers stand where they stood.
    EXPECT_EQ(blackPipCount(game.state().position()), blackPipCount(before) - 4);
    EXPECT_EQ(whitePipCount(game.state().position()), whitePipCount(before));
}

}  // namespace
