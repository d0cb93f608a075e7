// The hint's ranking: at depth 0 it chooses what level 3 chooses; at depth 1 it gives what the
// look-ahead written out the plain way gives; the cube advice has its usual thresholds.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "ai/CubeAdvice.h"
#include "ai/Features.h"
#include "ai/MoveSearch.h"
#include "ai/PlayRanking.h"
#include "ai/RaceEquity.h"
#include "game/SearchSetup.h"
#include "rules/PlayApply.h"
#include "support/Positions.h"
#include "support/RandomPositions.h"

using namespace lumaro;
using lumaro::testing::PositionWithRoll;
using lumaro::testing::positionOf;
using lumaro::testing::randomBlackPositions;
using lumaro::testing::TestRandom;

namespace {

const NeuralNets& shippedNets() {
    static const NeuralNets nets = [] {
        NeuralNets n;
        n.loadNets(LUMARO_NETS_FOLDER);
        return n;
    }();
    return nets;
}

SearchRequest expertRequest(const PositionWithRoll& p, bool normalNet = true) {
    AnalysisSettings settings;
    settings.computerLevel = Level::Expert;
    settings.normalNet = normalNet;
    return searchRequestFor(p.position, p.dieA, p.dieB, true, settings, &shippedNets());
}

// Positions along games level 3 plays against itself, each seen by the side to move as Black.
std::vector<PositionWithRoll> expertGamePositions(std::uint64_t seed, int count) {
    TestRandom random(seed);
    auto search = std::make_unique<MoveSearch>();
    std::vector<PositionWithRoll> out;
    Position pos = startingPosition();
    while (static_cast<int>(out.size()) < count) {
        const PositionWithRoll p{pos, static_cast<Byte>(random.below(6) + 1), static_cast<Byte>(random.below(6) + 1)};
        out.push_back(p);
        const SearchResult result = search->search(expertRequest(p));
        const Play play = diceTotal(result.bestPath) == 0 ? Play{} : result.playToMake();
        const Position after = afterBlackPlay(pos, play);
        pos = after.offBlack == kCheckersPerSide ? startingPosition() : mirrored(after);
    }
    return out;
}

TEST(PlayRanking, DepthZeroPutsFirstWhatLevelThreeChooses) {
    auto search = std::make_unique<MoveSearch>();
    auto ranking = std::make_unique<PlayRanking>();
    std::vector<PositionWithRoll> positions = expertGamePositions(3, 500);
    const std::vector<PositionWithRoll> random = randomBlackPositions(5, 300);
    positions.insert(positions.end(), random.begin(), random.end());
    int compared = 0, withoutContact = 0;
    for (std::size_t i = 0; i < positions.size(); ++i) {
        const SearchRequest r = expertRequest(positions[i], i % 4 != 3);
        const SearchResult level3 = search->search(r);
        const std::vector<RankedPlay> ranked = ranking->rank(r, 0);
        if (diceTotal(level3.bestPath) == 0) {
            EXPECT_TRUE(ranked.empty()) << "position " << i;
            continue;
        }
        ASSERT_FALSE(ranked.empty()) << "position " << i;
        // Only one die playable, and level 3's best-scored play is the lower one: it then makes the
        // first higher-die play it met, unscored. The ranking holds only higher-die plays.
        if (diceTotal(level3.chosenPlay) < diceTotal(level3.bestPath)) {
            for (const RankedPlay& p : ranked) EXPECT_EQ(diceTotal(p.play), diceTotal(level3.bestPath));
            continue;
        }
        EXPECT_EQ(ranked.front().play, level3.playToMake()) << "position " << i;
        EXPECT_EQ(ranked.front().expertScore, level3.chosenScore) << "position " << i;
        withoutContact += contactOf(ranked.front().after) == 0;
        ++compared;
    }
    EXPECT_GT(compared, 700);
    EXPECT_GT(withoutContact, 50);  // races and bear-offs were among them
}

// The plain way: every roll of 36 on its own, every reply generated and scored one at a time.
class PlainLookAhead {
public:
    double equityAfter(const Position& pos) {
        if (pos.offBlack == kCheckersPerSide) return winKind(pos, Side::Black);
        if (contactOf(pos) == 1) return 3.0 * shippedNets().netScore(pos, *scratch_) / 10000.0;
        return raceEquity(pos);
    }

