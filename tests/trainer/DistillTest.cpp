// Distillation: the look-ahead samples, their file (cut short or damaged on disk), and the fit.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "Fit.h"
#include "Samples.h"
#include "TrainingGame.h"
#include "ai/Features.h"
#include "ai/RaceEquity.h"
#include "support/TempFolder.h"
#include "rules/PositionId.h"

namespace lumaro::train {
namespace {

Nets randomTeacher() {
    Nets nets;
    nets.net1.randomize(11, 0.1f);
    nets.net2.randomize(12, 0.1f);
    nets.racesByAnalysis = true;
    return nets;
}

TEST(DistillTest, SamplesAreTheSameOnAnyNumberOfThreadsAndAllKeepContact) {
    const Nets teacher = randomTeacher();
    const SampleSettings one{.seed = 7, .explore = 0.1, .siblings = 3, .threads = 1};
    const SampleSettings two{.seed = 7, .explore = 0.1, .siblings = 3, .threads = 2};
    const std::vector<Sample> a = collectSamples(teacher, one, 5, 6);
    const std::vector<Sample> b = collectSamples(teacher, two, 5, 6);
    ASSERT_GT(a.size(), 200u);
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t k = 0; k < a.size(); ++k) {
        EXPECT_TRUE(a[k].after.sameCheckersAs(b[k].after));
        EXPECT_EQ(a[k].target, b[k].target);
        EXPECT_GT(contactOf(a[k].after), 0);
        EXPECT_LE(std::abs(a[k].target), 1.0f);
    }
}

TEST(DistillTest, EachRollsPlaysAreFoundSideBySide) {
    const Nets teacher = randomTeacher();
    constexpr int kGames = 8;
    const std::vector<Sample> played = collectSamples(teacher, SampleSettings{.seed = 9, .explore = 0.1, .siblings = 1, .threads = 1}, 0, kGames);
    const std::vector<Sample> several = collectSamples(teacher, SampleSettings{.seed = 9, .explore = 0.1, .siblings = 4, .threads = 1}, 0, kGames);
    EXPECT_EQ(rollStarts(played).size(), played.size() + 1);  // no two rolls taken for one

    // The same games: every roll starts with the play made, and has at most four plays. The last
    // roll of a game can add one: a play that broke contact has no sample, its siblings may have.
    const std::vector<std::size_t> starts = rollStarts(several);
    ASSERT_GT(starts.size(), 100u);
    EXPECT_LE(starts.size() - 1, played.size() + kGames);
    std::size_t found = 0;
    for (std::size_t r = 0; r + 1 < starts.size(); ++r) {
        EXPECT_LE(starts[r + 1] - starts[r], 4u) << r;
        if (found < played.size() && several[starts[r]].after.sameCheckersAs(played[found].after)) ++found;
    }
    EXPECT_EQ(found, played.size());
}

TEST(DistillTest, ARaceIsScoredByTheRaceEstimateWhenAskedTo) {
    Position race;  // black on its 6 and 5 points, white on its own 6 and 5 points: no contact
    race.count[6] = 8, race.count[5] = 7;
    race.count[19] = 8, race.count[20] = 7;
    race.colour[19] = race.colour[20] = kWhite;
    Nets nets = randomTeacher();
    GameWork work{TdSettings{}};
    Scored s;
    score(nets, race, true, work, s);
    EXPECT_EQ(s.which, 0);
    EXPECT_FLOAT_EQ(s.y, static_cast<float>(raceEquity(race) / 3.0));
    nets.racesByAnalysis = false;  // TD training's networks score races themselves
    encodePosition(startingPosition(), work.baseX.data());
    work.baseReady = {};
    score(nets, race, true, work, s);
    EXPECT_NE(s.which, 0);
}

TEST(DistillTest, AFileCutShortOrDamagedKeepsItsWholeBlocks) {
    const lumaro::testing::TempFolder folder;
    const std::string path = folder.file("distill-samples.bin");
    const std::vector<Sample> block = collectSamples(randomTeacher(), SampleSettings{.seed = 3, .explore = 0.0, .threads = 1}, 0, 2);
    ASSERT_TRUE(startSampleFile(path, 3));
    ASSERT_TRUE(appendSamples(path, 2, block));
    const auto whole = std::filesystem::file_size(path);
    ASSERT_TRUE(appendSamples(path, 2, block));
    std::filesystem::resize_file(path, whole + 100);  // the second block cut short

    SampleFile file;
    ASSERT_TRUE(readSamples(path, file));
    EXPECT_EQ(file.seed, 3u);
    EXPECT_EQ(file.games, 2);
    EXPECT_EQ(file.samples.size(), block.size());
    EXPECT_EQ(file.wholeBytes, whole);

    // A block claiming more samples than any collection writes is refused without reading it.
    std::filesystem::resize_file(path, whole);
    {
        std::ofstream out(path, std::ios::binary | std::ios::app);
        const std::int64_t games = 1;
        const std::uint64_t count = ~0ull;
        out.write(reinterpret_cast<const char*>(&games), sizeof games);
        out.write(reinterpret_cast<const char*>(&count), sizeof count);
    }
    ASSERT_TRUE(readSamples(path, file));
    EXPECT_EQ(file.samples.size(), block.size());

    // A block holding a position of sixteen checkers, or a target that is not a number, is left out.
    for (int damage = 0; damage < 2; ++damage) {
        std::filesystem::resize_file(path, whole);
        std::vector<Sample> bad = block;
        if (damage == 0) ++bad.back().after.offBlack;
        else bad.front().target = std::nanf("");
        ASSERT_TRUE(appendSamples(path, 2, bad));
        ASSERT_TRUE(readSamples(path, file));
        EXPECT_EQ(file.games, 2) << damage;
    }

    std::ofstream(path, std::ios::binary) << "LMTRAIN1";  // another kind of file
    EXPECT_FALSE(readSamples(path, file));
}

TEST(DistillTest, GamesGoOnFromTheStartPositionsOfAFile) {
    Position late;  // black bearing off with two checkers back, white bearing off too: contact
    late.count[24] = 2, late.count[6] = 3, late.count[5] = 3, late.count[4] = 2, late.count[3] = 2;
    late.offBlack = 3;
    for (int p : {19, 20, 21}) late.count[p] = 3, late.colour[p] = kWhite;
    for (int p : {22, 23}) late.count[p] = 2, late.colour[p] = kWhite;
    late.offWhite = 2;
    Position race;  // no contact: nothing to learn from it
    race.count[6] = 8, race.count[5] = 7;
    race.count[19] = 8, race.count[20] = 7;
    race.colour[19] = race.colour[20] = kWhite;
    const lumaro::testing::TempFolder folder;
    const std::string path = folder.file("distill-starts.txt");
    std::ofstream(path) << encodePositionId(late, Side::Black) << "\r\n\n"
                        << "not an ID\n"
                        << encodePositionId(race, Side::Black) << "\n";
    int refused = -1;
    SampleSettings settings{.seed = 4, .explore = 0.0, .threads = 1};
    settings.starts = readStartPositions(path, refused);
    ASSERT_EQ(settings.starts.size(), 1u);
    EXPECT_EQ(refused, 2);
    EXPECT_TRUE(settings.starts[0].sameCheckersAs(late));

    // Every game starts there (checkers borne off stay off), none at the opening without the share.
    settings.startShare = 1.0;
    const std::vector<Sample> fromLate = collectSamples(randomTeacher(), settings, 0, 6);
    ASSERT_FALSE(fromLate.empty());
    for (const Sample& s : fromLate) EXPECT_GE(s.after.offBlack + s.after.offWhite, 5);
    settings.startShare = 0.0;
    EXPECT_EQ(collectSamples(randomTeacher(), settings, 0, 1).front().after.offBlack, 0);
}

TEST(DistillTest, FittingBringsTheNetworksCloserToTheTargets) {
    const Nets teacher = randomTeacher();
    std::vector<Sample> samples = collectSamples(teacher, SampleSettings{.seed = 5, .explore = 0.2, .threads = 2}, 0, 20);
    for (Sample& s : samples) s.target = s.target * 0.5f + (s.after.barWhite > 0 ? 0.3f : -0.1f);
    Nets student = teacher;
    const double before = checkScore(student, samples, 2).error;
    FitSettings settings;
    settings.epochs = 5;
    settings.batch = 32;
    settings.hiddenRate = settings.outputRate = 0.003f;
    int epochs = 0;
    fitSamples(student, samples, {}, settings, [&](int, double, const CheckScore&) { return ++epochs < 3; });
    EXPECT_EQ(epochs, 3);  // stopped when told
    EXPECT_LT(checkScore(student, samples, 2).error, 0.7 * before);
}

}  // namespace
}  // namespace lumaro::train
