#include "ai/NeuralNets.h"

#include <cmath>
#include <filesystem>

#include "ai/NetFile.h"

namespace lumaro {

int scoreFromOutput(double output) {
    // nearbyint rounds halves to even in the default rounding mode, which the game never changes.
    return static_cast<int>(std::nearbyint(output * 10000.0));
}

NeuralNets::Loaded NeuralNets::loadNets(const std::string& folder) {
    const std::filesystem::path dir(folder);
    const auto values1 = readNetFile((dir / "nn1.bin").string(), NetWeights<kNet1Hidden>::kValues);
    const auto values2 = readNetFile((dir / "nn2.bin").string(), NetWeights<kNet2Hidden>::kValues);
    net1_ = values1 ? makeNetWeights<kNet1Hidden>(*values1) : nullptr;
    net2_ = values2 ? makeNetWeights<kNet2Hidden>(*values2) : nullptr;
    return Loaded{net1_ != nullptr, net2_ != nullptr};
}

bool NeuralNets::setNet1(std::span<const double> values) {
    net1_ = makeNetWeights<kNet1Hidden>(values);
    return net1_ != nullptr;
}

bool NeuralNets::setNet2(std::span<const double> values) {
    net2_ = makeNetWeights<kNet2Hidden>(values);
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

}  // namespace lumaro
