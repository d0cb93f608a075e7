#include "ai/NeuralNets.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "ai/MasterNets.h"
#include "ai/NetFile.h"

namespace lumaro {

namespace {

// Runs what is queued for one network and hands each output to `deliver(index, output)`.
template <int H, class Deliver>
void finishBatch(const std::shared_ptr<const NetWeights<H>>& weights, NetBatch<H>& batch, Deliver deliver) {
    if (batch.size == 0) return;
    runBatch(weights, batch, fastestNetKernel());
    for (int b = 0; b < batch.size; ++b) deliver(batch.slot[b], batch.outputs[b]);
    batch.clear();
}

// Queues a position for one network; a full batch runs at once.
template <int H, class Deliver>
void queueFor(const std::shared_ptr<const NetWeights<H>>& weights, NetBatch<H>& batch, const Position& pos,
              int index, Deliver deliver) {
    addToBatch(batch, pos, index);
    if (batch.size == kNetBatch) finishBatch(weights, batch, deliver);
}

constexpr std::uint64_t kSecondNetwork = std::uint64_t{1} << 63;

// Reads one weight file into `weights`; returns what the network lacks afterwards ("" when nothing).
template <int H>
std::string loadNet(const std::string& path, std::shared_ptr<const NetWeights<H>>& weights) {
    weights = nullptr;
    const auto values = readNetFile(path, NetWeights<H>::kValues);
    if (!values) return path + ": " + netFileProblem(path);
    weights = makeNetWeights<H>(*values);
    if (!weights) return path + ": holds a weight that is not a number or is far too large";
    return weightCountProblem(path, values->size(), NetWeights<H>::kValues);
}

// Weights set from memory follow the same rules as a file's.
template <int H>
std::string setNet(const char* name, std::span<const double> values, std::shared_ptr<const NetWeights<H>>& weights) {
    weights = makeNetWeights<H>(values);
    if (!weights) return std::string(name) + ": holds a weight that is not a number or is far too large";
    return weightCountProblem(name, values.size(), NetWeights<H>::kValues);
}

}  // namespace

int scoreFromOutput(double output) {
    // Kept in range before the conversion to int, which has no defined result outside it.
    if (std::isnan(output)) return 0;
    const double bounded = std::clamp(output, -1.0, 1.0);
    // nearbyint rounds halves to even in the default rounding mode, which the game never changes.
    return static_cast<int>(std::nearbyint(bounded * 10000.0));
}

NeuralNets::Loaded NeuralNets::loadNets(const std::string& folder) {
    const std::filesystem::path dir(folder);
    net1Problem_ = loadNet((dir / "nn1.bin").string(), net1_);
    net2Problem_ = loadNet((dir / "nn2.bin").string(), net2_);
    auto master = std::make_shared<MasterNets>();
    master->load(folder);
    setMaster(master);
    return Loaded{net1_ != nullptr, net2_ != nullptr};
}

void NeuralNets::setMaster(std::shared_ptr<const MasterNets> master) {
    masterProblem_ = master ? master->problem() : "the Master's networks are not loaded";
    master_ = master && master->usable() ? std::move(master) : nullptr;
}

std::string NeuralNets::unusableReason() const {
    if (net1Problem_.empty() || net2Problem_.empty()) return net1Problem_ + net2Problem_;
    return net1Problem_ + "\n" + net2Problem_;
}

bool NeuralNets::setNet1(std::span<const double> values) {
    net1Problem_ = setNet("network 1", values, net1_);
    return net1_ != nullptr;
}

bool NeuralNets::setNet2(std::span<const double> values) {
    net2Problem_ = setNet("network 2", values, net2_);
    return net2_ != nullptr;
}

std::vector<double> NeuralNets::net1Values() const {
    return net1_ ? netValues(*net1_) : std::vector<double>(NetWeights<kNet1Hidden>::kValues, 0.0);
}

std::vector<double> NeuralNets::net2Values() const {
    return net2_ ? netValues(*net2_) : std::vector<double>(NetWeights<kNet2Hidden>::kValues, 0.0);
}

NeuralNets NeuralNets::testWeights(std::uint64_t seed) {
    // xorshift64*; a zero state would stay zero.
    std::uint64_t state = seed ^ 0x9E3779B97F4A7C15u;
    if (state == 0) state = 1;
    auto next = [&state] {
        state ^= state >> 12;
        state ^= state << 25;
        state ^= state >> 27;
        const std::uint64_t r = state * 0x2545F4914F6CDD1Du;
        return (static_cast<double>(r >> 11) * 0x1.0p-53 * 2.0 - 1.0) * 0.1;  // uniform in [-0.1, 0.1)
    };
    std::vector<double> net1(NetWeights<kNet1Hidden>::kValues);
    for (double& v : net1) v = next();
    std::vector<double> net2(NetWeights<kNet2Hidden>::kValues);
    for (double& v : net2) v = next();
    NeuralNets nets;
    nets.setNet1(net1);
    nets.setNet2(net2);
    return nets;
}

int NeuralNets::netScore(const Position& pos, NetScratch& scratch) const {
    encodeForNet(pos, scratch.input);
    const double output = blackPhaseOf(pos) < 3 ? runNet1(scratch) : runNet2(scratch);
    return scoreFromOutput(output);
}

template <class Choose, class Deliver>
void NeuralNets::runBatches(const Position* const* positions, int count, NetBatchScratch& scratch, Choose useNet2,
                            Deliver deliver) const {
    scratch.net1.clear();
    scratch.net2.clear();
    for (int from = 0; from < count; from += NetBatchScratch::kOrderWindow) {
        const int n = std::min(NetBatchScratch::kOrderWindow, count - from);
        for (int k = 0; k < n; ++k) {
            const Position& pos = *positions[from + k];
            scratch.order[k] = {netOrderKey(pos) | (useNet2(pos) ? kSecondNetwork : 0), from + k};
        }
        std::sort(scratch.order.begin(), scratch.order.begin() + n,
                  [](const auto& a, const auto& b) { return a.key < b.key || (a.key == b.key && a.index < b.index); });
        for (int k = 0; k < n; ++k) {
            const int index = scratch.order[k].index;
            if (scratch.order[k].key & kSecondNetwork)
                queueFor(net2_, scratch.net2, *positions[index], index, deliver);
            else
                queueFor(net1_, scratch.net1, *positions[index], index, deliver);
        }
    }
    finishBatch(net1_, scratch.net1, deliver);
    finishBatch(net2_, scratch.net2, deliver);
}

void NeuralNets::netScoreBatch(const Position* const* positions, int count, int* scores,
                               NetBatchScratch& scratch) const {
    runBatches(
        positions, count, scratch, [](const Position& pos) { return blackPhaseOf(pos) >= 3; },
        [scores](int index, double output) { scores[index] = scoreFromOutput(output); });
}

void NeuralNets::runNet1Batch(const Position* const* positions, int count, double* outputs,
                              NetBatchScratch& scratch) const {
    runBatches(
        positions, count, scratch, [](const Position&) { return false; },
        [outputs](int index, double output) { outputs[index] = output; });
}

void NeuralNets::runNet2Batch(const Position* const* positions, int count, double* outputs,
                              NetBatchScratch& scratch) const {
    runBatches(
        positions, count, scratch, [](const Position&) { return true; },
        [outputs](int index, double output) { outputs[index] = output; });
}

}  // namespace lumaro
