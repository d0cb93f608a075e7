#pragma once
// Several positions through one network in one pass over its weights. The weights no longer fit
// the nearest caches, so a pass per position spends most of its time fetching them; a batch
// fetches them once for all its positions. Every output is the same bits as runNet's.
#include <array>
#include <cstdint>
#include <memory>

#include "ai/NetInput.h"
#include "ai/NetKernel.h"
#include "ai/NetWeights.h"
#include "rules/Position.h"

namespace lumaro {

// Up to kNetBatch encoded positions waiting for one network, with the room their pass needs.
template <int H>
struct NetBatch {
    int size = 0;
    int firstEmpty = 0;  // checkpoints before which the first position's points are all empty
    int shared = 0;      // checkpoints before which every position has the first one's inputs
    std::array<int, kNetBatch> slot{};  // the caller's index of each position
    std::array<NetInput, kNetBatch> inputs{};
    alignas(64) std::array<double, H> prefixSums{};            // the sums after the shared inputs
    alignas(64) std::array<double, kNetBatch * H> sums{};      // hidden sum j of position b at b * H + j
    alignas(64) std::array<double, kNetBatch * H> expTerms{};  // e^-sum, laid out like sums
    std::array<double, kNetBatch> outputs{};

    void clear() { size = 0; }
};

// Positions queued in order of this key share the most work: neighbours then agree on as many of
// black's points from 24 down as possible, and the inputs all of a batch's positions begin with
// are added once. Below 2^63.
std::uint64_t netOrderKey(const Position& pos);

// Queues a position under the caller's index `slot`; the batch must not be full.
template <int H>
void addToBatch(NetBatch<H>& batch, const Position& pos, int slot);

// The hidden sums of the queued positions (non-empty) into batch.sums, before the activation.
template <int H>
void batchHiddenSums(const NetWeights<H>& w, NetBatch<H>& batch, NetKernel kernel);

// The outputs of the queued positions into batch.outputs, in queue order; the queue stays until
// cleared. A missing network (null) gives 0 for all.
template <int H>
void runBatch(const std::shared_ptr<const NetWeights<H>>& weights, NetBatch<H>& batch, NetKernel kernel);

}  // namespace lumaro
