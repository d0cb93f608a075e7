#include "ai/ReferenceSearch.h"

#include <memory>

#include "ai/NeuralNets.h"

namespace lumaro {

LookAheadResult referenceLookAhead(const Position& candidate, bool ownRollWasDouble, bool slowThinking,
                                   SearchCounters& counters) {
    LookAheadResult result;
    if (contactOf(candidate) == 0) return result;
    static const AnalysisSettings kReplySettings{};
    for (const Roll& roll : kLookAheadRolls) {
        if (!lookAheadVisits(roll, ownRollWasDouble, slowThinking)) continue;
        GeneratorWorkArea replies;
        replies.level[0] = candidate;
        int bestScore = INT32_MIN;
        int bestLevel = 0;
        int replyValue = replyValueOf(candidate);  // White cannot move: the candidate stands
        auto keepReply = [&](const GeneratorWorkArea& w, int level) {
            ++counters.replyAnalyses;
            const int s = heuristicScore(w.level[level], false, AnalysisVariant::Reply, 0, 0, 0, kReplySettings);
            if (level > bestLevel || (level == bestLevel && s > bestScore)) {
                bestLevel = level;
                bestScore = s;
                replyValue = replyValueOf(w.level[level]);
            }
        };
        generateBothOrders(replies, true, roll.first, roll.second, keepReply);
        result.sum += replyValue;
        if (replyValue < result.minimum) result.minimum = replyValue;
    }
    return result;
}

SearchResult referenceSearch(const SearchRequest& request) {
    SearchResult result;
    ChosenPlay chosen;
    auto scratch = std::make_unique<NetScratch>();
    const bool ownDouble = request.dieA == request.dieB;
    const AnalysisSettings& settings = request.settings;
    auto analyse = [&](const GeneratorWorkArea& w, int level) {
        ++result.counters.analyses;
        ++result.counters.candidatesScored;
        const Position& pos = w.level[level];
        int score;
        if (!request.black) {
            score = heuristicScore(pos, false, AnalysisVariant::Player, request.category, request.whitePips,
                                   request.blackPips, settings);
        } else if (settings.computerLevel == Level::Expert && contactOf(pos) == 1) {
            ++result.counters.netEvaluations;
            score = request.nets ? request.nets->netScore(pos, *scratch) : 0;
            if (!settings.normalNet) score += aggressiveBonus(pos);
        } else {
            score = heuristicScore(pos, true, AnalysisVariant::Computer, request.category, request.blackPips,
                                   request.whitePips, settings);
            const int phase = blackPhaseOf(pos);
            if (settings.computerLevel == Level::Intermediate) {
                const LookAheadResult ahead =
                    referenceLookAhead(pos, ownDouble, settings.slowThinking, result.counters);
                if (phase <= 2) score += ahead.sum / 80 + ahead.minimum / 80;
            }
        }
        chosen.keep(level, score, w.path);
    };
    GeneratorWorkArea w;
    w.level[0] = request.start;
    generateBothOrders(w, !request.black, request.dieA, request.dieB, analyse);
    result.chosenPlay = chosen.play;
    result.chosenScore = chosen.score;
    result.chosenLevel = chosen.level;
    result.bestPath = w.bestPath;
    return result;
}

}  // namespace lumaro
