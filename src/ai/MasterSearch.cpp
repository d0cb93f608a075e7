#include "ai/MasterSearch.h"

#include <algorithm>
#include <numeric>

#include "ai/ReplyValue.h"

namespace lumaro {
namespace {

// A won game needs no look-ahead.
bool finished(const Position& after) { return after.offBlack == kCheckersPerSide; }

double rollWeight(const Roll& roll) { return roll.first == roll.second ? 1.0 / 36.0 : 2.0 / 36.0; }

// The plays of `order` (best first by `equity`) that the filter lets through.
std::vector<int> kept(const std::vector<int>& order, const std::vector<MasterPlay>& plays, const MoveFilter& filter) {
    std::vector<int> out;
    if (order.empty()) return out;
    const double best = plays[order.front()].equity;
    for (int i : order) {
        if (static_cast<int>(out.size()) >= filter.keep || plays[i].equity < best - filter.within) break;
        out.push_back(i);
    }
    return out;
}

// Sorts `order` best first by the plays' equity, ties kept in their order.
void sortByEquity(std::vector<int>& order, const std::vector<MasterPlay>& plays) {
    std::stable_sort(order.begin(), order.end(), [&plays](int a, int b) { return plays[a].equity > plays[b].equity; });
}

}  // namespace

void MasterSearch::deeper1(const NeuralNets* nets, const std::vector<Position>& after, std::vector<double>& out) {
    out.assign(after.size(), 0.0);
    std::vector<Position> opponentToRoll;
    std::vector<std::size_t> lookedAt;
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (finished(after[i])) {
            out[i] = winKind(after[i], Side::Black);
        } else {
            opponentToRoll.push_back(mirrored(after[i]));
            lookedAt.push_back(i);
        }
    }
    std::vector<double> opponent(opponentToRoll.size());
    rollAverage_.blackToRoll(nets, opponentToRoll.data(), static_cast<int>(opponentToRoll.size()), opponent.data());
    for (std::size_t k = 0; k < lookedAt.size(); ++k) out[lookedAt[k]] = -opponent[k];
}

void MasterSearch::deeper2(const NeuralNets* nets, const std::vector<Position>& after, std::vector<double>& out) {
    out.assign(after.size(), 0.0);
    // Every reply of the opponent (seen as Black) to each of its rolls, for every play not finished.
    replies_.clear();
    std::vector<int> rollEnds;
    std::vector<std::size_t> lookedAt;
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (finished(after[i])) {
            out[i] = winKind(after[i], Side::Black);
            continue;
        }
        lookedAt.push_back(i);
        const Position opponentToRoll = mirrored(after[i]);
        for (const Roll& roll : kLookAheadRolls) {
            // A roll that leaves the opponent no play leaves the position as it is.
            legalPlays_.appendBlackResults(opponentToRoll, roll.first, roll.second, replies_);
            rollEnds.push_back(static_cast<int>(replies_.size()));
        }
    }
    replyEquities_.resize(replies_.size());
    equity_.evaluate(nets, replies_.data(), static_cast<int>(replies_.size()), replyEquities_.data());
    // The opponent's reply to each roll is its best at depth 0, then looked at one roll deeper.
    const std::vector<Position> chosenReplies = bestOfEachRoll(replies_, replyEquities_, rollEnds);
    std::vector<double> replyDepth1;
    deeper1(nets, chosenReplies, replyDepth1);
    std::size_t next = 0;
    for (const std::size_t i : lookedAt) {
        double opponent = 0;
        for (const Roll& roll : kLookAheadRolls) opponent += rollWeight(roll) * replyDepth1[next++];
        out[i] = -opponent;
    }
}

double MasterSearch::equity1(const NeuralNets* nets, const Position& after) {
    std::vector<double> out;
    deeper1(nets, {after}, out);
    return out.front();
}

double MasterSearch::equity2(const NeuralNets* nets, const Position& after) {
    std::vector<double> out;
    deeper2(nets, {after}, out);
    return out.front();
}

std::vector<MasterPlay> MasterSearch::rank(const NeuralNets* nets, const Position& start, Byte dieA, Byte dieB,
                                           int depth) {
    legalPlays_.blackPlays(start, dieA, dieB, plays_);
    const int n = static_cast<int>(plays_.size());
    std::vector<MasterPlay> ranked(plays_.size());
    std::vector<Position> after(plays_.size());
    for (int i = 0; i < n; ++i) {
        ranked[i].play = plays_[i].play;
        ranked[i].after = plays_[i].after;
        after[i] = plays_[i].after;
    }
    std::vector<double> equities(plays_.size());
    equity_.evaluate(nets, after.data(), n, equities.data());
    for (int i = 0; i < n; ++i) ranked[i].equity0 = ranked[i].equity = equities[i];

    std::vector<int> order(plays_.size());
    std::iota(order.begin(), order.end(), 0);
    sortByEquity(order, ranked);
    // Each deeper look goes to the plays the filter keeps from the one before.
    for (int d = 1; d <= std::min(depth, 2); ++d) {
        order = kept(order, ranked, d == 1 ? kToDepth1 : kToDepth2);
        std::vector<Position> candidates;
        for (int i : order) candidates.push_back(ranked[i].after);
        if (d == 1)
            deeper1(nets, candidates, equities);
        else
            deeper2(nets, candidates, equities);
        for (std::size_t k = 0; k < order.size(); ++k) {
            ranked[order[k]].depth = d;
            ranked[order[k]].equity = equities[k];
        }
        sortByEquity(order, ranked);
    }
    // The deepest looks first by their equity there, then the others by theirs; ties in the order
    // the plays were met.
    std::vector<int> all(plays_.size());
    std::iota(all.begin(), all.end(), 0);
    std::stable_sort(all.begin(), all.end(), [&ranked](int a, int b) {
        if (ranked[a].depth != ranked[b].depth) return ranked[a].depth > ranked[b].depth;
        if (ranked[a].equity != ranked[b].equity) return ranked[a].equity > ranked[b].equity;
        return false;
    });
    std::vector<MasterPlay> out;
    out.reserve(ranked.size());
    for (int i : all) out.push_back(ranked[i]);
    return out;
}

}  // namespace lumaro