    double deeper(const Position& after) {
        if (after.offBlack == kCheckersPerSide) return winKind(after, Side::Black);
        double sum = 0;
        for (Byte a = 1; a <= 6; ++a) {
            for (Byte b = 1; b <= 6; ++b) {
                // White's replies on the board as it is: those with the most steps, then the most pips.
                struct Reply {
                    Position pos;
                    int steps;
                    int pips;
                };
                std::vector<Reply> replies;
                GeneratorWorkArea w;
                w.level[0] = after;
                auto all = [&](const GeneratorWorkArea& area, int level) {
                    replies.push_back({area.level[level], level, diceTotal(area.path)});
                };
                generateBothOrders(w, true, a, b, all);
                int steps = 0, pips = 0;
                for (const Reply& r : replies) steps = std::max(steps, r.steps);
                for (const Reply& r : replies)
                    if (r.steps == steps) pips = std::max(pips, r.pips);
                double best = -1e9;
                for (const Reply& r : replies)
                    if (r.steps == steps && r.pips == pips) best = std::max(best, equityAfter(mirrored(r.pos)));
                if (replies.empty()) best = equityAfter(mirrored(after));
                sum -= best;
            }
        }
        return sum / 36.0;
    }

private:
    std::unique_ptr<NetScratch> scratch_ = std::make_unique<NetScratch>();
};

TEST(PlayRanking, DepthOneGivesWhatThePlainLookAheadGives) {
    auto ranking = std::make_unique<PlayRanking>();
    PlainLookAhead plain;
    // Middle games, and races and bear-offs from games of random plays.
    std::vector<PositionWithRoll> positions;
    const std::vector<PositionWithRoll> expert = expertGamePositions(21, 120);
    for (std::size_t i = 7; i < expert.size(); i += 19) positions.push_back(expert[i]);
    int races = 0;
    for (const PositionWithRoll& p : randomBlackPositions(23, 400))
        if (contactOf(p.position) == 0 && races < 3 && ++races) positions.push_back(p);
    ASSERT_EQ(races, 3);

    for (std::size_t i = 0; i < positions.size(); ++i) {
        const SearchRequest r = expertRequest(positions[i]);
        const std::vector<RankedPlay> depth0 = ranking->rank(r, 0);
        const std::vector<RankedPlay> depth1 = ranking->rank(r, 1);
        ASSERT_EQ(depth1.size(), depth0.size());
        if (depth0.empty()) continue;
        // The plays looked at: level 3's choice and the best 8 by depth-0 equity, first met first.
        std::vector<const RankedPlay*> byEquity;
        for (const RankedPlay& p : depth0) {
            EXPECT_NEAR(p.equity0, plain.equityAfter(p.after), 1e-12) << "position " << i;
            byEquity.push_back(&p);
        }
        std::stable_sort(byEquity.begin(), byEquity.end(),
                         [](const RankedPlay* a, const RankedPlay* b) { return a->equity0 > b->equity0; });
        byEquity.resize(std::min<std::size_t>(byEquity.size(), PlayRanking::kDeeperPlays));
        if (std::find(byEquity.begin(), byEquity.end(), &depth0.front()) == byEquity.end())
            byEquity.push_back(&depth0.front());
        // The best of them by the plain look-ahead, the first in depth-0 order on a tie.
        const RankedPlay* best = nullptr;
        double bestEquity = -1e9;
        for (const RankedPlay& p : depth0) {
            if (std::find(byEquity.begin(), byEquity.end(), &p) == byEquity.end()) continue;
            const double e = plain.deeper(p.after);
            if (e > bestEquity) {
                bestEquity = e;
                best = &p;
            }
        }
        EXPECT_EQ(depth1.front().play, best->play) << "position " << i;
        EXPECT_NEAR(depth1.front().equity1, bestEquity, 1e-9) << "position " << i;
        const auto deeper = std::count_if(depth1.begin(), depth1.end(), [](const RankedPlay& p) { return p.deeper; });
        EXPECT_EQ(deeper, static_cast<long>(byEquity.size())) << "position " << i;
    }
}

TEST(RaceEquity, CountsTheRollersTempoAndAGammonOnlyWhileTheLoserHasNoneOff) {
    // Level races: White, on roll, is the favourite.
    EXPECT_LT(raceEquity(positionOf({{6, -5}, {5, -5}, {4, -5}, {19, 5}, {20, 5}, {21, 5}})), -0.1);
    // Black bears off next roll; White's fourteen left need seven rolls at least: a single game.
    const double single = raceEquity(positionOf({{1, -1}, {24, 14}}));
    EXPECT_GT(single, 0.95);
    EXPECT_LE(single, 1.0);
    // With White's fifteen still on its own 13-point the gammon is Black's as well.
    EXPECT_GT(raceEquity(positionOf({{1, -1}, {12, 15}})), 1.9);
}

TEST(CubeAdvice, DoublesInTheWindowTheOpponentPassesBeyondItsTakePointAndGammonsPlayOn) {
    EXPECT_EQ(cubeAdviceFor(0.2, CubeHolder::Centred).action, CubeAction::NoDouble);
    EXPECT_EQ(cubeAdviceFor(0.4, CubeHolder::Centred).action, CubeAction::DoubleTake);
    // The opponent's take point: 2/3 live cube puts it at 3/14 of the games (an equity of 4/7).
    EXPECT_EQ(cubeAdviceFor(4.0 / 7.0 - 1e-6, CubeHolder::Centred).action, CubeAction::DoubleTake);
    EXPECT_EQ(cubeAdviceFor(4.0 / 7.0 + 1e-6, CubeHolder::Centred).action, CubeAction::DoublePass);
    EXPECT_EQ(cubeAdviceFor(1.2, CubeHolder::Centred).action, CubeAction::TooGood);
    // Owning the cube is worth something: the same equity that doubles from the centre holds it.
    EXPECT_EQ(cubeAdviceFor(0.4, CubeHolder::Roller).action, CubeAction::NoDouble);
    EXPECT_EQ(cubeAdviceFor(0.4, CubeHolder::Opponent).action, CubeAction::NotAvailable);
    const CubeAdvice pass = cubeAdviceFor(0.7, CubeHolder::Centred);
    EXPECT_DOUBLE_EQ(pass.doublePass, 1.0);
    EXPECT_GT(pass.doubleTake, 1.0);
}

}  // namespace
