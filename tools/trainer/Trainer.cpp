#include "Trainer.h"

#include <algorithm>

#include "Threads.h"

namespace lumaro::train {

Trainer::Trainer(const TrainConfig& config)
    : config_(config), nets_(config.raceHidden), adaptive_(nets_) {
    config_.threads = std::max(1, config_.threads);
    config_.batch = std::max(config_.batch, config_.threads);
    nets_.net1.randomize(config_.seed * 2 + 1, config_.initScale);
    nets_.net2.randomize(config_.seed * 2 + 2, config_.initScale);
    nets_.race.randomize(config_.seed * 2 + 3, config_.initScale);
    nets_.racesByAnalysis = config_.racesByAnalysis && config_.raceHidden == 0;
    for (int t = 0; t < config_.threads; ++t) {
        work_.push_back(std::make_unique<GameWork>(config_.td));
        changes_.push_back(std::make_unique<WeightChanges>(nets_));
    }
}

BatchStats Trainer::runBatch() {
    const std::int64_t first = gamesDone_;
    const int count = static_cast<int>(std::min<std::int64_t>(config_.batch, config_.games - first));
    BatchStats stats;
    if (count <= 0) return stats;
    const int threads = config_.threads;
    std::vector<GameSummary> summaries(static_cast<std::size_t>(count));
    // Thread t plays the games t, t + threads, ... of the batch.
    auto play = [&](int t) {
        changes_[static_cast<std::size_t>(t)]->clear();
        for (int g = t; g < count; g += threads)
            summaries[static_cast<std::size_t>(g)] =
                playTrainingGame(nets_, config_.td, config_.seed, static_cast<std::uint64_t>(first + g),
                                 *work_[static_cast<std::size_t>(t)], *changes_[static_cast<std::size_t>(t)]);
    };
    onThreads(threads, play);

    // The rates fall linearly over the run; they depend only on how many games came before.
    const double progress = static_cast<double>(first) / static_cast<double>(std::max<std::int64_t>(config_.games, 1));
    const auto share = static_cast<float>(1.0 - (1.0 - config_.finalRateShare) * progress);
    if (first < config_.raceWarmup)
        for (auto& changes : changes_) {
            std::fill(changes->net1.begin(), changes->net1.end(), 0.0f);
            std::fill(changes->net2.begin(), changes->net2.end(), 0.0f);
        }
    if (config_.adaptive) {
        // Adam takes the batch's change as one step: the threads' sums are added in thread order.
        for (int t = 1; t < threads; ++t) changes_[0]->add(*changes_[static_cast<std::size_t>(t)]);
        adaptive_.apply(nets_, *changes_[0], config_.hiddenRate * share, config_.outputRate * share);
    } else {
        for (int t = 0; t < threads; ++t)
            applyChanges(nets_, *changes_[static_cast<std::size_t>(t)], config_.hiddenRate * share,
                         config_.outputRate * share);
    }

    gamesDone_ += count;
    stats.games = count;
    for (const GameSummary& s : summaries) {
        stats.plies += s.plies;
        if (s.points >= 2 || s.points <= -2) ++stats.gammons;
    }
    return stats;
}

}  // namespace lumaro::train
