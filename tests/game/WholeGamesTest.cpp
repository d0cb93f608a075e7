// Whole games and matches without a window: the computer against random clicks, and two people
// clicking at random, with the cube offered, taken and dropped. After every game both sides still
// have fifteen checkers, the score is booked by the rules, and no game hangs.
#include <gtest/gtest.h>

#include <vector>

#include "ai/NeuralNets.h"
#include "game/Game.h"
#include "support/FakeScreen.h"
#include "support/RandomPositions.h"

using namespace lumaro;
using lumaro::testing::FakeScreen;
using lumaro::testing::TestRandom;

namespace {

constexpr int kActionsPerGame = 20000;

struct Table {
    FakeScreen screen;
    Game game{screen};
    TestRandom random;
    int actions = 0;

    explicit Table(std::uint64_t seed) : random(seed) {
        game.changeOptions([&](Options& o) { o.soundFx = false; });
        game.startUp(static_cast<std::uint32_t>(seed * 7919));
        // Cube questions are answered at random, new-game questions with YES.
        screen.decide = [this](const Message& m) {
            if (m.kind == MessageKind::NewGame) return Answer::Yes;
            return random.below(5) == 0 ? Answer::No : Answer::Yes;
        };
    }

    bool white() const { return game.state().sideToMove() == Side::White; }

    // One click of the person on turn: a checker that can move, or the end of the turn.
    void click() {
        ++actions;
        const Position& b = game.state().position();
        const bool w = white();
        const Game::Button button = random.below(2) ? Game::Button::Left : Game::Button::Right;
        if ((w ? whitePhaseOf(b) : blackPhaseOf(b)) == 1) {
            if (canEnter(b, turnOf(game.state().sideToMove()), game.state().dice().diceLeft)) {
                if (w) game.whiteEntryByClick(button); else game.blackEntryByClick(button);
            } else {
                game.endTurn();
            }
            return;
        }
        std::vector<int> movable;
        for (int p = 1; p <= 24; ++p) {
            for (int k = 1; k <= 4; ++k) {
                const int d = game.state().dice().diceLeft[k];
                if (d && (w ? whiteStepTest(b, p, d) : blackStepTest(b, p, d)) != kStepImpossible) {
                    movable.push_back(p);
                    break;
                }
            }
        }
        if (movable.empty()) {
            game.endTurn();
            return;
        }
        const int p = movable[random.below(static_cast<std::uint32_t>(movable.size()))];
        if (w) game.whiteStepByClick(p, button); else game.blackStepByClick(p, button);
    }

    void maybeOfferDouble() {
        if (random.below(40) == 0) game.offerDouble();
    }

