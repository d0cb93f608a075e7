#include "Fit.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "Rng.h"
#include "Threads.h"

namespace lumaro::train {

namespace {

// Adds the squared error (in outputs) of samples [from, to) and, with `changes`, their learning
// steps towards their targets.
double learn(const Nets& nets, const std::vector<Sample>& samples, const std::size_t* order, std::size_t from,
             std::size_t to, float commonShare, WeightChanges* changes) {
    std::array<float, kInputs> x{}, step{};
    std::array<float, 256> hidden{};
    double squares = 0;
    for (std::size_t k = from; k < to; ++k) {
        const Sample& s = samples[order ? order[k] : k];
        const int which = netFor(s.after);
        encodePosition(s.after, x.data());
        const TrainNet& net = nets[which];
        const float y = net.forward(x.data(), hidden.data());
        const float error = s.target - y;
        squares += static_cast<double>(error) * error;
        if (!changes) continue;
        shareCommonDirection(x.data(), commonShare, step.data());
        net.addGradient(step.data(), hidden.data(), y, error, (*changes)[which].data(), true, true);
    }
    return squares;
}

}  // namespace

double rootMeanSquaredError(const Nets& nets, const std::vector<Sample>& samples, int threads) {
    if (samples.empty()) return 0;
    threads = std::max(1, threads);
    std::vector<double> squares(static_cast<std::size_t>(threads), 0.0);
    onThreads(threads, [&](int t) {
        const std::size_t n = samples.size();
        squares[static_cast<std::size_t>(t)] = learn(nets, samples, nullptr, n * static_cast<std::size_t>(t) / threads,
                                                     n * static_cast<std::size_t>(t + 1) / threads, 1.0f, nullptr);
    });
    return 3.0 * std::sqrt(std::accumulate(squares.begin(), squares.end(), 0.0) / static_cast<double>(samples.size()));
}

void fitSamples(Nets& nets, const std::vector<Sample>& train, const std::vector<Sample>& check,
                const FitSettings& settings, const std::function<bool(int, double, double)>& epochDone) {
    if (train.empty()) return;
    const int threads = std::max(1, settings.threads);
    const auto batch = static_cast<std::size_t>(std::max(settings.batch, threads));
    std::vector<std::size_t> order(train.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::vector<WeightChanges> changes(static_cast<std::size_t>(threads), WeightChanges(nets));
    std::vector<double> squares(static_cast<std::size_t>(threads), 0.0);
    AdaptiveSteps adaptive(nets);
    const std::size_t stepsPerEpoch = (train.size() + batch - 1) / batch;
    const double totalSteps = static_cast<double>(stepsPerEpoch) * std::max(settings.epochs, 1);
    std::int64_t step = 0;
    for (int epoch = 1; epoch <= settings.epochs; ++epoch) {
        Rng rng(settings.seed, static_cast<std::uint64_t>(epoch));
        for (std::size_t k = order.size(); k > 1; --k)  // Fisher-Yates
            std::swap(order[k - 1], order[static_cast<std::size_t>(rng.next() % k)]);
        double epochSquares = 0;
        for (std::size_t first = 0; first < train.size(); first += batch) {
            const std::size_t last = std::min(first + batch, train.size());
            onThreads(threads, [&](int t) {
                const std::size_t n = last - first;
                WeightChanges& mine = changes[static_cast<std::size_t>(t)];
                mine.clear();
                squares[static_cast<std::size_t>(t)] =
                    learn(nets, train, order.data(), first + n * static_cast<std::size_t>(t) / threads,
                          first + n * static_cast<std::size_t>(t + 1) / threads, settings.commonShare, &mine);
            });
            for (int t = 1; t < threads; ++t) changes[0].add(changes[static_cast<std::size_t>(t)]);
            for (double s : squares) epochSquares += s;
            const auto share =
                static_cast<float>(1.0 - (1.0 - settings.finalRateShare) * static_cast<double>(step) / totalSteps);
            adaptive.apply(nets, changes[0], settings.hiddenRate * share, settings.outputRate * share);
            ++step;
        }
        const double trainError = 3.0 * std::sqrt(epochSquares / static_cast<double>(train.size()));
        if (!epochDone(epoch, trainError, rootMeanSquaredError(nets, check, threads))) return;
    }
}

}  // namespace lumaro::train
