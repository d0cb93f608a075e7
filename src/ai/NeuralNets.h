#pragma once
// The expert level's evaluator: two networks that score a position for black, network 1 while
// black still has checkers outside its home board, network 2 once they are all home.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "ai/NetBatch.h"
#include "ai/NetForward.h"
#include "ai/NetInput.h"
#include "ai/NetWeights.h"
#include "rules/Position.h"

namespace lumaro {

class MasterNets;

// Everything one search writes while scoring (about 27 KB). Each search owns one, so searches on
// several threads can share one NeuralNets; only loading or setting weights must not overlap them.
struct NetScratch {
    NetInput input;
    NetRun<kNet1Hidden> net1;
    NetRun<kNet2Hidden> net2;
};

// Everything netScoreBatch writes (about 55 KB), owned by the caller like NetScratch.
struct NetBatchScratch {
    // A call's positions are put in order a window at a time.
    static constexpr int kOrderWindow = 256;
    struct Queued {
        std::uint64_t key;  // the network in the top bit, then netOrderKey
        int index;
    };
    std::array<Queued, kOrderWindow> order;
    NetBatch<kNet1Hidden> net1;
    NetBatch<kNet2Hidden> net2;
};

// An output in (-1, 1) as the integer score the search compares: x 10000, rounded to the nearest
// integer with halves going to the even one. Defined for every double: beyond +-1 it gives
// +-10000, and a NaN, which loaded weights cannot produce, gives 0 like a network without weights.
int scoreFromOutput(double output);

class NeuralNets {
public:
    // Both networks all zero: every position scores 0 until weights are loaded.
    NeuralNets() = default;

    struct Loaded {
        bool net1 = false;
        bool net2 = false;
    };
    // Reads nn1.bin and nn2.bin from `folder`, and the Master's own networks from there when it
    // has them (see MasterNets.h; without them the Master evaluates with these). A missing file leaves that network all zero, a short
    // one leaves the weights it lacks at zero, and one holding a NaN, an infinity or a weight beyond
    // kLargestNetWeight among the values used is refused (the network is all zero), so every output
    // is a number in [-1, 1]. Reports which networks took weights from a file.
    Loaded loadNets(const std::string& folder);

    // The Master's networks when both loaded whole, else null; why not when null.
    const MasterNets* master() const { return master_.get(); }
    const std::string& masterProblem() const { return masterProblem_; }
    void setMaster(std::shared_ptr<const MasterNets> master);

    // Whether both networks hold every one of their weights: without them the expert level would
    // choose its plays by little more than chance.
    bool usable() const { return net1Problem_.empty() && net2Problem_.empty(); }
    // Why not, one line per network that lacks weights, naming its file and what went wrong
    // ("/usr/share/lumaro2/nn1.bin: No such file or directory"). Empty when usable.
    std::string unusableReason() const;

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

    // The scores of positions[0..count) into scores[0..count), each exactly netScore's. The
    // positions of each network go through it several at a time, which is much faster per
    // position than one by one, and keeps nothing from one call to the next.
    void netScoreBatch(const Position* const* positions, int count, int* scores, NetBatchScratch& scratch) const;

    // One network's outputs for positions[0..count), whatever black's phase in them: for measuring.
    void runNet1Batch(const Position* const* positions, int count, double* outputs,
                      NetBatchScratch& scratch) const;
    void runNet2Batch(const Position* const* positions, int count, double* outputs,
                      NetBatchScratch& scratch) const;

private:
    // Every position through the network `useNet2(pos)` picks, batch by batch in the order that
    // shares the most work; `deliver(index, output)` takes each result.
    template <class Choose, class Deliver>
    void runBatches(const Position* const* positions, int count, NetBatchScratch& scratch, Choose useNet2,
                    Deliver deliver) const;

    std::shared_ptr<const NetWeights<kNet1Hidden>> net1_;  // null while all zero
    std::shared_ptr<const NetWeights<kNet2Hidden>> net2_;
    std::shared_ptr<const MasterNets> master_;
    std::string masterProblem_ = "the Master's networks are not loaded";
    // What each network lacks, empty once it holds all its weights.
    std::string net1Problem_ = "network 1: no weights loaded";
    std::string net2Problem_ = "network 2: no weights loaded";
};

}  // namespace lumaro
