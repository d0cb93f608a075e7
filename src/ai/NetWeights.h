#pragma once
// The weights of one network as the forward pass reads them, fixed once built.
#include <array>
#include <limits>
#include <memory>
#include <span>
#include <vector>

#include "ai/NetInput.h"

namespace lumaro {

inline constexpr int kNet1Hidden = 128;  // black still has checkers outside its home board
inline constexpr int kNet2Hidden = 48;   // all of black's remaining checkers are home

// The forward pass saves the hidden sums every eight inputs (two points), so that the next position
// can resume after the inputs it shares with this one: the sums after input i depend only on inputs
// 1..i. Checkpoint c holds the sums after input 8c. They cover black's inputs only: black's plays
// change black's inputs first, so a checkpoint among white's would hardly ever be used, and each
// one costs stores.
inline constexpr int kNetBlackInputs = 96;
inline constexpr int kNetCheckpointEvery = 8;
inline constexpr int kNetCheckpoints = kNetBlackInputs / kNetCheckpointEvery + 1;

// The largest input a network can see: the square root of a bar or tray count, below 16 even for
// a count byte no game reaches (the point inputs are +1 or -1).
inline constexpr double kLargestNetInput = 16.0;
// No weight may be larger in size: then no hidden sum of 196 products, and no output sum, can
// overflow to an infinity, whose meeting with one of the other sign would give NaN and spoil the
// scores. Half the bound is margin for rounding. Trained weights stay within tens.
inline constexpr double kLargestNetWeight =
    std::numeric_limits<double>::max() / (2.0 * kNetInputs * kLargestNetInput);

template <int H>
struct NetWeights {
    // A weight file holds the input-to-hidden block, then the hidden-to-output block.
    static constexpr int kValues = kNetInputs * H + H;

    // Row i - 1 holds the weights from input i to hidden units 1..H: the file's own order, so one
    // input's row adds to all hidden sums side by side.
    alignas(64) std::array<double, kNetInputs * H> inputToHidden{};
    alignas(64) std::array<double, H> hiddenToOutput{};
    // Checkpoints of a position whose inputs so far are all -1 (no checkers on those points):
    // every position starts like that up to its first occupied point.
    alignas(64) std::array<double, kNetCheckpoints * H> emptyPrefixSums{};
};

// A network from values in file order. Values missing at the end stay zero; a NaN, an infinity or a
// value larger in size than kLargestNetWeight among them gives nothing, since one such weight could
// spoil every score.
template <int H>
std::shared_ptr<const NetWeights<H>> makeNetWeights(std::span<const double> values);

// The values of a network in file order.
template <int H>
std::vector<double> netValues(const NetWeights<H>& weights);

}  // namespace lumaro
