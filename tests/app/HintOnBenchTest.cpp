// The hint at depth 0 puts first, on every bench position, the play level 3 makes there.
#include <gtest/gtest.h>

#include <memory>

#include "ai/MoveSearch.h"
#include "ai/PlayRanking.h"
#include "app/cli/BenchPositions.h"
#include "app/cli/PositionText.h"
#include "game/SearchSetup.h"

using namespace lumaro;

namespace {

TEST(HintOnBench, DepthZeroFirstIsLevelThreesPlayOnEveryBenchPosition) {
    NeuralNets nets;
    nets.loadNets(LUMARO_NETS_FOLDER);
    ASSERT_TRUE(nets.usable());
    AnalysisSettings settings;
    settings.computerLevel = Level::Expert;
    auto search = std::make_unique<MoveSearch>();
    auto ranking = std::make_unique<PlayRanking>();
    int compared = 0;
    for (const char* text : benchPositions()) {
        const auto p = parsePositionText(text);
        ASSERT_TRUE(p) << text;
        const SearchRequest r = searchRequestFor(p->position, p->dieA, p->dieB, true, settings, &nets);
        const SearchResult level3 = search->search(r);
        const std::vector<RankedPlay> ranked = ranking->rank(r, 0);
        if (diceTotal(level3.bestPath) == 0) {
            EXPECT_TRUE(ranked.empty()) << text;
            continue;
        }
        ASSERT_FALSE(ranked.empty()) << text;
        EXPECT_EQ(ranked.front().play, level3.playToMake()) << text;
        ++compared;
    }
    EXPECT_GT(compared, 200);
}

}  // namespace
