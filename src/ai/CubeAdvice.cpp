#include "ai/CubeAdvice.h"

#include <algorithm>

namespace lumaro {
namespace {

constexpr double kLiveShare = 2.0 / 3.0;
constexpr double kTakePoint = 0.2;  // with a fully live cube and no gammons
constexpr double kCashPoint = 1.0 - kTakePoint;

// The roller's equity on the live-cube line: -1 where the cube would be dropped against it, +1
// where it cashes, straight between.
double liveCubeEquity(double winChance, CubeHolder holder) {
    const double low = holder == CubeHolder::Roller ? 0.0 : kTakePoint;
    const double high = holder == CubeHolder::Opponent ? 1.0 : kCashPoint;
    return std::clamp(-1.0 + 2.0 * (winChance - low) / (high - low), -1.0, 1.0);
}

double cubefulEquity(double cubeless, CubeHolder holder) {
    const double winChance = std::clamp((1.0 + cubeless) / 2.0, 0.0, 1.0);
    return kLiveShare * liveCubeEquity(winChance, holder) + (1.0 - kLiveShare) * cubeless;
}

}  // namespace

CubeAdvice cubeAdviceFor(double cubelessEquity, CubeHolder holder) {
    CubeAdvice a;
    a.cubeless = cubelessEquity;
    a.noDouble = cubefulEquity(cubelessEquity, holder);
    a.doubleTake = 2.0 * cubefulEquity(cubelessEquity, CubeHolder::Opponent);
    if (holder == CubeHolder::Opponent) {
        a.action = CubeAction::NotAvailable;
        return a;
    }
    // The opponent answers with whatever costs it less; the roller doubles when that beats playing on.
    const double doubled = std::min(a.doubleTake, a.doublePass);
    if (doubled > a.noDouble)
        a.action = a.opponentTakes() ? CubeAction::DoubleTake : CubeAction::DoublePass;
    else
        a.action = a.opponentTakes() ? CubeAction::NoDouble : CubeAction::TooGood;
    return a;
}

CubeAdvice CubeAdvisor::advise(const NeuralNets* nets, const Position& position, CubeHolder holder, int depth) {
    double cubeless = 0;
    if (depth >= 1) {
        rollAverage_.blackToRoll(nets, &position, 1, &cubeless);
    } else {
        // The position as it stands is the opponent's just after its play, seen from its side.
        const Position opponentJustPlayed = mirrored(position);
        double opponent = 0;
        equity_.evaluate(nets, &opponentJustPlayed, 1, &opponent);
        cubeless = -opponent;
    }
    return cubeAdviceFor(cubeless, holder);
}

}  // namespace lumaro
