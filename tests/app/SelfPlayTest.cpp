// Self-play matches: the players' options, the opening book, and matches that repeat exactly.
#include <gtest/gtest.h>

#include "ai/MoveSearch.h"
#include "app/cli/SelfPlay.h"

namespace lumaro {
namespace {


TEST(SelfPlayTest, PlayersAreReadWithTheirOptions) {
    const auto slow = parsePlayer("2:slow");
    ASSERT_TRUE(slow);
    EXPECT_EQ(levelNumber(slow->computerLevel), 2);
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
    EXPECT_EQ(masterDepthOfPlayer("master"), 2);
    EXPECT_EQ(masterDepthOfPlayer("master:1"), 1);
    for (const char* notMaster : {"master:3", "master:0", "master:", "3", "masterful"})
        EXPECT_EQ(masterDepthOfPlayer(notMaster), 0) << notMaster;
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

// --record: every turn reaches the recorder in the game's own numbering, so the recorder's own board
// follows each game to the winner's last checker off, and the results are the match's.
TEST(SelfPlayTest, TheRecordFollowsEveryGameToItsEnd) {
    MatchConfig config;
    config.games = 6;
    config.seed = 4;
    config.a = *parsePlayer("1");
    config.b = config.a;
    config.keepGames = true;
    const MatchResult m = playMatch(config);
    ASSERT_EQ(m.played.size(), 6u);
    const MatchRecord record = recordOf(m.played);
    ASSERT_EQ(record.games.size(), 6u);
    EXPECT_EQ(record.matchLength, 0);
    long long pointsA = 0;
    for (std::size_t g = 0; g < record.games.size(); ++g) {
        const RecordedGame& game = record.games[g];
        ASSERT_TRUE(game.ended);
        pointsA += game.winner == Side::White ? game.points : -game.points;
        std::size_t steps = 0, turns = 0;
        for (const RecordedAction& a : game.actions) {
            ++turns;
            steps += a.steps.size();
        }
        EXPECT_EQ(turns, m.played[g].turns.size());
        std::size_t played = 0;
        for (const SelfPlayTurn& t : m.played[g].turns)
            for (int k = 1; k <= 4 && t.play[k].die != 0; ++k) ++played;
        EXPECT_EQ(steps, played) << "game " << g;  // no step refused
        // The first roll is A's in even games: A is White.
        EXPECT_EQ(game.actions.front().side, g % 2 == 0 ? Side::White : Side::Black);
    }
    EXPECT_EQ(pointsA, m.pointsA);
    // The last game's winner bears off all fifteen checkers in the record.
    const SelfPlayGame& last = m.played.back();
    const MatchRecord one = recordOf({last});
    const Side winner = one.games[0].winner;
    std::size_t off = 0;
    for (const RecordedAction& a : one.games[0].actions)
        for (const RecordedStep& s : a.steps)
            if (a.side == winner && s.to == 0) ++off;
    EXPECT_EQ(off, 15u);
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
