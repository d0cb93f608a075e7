#pragma once
// Training of the Master's networks: two networks of the expert's shape (196 inputs, 128 or 48
// hidden units) with five sigmoid outputs for the side that just moved: win, win a gammon, win a
// backgammon, lose a gammon, lose a backgammon. TD(lambda) self-play to each game's real end, the
// five outcomes of the result as the last target, as TD-Gammon learnt its gammons.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "TrainNet.h"
#include "TrainingGame.h"

namespace lumaro::train {

inline constexpr int kOutcomes = 5;
using Outcomes = std::array<float, kOutcomes>;

// One network: the hidden block as in TrainNet (input i to hidden j at i * H + j), then for each
// output its H weights from the hidden units and its bias.
class MasterTrainNet {
public:
    explicit MasterTrainNet(int hidden);

    int hidden() const { return hidden_; }
    std::vector<float>& weights() { return w_; }
    const std::vector<float>& weights() const { return w_; }
    std::size_t outputBlock() const { return static_cast<std::size_t>(kInputs * hidden_); }

    void hiddenSums(const float* x, float* sums) const;
    // The outputs for x from the sums of baseX; the hidden activations go to hiddenOut.
    Outcomes forwardFrom(const float* x, const float* baseX, const float* baseSums, float* hiddenOut) const;
    // grad += d(output k)/d(weights) x errors[k] over the outputs, each output's slope taken as 1
    // (the cross-entropy step of a sigmoid).
    void addGradient(const float* x, const float* hidden, const Outcomes& errors, float* grad) const;

    // The hidden block from a network of the game's file order (nn1.bin's), and a first guess at
    // the outputs from its equity output: the win's log-odds about 2.3 times its output sum, the
    // gammons' the same at their usual rates.
    void startFromExpert(std::span<const double> expertValues);
    std::vector<double> fileValues() const { return {w_.begin(), w_.end()}; }
    void setFileValues(std::span<const double> values);

private:
    int hidden_;
    std::vector<float> w_;
};

struct MasterTrainConfig {
    std::uint64_t seed = 1;
    std::int64_t games = 100000;
    float lambda = 0.7f;
    float hiddenRate = 0.0002f;
    float outputRate = 0.001f;
    float finalRateShare = 0.3f;  // the rates fall linearly to this share by the last game
    std::int64_t frozenHiddenGames = 0;  // the first games teach the outputs only
    std::vector<Position> starts;  // varied starts, as the side on roll sees them
    double startShare = 0;
};

class MasterTrainer {
public:
    explicit MasterTrainer(const MasterTrainConfig& config);

    // From the expert's nn1.bin and nn2.bin in `folder`; false with a message when missing.
    bool startFromExpert(const std::string& folder);
    // From master-nn1.bin and master-nn2.bin in `folder` (to go on from a candidate).
    bool startFromMaster(const std::string& folder);
    bool save(const std::string& folder) const;

    // Plays and learns game number gamesDone(); returns its points for the first mover.
    int playGame();
    std::int64_t gamesDone() const { return gamesDone_; }

    MasterTrainNet& net(int which) { return which == 1 ? net1_ : net2_; }

private:
    struct Ply {
        int which = 1;
        bool flipped = false;  // the mover is the second player: its outputs seen the other way
        Outcomes y{};
        std::array<float, kInputs> x{};
        std::array<float, 256> hidden{};
    };
    // The outputs for Black of `pos`, after Black's play; fills ply when it is a network's.
    Outcomes score(const Position& pos, Ply& ply, bool& final);
    void learn(std::size_t count, const Outcomes& resultForFirst);

    MasterTrainConfig config_;
    MasterTrainNet net1_, net2_;
    std::int64_t gamesDone_ = 0;
    GameWork work_;
    std::vector<Ply> plies_;
    std::vector<float> change1_, change2_;
    std::array<std::array<float, 256>, 3> baseSums_{};
    std::array<bool, 3> baseReady_{};
};

// The equity of outcomes: 2w - 1 + wg - lg + wbg - lbg.
float outcomeEquity(const Outcomes& o);
// The same outcomes seen by the other side.
Outcomes otherSide(const Outcomes& o);

// lumaro-train master ...
int masterCommand(int argc, char** argv);

}  // namespace lumaro::train
