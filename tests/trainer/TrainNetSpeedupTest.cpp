// The trainer's shortcuts: the vectorisable activation and the forward pass from another
// position's sums must give what the plain formulas give.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "Nets.h"
#include "TrainNet.h"
#include "rules/Position.h"
#include "support/Positions.h"

namespace lumaro::train {
namespace {

using lumaro::testing::positionOf;

TEST(TrainNetSpeedupTest, ActivationStaysWithinAMillionthOfTheFormula) {
    double worst = 0;
    for (double x = -60.0; x <= 60.0; x += 0.000731) {
        const double exact = 2.0 / (1.0 + std::exp(-x)) - 1.0;
        worst = std::max(worst, std::abs(activation(static_cast<float>(x)) - exact));
    }
    EXPECT_LT(worst, 1e-6);
    EXPECT_EQ(activation(0.0f), 0.0f);
    EXPECT_EQ(activation(1000.0f), 1.0f);
    EXPECT_EQ(activation(-1000.0f), -1.0f);
}

TEST(TrainNetSpeedupTest, ForwardFromAnotherPositionsSumsMatchesAWholePass) {
    Nets nets;
    nets.net1.randomize(3, 0.1f);
    const Position before = startingPosition();
    // 13/7 8/7 after 6-1, and a hit with a checker from the bar.
    const Position after = positionOf({{24, 2}, {13, 4}, {8, 2}, {7, 2}, {6, 5}, {1, -2}, {12, -5}, {17, -3}, {19, -5}});
    const Position hit = positionOf({{24, 1}, {22, 1}, {13, 5}, {8, 3}, {6, 5}, {1, -2}, {12, -5}, {17, -3}, {19, -4}}, 1, 0);
    for (const Position* pos : {&before, &after, static_cast<const Position*>(&hit)}) {
        std::vector<float> baseX(kInputs), x(kInputs), baseSums(kNet1Hidden);
        encodePosition(before, baseX.data());
        encodePosition(*pos, x.data());
        nets.net1.hiddenSums(baseX.data(), baseSums.data());
        std::vector<float> hiddenWhole(kNet1Hidden), hiddenFrom(kNet1Hidden);
        const float whole = nets.net1.forward(x.data(), hiddenWhole.data());
        const float from = nets.net1.forwardFrom(x.data(), baseX.data(), baseSums.data(), hiddenFrom.data());
        EXPECT_NEAR(from, whole, 1e-5);
        for (int j = 0; j < kNet1Hidden; ++j) EXPECT_NEAR(hiddenFrom[j], hiddenWhole[j], 1e-5) << j;
    }
}

}  // namespace
}  // namespace lumaro::train
