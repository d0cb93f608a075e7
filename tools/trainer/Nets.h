#pragma once
// The two networks being trained, and a buffer of the same shape for their weight changes.
#include <cstdint>
#include <vector>

#include "TrainNet.h"
#include "ai/NetWeights.h"

namespace lumaro::train {

// Which network scores a position after black's move: the game's split by black's phase.
int netFor(const Position& pos);

struct Nets {
    // raceHidden > 0 adds a third network, trained only, that scores the positions without
    // contact (network 0). The expert level scores those by its hand-written analysis, never by
    // a network, so the two shipped networks then spend all their units on positions with contact.
    explicit Nets(int raceHidden = 0) : race(raceHidden) {}

    TrainNet net1{kNet1Hidden};  // black still has checkers outside its home board
    TrainNet net2{kNet2Hidden};  // all of black's remaining checkers are home (phase 3 or 4)
    TrainNet race;
    // Without a race network: whether the positions without contact are scored by the game's race
    // estimate (equity / 3) instead of networks 1 and 2, as the game itself values them.
    bool racesByAnalysis = false;

    TrainNet& operator[](int which) { return which == 1 ? net1 : (which == 2 ? net2 : race); }
    const TrainNet& operator[](int which) const { return which == 1 ? net1 : (which == 2 ? net2 : race); }
    // The network that learns and scores `pos` in training.
    int netOf(const Position& pos) const;
};

struct WeightChanges {
    std::vector<float> net1;
    std::vector<float> net2;
    std::vector<float> race;

    explicit WeightChanges(const Nets& shape)
        : net1(shape.net1.size(), 0.0f), net2(shape.net2.size(), 0.0f), race(shape.race.size(), 0.0f) {}
    std::vector<float>& operator[](int which) { return which == 1 ? net1 : (which == 2 ? net2 : race); }
    const std::vector<float>& operator[](int which) const { return which == 1 ? net1 : (which == 2 ? net2 : race); }
    void clear();
    // this += other, weight by weight.
    void add(const WeightChanges& other);
};

// weights += rate x changes, with one rate for the input-to-hidden block and one for the
// hidden-to-output block.
void applyChanges(Nets& nets, const WeightChanges& changes, float hiddenRate, float outputRate);

// Adam: each weight moves by the rate times its running mean change over the root of its running
// mean squared change, so every weight's step is about the rate whatever the scale of its
// gradient. A hidden unit with a small output weight gets small changes to all of its input
// weights; the plain step leaves such a unit all but untrained, this one does not.
class AdaptiveSteps {
public:
    explicit AdaptiveSteps(const Nets& shape) : mean_(shape), square_(shape) {}
    void apply(Nets& nets, const WeightChanges& changes, float hiddenRate, float outputRate);

    std::int64_t steps() const { return steps_; }
    // For checkpoints: the running means, network by network (1, 2, then the race network).
    WeightChanges& mean() { return mean_; }
    WeightChanges& square() { return square_; }
    const WeightChanges& mean() const { return mean_; }
    const WeightChanges& square() const { return square_; }
    void setSteps(std::int64_t steps) { steps_ = steps; }

private:
    WeightChanges mean_;
    WeightChanges square_;
    std::int64_t steps_ = 0;
};

}  // namespace lumaro::train
