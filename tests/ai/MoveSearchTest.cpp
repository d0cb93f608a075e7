#include <gtest/gtest.h>

#include "ai/MoveSearch.h"
#include "ai/ReferenceSearch.h"
#include "ai/ReplyScore.h"
#include "rules/MaxDiceRule.h"
#include "rules/Position.h"
#include "support/Positions.h"
#include "support/RandomPositions.h"

using namespace lumaro;
using lumaro::testing::positionOf;
using lumaro::testing::randomBlackPositions;

namespace {

SearchRequest requestFor(const lumaro::testing::PositionWithRoll& p, int level, bool slow, bool black = true) {
    SearchRequest r;
    r.start = p.position;
    r.dieA = p.dieA;
    r.dieB = p.dieB;
    r.black = black;
    r.settings.computerLevel = static_cast<Level>(level);
    r.settings.slowThinking = slow ? 1 : 0;
    r.blackPips = blackPipCount(p.position);
    r.whitePips = whitePipCount(p.position);
    r.category = black ? blackRaceCategory(p.position) : whiteRaceCategory(p.position);
    return r;
}

void expectSameChoice(const SearchResult& fast, const SearchResult& reference, int index) {
    EXPECT_EQ(fast.chosenPlay, reference.chosenPlay) << "position " << index;
    EXPECT_EQ(fast.chosenScore, reference.chosenScore) << "position " << index;
    EXPECT_EQ(fast.chosenLevel, reference.chosenLevel) << "position " << index;
    EXPECT_EQ(fast.bestPath, reference.bestPath) << "position " << index;
    EXPECT_EQ(fast.counters.analyses, reference.counters.analyses) << "position " << index;
}

TEST(MoveSearch, ChoosesWhatTheStraightforwardSearchChoosesAtLevelOneForBothSides) {
    MoveSearch search;
    const auto positions = randomBlackPositions(7, 300);
    for (size_t i = 0; i < positions.size(); ++i) {
        for (bool black : {true, false}) {
            SearchRequest r = requestFor(positions[i], 1, false, black);
            r.settings.attackSlider = static_cast<std::int8_t>(static_cast<int>(i % 5) - 2);
            r.settings.riskSlider = static_cast<std::int8_t>(static_cast<int>(i / 5 % 5) - 2);
            r.settings.strategySlider = static_cast<std::int8_t>(static_cast<int>(i / 25 % 5) - 2);
            expectSameChoice(search.search(r), referenceSearch(r), static_cast<int>(i));
        }
    }
}

TEST(MoveSearch, ChoosesWhatTheStraightforwardSearchChoosesWithTheLookAhead) {
    MoveSearch search;
    const auto positions = randomBlackPositions(11, 40);
    for (size_t i = 0; i < positions.size(); ++i) {
        const SearchRequest r = requestFor(positions[i], 2, i % 2 == 1);
        expectSameChoice(search.search(r), referenceSearch(r), static_cast<int>(i));
    }
}

TEST(MoveSearch, ChoosesWhatTheStraightforwardSearchChoosesAtLevelThree) {
    const NeuralNets nets = NeuralNets::testWeights(17);
    // A small collection buffer as well, so that large rolls are scored in several rounds.
    MoveSearch search;
    MoveSearch smallRounds(5);
    const auto positions = randomBlackPositions(13, 120);
    std::uint64_t byNetwork = 0, byAnalysis = 0;
    for (size_t i = 0; i < positions.size(); ++i) {
        SearchRequest r = requestFor(positions[i], 3, false);
        r.nets = i % 10 == 9 ? nullptr : &nets;
        r.settings.normalNet = static_cast<std::uint8_t>(i % 2);
        const SearchResult reference = referenceSearch(r);
        const SearchResult fast = search.search(r);
        const SearchResult inRounds = smallRounds.search(r);
        expectSameChoice(fast, reference, static_cast<int>(i));
        expectSameChoice(inRounds, reference, static_cast<int>(i));
        EXPECT_EQ(inRounds.counters.netEvaluations, fast.counters.netEvaluations) << "position " << i;
        EXPECT_EQ(inRounds.counters.candidatesScored, fast.counters.candidatesScored) << "position " << i;
        byNetwork += fast.counters.netEvaluations;
        byAnalysis += fast.counters.candidatesScored - fast.counters.netEvaluations;
    }
    // Both kinds of candidate were compared: with contact and without.
    EXPECT_GT(byNetwork, 100u);
    EXPECT_GT(byAnalysis, 100u);
}

TEST(MoveSearch, LookAheadMatchesOnEveryCandidateKind) {
    MoveSearch search;
    const auto positions = randomBlackPositions(5, 60);
    for (size_t i = 0; i < positions.size(); ++i) {
        SearchCounters a, b;
        const bool slow = i % 3 != 0;
        EXPECT_EQ(search.lookAhead(positions[i].position, false, slow, a),
                  referenceLookAhead(positions[i].position, false, slow, b))
            << "position " << i;
    }
}

}  // namespace

namespace {

TEST(ReplyScore, IsTheReplyVariantOfTheHeuristicScore) {
    const AnalysisSettings anySettings{Level::Beginner, 2, -2, 1, false, true};  // the reply variant ignores them
    lumaro::testing::TestRandom random(4);
    for (const auto& p : randomBlackPositions(21, 3000)) {
        // The positions White's replies reach, with black checkers hit and white ones on the bar.
        const Position reply = lumaro::testing::playRandomly(p.position, true, p.dieA, p.dieB, random);
        for (const Position& pos : {p.position, reply}) {
            ASSERT_EQ(replyScore(pos), heuristicScore(pos, false, AnalysisVariant::Reply, 0, 0, 0, AnalysisSettings{}));
            ASSERT_EQ(replyScore(pos), heuristicScore(pos, false, AnalysisVariant::Reply, 0, 150, 90, anySettings));
            ASSERT_EQ(replyScoreBaseline(pos), replyScore(pos));
        }
    }
}

}  // namespace
