#pragma once
// The Master's own networks. Each scores a position right after Black's play, White to roll, with
// five chances for Black: winning, winning a gammon, winning a backgammon, losing a gammon, losing
// a backgammon (each a sigmoid of its own output sum). Like the expert's pair, network 1 scores
// the positions where Black still has checkers outside its home board and network 2 the others,
// with as many hidden units and the same inputs, so the hidden layer runs on the same kernels.
//
// A weight file (master-nn1.bin, master-nn2.bin), all numbers little-endian:
//   bytes 0..7    the ASCII letters "LMMASTER"
//   bytes 8..11   the number of hidden units, 32-bit unsigned (128 for network 1, 48 for network 2)
//   bytes 12..15  the number of outputs, 32-bit unsigned (5)
//   then 64-bit doubles: the input-to-hidden block as in nn1.bin (input 1's weights to hidden
//   units 1..H, then input 2's ...), then for each output in the order above its H weights from
//   the hidden units followed by its bias.
// Nothing may follow. A file of another size, another header, or holding a NaN, an infinity or a
// weight beyond kLargestNetWeight is refused whole with the reason, and the Master then evaluates
// as it did before it had networks of its own (the expert's networks' equity).
#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "ai/CubeDecision.h"
#include "ai/NetWeights.h"

namespace lumaro {

struct NetBatchScratch;

inline constexpr int kMasterOutputs = 5;
inline constexpr char kMasterNet1File[] = "master-nn1.bin";
inline constexpr char kMasterNet2File[] = "master-nn2.bin";

// Cubeless money equity of chances, a single game 1, a gammon 2, a backgammon 3: 2w - 1 + wg - lg
// + wbg - lbg (a backgammon's chance is counted within the gammon's as well).
double equityOfChances(const CubelessChances& c);

template <int H>
struct MasterNetWeights {
    static constexpr std::size_t kValues = static_cast<std::size_t>(kNetInputs) * H + kMasterOutputs * (H + 1);
    static constexpr std::size_t kFileBytes = 16 + 8 * kValues;
    std::shared_ptr<const NetWeights<H>> hidden;  // its own output block stays unused
    // Output k's weights at k * (H + 1) + j, its bias at k * (H + 1) + H.
    std::array<double, kMasterOutputs*(H + 1)> output{};
};

class MasterNets {
public:
    // Reads both files from `folder`; true when both are usable. Otherwise problem() says why.
    bool load(const std::string& folder);
    bool usable() const { return net1_ && net2_; }
    const std::string& problem() const { return problem_; }

    // The values after the header in file order (for training and tests); false with problem()
    // set when refused.
    bool setNet1(std::span<const double> values);
    bool setNet2(std::span<const double> values);

    // Black's chances for positions[0..count), each right after Black's play, into out[0..count),
    // ordered so that gammons never exceed wins and backgammons never exceed gammons. The
    // networks must be usable.
    void chancesBatch(const Position* const* positions, int count, CubelessChances* out,
                      NetBatchScratch& scratch) const;

private:
    std::shared_ptr<const MasterNetWeights<kNet1Hidden>> net1_;
    std::shared_ptr<const MasterNetWeights<kNet2Hidden>> net2_;
    std::string problem_ = "the Master's networks are not loaded";
};

// The bytes of a weight file with `hidden` units from its values in file order (for the trainer).
std::vector<std::uint8_t> masterNetFileBytes(int hidden, std::span<const double> values);

// Why these bytes are not a weight file of `H` hidden units, or "" when they are; the values
// after the header go to `values`.
template <int H>
std::string parseMasterNet(std::span<const std::uint8_t> bytes, std::vector<double>& values);

}  // namespace lumaro
