#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "ai/NetBatch.h"
#include "ai/NetKernel.h"
#include "ai/NeuralNets.h"
#include "support/Positions.h"
#include "support/RandomPositions.h"

using namespace lumaro;
using lumaro::testing::positionOf;

namespace {

std::uint64_t bitsOf(double x) { return std::bit_cast<std::uint64_t>(x); }

// Any spread of checkers, with some on the bar and some off: every input takes unusual values.
Position scatteredPosition(std::mt19937_64& rng) {
    Position pos;
    for (Byte colour : {kBlack, kWhite}) {
        for (int n = 0; n < kCheckersPerSide; ++n) {
            const int place = static_cast<int>(rng() % 30);
            Byte& bar = colour == kWhite ? pos.barWhite : pos.barBlack;
            Byte& off = colour == kWhite ? pos.offWhite : pos.offBlack;
            if (place >= 28) {
                ++bar;
            } else if (place >= 24 || (pos.count[place + 1] > 0 && pos.colour[place + 1] != colour)) {
                ++off;
            } else {
                pos.count[place + 1] += 1;
                pos.colour[place + 1] = colour;
            }
        }
    }
    return pos;
}

// Game positions of both networks, scattered ones, and runs of near neighbours that differ only in
// black's home board (so a batch shares the inputs before it), or only in white's checkers.
std::vector<Position> mixedPositions() {
    std::vector<Position> out;
    for (const auto& p : lumaro::testing::randomBlackPositions(31, 120)) out.push_back(p.position);
    std::mt19937_64 rng(77);
    for (int k = 0; k < 40; ++k) out.push_back(scatteredPosition(rng));
    const Position start = startingPosition();
    for (int from : {6, 8}) {
        for (int to = 1; to < from; ++to) {
            Position pos = start;
            if (pos.count[to] > 0 && pos.colour[to] == kWhite) continue;
            pos.count[from] -= 1;
            pos.count[to] += 1;
            pos.colour[to] = kBlack;
            out.push_back(pos);
        }
    }
    for (int white = 2; white <= 11; ++white)
        out.push_back(positionOf({{1, -3}, {2, -3}, {3, -3}, {4, -2}, {5, -2}, {6, -2}, {22, white}, {23, 4}}));
    return out;
}

TEST(NeuralNetBatch, ScoresEqualOneByOneScoresForEveryCountAndBothNetworks) {
    const auto positions = mixedPositions();
    std::vector<const Position*> all;
    for (const Position& pos : positions) all.push_back(&pos);
    int net2Positions = 0;
    for (const Position& pos : positions) net2Positions += blackPhaseOf(pos) >= 3;
    ASSERT_GE(net2Positions, 10);
    ASSERT_GE(static_cast<int>(positions.size()) - net2Positions, 10);

    auto scratch = std::make_unique<NetScratch>();
    auto batchScratch = std::make_unique<NetBatchScratch>();
    for (std::uint64_t seed : {3u, 4u}) {
        const NeuralNets nets = NeuralNets::testWeights(seed);
        std::vector<int> expected;
        for (const Position& pos : positions) expected.push_back(nets.netScore(pos, *scratch));

        // Every count around one and two batches, from several starting points.
        for (int count = 0; count <= 2 * kNetBatch + 1; ++count) {
            for (std::size_t from = 0; from + count <= all.size(); from += 37) {
                std::vector<int> scores(static_cast<std::size_t>(count) + 1, -99999);
                nets.netScoreBatch(all.data() + from, count, scores.data(), *batchScratch);
                for (int k = 0; k < count; ++k)
                    ASSERT_EQ(scores[k], expected[from + k])
                        << "seed " << seed << " count " << count << " at " << from + k;
                EXPECT_EQ(scores[count], -99999) << "wrote past the count";
            }
        }
        // The whole set in one call: several rounds of ordering, both networks interleaved.
        std::vector<int> scores(all.size());
        nets.netScoreBatch(all.data(), static_cast<int>(all.size()), scores.data(), *batchScratch);
        EXPECT_EQ(scores, expected) << "seed " << seed;
    }
}

TEST(NeuralNetBatch, WithoutWeightsEveryScoreIsZero) {
    const auto positions = mixedPositions();
    std::vector<const Position*> all;
    for (const Position& pos : positions) all.push_back(&pos);
    auto batchScratch = std::make_unique<NetBatchScratch>();
    std::vector<int> scores(all.size(), 1);
    NeuralNets().netScoreBatch(all.data(), static_cast<int>(all.size()), scores.data(), *batchScratch);
    EXPECT_EQ(scores, std::vector<int>(all.size(), 0));
}

// The batch pass against the one-position pass, output for output, with each instruction set this
// processor has, for both networks whatever the phase.
TEST(NeuralNetBatch, EveryKernelGivesTheOneByOneOutputsBitForBit) {
    const auto positions = mixedPositions();
    const NeuralNets nets = NeuralNets::testWeights(12);
    const auto weights1 = makeNetWeights<kNet1Hidden>(nets.net1Values());
    const auto weights2 = makeNetWeights<kNet2Hidden>(nets.net2Values());
    auto scratch = std::make_unique<NetScratch>();
    std::vector<double> out1, out2;
    for (const Position& pos : positions) {
        encodeForNet(pos, scratch->input);
        out1.push_back(nets.runNet1(*scratch));
        out2.push_back(nets.runNet2(*scratch));
    }
    auto batch1 = std::make_unique<NetBatch<kNet1Hidden>>();
    auto batch2 = std::make_unique<NetBatch<kNet2Hidden>>();
    for (NetKernel kernel : {NetKernel::Sse2, NetKernel::Avx2, NetKernel::Avx512}) {
        if (!canRun(kernel)) continue;
        for (int size = 1; size <= kNetBatch; ++size) {
            for (std::size_t from = 0; from + size <= positions.size(); from += 5) {
                batch1->clear();
                batch2->clear();
                for (int b = 0; b < size; ++b) {
                    addToBatch(*batch1, positions[from + b], b);
                    addToBatch(*batch2, positions[from + b], b);
                }
                runBatch(weights1, *batch1, kernel);
                runBatch(weights2, *batch2, kernel);
                for (int b = 0; b < size; ++b) {
                    ASSERT_EQ(bitsOf(batch1->outputs[b]), bitsOf(out1[from + b]))
                        << "kernel " << int(kernel) << " size " << size << " at " << from + b;
                    ASSERT_EQ(bitsOf(batch2->outputs[b]), bitsOf(out2[from + b]))
                        << "kernel " << int(kernel) << " size " << size << " at " << from + b;
                }
            }
        }
    }
}

TEST(NeuralNetBatch, MeasuringEntriesRunTheNamedNetworkWhateverThePhase) {
    const auto positions = mixedPositions();
    std::vector<const Position*> all;
    for (const Position& pos : positions) all.push_back(&pos);
    const NeuralNets nets = NeuralNets::testWeights(6);
    auto scratch = std::make_unique<NetScratch>();
    auto batchScratch = std::make_unique<NetBatchScratch>();
    std::vector<double> out1(all.size()), out2(all.size());
    nets.runNet1Batch(all.data(), static_cast<int>(all.size()), out1.data(), *batchScratch);
    nets.runNet2Batch(all.data(), static_cast<int>(all.size()), out2.data(), *batchScratch);
    for (std::size_t k = 0; k < all.size(); ++k) {
        encodeForNet(positions[k], scratch->input);
        ASSERT_EQ(bitsOf(out1[k]), bitsOf(nets.runNet1(*scratch))) << k;
        ASSERT_EQ(bitsOf(out2[k]), bitsOf(nets.runNet2(*scratch))) << k;
    }
}

}  // namespace
