// The learning step: gradients on a net small enough to check by hand, and the TD(lambda) changes
// with their signs for positions scored from alternating sides.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "TdTrace.h"
#include "TrainingGame.h"
#include "rules/Position.h"

namespace lumaro::train {
namespace {

float f(float x) { return 2.0f / (1.0f + std::exp(-x)) - 1.0f; }

// One hidden unit; only input 1 has a weight to it.
TrainNet tinyNet(float a, float v) {
    TrainNet net(1);
    net.weights()[0] = a;                  // input 1 -> hidden 1
    net.weights()[net.outputBlock()] = v;  // hidden 1 -> output
    return net;
}

TEST(TrainNetTest, ForwardAndGradientMatchTheHandWorkedValues) {
    const TrainNet net = tinyNet(0.8f, 1.5f);
    std::vector<float> x(kInputs, -1.0f);
    x[0] = 1.0f;
    float hidden[1];
    const float out = net.forward(x.data(), hidden);
    const float h = f(0.8f);
    EXPECT_NEAR(hidden[0], h, 1e-6);
    EXPECT_NEAR(out, f(1.5f * h), 1e-6);

    std::vector<float> grad(net.size(), 0.0f);
    net.addGradient(x.data(), hidden, out, 1.0f, grad.data());
    const float outSlope = 0.5f * (1 - out * out);
    EXPECT_NEAR(grad[net.outputBlock()], outSlope * h, 1e-6);
    const float hiddenSlope = outSlope * 1.5f * 0.5f * (1 - h * h);
    EXPECT_NEAR(grad[0], hiddenSlope, 1e-6);   // input 1 is +1
    EXPECT_NEAR(grad[1], -hiddenSlope, 1e-6);  // input 2 is -1: the weight moves the other way

    // The learning step takes the output's slope at 0, 1/2, however far out the output is, ...
    std::vector<float> step(net.size(), 0.0f);
    net.addGradient(x.data(), hidden, out, 2.0f, step.data(), true);
    EXPECT_NEAR(step[net.outputBlock()], 2.0f * 0.5f * h, 1e-6);
    EXPECT_NEAR(step[0], 2.0f * 0.5f * 1.5f * 0.5f * (1 - h * h), 1e-6);
    EXPECT_EQ(step[1], 0.0f);  // and leaves the weights of an input at -1 alone
}

struct Scored {
    std::vector<float> x = std::vector<float>(kInputs);
    std::vector<float> hidden = std::vector<float>(256);
    float y = 0;
};

Scored scoreWith(const Nets& nets, const Position& pos) {
    Scored s;
    encodePosition(pos, s.x.data());
    s.y = nets.net1.forward(s.x.data(), s.hidden.data());
    return s;
}

std::vector<float> gradientOf(const Nets& nets, const Scored& s, bool learningStep) {
    std::vector<float> g(nets.net1.size(), 0.0f);
    nets.net1.addGradient(s.x.data(), s.hidden.data(), s.y, 1.0f, g.data(), learningStep);
    return g;
}

TEST(TdTraceTest, OnePositionMovesTowardsTheKnownTargetByTheExpectedAmount) {
    Nets nets;
    nets.net1.randomize(5, 0.1f);
    const Position pos = startingPosition();
    const Scored before = scoreWith(nets, pos);
    // The mover of ply 0 made this position; the opponent then won a gammon, worth -2/3 to it.
    const float target = -2.0f / 3.0f;
    WeightChanges changes(nets);
    TdTrace trace(0.7f);
    trace.observe(nets, 1, before.x.data(), before.hidden.data(), before.y, 0);
    trace.finish(nets, 2.0f / 3.0f, 1, changes);

    const std::vector<float> step = gradientOf(nets, before, true);
    const std::vector<float> exact = gradientOf(nets, before, false);
    const float delta = target - before.y;
    double along = 0;  // how fast the output changes along the step
    for (std::size_t k = 0; k < step.size(); ++k) {
        ASSERT_NEAR(changes.net1[k], delta * step[k], 1e-6);
        along += double(exact[k]) * step[k];
    }
    for (float c : changes.net2) ASSERT_EQ(c, 0.0f);

    const float rate = 0.001f;
    applyChanges(nets, changes, rate, rate);
    const float after = scoreWith(nets, pos).y;
    const double expected = rate * delta * along;  // to first order
    EXPECT_LT(after, before.y);
    EXPECT_NEAR(after - before.y, expected, std::abs(expected) * 0.05);
}

TEST(TdTraceTest, AlternatingSidesAndLambdaGiveTheTdLambdaChanges) {
    Nets nets;
    nets.net1.randomize(9, 0.1f);
    Position second = startingPosition();
    second.count[24] = 1;  // one back checker has run to the 18-point
    second.count[18] = 1;
    const Scored s0 = scoreWith(nets, startingPosition());
    const Scored s1 = scoreWith(nets, second);
    const float lambda = 0.5f;
    WeightChanges changes(nets);
    TdTrace trace(lambda);
    trace.observe(nets, 1, s0.x.data(), s0.hidden.data(), s0.y, 0);
    trace.observe(nets, 1, s1.x.data(), s1.hidden.data(), s1.y, 1);
    trace.finish(nets, 1.0f / 3.0f, 2, changes);  // the first mover bore off last: a single game

    // In the first mover's view: z0 = y0, z1 = -y1, z2 = the result.
    const std::vector<float> g0 = gradientOf(nets, s0, true);
    const std::vector<float> g1 = gradientOf(nets, s1, true);
    const float z0 = s0.y, z1 = -s1.y, z2 = 1.0f / 3.0f;
    for (std::size_t k = 0; k < g0.size(); ++k) {
        const float e1 = lambda * g0[k] - g1[k];
        ASSERT_NEAR(changes.net1[k], (z1 - z0) * g0[k] + (z2 - z1) * e1, 1e-6);
    }
}

TEST(TdTraceTest, LookaheadTargetsStepEachPlyTowardsItsOwnTargetWithoutATrace) {
    Nets nets;
    nets.net1.randomize(11, 0.1f);
    Position second = startingPosition();
    second.count[24] = 1;
    second.count[18] = 1;
    const Scored s0 = scoreWith(nets, startingPosition());
    const Scored s1 = scoreWith(nets, second);
    WeightChanges changes(nets);
    TdTrace trace(0.7f);
    trace.observeWithTarget(nets, 1, s0.x.data(), s0.hidden.data(), s0.y, 0.25f, 0);
    trace.observeWithTarget(nets, 1, s1.x.data(), s1.hidden.data(), s1.y, -0.5f, 1);
    trace.finish(nets, 1.0f / 3.0f, 2, changes);  // the result is already inside the targets

    // Each target is from its own mover's side, as its y is: the step is (target - y) x gradient.
    const std::vector<float> g0 = gradientOf(nets, s0, true);
    const std::vector<float> g1 = gradientOf(nets, s1, true);
    for (std::size_t k = 0; k < g0.size(); ++k)
        ASSERT_NEAR(changes.net1[k], (0.25f - s0.y) * g0[k] + (-0.5f - s1.y) * g1[k], 1e-6);

    WeightChanges cut(nets);  // a game cut off learns the same from the plies it has
    trace.abandon(nets, cut);
    EXPECT_EQ(cut.net1, changes.net1);
}

TEST(LookaheadTest, TheTargetWeighsTheOpponentsWinningRollsByTheirChances) {
    const Nets zero;  // every position that has not ended scores 0
    GameWork work(TdSettings{});
    Position after;  // black: fifteen at home, none off; white: one or two checkers left
    after.count[2] = 15;
    after.colour[2] = kBlack;
    after.offWhite = 14;
    after.count[24] = 1;  // white's last point (its 1-point)
    after.colour[24] = kWhite;
    // White bears off its last checkers with every roll ...
    EXPECT_NEAR(lookaheadValue(zero, after, true, work), -2.0f / 3.0f, 1e-6);  // a gammon for white
    after.count[24] = 2;
    after.offWhite = 13;
    EXPECT_NEAR(lookaheadValue(zero, after, true, work), -2.0f / 3.0f, 1e-6);
    // ... but one on its 6-point and one on its 1-point go off together only with a 6 or with
    // 2-2, 3-3, 4-4 or 5-5: 15 rolls in 36.
    after.count[24] = 1;
    after.count[19] = 1;
    after.colour[19] = kWhite;
    EXPECT_NEAR(lookaheadValue(zero, after, true, work), -15.0f / 36.0f * 2.0f / 3.0f, 1e-6);
    EXPECT_NEAR(lookaheadValue(zero, after, false, work), -15.0f / 36.0f, 1e-6);  // win-chance output
}

TEST(TdTraceTest, ACommonShareShrinksOnlyTheStepWhereAllInputsMoveAlike) {
    Nets nets;
    nets.net1.randomize(13, 0.1f);
    const Scored s = scoreWith(nets, startingPosition());
    const auto changesWith = [&](float share) {
        WeightChanges changes(nets);
        TdTrace trace(0.7f, true, share);
        trace.observe(nets, 1, s.x.data(), s.hidden.data(), s.y, 0);
        trace.finish(nets, 1.0f / 3.0f, 1, changes);
        return changes.net1;
    };
    const std::vector<float> plain = changesWith(1.0f);
    const std::vector<float> shared = changesWith(0.1f);
    double mean = 0;
    for (float v : s.x) mean += v;
    mean /= kInputs;
    const int h = nets.net1.hidden();
    for (int j = 0; j < h; ++j) {
        double plainAlike = 0, sharedAlike = 0;
        for (int i = 0; i < kInputs; ++i) {
            // Each input's step is the plain one with the input x_i replaced by x_i - 0.9 * mean.
            const std::size_t k = static_cast<std::size_t>(i * h + j);
            ASSERT_NEAR(shared[k], plain[k] / s.x[i] * (s.x[i] - 0.9 * mean), 1e-6);
            plainAlike += plain[k];
            sharedAlike += shared[k];
        }
        // Along "all alike" (the sum over a unit's inputs) a tenth of the plain step remains.
        EXPECT_NEAR(sharedAlike, 0.1 * plainAlike, 1e-5 + 1e-3 * std::abs(plainAlike));
    }
    for (std::size_t k = nets.net1.outputBlock(); k < plain.size(); ++k) EXPECT_EQ(shared[k], plain[k]);
}

TEST(NetsTest, TheGameSplitChoosesTheNetworkByBlacksPhase) {
    Position pos = startingPosition();
    EXPECT_EQ(netFor(pos), 1);
    Position home;  // black all home, white still has checkers behind them
    home.count[3] = 15;
    home.count[1] = 2;
    home.colour[1] = kWhite;
    home.count[20] = 13;
    home.colour[20] = kWhite;
    EXPECT_EQ(netFor(home), 2);

    // A race network takes the positions without contact and leaves the game's split for the rest.
    const Nets plain;
    const Nets withRace(16);
    EXPECT_EQ(plain.netOf(home), 2);
    EXPECT_EQ(withRace.netOf(home), 2);
    EXPECT_EQ(withRace.netOf(pos), 1);
    Position race = home;  // white's checkers all behind black's: no contact
    race.count[1] = 0;
    race.count[20] = 15;
    EXPECT_EQ(plain.netOf(race), 2);
    EXPECT_EQ(withRace.netOf(race), 0);
    Position raceOutside = race;  // and black not yet home
    raceOutside.count[3] = 14;
    raceOutside.count[9] = 1;
    raceOutside.colour[9] = kBlack;
    EXPECT_EQ(plain.netOf(raceOutside), 1);
    EXPECT_EQ(withRace.netOf(raceOutside), 0);
}

}  // namespace
}  // namespace lumaro::train