    // Plays one game from the new-game question to its end.
    void playGame() {
        game.startNewGame();
        ASSERT_TRUE(game.state().gameOn());
        const int limit = actions + kActionsPerGame;
        while (game.state().gameOn()) {
            ASSERT_LT(actions, limit) << "the game does not end";
            ASSERT_FALSE(game.busy());
            if (!game.blackPlayer().playsAtThisBoard() && game.state().sideToMove() == Side::Black) {
                // The computer has played; the player's next click rolls White's dice.
                maybeOfferDouble();
                if (game.state().gameOn()) game.endTurn();
                ++actions;
                continue;
            }
            if (random.below(4) == 0) maybeOfferDouble();
            if (game.state().gameOn()) click();
        }
    }
};

void expectWholeCheckers(const Game& game) {
    EXPECT_EQ(whiteCheckersOf(game.state().position()), 15);
    EXPECT_EQ(blackCheckersOf(game.state().position()), 15);
    // The session's record followed every roll, step, undo and cube action: its board is the game's,
    // and its last game ended as the game did.
    EXPECT_TRUE(game.recorder().position().sameCheckersAs(game.state().position()));
    const MatchRecord& record = game.recorder().record();
    ASSERT_FALSE(record.games.empty());
    const RecordedGame& last = record.games.back();
    EXPECT_TRUE(last.ended);
    EXPECT_EQ(last.winner == Side::White, game.state().lastResult().whiteWon);
    EXPECT_EQ(last.points, game.state().lastResult().resultPoints);
    EXPECT_EQ(record.matchLength, game.options().matchPlay ? game.options().matchLength : 0);
}

// The rules of booking, written out once more: single games add to the winner's totals.
void playSingleGames(Table& t, int games) {
    int borneOff = 0;
    for (int g = 0; g < games; ++g) {
        const Scores before = t.game.state().scores();
        t.playGame();
        if (::testing::Test::HasFatalFailure()) return;
        expectWholeCheckers(t.game);
        const GameResult& r = t.game.state().lastResult();
        EXPECT_EQ(r.resultPoints, r.kind * t.game.state().cube().value());
        const Scores& after = t.game.state().scores();
        if (r.whiteWon) {
            EXPECT_EQ(after.whitePointsTotal, before.whitePointsTotal + r.resultPoints);
            EXPECT_EQ(after.whiteGamesWon, before.whiteGamesWon + 1);
            EXPECT_EQ(after.blackPointsTotal, before.blackPointsTotal);
        } else {
            EXPECT_EQ(after.blackPointsTotal, before.blackPointsTotal + r.resultPoints);
            EXPECT_EQ(after.blackGamesWon, before.blackGamesWon + 1);
            EXPECT_EQ(after.whitePointsTotal, before.whitePointsTotal);
        }
        if (r.how == GameOver::DoubleRefused) {
            EXPECT_EQ(r.kind, 1);
        }
        if (t.game.state().position().offWhite == 15 || t.game.state().position().offBlack == 15) ++borneOff;
    }
    EXPECT_GT(borneOff, games / 3) << "most games should be played out, not dropped";
}

TEST(WholeGames, ComputerAgainstRandomClicksAtEveryLevel) {
    // The expert plays as such only with its trained networks.
    NeuralNets nets;
    nets.loadNets(LUMARO_NETS_FOLDER);
    ASSERT_TRUE(nets.usable()) << nets.unusableReason();
    for (int level = 1; level <= 3; ++level) {
        Table t(100 + level);
        t.game.setNets(&nets);
        t.game.changeOptions([&](Options& o) { o.computerLevel = static_cast<Level>(level); });
        t.game.changeOptions([&](Options& o) { o.alternateFirstMove = level == 2; });
        playSingleGames(t, level == 2 ? 4 : 10);
    }
}

TEST(WholeGames, TwoPeopleAtOneMachine) {
    Table t(7);
    t.game.changeOptions([&](Options& o) { o.humanOpponent = true; });
    t.game.changeOptions([&](Options& o) { o.localPlay = true; });
    t.game.changeOptions([&](Options& o) { o.jacobyRule = true; });
    playSingleGames(t, 25);
}

TEST(WholeGames, MatchesWithCrawfordAndJacoby) {
    for (bool people : {false, true}) {
        Table t(people ? 31 : 32);
        Game& game = t.game;
        game.changeOptions([&](Options& o) { o.humanOpponent = people; });
        game.changeOptions([&](Options& o) { o.matchPlay = true; });
        game.changeOptions([&](Options& o) { o.matchLength = 5; });
        game.changeOptions([&](Options& o) { o.crawfordRule = true; });
        game.changeOptions([&](Options& o) { o.jacobyRule = true; });
        int matches = 0;
        for (int g = 0; g < 30; ++g) {
            const Scores before = game.state().scores();
            t.playGame();
            if (HasFatalFailure()) return;
            expectWholeCheckers(game);
            const GameResult& r = game.state().lastResult();
            const int w = (r.whiteWon ? before.whiteMatchScore : before.blackMatchScore) + r.resultPoints;
            const int l = r.whiteWon ? before.blackMatchScore : before.whiteMatchScore;
            const Scores& after = game.state().scores();
            if (w >= 5) {
                ++matches;
                EXPECT_TRUE(r.matchWon);
                EXPECT_EQ(after.whiteMatchScore + after.blackMatchScore, 0);
                EXPECT_EQ(after.whiteMatchesWon + after.blackMatchesWon, before.whiteMatchesWon + before.blackMatchesWon + 1);
                EXPECT_EQ(game.state().crawfordGameNumber(), 0);
            } else {
                EXPECT_EQ(r.whiteWon ? after.whiteMatchScore : after.blackMatchScore, w);
                EXPECT_EQ(r.whiteWon ? after.blackMatchScore : after.whiteMatchScore, l);
                EXPECT_EQ(game.state().crawfordGameNumber(), (w + 1 == 5 && w > l) ? game.state().gameNumber() : 0);
            }
        }
        EXPECT_GT(matches, 0);
    }
}

TEST(WholeGames, NobodyDoublesInTheCrawfordGame) {
    Table t(55);
    Game& game = t.game;
    game.changeOptions([&](Options& o) { o.humanOpponent = true; });
    game.changeOptions([&](Options& o) { o.matchPlay = true; });
    game.changeOptions([&](Options& o) { o.matchLength = 5; });
    game.arrangeMatchBoards(game.state().gameNumber(), game.state().gameNumber());  // the next board is the Crawford game
    game.startNewGame();
    ASSERT_TRUE(game.isCrawfordGame());
    game.arrangeDicePlayed();  // the roll is played: the next player could double now
    game.offerDouble();
    EXPECT_EQ(game.state().cube().value(), 1);
    ASSERT_FALSE(t.screen.messages.empty());
    EXPECT_EQ(t.screen.messages.back().line1, "You can not double");
    EXPECT_EQ(t.screen.messages.back().line2, "due to the Crawford rule!");
}

}  // namespace
