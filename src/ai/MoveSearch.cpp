#include "ai/MoveSearch.h"

#include "ai/ReplyScore.h"

namespace lumaro {
MoveSearch::MoveSearch() : candidates_(15), replies_(13) {}

int MoveSearch::analyse(const Position& pos, const SearchRequest& request, SearchCounters& counters) {
    ++counters.candidatesScored;
    const AnalysisSettings& settings = request.settings;
    if (!request.black)
        return heuristicScore(pos, false, AnalysisVariant::Player, request.category, request.whitePips,
                              request.blackPips, settings);
    const PositionFeatures f = blackFeaturesOf(pos);
    if (settings.computerLevel == 3 && f.contact == 1) {
        ++counters.netEvaluations;
        int score = request.nets ? request.nets->netScore(pos, netScratch_) : 0;
        if (settings.normalNet == 0) score += aggressiveBonus(pos);
        return score;
    }
    int score = heuristicScoreWith(pos, f, true, AnalysisVariant::Computer, request.category, request.blackPips,
                                   request.whitePips, settings);
    if (settings.computerLevel == 2 && blackPhaseOf(pos) <= 2) {
        const LookAheadResult ahead =
            lookAhead(pos, request.dieA == request.dieB, settings.slowThinking != 0, counters);
        score += ahead.sum / 80 + ahead.minimum / 80;
    }
    return score;
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
    int pass = 1;
    auto analyseCandidate = [&](const GeneratorWorkArea& area, int level) {
        const Position& pos = area.level[level];
        const PositionSet::Seen seen = candidates_.visit(pos, area.hash[level], level, pass);
        if (seen == PositionSet::Seen::SamePass) return false;
        if (level == maxLevel && seen == PositionSet::Seen::New)
            chosen.keep(level, analyse(pos, request, result.counters), area.path);
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
    result.chosenPlay = chosen.play;
    result.chosenScore = chosen.score;
    result.chosenLevel = chosen.level;
    return result;
}

}  // namespace lumaro
