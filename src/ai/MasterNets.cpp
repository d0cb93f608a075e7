#include "ai/MasterNets.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <filesystem>

#include "ai/LibraryExp.h"
#include "ai/NetBatch.h"
#include "ai/NetFile.h"
#include "ai/NeuralNets.h"
#include "files/FileBytes.h"

namespace lumaro {

namespace {

constexpr char kMagic[8] = {'L', 'M', 'M', 'A', 'S', 'T', 'E', 'R'};

std::uint32_t readU32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

void appendU32(std::vector<std::uint8_t>& bytes, std::uint32_t v) {
    for (int b = 0; b < 4; ++b) bytes.push_back(static_cast<std::uint8_t>(v >> (8 * b)));
}

template <int H>
std::shared_ptr<const MasterNetWeights<H>> makeWeights(std::span<const double> values) {
    if (values.size() != MasterNetWeights<H>::kValues) return nullptr;
    const auto inBounds = [](double v) { return std::abs(v) <= kLargestNetWeight; };  // false for a NaN
    if (!std::all_of(values.begin(), values.end(), inBounds)) return nullptr;
    const std::size_t hiddenValues = static_cast<std::size_t>(kNetInputs) * H;
    auto weights = std::make_shared<MasterNetWeights<H>>();
    weights->hidden = makeNetWeights<H>(values.first(hiddenValues));
    if (!weights->hidden) return nullptr;
    std::copy(values.begin() + static_cast<std::ptrdiff_t>(hiddenValues), values.end(), weights->output.begin());
    return weights;
}

double sigmoid(double x) { return 1.0 / (1.0 + std::exp(-x)); }

// Gammons within wins, backgammons within gammons, each side's within its own share.
CubelessChances ordered(double win, double winGammon, double winBackgammon, double loseGammon,
                        double loseBackgammon) {
    CubelessChances c;
    c.win = std::clamp(win, 0.0, 1.0);
    c.winGammon = std::clamp(winGammon, 0.0, c.win);
    c.winBackgammon = std::clamp(winBackgammon, 0.0, c.winGammon);
    c.loseGammon = std::clamp(loseGammon, 0.0, 1.0 - c.win);
    c.loseBackgammon = std::clamp(loseBackgammon, 0.0, c.loseGammon);
    return c;
}

// Runs what is queued for one network; each position's chances go to out[its slot].
template <int H>
void finishBatch(const MasterNetWeights<H>& w, NetBatch<H>& batch, CubelessChances* out) {
    const int n = batch.size;
    if (n == 0) return;
    batchHiddenSums(*w.hidden, batch, fastestNetKernel());
    expOfNegated(batch.sums.data(), batch.expTerms.data(), n * H);
    for (int b = 0; b < n; ++b) {
        double hidden[H];
        const double* e = &batch.expTerms[static_cast<std::size_t>(b) * H];
        for (int j = 0; j < H; ++j) hidden[j] = 2.0 / (1.0 + e[j]) - 1.0;
        double p[kMasterOutputs];
        for (int k = 0; k < kMasterOutputs; ++k) {
            const double* row = &w.output[static_cast<std::size_t>(k) * (H + 1)];
            double sum = row[H];
            for (int j = 0; j < H; ++j) sum += hidden[j] * row[j];
            p[k] = sigmoid(sum);
        }
        out[batch.slot[b]] = ordered(p[0], p[1], p[2], p[3], p[4]);
    }
    batch.clear();
}

template <int H>
void queueFor(const MasterNetWeights<H>& w, NetBatch<H>& batch, const Position& pos, int index,
              CubelessChances* out) {
    addToBatch(batch, pos, index);
    if (batch.size == kNetBatch) finishBatch(w, batch, out);
}

template <int H>
std::string loadFile(const std::filesystem::path& path, std::shared_ptr<const MasterNetWeights<H>>& weights) {
    weights = nullptr;
    // One byte more than a file can hold tells a longer file from a whole one.
    const auto bytes = readFileBytes(path.string(), MasterNetWeights<H>::kFileBytes + 1);
    if (!bytes) return path.string() + ": " + netFileProblem(path.string());
    std::vector<double> values;
    const std::string problem = parseMasterNet<H>(*bytes, values);
    if (!problem.empty()) return path.string() + ": " + problem;
    weights = makeWeights<H>(values);
    if (!weights) return path.string() + ": holds a weight that is not a number or is far too large";
    return {};
}

}  // namespace

double equityOfChances(const CubelessChances& c) {
    return 2.0 * c.win - 1.0 + c.winGammon - c.loseGammon + c.winBackgammon - c.loseBackgammon;
}

template <int H>
std::string parseMasterNet(std::span<const std::uint8_t> bytes, std::vector<double>& values) {
    values.clear();
    if (bytes.size() < 16 || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0)
        return "is not a weight file of the Master's networks";
    const std::uint32_t hidden = readU32(bytes, 8);
    const std::uint32_t outputs = readU32(bytes, 12);
    if (hidden != static_cast<std::uint32_t>(H))
        return "has " + std::to_string(hidden) + " hidden units where " + std::to_string(H) + " are needed";
    if (outputs != kMasterOutputs)
        return "has " + std::to_string(outputs) + " outputs where " + std::to_string(kMasterOutputs) + " are needed";
    const std::size_t body = bytes.size() - 16;
    if (body != 8 * MasterNetWeights<H>::kValues) {
        if (body < 8 * MasterNetWeights<H>::kValues)
            return "holds " + std::to_string(body / 8) + " of its " + std::to_string(MasterNetWeights<H>::kValues) +
                   " weights";
        return "holds more than its " + std::to_string(MasterNetWeights<H>::kValues) + " weights";
    }
    values = netValuesFromBytes(bytes.subspan(16), MasterNetWeights<H>::kValues);
    return {};
}

template std::string parseMasterNet<kNet1Hidden>(std::span<const std::uint8_t>, std::vector<double>&);
template std::string parseMasterNet<kNet2Hidden>(std::span<const std::uint8_t>, std::vector<double>&);

std::vector<std::uint8_t> masterNetFileBytes(int hidden, std::span<const double> values) {
    std::vector<std::uint8_t> bytes(kMagic, kMagic + sizeof kMagic);
    appendU32(bytes, static_cast<std::uint32_t>(hidden));
    appendU32(bytes, kMasterOutputs);
    for (const double v : values) {
        const auto bits = std::bit_cast<std::uint64_t>(v);
        for (int b = 0; b < 8; ++b) bytes.push_back(static_cast<std::uint8_t>(bits >> (8 * b)));
    }
    return bytes;
}

bool MasterNets::load(const std::string& folder) {
    const std::filesystem::path dir(folder);
    const std::string problem1 = loadFile(dir / kMasterNet1File, net1_);
    const std::string problem2 = loadFile(dir / kMasterNet2File, net2_);
    problem_ = problem1.empty() || problem2.empty() ? problem1 + problem2 : problem1 + "\n" + problem2;
    // Half a pair would mix two evaluations: both or neither.
    if (!usable()) net1_ = nullptr, net2_ = nullptr;
    return usable();
}

bool MasterNets::setNet1(std::span<const double> values) {
    net1_ = makeWeights<kNet1Hidden>(values);
    problem_ = net1_ ? "" : "network 1: refused weights";
    return net1_ != nullptr;
}

bool MasterNets::setNet2(std::span<const double> values) {
    net2_ = makeWeights<kNet2Hidden>(values);
    problem_ = net2_ ? "" : "network 2: refused weights";
    return net2_ != nullptr;
}

void MasterNets::chancesBatch(const Position* const* positions, int count, CubelessChances* out,
                              NetBatchScratch& scratch) const {
    if (!usable()) {
        std::fill_n(out, count, CubelessChances{});
        return;
    }
    scratch.net1.clear();
    scratch.net2.clear();
    constexpr std::uint64_t kSecondNetwork = std::uint64_t{1} << 63;
    for (int from = 0; from < count; from += NetBatchScratch::kOrderWindow) {
        const int n = std::min(NetBatchScratch::kOrderWindow, count - from);
        for (int k = 0; k < n; ++k) {
            const Position& pos = *positions[from + k];
            scratch.order[k] = {netOrderKey(pos) | (blackPhaseOf(pos) >= 3 ? kSecondNetwork : 0), from + k};
        }
        std::sort(scratch.order.begin(), scratch.order.begin() + n,
                  [](const auto& a, const auto& b) { return a.key < b.key || (a.key == b.key && a.index < b.index); });
        for (int k = 0; k < n; ++k) {
            const int index = scratch.order[k].index;
            if (scratch.order[k].key & kSecondNetwork)
                queueFor(*net2_, scratch.net2, *positions[index], index, out);
            else
                queueFor(*net1_, scratch.net1, *positions[index], index, out);
        }
    }
    finishBatch(*net1_, scratch.net1, out);
    finishBatch(*net2_, scratch.net2, out);
}

}  // namespace lumaro
