#pragma once
// The expert level's evaluator: two networks that score a position for black, network 1 while
// black still has checkers outside its home board, network 2 once they are all home.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "ai/NetForward.h"
#include "ai/NetInput.h"
#include "ai/NetWeights.h"
#include "board/Position.h"

namespace lumaro {

// Everything one search writes while scoring (about 27 KB). Each search owns one, so searches on
// several threads can share one NeuralNets; only loading or setting weights must not overlap them.
struct NetScratch {
    NetInput input;
    NetRun<kNet1Hidden> net1;
    NetRun<kNet2Hidden> net2;
};

// An output in (-1, 1) as the integer score the search compares: x 10000, rounded to the nearest
// integer with halves going to the even one.
int scoreFromOutput(double output);

class NeuralNets {
public:
    // Both networks all zero: every position scores 0 until weights are loaded.
    NeuralNets() = default;

    struct Loaded {
        bool net1 = false;
        bool net2 = false;
    };
    // Reads nn1.bin and nn2.bin from `folder`. A missing file leaves that network all zero, a short
    // one leaves the weights it lacks at zero, and one holding a NaN or an infinity among the values
    // used is refused (the network is all zero). Reports which networks took weights from a file.
    Loaded loadNets(const std::string& folder);

    // Weights in file order, with the same rules as the files; false when refused.
    bool setNet1(std::span<const double> values);
    bool setNet2(std::span<const double> values);
    std::vector<double> net1Values() const;
    std::vector<double> net2Values() const;

    // Small pseudo-random weights, the same for the same seed on every machine: for measuring
    // and testing without trained weights.
    static NeuralNets testWeights(std::uint64_t seed);

    // Outputs in (-1, 1) for the input already in `scratch.input`.
    double runNet1(NetScratch& scratch) const { return runNet(net1_, scratch.input, scratch.net1); }
    double runNet2(NetScratch& scratch) const { return runNet(net2_, scratch.input, scratch.net2); }

    // The score of a position for black, -10000..10000.
    int netScore(const Position& pos, NetScratch& scratch) const;

private:
    std::shared_ptr<const NetWeights<kNet1Hidden>> net1_;  // null while all zero
    std::shared_ptr<const NetWeights<kNet2Hidden>> net2_;
};

}  // namespace lumaro
