// Whole training runs: the same settings give the same weights, a resumed run ends where an
// unbroken one does, and the weights reach the game's evaluator unchanged.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/wait.h>

#include "Checkpoint.h"
#include "Trainer.h"
#include "TrainingGame.h"
#include "ai/NetInput.h"
#include "ai/NeuralNets.h"
#include "support/TempFolder.h"

namespace lumaro::train {
namespace {

// The test's own folder, removed when it ends.
using lumaro::testing::TempFolder;

TrainConfig shortRun() {
    TrainConfig c;
    c.seed = 42;
    c.games = 8;
    c.threads = 2;
    c.batch = 2;
    c.hiddenRate = 0.001f;
    c.outputRate = 0.01f;
    c.finalRateShare = 0.5f;
    return c;
}

Nets train(const TrainConfig& config) {
    Trainer t(config);
    while (!t.finished()) t.runBatch();
    return t.nets();
}

// Plays `batches` batches of `config`, checkpoints them to `checkpoint`, resumes from that file in
// a new trainer and plays on to the end of the run.
Nets resumedRun(const TrainConfig& config, int batches, const std::string& checkpoint) {
    Trainer start(config);
    for (int b = 0; b < batches; ++b) start.runBatch();
    EXPECT_TRUE(saveCheckpoint(checkpoint, start));
    Trainer resumed(config);
    EXPECT_TRUE(loadCheckpoint(checkpoint, resumed));
    while (!resumed.finished()) resumed.runBatch();
    return resumed.nets();
}

// A checkpoint of `config` and one of a plain run each refuse to load into the other's trainer.
void expectCheckpointsDoNotMix(const TrainConfig& config, const std::string& checkpoint, const std::string& dir) {
    Trainer plain(shortRun());
    ASSERT_TRUE(saveCheckpoint(dir + "/plain.ckpt", plain));
    EXPECT_FALSE(loadCheckpoint(checkpoint, plain));
    Trainer other(config);
    EXPECT_FALSE(loadCheckpoint(dir + "/plain.ckpt", other));
}

TEST(TrainingRunTest, TheSameShortRunGivesIdenticalWeightsTwice) {
    const Nets a = train(shortRun());
    const Nets b = train(shortRun());
    EXPECT_EQ(a.net1.weights(), b.net1.weights());
    EXPECT_EQ(a.net2.weights(), b.net2.weights());
    TrainConfig other = shortRun();
    other.seed = 43;
    EXPECT_NE(train(other).net1.weights(), a.net1.weights());
}

TEST(TrainingRunTest, LearningChangesTheWeights) {
    TrainConfig none = shortRun();
    none.games = 0;
    EXPECT_NE(train(shortRun()).net1.weights(), train(none).net1.weights());
}

TEST(TrainingRunTest, AResumedRunEndsWithTheWeightsOfAnUnbrokenOne) {
    const TempFolder folder;
    const std::string dir = folder.path();
    const std::string checkpoint = dir + "/run.ckpt";
    {
        Trainer first(shortRun());
        first.runBatch();
        first.runBatch();
        ASSERT_TRUE(saveCheckpoint(checkpoint, first));
    }
    Trainer resumed(shortRun());
    ASSERT_TRUE(loadCheckpoint(checkpoint, resumed));
    EXPECT_EQ(resumed.gamesDone(), 4);
    while (!resumed.finished()) resumed.runBatch();
    const Nets unbroken = train(shortRun());
    EXPECT_EQ(resumed.nets().net1.weights(), unbroken.net1.weights());
    EXPECT_EQ(resumed.nets().net2.weights(), unbroken.net2.weights());

    TrainConfig otherSeed = shortRun();
    otherSeed.seed = 7;
    Trainer wrong(otherSeed);
    EXPECT_FALSE(loadCheckpoint(checkpoint, wrong));
    EXPECT_FALSE(loadCheckpoint(dir + "/missing.ckpt", wrong));
}

TEST(TrainingRunTest, ARaceNetworkLearnsIsCheckpointedAndNeverMixesWithAPlainRun) {
    const TempFolder folder;
    const std::string dir = folder.path();
    TrainConfig withRace = shortRun();
    withRace.raceHidden = 16;
    const Nets unbroken = train(withRace);
    const Trainer untrained(withRace);
    EXPECT_NE(unbroken.race.weights(), untrained.nets().race.weights());  // races were played and learnt
    // The shipped networks no longer learn from races, so they end elsewhere than without it.
    EXPECT_NE(unbroken.net1.weights(), train(shortRun()).net1.weights());

    const Nets resumed = resumedRun(withRace, 2, dir + "/race.ckpt");
    EXPECT_EQ(resumed.race.weights(), unbroken.race.weights());
    EXPECT_EQ(resumed.net1.weights(), unbroken.net1.weights());
    expectCheckpointsDoNotMix(withRace, dir + "/race.ckpt", dir);
}

TEST(TrainingRunTest, WithRacesScoredByTheEstimateAGameStopsWhenContactIsGone) {
    Nets nets;
    nets.net1.randomize(5, 0.1f);
    nets.net2.randomize(6, 0.1f);
    GameWork work{TdSettings{}};
    WeightChanges changes(nets);
    int inRace = 0;
    for (int estimate = 0; estimate < 2; ++estimate) {
        nets.racesByAnalysis = estimate == 1;
        for (std::uint64_t g = 0; g < 10; ++g) {
            const GameSummary s = playTrainingGame(nets, TdSettings{}, 3, g, work, changes);
            EXPECT_EQ(s.endedInRace, estimate == 1 && s.points == 0) << g;
            EXPECT_TRUE(s.points != 0 || s.endedInRace) << g;
            inRace += s.endedInRace;
        }
    }
    EXPECT_GT(inRace, 0);
}

TEST(TrainingRunTest, AdamsFirstStepMovesEveryChangedWeightByTheRate) {
    Nets nets;
    nets.net1.weights()[5] = 0.25f;
    WeightChanges changes(nets);
    changes.net1[5] = 0.003f;                          // an input weight, however small its change
    changes.net1[nets.net1.outputBlock() + 2] = -40.0f;  // an output weight, however large
    AdaptiveSteps adam(nets);
    adam.apply(nets, changes, 0.01f, 0.1f);
    EXPECT_NEAR(nets.net1.weights()[5], 0.26f, 1e-6);
    EXPECT_NEAR(nets.net1.weights()[nets.net1.outputBlock() + 2], -0.1f, 1e-6);
    EXPECT_EQ(nets.net1.weights()[6], 0.0f);  // no change, no step
    // A change that flips sign is damped by the running mean instead of reversing the step.
    changes.net1[5] = -0.003f;
    adam.apply(nets, changes, 0.01f, 0.1f);
    EXPECT_GT(nets.net1.weights()[5], 0.25f);
    EXPECT_LT(nets.net1.weights()[5], 0.26f);
}

TEST(TrainingRunTest, AnAdamRunResumesToTheSameWeightsAndRefusesAPlainCheckpoint) {
    const TempFolder folder;
    const std::string dir = folder.path();
    TrainConfig adam = shortRun();
    adam.adaptive = true;
    const Nets unbroken = train(adam);
    EXPECT_NE(unbroken.net1.weights(), train(shortRun()).net1.weights());
    const Nets resumed = resumedRun(adam, 1, dir + "/adam.ckpt");
    EXPECT_EQ(resumed.net1.weights(), unbroken.net1.weights());
    EXPECT_EQ(resumed.net2.weights(), unbroken.net2.weights());
    expectCheckpointsDoNotMix(adam, dir + "/adam.ckpt", dir);
}

TEST(TrainingRunTest, WrittenWeightsLoadBackBitIdenticallyAndScoreAlike) {
    const TempFolder folder;
    const std::string dir = folder.path();
    const Nets nets = train(shortRun());
    ASSERT_TRUE(saveGameWeights(dir, nets));
    NeuralNets game;
    const NeuralNets::Loaded loaded = game.loadNets(dir);
    ASSERT_TRUE(loaded.net1 && loaded.net2);
    EXPECT_EQ(game.net1Values(), nets.net1.fileValues());
    EXPECT_EQ(game.net2Values(), nets.net2.fileValues());

    // The game's evaluator reads the layout the trainer meant: the same output for a position.
    const Position pos = startingPosition();
    float x[kInputs];
    float hidden[256];
    encodePosition(pos, x);
    NetScratch scratch;
    encodeForNet(pos, scratch.input);
    EXPECT_NEAR(game.runNet1(scratch), nets.net1.forward(x, hidden), 1e-5);
    EXPECT_NEAR(game.runNet2(scratch), nets.net2.forward(x, hidden), 1e-5);

    // A run started from them keeps them while its new race network warms up, and then learns.
    TrainConfig started = shortRun();
    started.raceHidden = 16;
    started.raceWarmup = 4;
    Trainer t(started);
    ASSERT_TRUE(loadGameWeights(dir, t.nets()));
    const std::vector<float> race = t.nets().race.weights();
    t.runBatch(), t.runBatch();
    EXPECT_EQ(t.nets().net1.weights(), nets.net1.weights());
    EXPECT_EQ(t.nets().net2.weights(), nets.net2.weights());
    EXPECT_NE(t.nets().race.weights(), race);
    t.runBatch();
    EXPECT_NE(t.nets().net1.weights(), nets.net1.weights());
}

// lumaro-train's exit status and what it wrote to standard error.
std::pair<int, std::string> runTrainer(const std::string& args) {
    FILE* pipe = popen((std::string(LUMARO_TRAIN) + " " + args + " 2>&1 >/dev/null").c_str(), "r");
    if (!pipe) return {-1, {}};
    std::string errors;
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe)) errors += buffer;
    const int raw = pclose(pipe);
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, errors};
}

