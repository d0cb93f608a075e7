#include "Fit.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "Rng.h"
#include "Threads.h"

namespace lumaro::train {

namespace {

// The inputs, hidden activations and outputs of one roll's samples.
struct RollWork {
    std::vector<std::array<float, kInputs>> x;
    std::vector<std::array<float, 256>> hidden;
    std::vector<float> y;
    std::vector<int> which;

    void score(const Nets& nets, const Sample* samples, std::size_t n) {
        if (x.size() < n) {
            x.resize(n), hidden.resize(n), y.resize(n), which.resize(n);
        }
        for (std::size_t i = 0; i < n; ++i) {
            which[i] = netFor(samples[i].after);
            encodePosition(samples[i].after, x[i].data());
            y[i] = nets[which[i]].forward(x[i].data(), hidden[i].data());
        }
    }
};

// The sums behind a CheckScore, for a share of the rolls.
struct CheckSums {
    double squares = 0;
    std::size_t choiceRolls = 0;
    std::size_t bestChosen = 0;
    double lost = 0;
};

// Adds the squared errors of the rolls order[from..to) (or from..to without an order) and, with
// `changes`, their learning steps.
CheckSums learnRolls(const Nets& nets, const std::vector<Sample>& samples, const std::vector<std::size_t>& starts,
                     const std::size_t* order, std::size_t from, std::size_t to, const FitSettings& settings,
                     WeightChanges* changes) {
    RollWork work;
    std::array<float, kInputs> step{};
    CheckSums sums;
    for (std::size_t r = from; r < to; ++r) {
        const std::size_t roll = order ? order[r] : r;
        const Sample* first = samples.data() + starts[roll];
        const std::size_t n = starts[roll + 1] - starts[roll];
        work.score(nets, first, n);
        float meanTarget = 0, meanOutput = 0;
        std::size_t chosen = 0, best = 0;
        for (std::size_t i = 0; i < n; ++i) {
            meanTarget += first[i].target / static_cast<float>(n);
            meanOutput += work.y[i] / static_cast<float>(n);
            if (work.y[i] > work.y[chosen]) chosen = i;
            if (first[i].target > first[best].target) best = i;
        }
        if (n > 1) {
            ++sums.choiceRolls;
            sums.bestChosen += chosen == best;
            sums.lost += first[best].target - first[chosen].target;
        }
        for (std::size_t i = 0; i < n; ++i) {
            const float error = first[i].target - work.y[i];
            sums.squares += static_cast<double>(error) * error;
            if (!changes) continue;
            const float choiceError = (first[i].target - meanTarget) - (work.y[i] - meanOutput);
            shareCommonDirection(work.x[i].data(), settings.commonShare, step.data());
            nets[work.which[i]].addGradient(step.data(), work.hidden[i].data(), work.y[i],
                                            error + settings.choiceWeight * choiceError,
                                            (*changes)[work.which[i]].data(), true, true);
        }
    }
    return sums;
}

}  // namespace

CheckScore checkScore(const Nets& nets, const std::vector<Sample>& samples, int threads) {
    if (samples.empty()) return {};
    threads = std::max(1, threads);
    const std::vector<std::size_t> starts = rollStarts(samples);
    const std::size_t rolls = starts.size() - 1;
    std::vector<CheckSums> parts(static_cast<std::size_t>(threads));
    onThreads(threads, [&](int t) {
        parts[static_cast<std::size_t>(t)] =
            learnRolls(nets, samples, starts, nullptr, rolls * static_cast<std::size_t>(t) / threads,
                       rolls * static_cast<std::size_t>(t + 1) / threads, FitSettings{}, nullptr);
    });
    CheckSums all;
    for (const CheckSums& p : parts) {
        all.squares += p.squares, all.choiceRolls += p.choiceRolls, all.bestChosen += p.bestChosen, all.lost += p.lost;
    }
    const double choiceRolls = static_cast<double>(std::max<std::size_t>(all.choiceRolls, 1));
    return {3.0 * std::sqrt(all.squares / static_cast<double>(samples.size())),
            static_cast<double>(all.bestChosen) / choiceRolls, 3.0 * all.lost / choiceRolls};
}

void fitSamples(Nets& nets, const std::vector<Sample>& train, const std::vector<Sample>& check,
                const FitSettings& settings, const std::function<bool(int, double, const CheckScore&)>& epochDone) {
    if (train.empty()) return;
    const int threads = std::max(1, settings.threads);
    const std::vector<std::size_t> starts = rollStarts(train);
    const std::size_t rolls = starts.size() - 1;
    // A step learns whole rolls, about `batch` positions.
    const auto batch = std::max(static_cast<std::size_t>(threads),
                                static_cast<std::size_t>(std::llround(static_cast<double>(settings.batch) *
                                                                      static_cast<double>(rolls) /
                                                                      static_cast<double>(train.size()))));
    std::vector<std::size_t> order(rolls);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::vector<WeightChanges> changes(static_cast<std::size_t>(threads), WeightChanges(nets));
    std::vector<double> squares(static_cast<std::size_t>(threads), 0.0);
    AdaptiveSteps adaptive(nets);
    const std::size_t stepsPerEpoch = (rolls + batch - 1) / batch;
    const double totalSteps = static_cast<double>(stepsPerEpoch) * std::max(settings.epochs, 1);
    std::int64_t step = 0;
    for (int epoch = 1; epoch <= settings.epochs; ++epoch) {
        Rng rng(settings.seed, static_cast<std::uint64_t>(epoch));
        for (std::size_t k = order.size(); k > 1; --k)  // Fisher-Yates
            std::swap(order[k - 1], order[static_cast<std::size_t>(rng.next() % k)]);
        double epochSquares = 0;
        for (std::size_t first = 0; first < rolls; first += batch) {
            const std::size_t last = std::min(first + batch, rolls);
            onThreads(threads, [&](int t) {
                const std::size_t n = last - first;
                WeightChanges& mine = changes[static_cast<std::size_t>(t)];
                mine.clear();
                squares[static_cast<std::size_t>(t)] =
                    learnRolls(nets, train, starts, order.data(), first + n * static_cast<std::size_t>(t) / threads,
                               first + n * static_cast<std::size_t>(t + 1) / threads, settings, &mine)
                        .squares;
            });
            for (int t = 1; t < threads; ++t) changes[0].add(changes[static_cast<std::size_t>(t)]);
            for (double s : squares) epochSquares += s;
            const auto share =
                static_cast<float>(1.0 - (1.0 - settings.finalRateShare) * static_cast<double>(step) / totalSteps);
            adaptive.apply(nets, changes[0], settings.hiddenRate * share, settings.outputRate * share);
            ++step;
        }
        const double trainError = 3.0 * std::sqrt(epochSquares / static_cast<double>(train.size()));
        if (!epochDone(epoch, trainError, checkScore(nets, check, threads))) return;
    }
}

}  // namespace lumaro::train
