#pragma once
// Training in synchronous batches: every game of a batch is played with the same weights, each
// thread adds up the changes of its own games in order, and the threads' sums are applied in
// thread order. So a run depends only on its settings (seed and thread count included), never on
// timing, and stopping after any batch and resuming gives the same weights.
#include <cstdint>
#include <memory>
#include <vector>

#include "Nets.h"
#include "TrainingGame.h"

namespace lumaro::train {

struct TrainConfig {
    std::uint64_t seed = 1;
    std::int64_t games = 100000;  // the whole run
    int threads = 2;
    int batch = 2;                // games per synchronous batch: more would learn from staler weights
    float hiddenRate = 0.001f;    // learning rate of the input-to-hidden weights
    float outputRate = 0.003f;    // learning rate of the hidden-to-output weights
    float finalRateShare = 0.3f;  // the rates fall linearly to this share of themselves by the last game
    float initScale = 0.1f;       // starting weights uniform in (-initScale, initScale)
    int raceHidden = 0;           // hidden units of the training-only race network; 0: none
    // Without a race network: races are scored by the game's race estimate, and a game stops
    // (learning that estimate) as soon as contact is gone.
    bool racesByAnalysis = false;
    bool adaptive = false;        // Adam steps (the rates are then each weight's step size)
    // The first games in which networks 1 and 2 stay as they are and only the race network learns:
    // a run that starts from trained networks first gives its new race network time to learn
    // races, so that the networks' last positions before a race are not taught from noise. Adam's
    // correction for its young running means counts the warm-up's steps, so the first few hundred
    // steps after it are up to a few times the rate.
    std::int64_t raceWarmup = 0;
    TdSettings td;
};

struct BatchStats {
    int games = 0;
    std::int64_t plies = 0;
    int gammons = 0;  // games that ended 2 or 3 points
};

class Trainer {
public:
    explicit Trainer(const TrainConfig& config);

    // Plays and learns from the next batch (fewer games at the end of the run).
    BatchStats runBatch();
    bool finished() const { return gamesDone_ >= config_.games; }

    std::int64_t gamesDone() const { return gamesDone_; }
    void setProgress(std::int64_t gamesDone) { gamesDone_ = gamesDone; }
    Nets& nets() { return nets_; }
    const Nets& nets() const { return nets_; }
    const TrainConfig& config() const { return config_; }
    AdaptiveSteps& adaptive() { return adaptive_; }
    const AdaptiveSteps& adaptive() const { return adaptive_; }

private:
    TrainConfig config_;
    Nets nets_;
    std::int64_t gamesDone_ = 0;
    std::vector<std::unique_ptr<GameWork>> work_;  // one per thread
    std::vector<std::unique_ptr<WeightChanges>> changes_;
    AdaptiveSteps adaptive_;
};

}  // namespace lumaro::train
