#include "ai/PlayRanking.h"

#include <algorithm>
#include <numeric>

#include "ai/Features.h"

namespace lumaro {
namespace {

// What MoveSearch gives a level-3 candidate: the network score in contact (with the Aggressive
// bonus when chosen), its analysis without.
int expertScoreOf(const RankedPlay& p, int netScore, const SearchRequest& request) {
    if (contactOf(p.after) == 1) return request.settings.normalNet ? netScore : netScore + aggressiveBonus(p.after);
    return heuristicScoreWith(p.after, blackFeaturesOf(p.after), true, AnalysisVariant::Computer, request.category,
                              request.blackPips, request.whitePips, request.settings);
}

// A won game needs no look-ahead.
bool finished(const Position& after) { return after.offBlack == kCheckersPerSide; }

}  // namespace

double PlayRanking::deeperEquity(const NeuralNets* nets, const Position& after) {
    if (finished(after)) return winKind(after, Side::Black);
    const Position opponentToRoll = mirrored(after);
    double opponent = 0;
    rollAverage_.blackToRoll(nets, &opponentToRoll, 1, &opponent);
    return -opponent;
}

std::vector<RankedPlay> PlayRanking::rank(const SearchRequest& request, int depth) {
    legalPlays_.blackPlays(request.start, request.dieA, request.dieB, plays_);
    const int n = static_cast<int>(plays_.size());
    std::vector<RankedPlay> ranked(plays_.size());
    std::vector<Position> after(plays_.size());
    for (int i = 0; i < n; ++i) {
        ranked[i].play = plays_[i].play;
        ranked[i].after = plays_[i].after;
        after[i] = plays_[i].after;
    }
    std::vector<double> equities(plays_.size());
    std::vector<int> netScores(plays_.size());
    equity_.evaluate(request.nets, after.data(), n, equities.data(), netScores.data());
    for (int i = 0; i < n; ++i) {
        ranked[i].equity0 = equities[i];
        ranked[i].expertScore = expertScoreOf(ranked[i], netScores[i], request);
    }
    // Level 3 keeps the first of equal scores in the order the plays were met.
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const RankedPlay& a, const RankedPlay& b) { return a.expertScore > b.expertScore; });
    if (depth < 1 || n == 0) return ranked;

    // The plays worth a deeper look: level 3's choice and the best by equity.
    std::vector<int> byEquity(plays_.size());
    std::iota(byEquity.begin(), byEquity.end(), 0);
    std::stable_sort(byEquity.begin(), byEquity.end(),
                     [&ranked](int a, int b) { return ranked[a].equity0 > ranked[b].equity0; });
    std::vector<int> chosen(byEquity.begin(), byEquity.begin() + std::min(n, kDeeperPlays));
    if (std::find(chosen.begin(), chosen.end(), 0) == chosen.end()) chosen.push_back(0);
    std::vector<Position> opponentToRoll;
    std::vector<int> lookedAt;
    for (int i : chosen) {
        ranked[i].deeper = true;
        if (finished(ranked[i].after)) {
            ranked[i].equity1 = winKind(ranked[i].after, Side::Black);
        } else {
            opponentToRoll.push_back(mirrored(ranked[i].after));
            lookedAt.push_back(i);
        }
    }
    std::vector<double> opponent(opponentToRoll.size());
    rollAverage_.blackToRoll(request.nets, opponentToRoll.data(), static_cast<int>(opponentToRoll.size()),
                             opponent.data());
    for (std::size_t k = 0; k < lookedAt.size(); ++k) ranked[lookedAt[k]].equity1 = -opponent[k];
    // Deeper plays first by their deeper equity, ties in depth-0 order; the others stay in it.
    std::stable_sort(ranked.begin(), ranked.end(), [](const RankedPlay& a, const RankedPlay& b) {
        if (a.deeper != b.deeper) return a.deeper;
        return a.deeper && a.equity1 > b.equity1;
    });
    return ranked;
}

}  // namespace lumaro
