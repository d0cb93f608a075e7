#include "game/SearchSetup.h"

#include "game/PositionStats.h"

namespace lumaro {

AnalysisSettings analysisSettingsOf(const Options& options) {
    AnalysisSettings s;
    s.computerLevel = options.computerLevel;
    s.attackSlider = options.attackSlider;
    s.riskSlider = options.riskSlider;
    s.strategySlider = options.strategySlider;
    s.normalNet = options.normalNet;
    s.slowThinking = options.slowThinking;
    return s;
}

SearchRequest searchRequestFor(const Position& start, Byte dieA, Byte dieB, bool black, const AnalysisSettings& settings,
                               const NeuralNets* nets) {
    SearchRequest r;
    r.start = start;
    r.dieA = dieA;
    r.dieB = dieB;
    r.black = black;
    r.settings = settings;
    r.blackPips = blackPipCount(start);
    r.whitePips = whitePipCount(start);
    r.category = black ? blackRaceCategory(start) : whiteRaceCategory(start);
    r.nets = nets;
    return r;
}

}  // namespace lumaro
