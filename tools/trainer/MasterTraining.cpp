#include "MasterTraining.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "app/cli/CommandLine.h"

#include "Nets.h"
#include "Rng.h"
#include "Samples.h"
#include "ai/MasterNets.h"
#include "ai/NeuralNets.h"
#include "files/FileBytes.h"
#include "game/GameEnd.h"

namespace lumaro::train {

namespace {

constexpr int kMaxPlies = 4000;

float sigmoidOf(float x) { return 0.5f * (activation(x) + 1.0f); }  // f(x) = 2 sigmoid(x) - 1

// A finished game's outcomes for the side that bore off its last checker.
Outcomes wonWith(int points) { return {1.0f, points >= 2 ? 1.0f : 0.0f, points >= 3 ? 1.0f : 0.0f, 0.0f, 0.0f}; }

}  // namespace

float outcomeEquity(const Outcomes& o) { return 2.0f * o[0] - 1.0f + o[1] - o[3] + o[2] - o[4]; }

Outcomes otherSide(const Outcomes& o) { return {1.0f - o[0], o[3], o[4], o[1], o[2]}; }

MasterTrainNet::MasterTrainNet(int hidden)
    : hidden_(hidden), w_(static_cast<std::size_t>(kInputs * hidden + kOutcomes * (hidden + 1)), 0.0f) {}

void MasterTrainNet::hiddenSums(const float* x, float* sums) const { inputSums(w_.data(), hidden_, x, sums); }

Outcomes MasterTrainNet::forwardFrom(const float* x, const float* baseX, const float* baseSums,
                                     float* hiddenOut) const {
    const int h = hidden_;
    float sums[256];
    inputSumsFrom(w_.data(), h, x, baseX, baseSums, sums);
    for (int j = 0; j < h; ++j) hiddenOut[j] = activation(sums[j]);
    Outcomes out{};
    for (int k = 0; k < kOutcomes; ++k) {
        const float* row = &w_[outputBlock() + static_cast<std::size_t>(k * (h + 1))];
        float o = row[h];
        for (int j = 0; j < h; ++j) o += hiddenOut[j] * row[j];
        out[static_cast<std::size_t>(k)] = sigmoidOf(o);
    }
    return out;
}

void MasterTrainNet::addGradient(const float* x, const float* hidden, const Outcomes& errors, float* grad) const {
    const int h = hidden_;
    float back[256] = {};
    for (int k = 0; k < kOutcomes; ++k) {
        const float e = errors[static_cast<std::size_t>(k)];
        const std::size_t at = outputBlock() + static_cast<std::size_t>(k * (h + 1));
        const float* row = &w_[at];
        float* g = grad + at;
        for (int j = 0; j < h; ++j) {
            g[j] += e * hidden[j];
            back[j] += e * row[j];
        }
        g[h] += e;
    }
    for (int j = 0; j < h; ++j) back[j] *= activationSlope(hidden[j]);
    for (int i = 0; i < kInputs; ++i) {
        float* row = grad + static_cast<std::size_t>(i * h);
        for (int j = 0; j < h; ++j) row[j] += x[i] * back[j];
    }
}

void MasterTrainNet::startFromExpert(std::span<const double> expertValues) {
    const int h = hidden_;
    const std::size_t hiddenValues = outputBlock();
    std::fill(w_.begin(), w_.end(), 0.0f);
    for (std::size_t k = 0; k < hiddenValues && k < expertValues.size(); ++k) w_[k] = static_cast<float>(expertValues[k]);
    constexpr float kScale = 2.3f;
    const std::array<float, kOutcomes> sign = {1, 1, 1, -1, -1};
    const std::array<float, kOutcomes> bias = {0.0f, -1.9f, -4.5f, -1.9f, -4.5f};  // about 13 % and 1 %
    for (int k = 0; k < kOutcomes; ++k) {
        float* row = &w_[outputBlock() + static_cast<std::size_t>(k * (h + 1))];
        for (int j = 0; j < h; ++j) {
            const std::size_t from = hiddenValues + static_cast<std::size_t>(j);
            row[j] = from < expertValues.size() ? kScale * sign[k] * static_cast<float>(expertValues[from]) : 0.0f;
        }
        row[h] = bias[k];
    }
}

void MasterTrainNet::setFileValues(std::span<const double> values) {
    for (std::size_t k = 0; k < w_.size(); ++k) w_[k] = k < values.size() ? static_cast<float>(values[k]) : 0.0f;
}

MasterTrainer::MasterTrainer(const MasterTrainConfig& config)
    : config_(config), net1_(kNet1Hidden), net2_(kNet2Hidden), work_(TdSettings{}),
      change1_(net1_.weights().size()), change2_(net2_.weights().size()) {}

bool MasterTrainer::startFromExpert(const std::string& folder) {
    NeuralNets expert;
    expert.loadNets(folder);
    if (!expert.usable()) {
        std::fprintf(stderr, "lumaro-train: %s\n", expert.unusableReason().c_str());
        return false;
    }
    net1_.startFromExpert(expert.net1Values());
    net2_.startFromExpert(expert.net2Values());
    return true;
}

bool MasterTrainer::startFromMaster(const std::string& folder) {
    const std::filesystem::path dir(folder);
    for (int which = 1; which <= 2; ++which) {
        const std::string path = (dir / (which == 1 ? kMasterNet1File : kMasterNet2File)).string();
        const auto bytes = readFileBytes(path, 4u << 20);
        std::vector<double> values;
        const std::string problem = !bytes ? "cannot be read"
                                   : which == 1 ? parseMasterNet<kNet1Hidden>(*bytes, values)
                                                : parseMasterNet<kNet2Hidden>(*bytes, values);
        if (!problem.empty()) {
            std::fprintf(stderr, "lumaro-train: %s: %s\n", path.c_str(), problem.c_str());
            return false;
        }
        net(which).setFileValues(values);
    }
    return true;
}

bool MasterTrainer::save(const std::string& folder) const {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    const std::filesystem::path dir(folder);
    const auto bytes1 = masterNetFileBytes(kNet1Hidden, net1_.fileValues());
    const auto bytes2 = masterNetFileBytes(kNet2Hidden, net2_.fileValues());
    return writeFileAtomically((dir / kMasterNet1File).string(), bytes1) &&
           writeFileAtomically((dir / kMasterNet2File).string(), bytes2);
}

Outcomes MasterTrainer::score(const Position& pos, Ply& ply, bool& final) {
    final = pos.offBlack == kCheckersPerSide;
    if (final) return wonWith(blackWinPoints(pos));
    ply.which = netFor(pos);
    encodePosition(pos, ply.x.data());
    const MasterTrainNet& n = ply.which == 1 ? net1_ : net2_;
    const auto w = static_cast<std::size_t>(ply.which);
    if (!baseReady_[w]) {
        n.hiddenSums(work_.baseX.data(), baseSums_[w].data());
        baseReady_[w] = true;
    }
    ply.y = n.forwardFrom(ply.x.data(), work_.baseX.data(), baseSums_[w].data(), ply.hidden.data());
    return ply.y;
}

void MasterTrainer::learn(std::size_t count, const Outcomes& resultForFirst) {
    // Every value in the first mover's frame; G = delta + lambda G from the last ply back.
    std::fill(change1_.begin(), change1_.end(), 0.0f);
    std::fill(change2_.begin(), change2_.end(), 0.0f);
    Outcomes g{};
    auto frame = [](const Ply& p) { return p.flipped ? otherSide(p.y) : p.y; };
    for (std::size_t k = count; k-- > 0;) {
        const Ply& p = plies_[k];
        const Outcomes v = frame(p);
        const Outcomes next = k + 1 < count ? frame(plies_[k + 1]) : resultForFirst;
        for (int o = 0; o < kOutcomes; ++o) g[o] = next[o] - v[o] + config_.lambda * g[o];
        // Back to the network's own outputs: v = (1 - y0, y3, y4, y1, y2) for the second mover.
        const Outcomes errors = p.flipped ? Outcomes{-g[0], g[3], g[4], g[1], g[2]} : g;
        (p.which == 1 ? net1_ : net2_).addGradient(p.x.data(), p.hidden.data(), errors,
                                                  (p.which == 1 ? change1_ : change2_).data());
    }
    const double progress = static_cast<double>(gamesDone_) / static_cast<double>(std::max<std::int64_t>(config_.games, 1));
    const auto share = static_cast<float>(1.0 - (1.0 - config_.finalRateShare) * progress);
    const bool frozen = gamesDone_ < config_.frozenHiddenGames;
    for (int which = 1; which <= 2; ++which) {
        std::vector<float>& w = net(which).weights();
        const std::vector<float>& c = which == 1 ? change1_ : change2_;
        const std::size_t split = net(which).outputBlock();
        const float hiddenRate = frozen ? 0.0f : config_.hiddenRate * share;
        for (std::size_t k = 0; k < split; ++k) w[k] += hiddenRate * c[k];
        for (std::size_t k = split; k < w.size(); ++k) w[k] += config_.outputRate * share * c[k];
    }
}

int MasterTrainer::playGame() {
    Rng rng(config_.seed, static_cast<std::uint64_t>(gamesDone_));
    Position pos = startingPosition();  // always seen by the side to move, as Black
    Byte dieA = static_cast<Byte>(rng.below(6) + 1);
    Byte dieB = static_cast<Byte>(rng.below(6) + 1);
    if (!config_.starts.empty() && rng.uniform() < config_.startShare)
        pos = config_.starts[static_cast<std::size_t>(rng.below(static_cast<int>(config_.starts.size())))];
    else
        while (dieB == dieA) dieB = static_cast<Byte>(rng.below(6) + 1);  // the opening roll: two different dice
    std::size_t used = 0;
    Ply trial;
    int points = 0;
    for (int ply = 0; ply < kMaxPlies; ++ply) {
        legalAfterStates(pos, dieA, dieB, work_);
        encodePosition(pos, work_.baseX.data());
        baseReady_ = {};
        if (used == plies_.size()) plies_.emplace_back();
        Ply& best = plies_[used];
        bool bestFinal = false;
        Position after = pos;  // no legal play: the position stands
        if (work_.candidates.empty()) {
            score(pos, best, bestFinal);
        } else {
            float bestEquity = -4.0f;
            for (const Position& candidate : work_.candidates) {
                bool final = false;
                const Outcomes o = score(candidate, trial, final);
                if (outcomeEquity(o) > bestEquity) {
                    bestEquity = outcomeEquity(o);
                    after = candidate;
                    bestFinal = final;
                    if (!final) std::swap(best, trial);
                }
            }
        }
        if (bestFinal) {
            const int won = blackWinPoints(after);
            const Outcomes result = wonWith(won);
            learn(used, ply % 2 == 0 ? result : otherSide(result));
            points = ply % 2 == 0 ? won : -won;
            ++gamesDone_;
            return points;
        }
        best.flipped = ply % 2 == 1;
        ++used;
        pos = mirrored(after);
        dieA = static_cast<Byte>(rng.below(6) + 1);
        dieB = static_cast<Byte>(rng.below(6) + 1);
    }
    // Cut off: the last prediction has no successor and learns nothing.
    learn(used, used > 0 ? (plies_[used - 1].flipped ? otherSide(plies_[used - 1].y) : plies_[used - 1].y) : Outcomes{});
    ++gamesDone_;
    return 0;
}

namespace {

constexpr const char* kMasterUsage =
    "usage: lumaro-train master --games N --out DIR (--start EXPERT_DIR | --from MASTER_DIR)\n"
    "                    [--seed S] [--lambda L] [--hidden-rate A] [--output-rate A]\n"
    "                    [--final-rate-share F] [--frozen-hidden GAMES] [--keep-every GAMES]\n"
    "                    [--starts FILE --start-share P]\n"
    "Trains the Master's networks (five outcome outputs) by TD(lambda) self-play on one thread\n"
    "and writes DIR/master-nn1.bin and DIR/master-nn2.bin; --start takes the hidden layers of\n"
    "the expert's nn1.bin and nn2.bin, --from goes on from earlier Master networks. With\n"
    "--keep-every, DIR/games-K/ keeps the networks after every K games.\n";

}  // namespace

int masterCommand(int argc, char** argv) {
    MasterTrainConfig config;
    std::string out, start, from, startsPath;
    std::int64_t keepEvery = 0;
    using cli::decimalNumber;
    using cli::wholeNumber;
    CLI::App app;
    app.add_option("--games", config.games)->required()->transform(wholeNumber(1, INT64_MAX));
    app.add_option("--out", out)->required();
    auto* startOption = app.add_option("--start", start)->check(CLI::ExistingDirectory);
    auto* fromOption = app.add_option("--from", from)->check(CLI::ExistingDirectory);
    startOption->excludes(fromOption);
    app.add_option("--seed", config.seed)->transform(cli::seedNumber());
    app.add_option("--lambda", config.lambda)->transform(decimalNumber(0, 1));
    app.add_option("--hidden-rate", config.hiddenRate)->transform(decimalNumber(0, 1e6));
    app.add_option("--output-rate", config.outputRate)->transform(decimalNumber(0, 1e6));
    app.add_option("--final-rate-share", config.finalRateShare)->transform(decimalNumber(0, 1));
    app.add_option("--frozen-hidden", config.frozenHiddenGames)->transform(wholeNumber(0, INT64_MAX));
    app.add_option("--keep-every", keepEvery)->transform(wholeNumber(0, INT64_MAX));
    auto* startsOption = app.add_option("--starts", startsPath)->check(CLI::ExistingFile);
    app.add_option("--start-share", config.startShare)->transform(decimalNumber(0, 1))->needs(startsOption);
    if (const auto status = cli::parseCommandLine(app, argc - 1, argv + 1, "lumaro-train", kMasterUsage)) return *status;
    if (start.empty() == from.empty()) {
        std::fprintf(stderr, "lumaro-train: give either --start or --from\n%s", kMasterUsage);
        return 2;
    }
    if (!startsPath.empty()) {
        int refused = 0;
        config.starts = readStartPositions(startsPath, refused);
        std::fprintf(stderr, "%zu start positions from %s (%d lines refused)\n", config.starts.size(),
                     startsPath.c_str(), refused);
        if (config.starts.empty()) return 1;
    }
    MasterTrainer trainer(config);
    if (!start.empty() ? !trainer.startFromExpert(start) : !trainer.startFromMaster(from)) return 1;
    const auto began = std::chrono::steady_clock::now();
    std::int64_t gammons = 0, backgammons = 0, firstWins = 0, counted = 0;
    while (trainer.gamesDone() < config.games) {
        const int points = trainer.playGame();
        ++counted;
        gammons += points >= 2 || points <= -2;
        backgammons += points >= 3 || points <= -3;
        firstWins += points > 0;
        const std::int64_t done = trainer.gamesDone();
        if (done % 20000 == 0 || done == config.games) {
            const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
            std::fprintf(stderr, "%lld games, %.0f games/s; last %lld: %.1f%% gammons, %.2f%% backgammons, %.1f%% first mover wins\n",
                         static_cast<long long>(done), done / std::max(seconds, 1e-9), static_cast<long long>(counted),
                         100.0 * gammons / counted, 100.0 * backgammons / counted, 100.0 * firstWins / counted);
            gammons = backgammons = firstWins = counted = 0;
            if (!trainer.save(out)) {
                std::fprintf(stderr, "lumaro-train: cannot write to %s\n", out.c_str());
                return 1;
            }
        }
        if (keepEvery > 0 && done % keepEvery == 0 &&
            !trainer.save((std::filesystem::path(out) / ("games-" + std::to_string(done))).string())) {
            std::fprintf(stderr, "lumaro-train: cannot write to %s\n", out.c_str());
            return 1;
        }
    }
    return 0;
}

}  // namespace lumaro::train
