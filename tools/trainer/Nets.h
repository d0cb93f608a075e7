#pragma once
// The two networks being trained, and a buffer of the same shape for their weight changes.
#include <vector>

#include "TrainNet.h"
#include "ai/NetWeights.h"

namespace lumaro::train {

struct Nets {
    TrainNet net1{kNet1Hidden};  // black still has checkers outside its home board
    TrainNet net2{kNet2Hidden};  // all of black's remaining checkers are home (phase 3 or 4)

    TrainNet& operator[](int which) { return which == 1 ? net1 : net2; }
    const TrainNet& operator[](int which) const { return which == 1 ? net1 : net2; }
};

// Which network scores a position after black's move: the game's split by black's phase.
int netFor(const Position& pos);

struct WeightChanges {
    std::vector<float> net1;
    std::vector<float> net2;

    explicit WeightChanges(const Nets& shape) : net1(shape.net1.size(), 0.0f), net2(shape.net2.size(), 0.0f) {}
    std::vector<float>& operator[](int which) { return which == 1 ? net1 : net2; }
    void clear();
};

// weights += rate x changes, with one rate for the input-to-hidden block and one for the
// hidden-to-output block.
void applyChanges(Nets& nets, const WeightChanges& changes, float hiddenRate, float outputRate);

}  // namespace lumaro::train
