#include "TrainingGame.h"

#include <algorithm>
#include <array>

#include "Rng.h"
#include "ai/Features.h"
#include "ai/RaceEquity.h"
#include "rules/PlayApply.h"
#include "game/GameEnd.h"

namespace lumaro::train {

float resultValue(int points, bool equity) { return equity ? static_cast<float>(points) / 3.0f : 1.0f; }

namespace {

constexpr int kMaxPlies = 4000;

}  // namespace

void legalAfterStates(const Position& pos, Byte dieA, Byte dieB, GameWork& work) {
    work.candidates.clear();
    work.keys.clear();
    GeneratorWorkArea& w = work.area;
    w = GeneratorWorkArea{};
    w.level[0] = pos;
    auto& seen = work.reachedKeys;
    auto& reached = work.reached;
    seen.clear();
    reached.clear();
    auto collect = [&](const GeneratorWorkArea& area, int level) {
        int total = 0;
        for (int k = 1; k <= level; ++k) total += area.path[k].die;
        seen.emplace_back(area.hash[level], total);
        reached.push_back(area.level[level]);
    };
    generateBothOrders(w, false, dieA, dieB, collect);
    const int best = diceTotal(w.bestPath);
    if (best == 0) return;
    for (std::size_t k = 0; k < reached.size(); ++k) {
        if (seen[k].second != best) continue;
        if (std::find(work.keys.begin(), work.keys.end(), seen[k].first) != work.keys.end()) continue;
        work.keys.push_back(seen[k].first);
        work.candidates.push_back(reached[k]);
    }
}

void score(const Nets& nets, const Position& pos, bool equity, GameWork& work, Scored& s) {
    s.final = pos.offBlack == kCheckersPerSide;
    s.raceEstimate = false;
    if (s.final) {
        s.y = resultValue(blackWinPoints(pos), equity);
        return;
    }
    if (nets.racesByAnalysis && nets.race.hidden() == 0 && contactOf(pos) == 0) {
        s.which = 0;
        s.raceEstimate = true;
        s.y = static_cast<float>(raceEquity(pos) / 3.0);
        return;
    }
    s.which = nets.netOf(pos);
    encodePosition(pos, s.x.data());
    const TrainNet& net = nets[s.which];
    if (!work.baseReady[s.which]) {
        net.hiddenSums(work.baseX.data(), work.baseSums[s.which].data());
        work.baseReady[s.which] = true;
    }
    s.y = net.forwardFrom(s.x.data(), work.baseX.data(), work.baseSums[s.which].data(), s.hidden.data());
}

namespace {

// The best after-state value the mover of `pos` reaches with dieA-dieB, from the mover's side; a
// roll without a legal play leaves `pos` standing, scored as it is.
float bestValue(const Nets& nets, const Position& pos, Byte dieA, Byte dieB, bool equity, GameWork& work,
                Scored& trial) {
    legalAfterStates(pos, dieA, dieB, work);
    if (work.candidates.empty()) {
        score(nets, pos, equity, work, trial);
        return trial.y;
    }
    float best = -2.0f;
    for (const Position& candidate : work.candidates) {
        score(nets, candidate, equity, work, trial);
        best = std::max(best, trial.y);
    }
    return best;
}

}  // namespace

float lookaheadValue(const Nets& nets, const Position& after, bool equity, GameWork& work) {
    Scored trial;
    const Position opponent = mirrored(after);
    encodePosition(opponent, work.baseX.data());
    work.baseReady = {};
    float sum = 0;
    for (int a = 1; a <= 6; ++a)
        for (int b = 1; b <= a; ++b) {
            const float weight = a == b ? 1.0f : 2.0f;
            sum += weight * bestValue(nets, opponent, static_cast<Byte>(a), static_cast<Byte>(b), equity, work, trial);
        }
    return -sum / 36.0f;
}

GameSummary playTrainingGame(const Nets& nets, const TdSettings& settings, std::uint64_t seed, std::uint64_t game,
                             GameWork& work, WeightChanges& changes) {
    Rng rng(seed, game);
    work.trace.reset();
    GameSummary summary;
    Position pos = startingPosition();  // always seen by the side to move, as Black
    Byte dieA = static_cast<Byte>(rng.below(6) + 1);
    Byte dieB = static_cast<Byte>(rng.below(6) + 1);
    while (dieB == dieA) dieB = static_cast<Byte>(rng.below(6) + 1);  // the opening roll: two different dice
    Scored best, trial;
    for (int ply = 0; ply < kMaxPlies; ++ply) {
        legalAfterStates(pos, dieA, dieB, work);
        encodePosition(pos, work.baseX.data());
        work.baseReady = {};
        const std::size_t count = work.candidates.size();
        std::size_t chosen = 0;
        if (count == 0) {
            score(nets, pos, settings.equity, work, best);  // no legal play: the position stands
        } else if (settings.explore > 0 && rng.uniform() < settings.explore) {
            chosen = static_cast<std::size_t>(rng.below(static_cast<int>(count)));
            score(nets, work.candidates[chosen], settings.equity, work, best);
        } else {
            score(nets, work.candidates[0], settings.equity, work, best);
            for (std::size_t k = 1; k < count; ++k) {
                score(nets, work.candidates[k], settings.equity, work, trial);
                if (trial.y > best.y) {
                    std::swap(best, trial);
                    chosen = k;
                }
            }
        }
        summary.plies = ply + 1;
        if (best.raceEstimate) {
            work.trace.finish(nets, best.y, ply, changes);
            summary.endedInRace = true;
            return summary;
        }
        if (best.final) {
            work.trace.finish(nets, best.y, ply, changes);
            const int points = blackWinPoints(work.candidates[chosen]);
            summary.points = ply % 2 == 0 ? points : -points;
            return summary;
        }
        const Position after = count == 0 ? pos : work.candidates[chosen];
        if (settings.lookahead) {
            const float target = lookaheadValue(nets, after, settings.equity, work);
            work.trace.observeWithTarget(nets, best.which, best.x.data(), best.hidden.data(), best.y, target, ply);
        } else {
            work.trace.observe(nets, best.which, best.x.data(), best.hidden.data(), best.y, ply);
        }
        pos = mirrored(after);
        dieA = static_cast<Byte>(rng.below(6) + 1);
        dieB = static_cast<Byte>(rng.below(6) + 1);
    }
    work.trace.abandon(nets, changes);
    return summary;
}

}  // namespace lumaro::train
