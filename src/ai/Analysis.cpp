#include "ai/Analysis.h"

namespace lumaro {

int scaleBySlider(int c, int slider) {
    switch (slider) {
        case -2: return c / 3;
        case -1: return c / 2;
        case 1: return 2 * c;
        case 2: return 3 * c;
        default: return c;
    }
}

int heuristicScoreWith(const Position& pos, const PositionFeatures& f, bool black, AnalysisVariant variant,
                       int category, int ownPips, int opponentPips, const AnalysisSettings& settings) {
    const bool reply = variant == AnalysisVariant::Reply;
    const bool computer = variant == AnalysisVariant::Computer;
    const int ownPhase = black ? blackPhaseOf(pos) : whitePhaseOf(pos);
    const int opponentPhase = black ? whitePhaseOf(pos) : blackPhaseOf(pos);
    const int opponentBar = black ? pos.barWhite : pos.barBlack;
    const int ownOff = black ? pos.offBlack : pos.offWhite;
    const bool behindInRace = ownPips > opponentPips;
    auto scaled = [&](int c, int slider) { return reply ? c : scaleBySlider(c, slider); };

    int score = 0;
    switch (ownPhase) {
        case 0: score = 100; break;
        case 1: score = 10; break;
        case 2: score = 50; break;
        case 3: score = 100000; break;
        case 4: score = 100005; break;
        default: break;
    }

    // Attack: checkers sent back, more so when behind.
    int c = (behindInRace || reply) ? 15 * opponentBar + category : opponentBar + category;
    if (category >= 3) c = 30 * opponentBar;
    c -= 8 * f.blots;
    score += scaled(c, settings.attackSlider);

    // Strategy: building the home board and bringing checkers round.
    if (ownPhase == 0 || ownPhase == 2) {
        c = f.homeSpread;
        if (f.contact == 0) c += 100 * f.progress + 4000 * f.homeCount - 5000 * (f.anchors + f.backBlots);
        if (f.contact == 1 && behindInRace && computer) c += 100000;
        c += 10 * f.spread + 2 * f.progress;
        if (opponentPhase == 1) c += 200 * f.homePoints - 100 * f.homeBlots;
        switch (category) {
            case 0:
                c += f.blockade + f.homePoints;
                if (f.contact == 0) c += f.keyPoints;
                break;
            case 1:
            case 2: c += f.blockade + f.homePoints; break;
            case 3: c += f.blockade; break;
            default: break;
        }
        score += scaled(c, settings.strategySlider);
    }

    // Risk: blots within reach.
    c = -f.shots;
    if (f.blots > 1) c -= 10 * f.blots;
    score += scaled(c, settings.riskSlider);

    // On the bar: come in, and hold on to anchors.
    if (ownPhase == 1) {
        if (category == 0 || category == 1) score += f.backAdvance;
        if (category == 3 || category == 4) score -= f.backAdvance;
        if (f.contact == 1) score += f.anchors;
        if (computer) score += 10000 * opponentBar;
    }

    // Bearing off.
    if (ownPhase == 3 || ownPhase == 4) {
        if (f.contact == 1)
            score += f.homePoints + ownOff - 10 * f.homeBlots;
        else
            score += 610 * ownOff + 100 * f.homeBlots;
    }
    return score;
}

int heuristicScore(const Position& pos, bool black, AnalysisVariant variant, int category, int ownPips, int opponentPips,
                   const AnalysisSettings& settings) {
    const PositionFeatures f = black ? blackFeaturesOf(pos) : whiteFeaturesOf(pos);
    return heuristicScoreWith(pos, f, black, variant, category, ownPips, opponentPips, settings);
}

int aggressiveBonus(const Position& pos) {
    if (pos.barWhite == 0) return 0;
    int exposed = 0;
    for (int q = 1; q <= 24; ++q) {
        if (!(pos.count[q] == 1 && pos.colour[q] == kWhite)) continue;
        if (q >= 19) {
            ++exposed;  // white is on the bar
            continue;
        }
        for (int k = 1; k <= 6; ++k) {
            if (pos.hasBlack(q + k)) {
                ++exposed;
                break;
            }
        }
    }
    return exposed <= pos.barWhite + 1 ? 1000 : 0;
}

}  // namespace lumaro