// A number the command line does not take whole and in range trains nothing: a run of hours must
// not start on "--games 1e3" read as 1.
TEST(TrainerCommandLine, NumbersThatAreNotWholeOrInRangeGiveTheUsageAndTrainNothing) {
    const TempFolder folder;
    const std::string out = folder.file("weights");
    const std::string run = "--out " + out + " --threads 1";
    for (const std::string& wrong :
         {run + " --games 1e3", run + " --games 10x", run + " --games 1 --threads two", run + " --games 1 --threads 0",
          run + " --games 1 --lambda 0,7", run + " --games 1 --lambda 1.5", run + " --games 1 --lambda nan",
          run + " --games 1 --seed 18446744073709551616", run + " --games 1 --target draw",
          run + " --games 1 --start " + folder.file("no-such-weights"), std::string("--games 1"),
          "distill --teacher " + folder.path() + " --samples " + folder.file("s.bin") + " --out " + out +
              " --games 1 --check-share 0.7"}) {
        SCOPED_TRACE(wrong);
        const auto [status, errors] = runTrainer(wrong);
        EXPECT_EQ(status, 2);
        EXPECT_NE(errors.find("usage: lumaro-train"), std::string::npos) << errors;
        EXPECT_FALSE(std::filesystem::exists(out + "/nn1.bin"));
    }
    const auto [status, errors] = runTrainer(run + " --games 2 --lambda 0.5 --seed 18446744073709551615");
    EXPECT_EQ(status, 0) << errors;
    EXPECT_TRUE(std::filesystem::exists(out + "/nn1.bin"));
}

}  // namespace
}  // namespace lumaro::train
