#include "ai/MoveSearch.h"

#include <algorithm>

#include "ai/ReplyScore.h"

namespace lumaro {
MoveSearch::MoveSearch(int pendingCapacity)
    : candidates_(15),
      replies_(13),
      pending_(static_cast<std::size_t>(std::max(pendingCapacity, 1))),
      netPositions_(pending_.size()),
      netScores_(pending_.size()),
      batchScratch_(std::make_unique<NetBatchScratch>()) {}

int MoveSearch::analyse(const Position& pos, const SearchRequest& request, SearchCounters& counters) {
    ++counters.candidatesScored;
    const AnalysisSettings& settings = request.settings;
    if (!request.black)
        return heuristicScore(pos, false, AnalysisVariant::Player, request.category, request.whitePips,
                              request.blackPips, settings);
    // Black's level-3 candidates go through collect instead.
    const PositionFeatures f = blackFeaturesOf(pos);
    int score = heuristicScoreWith(pos, f, true, AnalysisVariant::Computer, request.category, request.blackPips,
                                   request.whitePips, settings);
    if (settings.computerLevel == Level::Intermediate && blackPhaseOf(pos) <= 2) {
        const LookAheadResult ahead =
            lookAhead(pos, request.dieA == request.dieB, settings.slowThinking, counters);
        score += ahead.sum / 80 + ahead.minimum / 80;
    }
    return score;
}

void MoveSearch::collect(const Position& pos, const Play& path, const SearchRequest& request,
                         SearchCounters& counters, ChosenPlay& chosen, int level) {
    if (pendingCount_ == static_cast<int>(pending_.size())) scorePending(request, chosen, level);
    ++counters.candidatesScored;
    Pending& p = pending_[pendingCount_++];
    p.path = path;
    // The features are needed only without contact (blackFeaturesOf's contact is contactOf).
    p.byNet = contactOf(pos) == 1;
    if (p.byNet) {
        ++counters.netEvaluations;
        p.pos = pos;
    } else {
        // What analyse gives a level-3 candidate without contact.
        p.score = heuristicScoreWith(pos, blackFeaturesOf(pos), true, AnalysisVariant::Computer, request.category,
                                     request.blackPips, request.whitePips, request.settings);
    }
}

void MoveSearch::scorePending(const SearchRequest& request, ChosenPlay& chosen, int level) {
    int count = 0;
    for (int k = 0; k < pendingCount_; ++k)
        if (pending_[k].byNet) netPositions_[count++] = &pending_[k].pos;
    if (request.nets)
        request.nets->netScoreBatch(netPositions_.data(), count, netScores_.data(), *batchScratch_);
    else
        std::fill_n(netScores_.begin(), count, 0);
    int next = 0;
    for (int k = 0; k < pendingCount_; ++k) {
        const Pending& p = pending_[k];
        int score = p.score;
        if (p.byNet) {
            score = netScores_[next++];
            if (!request.settings.normalNet) score += aggressiveBonus(p.pos);
        }
        chosen.keep(level, score, p.path);
    }
    pendingCount_ = 0;
}

LookAheadResult MoveSearch::lookAhead(const Position& candidate, bool ownRollWasDouble, bool slowThinking,
                                      SearchCounters& counters) {
    LookAheadResult result;
    if (contactOf(candidate) == 0) return result;
    for (const Roll& roll : kLookAheadRolls) {
        if (!lookAheadVisits(roll, ownRollWasDouble, slowThinking)) continue;
        const int value = bestReplyValue(candidate, roll, counters);
        result.sum += value;
        if (value < result.minimum) result.minimum = value;
    }
    return result;
}

int MoveSearch::bestReplyValue(const Position& candidate, const Roll& roll, SearchCounters& counters) {
    replies_.clear();
    GeneratorWorkArea& w = replyArea_;
    w.level[0] = candidate;
    w.bestPath = Play{};
    int bestScore = INT32_MIN;
    int bestLevel = 0;
    const Position* best = &candidate;  // White cannot move: the candidate stands
    Position bestCopy;
    int pass = 1;
    auto keepReply = [&](const GeneratorWorkArea& area, int level) {
        const Position& pos = area.level[level];
        const PositionSet::Seen seen = replies_.visit(pos, area.hash[level], level, pass);
        if (seen == PositionSet::Seen::SamePass) return false;  // this subtree has been seen
        // A reply with fewer steps than the best can never be chosen; a position already scored
        // at this level cannot beat itself.
        if (seen == PositionSet::Seen::New && level >= bestLevel) {
            ++counters.replyAnalyses;
            const int s = replyScore(pos);
            if (level > bestLevel || s > bestScore) {
                bestLevel = level;
                bestScore = s;
                bestCopy = pos;
                best = &bestCopy;
            }
        }
        return true;
    };
    fillDiceHigherFirst(w, roll.first, roll.second);
    generateWhitePlays(w, 1, keepReply);
    if (roll.first != roll.second) {
        pass = 2;
        fillDiceLowerFirst(w, roll.first, roll.second);
        generateWhitePlays(w, 1, keepReply);
    }
    return replyValueOf(*best);
}

SearchResult MoveSearch::search(const SearchRequest& request) {
    SearchResult result;
    const Position start = normalized(request.start);
    const bool white = !request.black;

    // First every play as the straightforward search records it: how many steps are analysed,
    // the most steps any play has, and the first play with the largest dice total.
    int maxLevel = 0;
    GeneratorWorkArea& w = candidateArea_;
    w = GeneratorWorkArea{};
    w.level[0] = start;
    auto count = [&](const GeneratorWorkArea&, int level) {
        ++result.counters.analyses;
        if (level > maxLevel) maxLevel = level;
    };
    generateBothOrders(w, white, request.dieA, request.dieB, count);
    result.bestPath = w.bestPath;
    if (maxLevel == 0) return result;

    // Then the candidates that can be chosen, each distinct position once, in the order generated.
    ChosenPlay chosen;
    candidates_.clear();
    const bool batched = request.black && request.settings.computerLevel == Level::Expert;
    pendingCount_ = 0;
    int pass = 1;
    auto analyseCandidate = [&](const GeneratorWorkArea& area, int level) {
        const Position& pos = area.level[level];
        const PositionSet::Seen seen = candidates_.visit(pos, area.hash[level], level, pass);
        if (seen == PositionSet::Seen::SamePass) return false;
        if (level == maxLevel && seen == PositionSet::Seen::New) {
            if (batched)
                collect(pos, area.path, request, result.counters, chosen, level);
            else
                chosen.keep(level, analyse(pos, request, result.counters), area.path);
        }
        return true;
    };
    w.level[0] = start;
    fillDiceHigherFirst(w, request.dieA, request.dieB);
    if (white)
        generateWhitePlays(w, 1, analyseCandidate);
    else
        generateBlackPlays(w, 1, analyseCandidate);
    if (request.dieA != request.dieB) {
        pass = 2;
        fillDiceLowerFirst(w, request.dieA, request.dieB);
        if (white)
            generateWhitePlays(w, 1, analyseCandidate);
        else
            generateBlackPlays(w, 1, analyseCandidate);
    }
    if (batched) scorePending(request, chosen, maxLevel);
    result.chosenPlay = chosen.play;
    result.chosenScore = chosen.score;
    result.chosenLevel = chosen.level;
    return result;
}

}  // namespace lumaro
