// Self-play matches: the board seen from the other side, plays made on the board, what a game is
// worth, the players' options, and matches that repeat exactly.
#include <gtest/gtest.h>

#include "ai/MoveSearch.h"
#include "app/cli/SelfPlay.h"

namespace lumaro {
namespace {

void put(Position& pos, int point, int count, Byte colour) {
    pos.count[point] = static_cast<Byte>(count);
    pos.colour[point] = colour;
}

TEST(SelfPlayTest, MirroringSwapsSidesAndTwiceGivesTheSamePosition) {
    Position pos = startingPosition();
    pos.barWhite = 1;
    pos.offBlack = 2;
    const Position m = mirrored(pos);
    EXPECT_EQ(m.barBlack, 1);
    EXPECT_EQ(m.offWhite, 2);
    EXPECT_TRUE(m.hasWhite(1));  // black's two back checkers on 24 seen from white's side
    EXPECT_EQ(m.count[1], 2);
    EXPECT_TRUE(m.hasBlack(24));
    EXPECT_TRUE(mirrored(m).sameCheckersAs(pos));
    EXPECT_TRUE(mirrored(startingPosition()).sameCheckersAs(startingPosition()));
}

TEST(SelfPlayTest, APlayHitsEntersAndBearsOff) {
    Position pos;
    pos.barBlack = 1;
    put(pos, 20, 1, kWhite);  // entering with a 5 hits it
    put(pos, 8, 1, kBlack);
    put(pos, 2, 13, kBlack);
    Play play{};
    play[1] = Step{20, 5};
    play[2] = Step{2, 3};  // bears off from the 2-point
    const Position after = afterBlackPlay(pos, play);
    EXPECT_EQ(after.barBlack, 0);
    EXPECT_TRUE(after.hasBlack(20));
    EXPECT_EQ(after.barWhite, 1);
    EXPECT_EQ(after.offBlack, 1);
    EXPECT_EQ(after.count[2], 12);
}

TEST(SelfPlayTest, WinsAreSingleGammonOrBackgammon) {
    Position pos;
    pos.offBlack = 15;
    put(pos, 20, 14, kWhite);
    pos.offWhite = 1;
    EXPECT_EQ(blackWinPoints(pos), 1);
    pos.offWhite = 0;
    put(pos, 20, 15, kWhite);
    EXPECT_EQ(blackWinPoints(pos), 2);
    put(pos, 20, 14, kWhite);
    put(pos, 4, 1, kWhite);  // still in black's home board
    EXPECT_EQ(blackWinPoints(pos), 3);
    put(pos, 4, 0, kWhite);
    pos.barWhite = 1;
    EXPECT_EQ(blackWinPoints(pos), 3);
}

TEST(SelfPlayTest, PlayersAreReadWithTheirOptions) {
    const auto slow = parsePlayer("2:slow");
    ASSERT_TRUE(slow);
    EXPECT_EQ(slow->computerLevel, 2);
    EXPECT_EQ(slow->slowThinking, 1);
    EXPECT_EQ(parsePlayer("2:fast")->slowThinking, 0);
    EXPECT_EQ(parsePlayer("3:aggressive")->normalNet, 0);
    const auto sliders = parsePlayer("1:attack=2,risk=-1,strategy=0");
    ASSERT_TRUE(sliders);
    EXPECT_EQ(sliders->attackSlider, 2);
    EXPECT_EQ(sliders->riskSlider, -1);
    EXPECT_EQ(sliders->strategySlider, 0);
    EXPECT_FALSE(parsePlayer("4"));
    EXPECT_FALSE(parsePlayer("1:attack=3"));
    EXPECT_FALSE(parsePlayer("1:colour=2"));
    EXPECT_FALSE(parsePlayer("2slow"));
}

TEST(SelfPlayTest, AMatchRepeatsExactlyWhateverTheThreads) {
    MatchConfig config;
    config.games = 24;
    config.seed = 9;
    config.a = *parsePlayer("1");
    config.b = *parsePlayer("2:fast");
    const MatchResult first = playMatch(config);
    const MatchResult again = playMatch(config);
    config.threads = 1;
    const MatchResult oneThread = playMatch(config);
    EXPECT_EQ(first.games, 24);
    EXPECT_EQ(first.a.wins + first.b.wins, 24);
    for (const MatchResult* r : {&again, &oneThread}) {
        EXPECT_EQ(r->pointsA, first.pointsA);
        EXPECT_EQ(r->a.wins, first.a.wins);
        EXPECT_EQ(r->a.gammons, first.a.gammons);
        EXPECT_EQ(r->stderrPpg, first.stderrPpg);
    }
    config.seed = 10;
    const MatchResult other = playMatch(config);
    EXPECT_TRUE(other.pointsA != first.pointsA || other.a.wins != first.a.wins || other.a.gammons != first.a.gammons);
}

TEST(SelfPlayTest, TheStartersFirstRollComesFromTheBookAndLaterRollsFromTheSearch) {
    MatchConfig config;
    config.a = *parsePlayer("1");
    config.b = config.a;
    MoveSearch search;
    int draws = 0;
    const auto draw = [&draws](int value) {
        return std::function<int()>([&draws, value] {
            ++draws;
            return value;
        });
    };
    const Position start = startingPosition();
    // 2-1 has two lines: above 50 the first (13/11 6/5), else the second (24/23 13/11).
    Play play = selfPlayChoice(search, config, start, 2, 1, true, true, draw(51));
    EXPECT_EQ(play[1], (Step{13, 2}));
    EXPECT_EQ(play[2], (Step{6, 1}));
    play = selfPlayChoice(search, config, start, 1, 2, false, true, draw(50));
    EXPECT_EQ(play[1], (Step{24, 1}));
    EXPECT_EQ(play[2], (Step{13, 2}));
    EXPECT_EQ(draws, 2);
    // 6-5 has one line and draws nothing.
    play = selfPlayChoice(search, config, start, 6, 5, true, true, draw(0));
    EXPECT_EQ(play[1], (Step{24, 6}));
    EXPECT_EQ(play[2], (Step{18, 5}));
    EXPECT_EQ(draws, 2);
    // Not the opening roll: the search plays, and the book's 2-1 split is not what level 1 picks.
    play = selfPlayChoice(search, config, start, 2, 1, true, false, draw(51));
    EXPECT_EQ(draws, 2);
    EXPECT_EQ(diceTotal(play), 3);
    EXPECT_FALSE(play[1] == (Step{13, 2}) && play[2] == (Step{6, 1}));
}

}  // namespace
}  // namespace lumaro
