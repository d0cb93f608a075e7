// The weight loader on any bytes, taken as nn1.bin and as nn2.bin, followed by evaluations one by
// one and in batches: a network that is loaded gives a number in [-1, 1] for every position, the
// same bits either way, and the score the search compares stays within -10000..10000.
#include <bit>
#include <cmath>
#include <memory>
#include <span>
#include <vector>

#include "ai/NetFile.h"
#include "ai/NeuralNets.h"
#include "fuzz/FuzzCheck.h"
#include "support/Positions.h"
#include "support/RandomPositions.h"

using namespace lumaro;
using lumaro::fuzz::check;
using lumaro::testing::positionOf;

namespace {

// Positions along random games, and the extremes of the bar and tray inputs, which can reach
// sqrt(15): all of a side on the bar, a side nearly or wholly off.
std::vector<Position> positionsToScore() {
    std::vector<Position> out;
    for (const auto& p : testing::randomBlackPositions(16, 6)) out.push_back(p.position);
    Position fourWhiteOff = startingPosition();
    fourWhiteOff.count[19] = 1;
    fourWhiteOff.offWhite = 4;
    out.push_back(fourWhiteOff);
    out.push_back(positionOf({{1, 15}}, 0, 15));               // every black checker on the bar
    out.push_back(positionOf({{24, -15}}, 15, 0));             // every white checker on the bar
    out.push_back(positionOf({{2, -1}, {24, 1}}));             // both sides nearly off
    out.push_back(positionOf({{3, -5}, {4, -5}, {5, -5}}));    // white all off, black all home
    out.push_back(positionOf({{20, 3}, {21, 3}}, 9, 15));      // both bars crowded
    return out;
}

bool isScore(int score) { return score >= -10000 && score <= 10000; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    static const std::vector<Position> positions = positionsToScore();
    static const auto scratch = std::make_unique<NetScratch>();
    static const auto batchScratch = std::make_unique<NetBatchScratch>();

    NeuralNets nets;
    const bool net1 = nets.setNet1(netValuesFromBytes(bytes, NetWeights<kNet1Hidden>::kValues));
    const bool net2 = nets.setNet2(netValuesFromBytes(bytes, NetWeights<kNet2Hidden>::kValues));

    const int n = static_cast<int>(positions.size());
    std::vector<const Position*> pointers;
    for (const Position& p : positions) pointers.push_back(&p);
    std::vector<double> outputs1(positions.size()), outputs2(positions.size());
    std::vector<int> scores(positions.size());
    nets.runNet1Batch(pointers.data(), n, outputs1.data(), *batchScratch);
    nets.runNet2Batch(pointers.data(), n, outputs2.data(), *batchScratch);
    nets.netScoreBatch(pointers.data(), n, scores.data(), *batchScratch);

    for (int k = 0; k < n; ++k) {
        encodeForNet(positions[k], scratch->input);
        const double out1 = nets.runNet1(*scratch);
        const double out2 = nets.runNet2(*scratch);
        check(out1 >= -1.0 && out1 <= 1.0 && out2 >= -1.0 && out2 <= 1.0, "outputs are numbers in [-1, 1]");
        check(net1 || out1 == 0.0, "a refused network scores 0");
        check(net2 || out2 == 0.0, "a refused network scores 0");
        check(std::bit_cast<std::uint64_t>(out1) == std::bit_cast<std::uint64_t>(outputs1[k]) &&
                  std::bit_cast<std::uint64_t>(out2) == std::bit_cast<std::uint64_t>(outputs2[k]),
              "a batch gives the same bits as one by one");
        const int score = nets.netScore(positions[k], *scratch);
        check(isScore(score), "scores within -10000..10000");
        check(score == scores[k], "a batch scores as one by one");
        check(score == scoreFromOutput(blackPhaseOf(positions[k]) < 3 ? out1 : out2), "the phase picks the network");
    }
    return 0;
}
