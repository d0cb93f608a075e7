// EXIT with the player's option to keep the game: the game is kept, not resigned; a store that
// fails says so and EXIT asks as always; the kept game comes back with its Crawford mark.
#include <gtest/gtest.h>

#include "game/Game.h"
#include "game/MenuCommands.h"
#include "support/FakeScreen.h"
#include "support/Positions.h"
#include "support/TurnSetup.h"

using namespace lumaro;
using lumaro::testing::FakeScreen;

namespace {

void matchToFive(Options& o) {
    o.soundFx = false;
    o.matchPlay = true;
    o.matchLength = 5;
    o.crawfordRule = true;
}

struct FakeStore : KeptGameStore {
    bool fails = false;
    int writes = 0;
    KeptGame last;
    bool keep(const KeptGame& game, std::string& whyNot) override {
        ++writes;
        if (fails) {
            whyNot = "No space left on device";
            return false;
        }
        last = game;
        return true;
    }
};

struct KeptGames : ::testing::Test {
    FakeScreen screen;
    Game game{screen};
    FakeStore store;
    const Game::ShellState shell{};

    void SetUp() override {
        game.changeOptions(matchToFive);
        game.startUp(31);
        game.setKeptGameStore(&store);
    }
};

TEST_F(KeptGames, ExitKeepsTheTurnStartWithoutAskingOrScoring) {
    const Position start = lumaro::testing::positionOf({{1, 2}, {12, 13}, {24, -2}, {13, -13}});
    game.arrangeMatchBoards(3, 2);  // board 2 left a side one point short: board 3 is the Crawford game
    lumaro::testing::startTurnOn(game, start, 6, 2, 1);
    game.whiteStepByClick(12, Game::Button::Left);
    screen.messages.clear();
    EXPECT_TRUE(MenuCommands(game).exit(shell));
    EXPECT_TRUE(screen.messages.empty());
    ASSERT_EQ(store.writes, 1);
    EXPECT_TRUE(store.last.game.position.sameCheckersAs(start));
    EXPECT_EQ(store.last.game.dieA, 6);
    EXPECT_TRUE(store.last.crawfordGame);
    EXPECT_EQ(game.state().scores().whiteGamesWon + game.state().scores().blackGamesWon, 0u);

    // The next start: the game on the board again, still the Crawford game, White to play its 6-2.
    FakeScreen nextScreen;
    Game next(nextScreen);
    next.changeOptions(matchToFive);
    next.startUp(32);
    MenuCommands(next).continueKeptGame(store.last);
    EXPECT_TRUE(next.state().gameOn());
    EXPECT_TRUE(next.state().position().sameCheckersAs(start));
    EXPECT_EQ(next.state().dice().diceLeft, (DiceLeft{0, 6, 2, 0, 0}));
    EXPECT_TRUE(next.isCrawfordGame());
}

TEST_F(KeptGames, AStoreThatFailsIsToldAndExitAsksToResignAsAlways) {
    store.fails = true;
    lumaro::testing::startTurnOn(game, startingPosition(), 3, 1, 1);
    screen.messages.clear();
    screen.answers = {Answer::No};
    EXPECT_FALSE(MenuCommands(game).exit(shell));
    ASSERT_EQ(screen.messages.size(), 2u);
    EXPECT_EQ(screen.messages[0].line1, "The game could not be kept.");
    EXPECT_EQ(screen.messages[0].line2, "No space left on device");
    EXPECT_EQ(screen.messages[1].line1, "Do you want to resign?");
    EXPECT_TRUE(game.state().gameOn());

    // Without a store (the option off) nothing is written and the question comes at once.
    game.setKeptGameStore(nullptr);
    store.writes = 0;
    screen.messages.clear();
    screen.answers = {Answer::No};
    EXPECT_FALSE(MenuCommands(game).exit(shell));
    EXPECT_EQ(store.writes, 0);
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].line1, "Do you want to resign?");
}

}  // namespace
