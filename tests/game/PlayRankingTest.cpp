// The hint's ranking: at depth 0 it chooses what level 3 chooses; at depth 1 it gives what the
// look-ahead written out the plain way gives; the cube advice has its usual thresholds.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "ai/Features.h"
#include "ai/MasterSearch.h"
#include "ai/MoveSearch.h"
#include "ai/PlayRanking.h"
#include "ai/RaceEquity.h"
#include "ai/ReplyValue.h"
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

// The Master's search.

const MasterPlay* findPlay(const std::vector<MasterPlay>& plays, const Position& after) {
    for (const MasterPlay& p : plays)
        if (p.after.sameCheckersAs(after)) return &p;
    return nullptr;
}

TEST(MasterSearch, DepthOneNeverChoosesWorseThanTheDepthZeroChoiceByItsOwnEquity) {
    auto master = std::make_unique<MasterSearch>();
    const std::vector<PositionWithRoll> positions = expertGamePositions(31, 160);
    int improved = 0;
    for (std::size_t i = 0; i < positions.size(); ++i) {
        const PositionWithRoll& p = positions[i];
        const std::vector<MasterPlay> depth0 = master->rank(&shippedNets(), p.position, p.dieA, p.dieB, 0);
        const std::vector<MasterPlay> depth1 = master->rank(&shippedNets(), p.position, p.dieA, p.dieB, 1);
        ASSERT_EQ(depth1.size(), depth0.size()) << "position " << i;
        if (depth0.empty()) continue;
        // The depth-0 choice is the best by depth-0 equity, and depth 1 looked at it.
        for (const MasterPlay& q : depth0) EXPECT_LE(q.equity0, depth0.front().equity0) << "position " << i;
        const MasterPlay* first = findPlay(depth1, depth0.front().after);
        ASSERT_NE(first, nullptr);
        ASSERT_EQ(first->depth, 1) << "position " << i;
        EXPECT_EQ(depth1.front().depth, 1) << "position " << i;
        EXPECT_GE(depth1.front().equity, first->equity) << "position " << i;
        if (depth1.front().equity > first->equity) ++improved;
        // Every play looked at has the depth-1 equity it has alone, and passed the filter.
        int lookedAt = 0;
        for (const MasterPlay& q : depth1) {
            if (q.depth == 0) continue;
            ++lookedAt;
            EXPECT_NEAR(q.equity, master->equity1(&shippedNets(), q.after), 1e-12) << "position " << i;
            EXPECT_GE(q.equity0, depth0.front().equity0 - MasterSearch::kToDepth1.within) << "position " << i;
        }
        EXPECT_LE(lookedAt, MasterSearch::kToDepth1.keep) << "position " << i;
    }
    // The look-ahead changes the choice now and then.
    EXPECT_GT(improved, 0);
}

// Black on 2-2-3-3-4 with 3-1 against White's 5-6-6: bearing off from the 3 and playing 2/1 leaves
// 1-2-3-4, the table's choice by far; the estimate, counting pips and wastage, rates the piles
// 2-2-2-4 and 2-2-3-3 a hair higher.
TEST(MasterSearch, TheBearOffTableDecidesAPlayTheRaceEstimateGetsWrong) {
    const Position pos = positionOf({{2, -2}, {3, -2}, {4, -1}, {20, 1}, {19, 2}});
    const Position smooth = positionOf({{1, -1}, {2, -1}, {3, -1}, {4, -1}, {20, 1}, {19, 2}});
    auto master = std::make_unique<MasterSearch>();
    for (int depth = 0; depth <= 2; ++depth) {
        const std::vector<MasterPlay> plays = master->rank(&shippedNets(), pos, 3, 1, depth);
        ASSERT_FALSE(plays.empty());
        EXPECT_TRUE(plays.front().after.sameCheckersAs(smooth)) << "depth " << depth;
    }
    const std::vector<MasterPlay> plays = master->rank(&shippedNets(), pos, 3, 1, 0);
    // What the estimate makes of the same plays.
    PositionEquity estimate(HomeRaces::Estimate);
    std::vector<Position> after;
    for (const MasterPlay& p : plays) after.push_back(p.after);
    std::vector<double> equities(after.size());
    estimate.evaluate(&shippedNets(), after.data(), static_cast<int>(after.size()), equities.data());
    const double estimateBest = *std::max_element(equities.begin(), equities.end());
    EXPECT_LT(equities.front(), estimateBest);
    for (std::size_t k = 0; k < plays.size(); ++k) {
        if (equities[k] != estimateBest) continue;
        EXPECT_GT(plays.front().equity - plays[k].equity, 0.3) << "play " << k;
    }
}

