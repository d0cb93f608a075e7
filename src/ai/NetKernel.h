#pragma once
// The inner loop of the forward pass: the hidden sums, built for several instruction sets.
#include "ai/NetInput.h"
#include "ai/NetWeights.h"

namespace lumaro {

// Every build gives the same bits: each hidden unit's sum is one lane that adds its inputs in order
// 1..196, rounding after each; only how many lanes run side by side differs.
enum class NetKernel { Sse2, Avx2, Avx512 };
bool canRun(NetKernel kernel);
NetKernel fastestNetKernel();

// Adds inputs first * kNetCheckpointEvery + 1 .. 196 to `start`, the hidden sums after the inputs
// before them; saves the checkpoints after that into `checkpoints` (indexed like the network's
// emptyPrefixSums) and the finished sums into `sums`. Inputs 1..192 must be exactly +1 or -1.
// A kernel this CPU lacks falls back to SSE2.
void accumulateHidden(const NetWeights<kNet1Hidden>& w, const double* input, int first, const double* start,
                      double* checkpoints, double* sums, NetKernel kernel);
void accumulateHidden(const NetWeights<kNet2Hidden>& w, const double* input, int first, const double* start,
                      double* checkpoints, double* sums, NetKernel kernel);

// Positions that share one pass over the weights: each weight loaded serves all of them.
inline constexpr int kNetBatch = 8;

// The hidden sums of positions inputs[0..count) side by side (count 0..kNetBatch). All start from
// `start`, their common sums after checkpoint `first`, and add the inputs after it up to input
// `last`; position b's sums go to sums[b * H ..]. Each sum rounds exactly as in accumulateHidden.
void accumulateHiddenBatch(const NetWeights<kNet1Hidden>& w, const NetInput* inputs, int count, int first, int last,
                           const double* start, double* sums, NetKernel kernel);
void accumulateHiddenBatch(const NetWeights<kNet2Hidden>& w, const NetInput* inputs, int count, int first, int last,
                           const double* start, double* sums, NetKernel kernel);

}  // namespace lumaro
