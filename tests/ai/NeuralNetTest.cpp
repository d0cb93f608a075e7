#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "ai/CubelessEstimate.h"
#include "ai/MasterNets.h"
#include "ai/NetFile.h"
#include "ai/PositionEquity.h"
#include "ai/NetKernel.h"
#include "ai/NeuralNets.h"
#include "files/FileBytes.h"
#include "support/Positions.h"

using namespace lumaro;
using lumaro::testing::positionOf;

namespace {

namespace fs = std::filesystem;

// The formula, evaluated at run time like the game does it.
double f(double x) {
    volatile double v = x;
    return 2.0 / (1.0 + std::exp(-v)) - 1.0;
}

std::uint64_t bitsOf(double x) { return std::bit_cast<std::uint64_t>(x); }

// Index in file order of the weight from input i to hidden unit j (both from 1).
std::size_t w1(int H, int i, int j) { return static_cast<std::size_t>((i - 1) * H + j - 1); }
std::size_t w2(int H, int j) { return static_cast<std::size_t>(kNetInputs * H + j - 1); }

// The forward pass in its plainest form, from values in file order.
struct Reference {
    std::vector<double> sums;
    double output = 0.0;
};
Reference referenceRun(const std::vector<double>& values, int H, const NetInput& in) {
    Reference r;
    double o = 0.0;
    for (int j = 1; j <= H; ++j) {
        double s = 0.0;
        for (int i = 1; i <= kNetInputs; ++i) s = s + in.netInput[i] * values[w1(H, i, j)];
        r.sums.push_back(s);
    }
    for (int j = 1; j <= H; ++j) o = o + f(r.sums[j - 1]) * values[w2(H, j)];
    r.output = f(o);
    return r;
}

class TempFolder {
public:
    TempFolder()
        : path_(fs::temp_directory_path() /
                ("lumaro-nets-" + std::to_string(std::random_device{}()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempFolder() { fs::remove_all(path_); }
    std::string str() const { return path_.string(); }
    std::string file(const char* name) const { return (path_ / name).string(); }

private:
    fs::path path_;
};

void writeBytes(const std::string& path, const std::vector<double>& values, int extraBytes = 0) {
    ASSERT_TRUE(saveNet(path, values));
    std::ofstream out(path, std::ios::binary | std::ios::app);
    for (int k = 0; k < extraBytes; ++k) out.put(static_cast<char>(0x7F));
}

// Positions that exercise every input: random stacks of both colours, some on the bar, some off.
Position randomPosition(std::mt19937_64& rng) {
    Position pos;
    for (Byte colour : {kBlack, kWhite}) {
        for (int n = 0; n < kCheckersPerSide; ++n) {
            const int place = static_cast<int>(rng() % 30);
            if (place >= 28) {
                (colour == kWhite ? pos.barWhite : pos.barBlack) += 1;
            } else if (place >= 24) {
                (colour == kWhite ? pos.offWhite : pos.offBlack) += 1;
            } else if (pos.count[place + 1] == 0 || pos.colour[place + 1] == colour) {
                pos.count[place + 1] += 1;
                pos.colour[place + 1] = colour;
            } else {
                (colour == kWhite ? pos.offWhite : pos.offBlack) += 1;
            }
        }
    }
    return pos;
}

// One checker of either colour moves to another point, the bar or the tray: the kind of change
// a search makes between two scored positions.
void moveOneChecker(Position& pos, std::mt19937_64& rng) {
    const Byte colour = rng() % 2 ? kWhite : kBlack;
    for (int tries = 0; tries < 100; ++tries) {
        const int from = static_cast<int>(rng() % 24) + 1;
        if (pos.count[from] == 0 || pos.colour[from] != colour) continue;
        const int to = static_cast<int>(rng() % 26);  // 0: off, 25: bar
        if (to >= 1 && to <= 24 && pos.count[to] > 0 && pos.colour[to] != colour) continue;
        pos.count[from] -= 1;
        if (to == 0)
            (colour == kWhite ? pos.offWhite : pos.offBlack) += 1;
        else if (to == 25)
            (colour == kWhite ? pos.barWhite : pos.barBlack) += 1;
        else {
            pos.count[to] += 1;
            pos.colour[to] = colour;
        }
        return;
    }
}

// Weights that make one hidden unit give exactly 1 (its sum is 1000, far past where e^-x still
// counts next to 1), so the output sum is exactly the hidden-to-output weight o.
std::vector<double> netWithOutputSum(int H, double o) {
    std::vector<double> values(static_cast<std::size_t>((kNetInputs + 1) * H), 0.0);
    values[w1(H, 193, 1)] = -1000.0;  // input 193 is -1 with no black checker on the bar
    values[w2(H, 1)] = o;
    return values;
}

// An output sum whose activation is exactly `target`, found next to 2 atanh(target).
double outputSumGiving(double target) {
    double lo = 2.0 * std::atanh(target);
    double hi = lo;
    for (int k = 0; k < 10000; ++k, lo = std::nextafter(lo, -1.0), hi = std::nextafter(hi, 1.0)) {
        if (f(lo) == target) return lo;
        if (f(hi) == target) return hi;
    }
    return std::numeric_limits<double>::quiet_NaN();
}

const Position kBlackOutside = startingPosition();

TEST(NeuralNets, HandMadeWeightFilesGiveTheFormulaAndPhaseChoosesTheNetwork) {
    TempFolder dir;
    std::vector<double> net1(NetWeights<kNet1Hidden>::kValues, 0.0);
    net1[w1(128, 2, 1)] = 0.5;      // two black checkers on point 24
    net1[w1(128, 193, 1)] = 0.25;   // black's bar
    net1[w1(128, 196, 128)] = -1.5; // white's tray, to the last hidden unit
    net1[w2(128, 1)] = 0.8;
    net1[w2(128, 128)] = -0.6;
    std::vector<double> net2(NetWeights<kNet2Hidden>::kValues, 0.0);
    net2[w1(48, 75, 2)] = 1.25;     // three black checkers on point 6
    net2[w1(48, 195, 2)] = 0.5;     // black's tray
    net2[w2(48, 2)] = -2.0;
    writeBytes(dir.file("nn1.bin"), net1);
    writeBytes(dir.file("nn2.bin"), net2);

    NeuralNets nets;
    const auto loaded = nets.loadNets(dir.str());
    EXPECT_TRUE(loaded.net1);
    EXPECT_TRUE(loaded.net2);
    auto scratch = std::make_unique<NetScratch>();

    // Starting position: input 2 = +1, 193 = -1, 196 = -1; network 1.
    const double out1 = f(f(0.25) * 0.8 + f(1.5) * -0.6);
    encodeForNet(kBlackOutside, scratch->input);
    EXPECT_EQ(nets.runNet1(*scratch), out1);
    EXPECT_EQ(nets.netScore(kBlackOutside, *scratch), static_cast<int>(std::nearbyint(out1 * 10000.0)));

    // Black all home: network 2, although two white checkers still stand behind black's.
    const Position home = positionOf({{1, 2}, {2, -3}, {3, -3}, {4, -3}, {5, -3}, {6, -3}, {20, 13}});
    ASSERT_EQ(blackPhaseOf(home), 3);
    // Input 75 (three black on point 6) is +1 and input 195 (black's tray, empty) is -1.
    const double out2 = f(f(0.75) * -2.0);
    encodeForNet(home, scratch->input);
    EXPECT_EQ(nets.runNet2(*scratch), out2);
    EXPECT_EQ(nets.netScore(home, *scratch), static_cast<int>(std::nearbyint(out2 * 10000.0)));
    EXPECT_NE(nets.runNet1(*scratch), out2);
}

TEST(NeuralNets, MissingFilesScoreZeroEverywhere) {
    TempFolder dir;
    NeuralNets nets = NeuralNets::testWeights(7);
    const auto loaded = nets.loadNets(dir.str());
    EXPECT_FALSE(loaded.net1);
    EXPECT_FALSE(loaded.net2);
    auto scratch = std::make_unique<NetScratch>();
    std::mt19937_64 rng(3);
    for (int k = 0; k < 20; ++k) EXPECT_EQ(nets.netScore(randomPosition(rng), *scratch), 0);
    EXPECT_EQ(nets.netScore(kBlackOutside, *scratch), 0);
}

TEST(NeuralNets, ShortFileLeavesTheRestZeroAndDropsAPartialValue) {
    TempFolder dir;
    std::vector<double> net1(NetWeights<kNet1Hidden>::kValues, 0.0);
    net1[w1(128, 2, 1)] = 0.5;
    net1[w1(128, 2, 2)] = 0.75;
    net1[w2(128, 1)] = 0.8;
    net1[w2(128, 2)] = 0.4;  // not in the file
    std::vector<double> head(net1.begin(), net1.begin() + static_cast<long>(w2(128, 2)));
    writeBytes(dir.file("nn1.bin"), head, 5);  // and five bytes of a value that never finishes

    NeuralNets nets;
    EXPECT_TRUE(nets.loadNets(dir.str()).net1);
    const auto values = nets.net1Values();
    EXPECT_EQ(values[w2(128, 1)], 0.8);
    EXPECT_EQ(values[w2(128, 2)], 0.0);
    auto scratch = std::make_unique<NetScratch>();
    encodeForNet(kBlackOutside, scratch->input);
    EXPECT_EQ(nets.runNet1(*scratch), f(f(0.5) * 0.8));
}

TEST(NeuralNets, UsableOnlyWithEveryWeightOfBothFilesAndTheReasonNamesTheFile) {
    TempFolder dir;
    NeuralNets nets;
    EXPECT_FALSE(nets.usable());
    EXPECT_TRUE(NeuralNets::testWeights(3).usable());

    // Neither file: both named, with the system's reason.
    nets.loadNets(dir.str());
    EXPECT_FALSE(nets.usable());
    const std::string missing = nets.unusableReason();
    EXPECT_NE(missing.find(dir.file("nn1.bin") + ": No such file or directory"), std::string::npos) << missing;
    EXPECT_NE(missing.find(dir.file("nn2.bin") + ": No such file or directory"), std::string::npos) << missing;

    // One weight short of network 1, and a folder where network 2's file should be.
    const NeuralNets source = NeuralNets::testWeights(4);
    auto net1 = source.net1Values();
    net1.pop_back();
    writeBytes(dir.file("nn1.bin"), net1, 7);
    fs::create_directory(dir.file("nn2.bin"));
    EXPECT_TRUE(nets.loadNets(dir.str()).net1);
    EXPECT_FALSE(nets.usable());
    EXPECT_EQ(nets.unusableReason(), dir.file("nn1.bin") + ": holds 25215 of its 25216 weights\n" + dir.file("nn2.bin") +
                                         ": is a folder, not a weight file");

    // Whole files: usable, nothing to say.
    writeBytes(dir.file("nn1.bin"), source.net1Values());
    fs::remove(dir.file("nn2.bin"));
    writeBytes(dir.file("nn2.bin"), source.net2Values());
    nets.loadNets(dir.str());
    EXPECT_TRUE(nets.usable());
    EXPECT_EQ(nets.unusableReason(), "");
}

TEST(NeuralNets, NaNOrInfinityAmongUsedValuesRefusesTheWholeFile) {
    TempFolder dir;
    NeuralNets source = NeuralNets::testWeights(11);
    for (double bad : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                       -std::numeric_limits<double>::infinity()}) {
        auto net1 = source.net1Values();
        net1[w2(128, 128)] = bad;  // the very last value used
        writeBytes(dir.file("nn1.bin"), net1);
        auto net2 = source.net2Values();
        net2.push_back(bad);  // beyond the values used: ignored
        writeBytes(dir.file("nn2.bin"), net2);

        NeuralNets nets;
        const auto loaded = nets.loadNets(dir.str());
        EXPECT_FALSE(loaded.net1);
        EXPECT_TRUE(loaded.net2);
        auto scratch = std::make_unique<NetScratch>();
        EXPECT_EQ(nets.netScore(kBlackOutside, *scratch), 0);
        encodeForNet(kBlackOutside, scratch->input);
        EXPECT_EQ(nets.runNet1(*scratch), 0.0);
        EXPECT_EQ(nets.runNet2(*scratch), source.runNet2(*scratch));

        std::vector<double> fromMemory(NetWeights<kNet2Hidden>::kValues, 0.01);
        fromMemory[17] = bad;  // the same rule for weights from memory
        EXPECT_FALSE(nets.setNet2(fromMemory));
        EXPECT_EQ(nets.runNet2(*scratch), 0.0);
    }
}

TEST(NeuralNets, FiniteWeightsLargeEnoughToOverflowASumAreRefused) {
    // Black's bar, White's bar and White's tray into hidden unit 1: with four White checkers off,
    // -1e308 - 1e308 + 2e308 is -inf + inf, a NaN that would reach every score.
    TempFolder dir;
    std::vector<double> net1(NetWeights<kNet1Hidden>::kValues, 0.0);
    for (int input : {193, 194, 196}) net1[w1(128, input, 1)] = 1e308;
    writeBytes(dir.file("nn1.bin"), net1);
    NeuralNets nets;
    EXPECT_FALSE(nets.loadNets(dir.str()).net1);
    Position fourOff = startingPosition();
    fourOff.count[19] = 1;
    fourOff.offWhite = 4;
    auto scratch = std::make_unique<NetScratch>();
    EXPECT_EQ(nets.netScore(fourOff, *scratch), 0);

    // Up to the bound every weight is taken, and even the largest inputs keep every output a number.
    std::vector<double> largest(NetWeights<kNet1Hidden>::kValues);
    for (std::size_t k = 0; k < largest.size(); ++k) largest[k] = k % 3 == 0 ? -kLargestNetWeight : kLargestNetWeight;
    ASSERT_TRUE(nets.setNet1(largest));
    Position extreme;
    extreme.barBlack = 15;
    extreme.offWhite = 15;
    Position allOnBars;
    allOnBars.barBlack = allOnBars.barWhite = 255;  // no game holds this, but no byte may break a sum
    const Position* positions[] = {&fourOff, &extreme, &allOnBars};
    auto batch = std::make_unique<NetBatchScratch>();
    double outputs[3];
    nets.runNet1Batch(positions, 3, outputs, *batch);
    for (int k = 0; k < 3; ++k) {
        encodeForNet(*positions[k], scratch->input);
        const double output = nets.runNet1(*scratch);
        EXPECT_TRUE(output >= -1.0 && output <= 1.0) << k << ": " << output;
        EXPECT_EQ(bitsOf(outputs[k]), bitsOf(output)) << k;
    }

    largest[w2(128, 77)] = std::nextafter(kLargestNetWeight, 2 * kLargestNetWeight);
    EXPECT_FALSE(nets.setNet1(largest));
    largest[w2(128, 77)] = -std::nextafter(kLargestNetWeight, 2 * kLargestNetWeight);
    EXPECT_FALSE(nets.setNet1(largest));
}

TEST(NeuralNets, ScoreConversionIsDefinedForEveryDouble) {
    // Only outputs in [-1, 1] come from loaded weights; nothing else may reach an undefined cast.
    EXPECT_EQ(scoreFromOutput(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(scoreFromOutput(std::numeric_limits<double>::infinity()), 10000);
    EXPECT_EQ(scoreFromOutput(-std::numeric_limits<double>::infinity()), -10000);
    EXPECT_EQ(scoreFromOutput(1e300), 10000);
    EXPECT_EQ(scoreFromOutput(-1.0), -10000);
    EXPECT_EQ(scoreFromOutput(0.99994), 9999);
}

TEST(NeuralNets, ScoresRoundHalvesToEven) {
    // Binary fractions whose scaled value is exactly a half.
    EXPECT_EQ(scoreFromOutput(0.03125), 312);
    EXPECT_EQ(scoreFromOutput(0.09375), 938);
    EXPECT_EQ(scoreFromOutput(-0.03125), -312);
    EXPECT_EQ(scoreFromOutput(0.15625), 1562);
    EXPECT_EQ(scoreFromOutput(-0.28125), -2812);
    EXPECT_EQ(scoreFromOutput(0.123456), 1235);
    EXPECT_EQ(scoreFromOutput(-0.123456), -1235);

    // The same through a whole evaluation, with weights whose output is exactly the half.
    auto scratch = std::make_unique<NetScratch>();
    for (auto [target, expected] : {std::pair{0.03125, 312}, std::pair{0.09375, 938}, std::pair{-0.09375, -938}}) {
        const double o = outputSumGiving(target);
        ASSERT_FALSE(std::isnan(o)) << target;
        NeuralNets nets;
        ASSERT_TRUE(nets.setNet1(netWithOutputSum(kNet1Hidden, o)));
        EXPECT_EQ(nets.netScore(kBlackOutside, *scratch), expected) << target;
    }
}

TEST(NeuralNets, EveryKernelMatchesPlainLoopsBitForBit) {
    std::mt19937_64 rng(42);
    const NeuralNets nets = NeuralNets::testWeights(5);
    const auto values1 = nets.net1Values();
    const auto values2 = nets.net2Values();
    const auto weights1 = makeNetWeights<kNet1Hidden>(values1);
    const auto weights2 = makeNetWeights<kNet2Hidden>(values2);
    auto scratch = std::make_unique<NetScratch>();
    for (int k = 0; k < 40; ++k) {
        encodeForNet(randomPosition(rng), scratch->input);
        const double* x = scratch->input.netInput.data();
        const Reference ref1 = referenceRun(values1, kNet1Hidden, scratch->input);
        const Reference ref2 = referenceRun(values2, kNet2Hidden, scratch->input);
        for (NetKernel kernel : {NetKernel::Sse2, NetKernel::Avx2, NetKernel::Avx512}) {
            if (!canRun(kernel)) continue;
            // From the start, and from a checkpoint taken by the plain loops.
            for (int first : {0, 5}) {
                alignas(64) std::array<double, kNet1Hidden> start1{}, sums1{};
                alignas(64) std::array<double, kNet2Hidden> start2{}, sums2{};
                for (int j = 0; j < kNet1Hidden; ++j)
                    for (int i = 1; i <= first * kNetCheckpointEvery; ++i)
                        start1[j] = start1[j] + x[i] * values1[w1(kNet1Hidden, i, j + 1)];
                for (int j = 0; j < kNet2Hidden; ++j)
                    for (int i = 1; i <= first * kNetCheckpointEvery; ++i)
                        start2[j] = start2[j] + x[i] * values2[w1(kNet2Hidden, i, j + 1)];
                accumulateHidden(*weights1, x, first, start1.data(), scratch->net1.checkpoints.data(),
                                 sums1.data(), kernel);
                accumulateHidden(*weights2, x, first, start2.data(), scratch->net2.checkpoints.data(),
                                 sums2.data(), kernel);
                for (int j = 0; j < kNet1Hidden; ++j)
                    ASSERT_EQ(bitsOf(sums1[j]), bitsOf(ref1.sums[j])) << "kernel " << int(kernel) << " unit " << j;
                for (int j = 0; j < kNet2Hidden; ++j)
                    ASSERT_EQ(bitsOf(sums2[j]), bitsOf(ref2.sums[j])) << "kernel " << int(kernel) << " unit " << j;
            }
        }
    }
}

TEST(NeuralNets, ResumedEvaluationsMatchPlainLoopsAlongASearchLikeWalk) {
    std::mt19937_64 rng(2024);
    const NeuralNets a = NeuralNets::testWeights(1);
    const NeuralNets b = NeuralNets::testWeights(2);
    const auto a1 = a.net1Values(), a2 = a.net2Values(), b1 = b.net1Values(), b2 = b.net2Values();
    auto scratch = std::make_unique<NetScratch>();
    Position pos = randomPosition(rng);
    for (int step = 0; step < 600; ++step) {
        const int r = static_cast<int>(rng() % 20);
        if (r == 0)
            pos = randomPosition(rng);  // a fresh position
        else if (r > 1)
            moveOneChecker(pos, rng);   // r == 1: the same position again
        // Mostly one set of weights, sometimes the other with the same scratch.
        const bool useB = step % 50 >= 45;
        const NeuralNets& nets = useB ? b : a;
        encodeForNet(pos, scratch->input);
        const double out1 = nets.runNet1(*scratch);
        const double out2 = nets.runNet2(*scratch);
        const Reference ref1 = referenceRun(useB ? b1 : a1, kNet1Hidden, scratch->input);
        const Reference ref2 = referenceRun(useB ? b2 : a2, kNet2Hidden, scratch->input);
        ASSERT_EQ(bitsOf(out1), bitsOf(ref1.output)) << "step " << step;
        ASSERT_EQ(bitsOf(out2), bitsOf(ref2.output)) << "step " << step;
        const double chosen = blackPhaseOf(pos) < 3 ? ref1.output : ref2.output;
        ASSERT_EQ(nets.netScore(pos, *scratch), static_cast<int>(std::nearbyint(chosen * 10000.0)));
    }
}

TEST(NeuralNets, SavedWeightsLoadBackBitForBit) {
    TempFolder dir;
    const NeuralNets original = NeuralNets::testWeights(99);
    ASSERT_TRUE(saveNet(dir.file("nn1.bin"), original.net1Values()));
    ASSERT_TRUE(saveNet(dir.file("nn2.bin"), original.net2Values()));
    EXPECT_EQ(fs::file_size(dir.file("nn1.bin")), 201728u);
    EXPECT_EQ(fs::file_size(dir.file("nn2.bin")), 75648u);

    NeuralNets loaded;
    loaded.loadNets(dir.str());
    const auto bits = [](const std::vector<double>& v) {
        std::vector<std::uint64_t> out;
        for (double x : v) out.push_back(bitsOf(x));
        return out;
    };
    EXPECT_EQ(bits(loaded.net1Values()), bits(original.net1Values()));
    EXPECT_EQ(bits(loaded.net2Values()), bits(original.net2Values()));
    // The file is little-endian whatever the machine: the first value's low byte comes first.
    std::ifstream in(dir.file("nn1.bin"), std::ios::binary);
    const auto first = bitsOf(original.net1Values()[0]);
    EXPECT_EQ(static_cast<unsigned char>(in.get()), static_cast<unsigned char>(first & 0xFF));
    EXPECT_FALSE(saveNet((fs::path(dir.str()) / "missing-folder" / "nn1.bin").string(), original.net1Values()));
}

TEST(NeuralNets, TestWeightsAreSmallAndDependOnlyOnTheSeed) {
    const auto first = NeuralNets::testWeights(8).net1Values();
    EXPECT_EQ(first, NeuralNets::testWeights(8).net1Values());
    EXPECT_NE(first, NeuralNets::testWeights(9).net1Values());
    double largest = 0.0;
    for (double v : first) largest = std::max(largest, std::abs(v));
    EXPECT_LE(largest, 0.1);
    EXPECT_GT(largest, 0.09);
}

// Values of a Master network in file order: the test weights' hidden block, then each output's
// weights `scale` times small test values and its bias from `biases`.
template <int H>
std::vector<double> masterValues(const std::vector<double>& hiddenBlock, double scale, const double (&biases)[5]) {
    std::vector<double> values(hiddenBlock.begin(), hiddenBlock.begin() + kNetInputs * H);
    for (int k = 0; k < kMasterOutputs; ++k) {
        for (int j = 0; j < H; ++j) values.push_back(scale * hiddenBlock[static_cast<std::size_t>(k * H + j)]);
        values.push_back(biases[k]);
    }
    return values;
}

void writeMaster(const std::string& path, int hidden, const std::vector<double>& values) {
    ASSERT_TRUE(writeFileAtomically(path, masterNetFileBytes(hidden, values)));
}

constexpr double kPlainBiases[5] = {0.2, -1.5, -4.0, -2.0, -4.5};

TEST(MasterNets, WholeFilesLoadAndEveryDamagedOneIsRefusedWithItsReasonAndTheExpertsEquity) {
    TempFolder dir;
    const NeuralNets expert = NeuralNets::testWeights(21);
    const auto net1 = masterValues<kNet1Hidden>(expert.net1Values(), 1.0, kPlainBiases);
    const auto net2 = masterValues<kNet2Hidden>(expert.net2Values(), 1.0, kPlainBiases);
    writeMaster(dir.file("master-nn2.bin"), kNet2Hidden, net2);
    const auto whole = masterNetFileBytes(kNet1Hidden, net1);
    ASSERT_EQ(whole.size(), 16u + 8u * 25733u);

    std::vector<Position> positions;
    std::mt19937_64 rng(5);
    while (positions.size() < 40) positions.push_back(randomPosition(rng));
    const auto equities = [&](const NeuralNets& nets, ContactNets which) {
        PositionEquity equity(HomeRaces::Exact, which);
        std::vector<double> out(positions.size());
        equity.evaluate(&nets, positions.data(), static_cast<int>(positions.size()), out.data());
        return out;
    };

    auto damaged = [&](auto change) {
        auto bytes = whole;
        change(bytes);
        return bytes;
    };
    std::vector<std::uint8_t> nanLast = whole;
    const auto nanBits = std::bit_cast<std::uint64_t>(std::numeric_limits<double>::quiet_NaN());
    for (int b = 0; b < 8; ++b) nanLast[nanLast.size() - 8 + b] = static_cast<std::uint8_t>(nanBits >> (8 * b));
    const std::vector<std::pair<std::vector<std::uint8_t>, std::string>> cases = {
        {damaged([](auto& b) { b.pop_back(); }), "holds 25732 of its 25733 weights"},
        {damaged([](auto& b) { b.push_back(0); }), "holds more than its 25733 weights"},
        {damaged([](auto& b) { b[0] = 'X'; }), "is not a weight file of the Master's networks"},
        {damaged([](auto& b) { b.resize(15); }), "is not a weight file of the Master's networks"},
        {damaged([](auto& b) { b[8] = 48; }), "has 48 hidden units where 128 are needed"},
        {damaged([](auto& b) { b[12] = 3; }), "has 3 outputs where 5 are needed"},
        {nanLast, "holds a weight that is not a number or is far too large"},
    };
    for (const auto& [bytes, reason] : cases) {
        ASSERT_TRUE(writeFileAtomically(dir.file("master-nn1.bin"), bytes));
        MasterNets master;
        EXPECT_FALSE(master.load(dir.str())) << reason;
        EXPECT_EQ(master.problem(), dir.file("master-nn1.bin") + ": " + reason);
        // The Master then evaluates with the expert's networks, exactly.
        NeuralNets nets = NeuralNets::testWeights(21);
        nets.loadNets(dir.str());
        EXPECT_EQ(nets.master(), nullptr);
        EXPECT_EQ(equities(nets, ContactNets::Master), equities(nets, ContactNets::Expert)) << reason;
    }

    ASSERT_TRUE(writeFileAtomically(dir.file("master-nn1.bin"), whole));
    MasterNets master;
    EXPECT_TRUE(master.load(dir.str())) << master.problem();
    EXPECT_EQ(master.problem(), "");
}

TEST(MasterNets, EquityCountsEachOutcomeOnceAndTheSearchAndCubeTakeTheNetworksChances) {
    EXPECT_DOUBLE_EQ(equityOfChances({0.6, 0.2, 0.05, 0.1, 0.02}), 2 * 0.6 - 1 + 0.2 - 0.1 + 0.05 - 0.02);
    EXPECT_DOUBLE_EQ(equityOfChances({1.0, 1.0, 1.0, 0.0, 0.0}), 3.0);
    EXPECT_DOUBLE_EQ(equityOfChances({0.0, 0.0, 0.0, 1.0, 1.0}), -3.0);

    // Output weights of zero: every position in contact gets the biases' chances.
    const NeuralNets expert = NeuralNets::testWeights(22);
    auto master = std::make_shared<MasterNets>();
    ASSERT_TRUE(master->setNet1(masterValues<kNet1Hidden>(expert.net1Values(), 0.0, kPlainBiases)));
    ASSERT_TRUE(master->setNet2(masterValues<kNet2Hidden>(expert.net2Values(), 0.0, kPlainBiases)));
    NeuralNets nets = NeuralNets::testWeights(22);
    nets.setMaster(master);
    ASSERT_NE(nets.master(), nullptr);
    const auto sigmoid = [](double x) { return 1.0 / (1.0 + std::exp(-x)); };
    const CubelessChances expected{sigmoid(0.2), sigmoid(-1.5), sigmoid(-4.0), sigmoid(-2.0), sigmoid(-4.5)};

    const Position after = mirrored(startingPosition());  // in contact, Black's checkers outside
    double equity = 0;
    PositionEquity(HomeRaces::Exact, ContactNets::Master).evaluate(&nets, &after, 1, &equity);
    EXPECT_NEAR(equity, equityOfChances(expected), 1e-12);

    const CubelessChances c = CubelessEstimate().blackToRoll(&nets, startingPosition());
    EXPECT_NEAR(c.win, expected.win, 1e-12);
    EXPECT_NEAR(c.winGammon, expected.winGammon, 1e-12);
    EXPECT_NEAR(c.winBackgammon, expected.winBackgammon, 1e-12);
    EXPECT_NEAR(c.loseGammon, expected.loseGammon, 1e-12);
    EXPECT_NEAR(c.loseBackgammon, expected.loseBackgammon, 1e-12);
}

TEST(MasterNets, ChancesAreOrderedWhateverTheRawOutputsSay) {
    // Raw outputs out of order: gammons above wins, backgammons above gammons, losses too large.
    const NeuralNets expert = NeuralNets::testWeights(23);
    std::vector<std::shared_ptr<MasterNets>> candidates;
    auto handMade = std::make_shared<MasterNets>();
    const double disorderly[5] = {-1.0, 0.5, 3.0, 2.0, 4.0};
    ASSERT_TRUE(handMade->setNet1(masterValues<kNet1Hidden>(expert.net1Values(), 3.0, disorderly)));
    ASSERT_TRUE(handMade->setNet2(masterValues<kNet2Hidden>(expert.net2Values(), 3.0, disorderly)));
    candidates.push_back(handMade);
    auto shipped = std::make_shared<MasterNets>();
    if (shipped->load(LUMARO_NETS_FOLDER)) candidates.push_back(shipped);
    std::mt19937_64 rng(9);
    std::vector<Position> positions;
    while (positions.size() < 300) positions.push_back(randomPosition(rng));
    std::vector<const Position*> pointers;
    for (const Position& p : positions) pointers.push_back(&p);
    auto scratch = std::make_unique<NetBatchScratch>();
    for (const auto& master : candidates) {
        std::vector<CubelessChances> out(positions.size());
        master->chancesBatch(pointers.data(), static_cast<int>(pointers.size()), out.data(), *scratch);
        for (const CubelessChances& c : out) {
            EXPECT_GE(c.win, 0.0);
            EXPECT_LE(c.win, 1.0);
            EXPECT_LE(c.winGammon, c.win);
            EXPECT_LE(c.winBackgammon, c.winGammon);
            EXPECT_LE(c.loseGammon, 1.0 - c.win);
            EXPECT_LE(c.loseBackgammon, c.loseGammon);
            EXPECT_GE(c.winBackgammon, 0.0);
            EXPECT_GE(c.loseBackgammon, 0.0);
        }
    }
}

}  // namespace