TEST(MasterSearch, AForcedPlayIsTheOnlyOneAndNoPlayIsNothingAtEveryDepth) {
    auto master = std::make_unique<MasterSearch>();
    // Two Black checkers on the bar with 1-1 against White's 19..23: both enter on the 24 and the
    // other two 1s cannot be played (the 23 is held, the checkers on the 1 cannot bear off yet).
    const Position barred =
        positionOf({{19, 2}, {20, 2}, {21, 2}, {22, 2}, {23, 2}, {10, 5}, {1, -13}}, 0, 2);
    const Position entered = positionOf({{19, 2}, {20, 2}, {21, 2}, {22, 2}, {23, 2}, {10, 5}, {1, -13}, {24, -2}});
    // Black on the bar against a closed board.
    const Position closed = positionOf({{19, 2}, {20, 2}, {21, 2}, {22, 2}, {23, 2}, {24, 2}, {12, 3}, {13, -14}}, 0, 1);
    for (int depth = 0; depth <= 2; ++depth) {
        const std::vector<MasterPlay> forced = master->rank(&shippedNets(), barred, 1, 1, depth);
        ASSERT_EQ(forced.size(), 1u) << "depth " << depth;
        EXPECT_TRUE(forced.front().after.sameCheckersAs(entered)) << "depth " << depth;
        EXPECT_EQ(forced.front().depth, depth);
        EXPECT_TRUE(master->rank(&shippedNets(), closed, 4, 4, depth).empty()) << "depth " << depth;
    }
    EXPECT_NEAR(master->rank(&shippedNets(), barred, 1, 1, 2).front().equity,
                master->equity2(&shippedNets(), entered), 1e-12);
}

// Depth 2 written out the plain way, on a bear-off small enough for every line: the opponent's
// 21 rolls, its reply to each chosen at depth 0, and that reply scored with Black's 21 rolls.
class PlainMasterLookAhead {
public:
    double equity0(const Position& after) {
        double e = 0;
        equity_.evaluate(nullptr, &after, 1, &e);
        return e;
    }
    // The mover's best reply to each roll by `score`, weighted over the 21 rolls.
    template <class Score>
    double opponentAverage(const Position& after, Score score) {
        const Position opponent = mirrored(after);
        double sum = 0;
        for (const Roll& roll : kLookAheadRolls) {
            std::vector<Position> replies;
            plays_.appendBlackResults(opponent, roll.first, roll.second, replies);
            sum += (roll.first == roll.second ? 1.0 : 2.0) * score(replies) / 36.0;
        }
        return sum;
    }
    double equity1(const Position& after) {
        if (after.offBlack == kCheckersPerSide) return winKind(after, Side::Black);
        return -opponentAverage(after, [this](const std::vector<Position>& replies) {
            double best = -1e9;
            for (const Position& r : replies) best = std::max(best, equity0(r));
            return best;
        });
    }
    double equity2(const Position& after) {
        if (after.offBlack == kCheckersPerSide) return winKind(after, Side::Black);
        return -opponentAverage(after, [this](const std::vector<Position>& replies) {
            const Position* chosen = nullptr;
            double best = -1e9;
            for (const Position& r : replies)
                if (const double e = equity0(r); e > best) {
                    best = e;
                    chosen = &r;
                }
            return equity1(*chosen);
        });
    }

private:
    LegalPlays plays_;
    PositionEquity equity_{HomeRaces::Exact};
};

TEST(MasterSearch, DepthTwoGivesWhatThePlainTwoRollLookAheadGives) {
    // Black on 1-3-5-6 with 2-1 against White's 2-4-4: each side finishes within a few rolls.
    const Position pos = positionOf({{1, -1}, {3, -1}, {5, -1}, {6, -1}, {23, 1}, {21, 2}});
    auto master = std::make_unique<MasterSearch>();
    PlainMasterLookAhead plain;
    const std::vector<MasterPlay> plays = master->rank(nullptr, pos, 2, 1, 2);
    ASSERT_GE(plays.size(), 3u);
    int atDepth2 = 0;
    for (const MasterPlay& p : plays) {
        EXPECT_NEAR(p.equity0, plain.equity0(p.after), 1e-12);
        if (p.depth == 2) {
            ++atDepth2;
            EXPECT_NEAR(p.equity, plain.equity2(p.after), 1e-12);
        } else if (p.depth == 1) {
            EXPECT_NEAR(p.equity, plain.equity1(p.after), 1e-12);
        }
    }
    EXPECT_GE(atDepth2, 1);
    EXPECT_LE(atDepth2, MasterSearch::kToDepth2.keep);
    // Best first among the plays looked at twice.
    EXPECT_EQ(plays.front().depth, 2);
    for (const MasterPlay& p : plays) {
        if (p.depth != 2) continue;
        EXPECT_GE(plays.front().equity, p.equity);
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

}  // namespace
