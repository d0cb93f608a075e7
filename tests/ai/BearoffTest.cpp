// The bear-off table against what the dice give worked out by hand, and the race chances read
// from it for either side on roll.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>

#include <set>
#include <string>
#include <vector>

#include "ai/BearoffDatabase.h"
#include "ai/BearoffRace.h"
#include "files/FileBytes.h"
#include "support/Positions.h"

using namespace lumaro;
using lumaro::testing::positionOf;

namespace {

const BearoffDatabase& table() { return BearoffDatabase::shared(); }

RollsDistribution allOffOf(const HomeBoard& board) { return table().allOff(BearoffDatabase::indexOf(board)); }
RollsDistribution firstOffOf(const HomeBoard& board) { return table().firstOff(BearoffDatabase::indexOf(board)); }

// The table keeps chances to 1/65535.
constexpr double kNear = 1e-4;

}  // namespace

TEST(BearoffDatabase, SmallBoardsTakeTheRollsTheDiceGive) {
    // Nothing left: done without a roll.
    EXPECT_NEAR(allOffOf({}).at(0), 1.0, kNear);
    // One checker on the 1-point, or two: any roll bears them off.
    EXPECT_NEAR(allOffOf({0, 1}).at(1), 1.0, kNear);
    EXPECT_NEAR(allOffOf({0, 2}).at(1), 1.0, kNear);
    // Three on the 1-point: only a doublet takes them all at once.
    EXPECT_NEAR(allOffOf({0, 3}).at(1), 6.0 / 36, kNear);
    EXPECT_NEAR(allOffOf({0, 3}).at(2), 30.0 / 36, kNear);
    // One on the 6-point misses with 1-1, 2-1, 3-1, 4-1 and 3-2 only, and is off the roll after.
    const RollsDistribution six = allOffOf({0, 0, 0, 0, 0, 0, 1});
    EXPECT_NEAR(six.at(1), 27.0 / 36, kNear);
    EXPECT_NEAR(six.at(2), 9.0 / 36, kNear);
    EXPECT_NEAR(six.mean(), 1.25, kNear);
    // Fifteen on the 6-point bear their first one off with a 6, 5-1, 4-2, 3-3 or 2-2: nothing
    // bears off from below while checkers stand higher.
    EXPECT_NEAR(firstOffOf({0, 0, 0, 0, 0, 0, 15}).at(1), 17.0 / 36, kNear);
}

TEST(BearoffDatabase, EveryBoardHasItsOwnPlaceAndChancesThatAddUp) {
    std::set<int> seen;
    HomeBoard board{};
    for (int index = 0; index < BearoffDatabase::kBoards; ++index) {
        // Every board of up to fifteen checkers, in turn.
        int n = 0;
        for (int p = 1; p <= 6; ++p) n += board[p];
        const int place = BearoffDatabase::indexOf(board);
        ASSERT_TRUE(place >= 0 && place < BearoffDatabase::kBoards);
        EXPECT_TRUE(seen.insert(place).second);
        const RollsDistribution all = table().allOff(place);
        ASSERT_NEAR(all.atLeast(0), 1.0, 5e-4);
        ASSERT_NEAR(table().firstOff(place).atLeast(0), 1.0, 5e-4);
        // One more checker anywhere never makes the bear-off shorter.
        if (n < 15)
            for (int p = 1; p <= 6; ++p) {
                HomeBoard more = board;
                ++more[p];
                ASSERT_GE(allOffOf(more).mean(), all.mean() - 1e-3);
            }
        // Next board: count up on point 1 first, carrying into the points above.
        for (int p = 1; p <= 6; ++p) {
            if (n < 15) {
                ++board[p];
                break;
            }
            n -= board[p];
            board[p] = 0;
        }
    }
    EXPECT_EQ(BearoffDatabase::indexOf({0, 16}), -1);
    EXPECT_EQ(BearoffDatabase::indexOf({0, 8, 0, 0, 0, 0, 8}), -1);
}

TEST(BearoffRace, TheRollerWinsTiesAndGammonsCountOnlyWhileTheLoserHasNoneOff) {
    // One checker each on the 6-point: the roller wins unless it misses and the other side does not.
    const Position level = positionOf({{6, -1}, {19, 1}});
    for (const Side roller : {Side::Black, Side::White}) {
        const auto chances = bearoffRaceChances(level, roller);
        ASSERT_TRUE(chances.has_value());
        EXPECT_NEAR(chances->win, 27.0 / 36 + 9.0 / 36 * 9.0 / 36, kNear);
        EXPECT_EQ(chances->winGammon, 0.0);
        EXPECT_EQ(chances->loseGammon, 0.0);
    }
    // White, fifteen on its 6-point, cannot finish before Black's checker on the 6-point: Black's
    // gammon unless Black misses and White's one roll bears a checker off.
    const auto gammon = bearoffRaceChances(positionOf({{6, -1}, {19, 15}}), Side::Black);
    ASSERT_TRUE(gammon.has_value());
    EXPECT_NEAR(gammon->win, 1.0, kNear);
    EXPECT_NEAR(gammon->winGammon, 27.0 / 36 + 9.0 / 36 * 19.0 / 36, kNear);
    EXPECT_NEAR(gammon->equity(), 1.0 + 27.0 / 36 + 9.0 / 36 * 19.0 / 36, kNear);
    // On roll with fifteen on the 6-point against one checker on the 1-point: saved only by
    // bearing a checker off now.
    const auto losing = bearoffRaceChances(positionOf({{24, 1}, {6, -15}}), Side::Black);
    ASSERT_TRUE(losing.has_value());
    EXPECT_NEAR(losing->win, 0.0, kNear);
    EXPECT_NEAR(losing->loseGammon, 19.0 / 36, kNear);
    EXPECT_NEAR(losing->equity(), -1.0 - 19.0 / 36, kNear);
    // Nothing left to the side not on roll: the game is over, a gammon while the roller has none off.
    const auto over = bearoffRaceChances(positionOf({{1, -15}}), Side::Black);
    ASSERT_TRUE(over.has_value());
    EXPECT_NEAR(over->equity(), -2.0, kNear);
    // A checker outside its home board or on the bar leaves the race to other means.
    EXPECT_FALSE(bearoffRaceChances(positionOf({{7, -1}, {19, 1}}), Side::Black).has_value());
    EXPECT_FALSE(bearoffRaceChances(positionOf({{18, 1}, {1, -1}}), Side::White).has_value());
    EXPECT_FALSE(bearoffRaceChances(positionOf({{19, 1}}, 0, 1), Side::White).has_value());
}

namespace {

// The file's own checksum, FNV-1a over every byte before its last eight, put back after a change:
// what a file made to look sound would carry.
void resealed(std::vector<std::uint8_t>& bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (std::size_t i = 0; i + 8 < bytes.size(); ++i) hash = (hash ^ bytes[i]) * 1099511628211ull;
    for (int i = 0; i < 8; ++i) bytes[bytes.size() - 8 + i] = static_cast<std::uint8_t>(hash >> (8 * i));
}

bool sameDistribution(const RollsDistribution& a, const RollsDistribution& b) {
    if (a.first != b.first || a.count != b.count) return false;
    for (int k = 0; k < a.count; ++k)
        if (a.chances[k] != b.chances[k]) return false;
    return true;
}

bool sameTable(const BearoffDatabase& a, const BearoffDatabase& b) {
    for (int index = 0; index < BearoffDatabase::kBoards; ++index)
        if (!sameDistribution(a.allOff(index), b.allOff(index)) || !sameDistribution(a.firstOff(index), b.firstOff(index)))
            return false;
    return true;
}

std::string freshPath(const char* name) {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return ::testing::TempDir() + "/lumaro-" + test->name() + "-" + std::to_string(::getpid()) + "-" + name;
}

}  // namespace

TEST(BearoffFile, AWrittenTableReadsBackTheSame) {
    const std::string path = freshPath("bearoff.bin");
    ASSERT_TRUE(writeFileAtomically(path, table().toBytes()));
    const auto bytes = readFileBytes(path, 16u << 20);
    ASSERT_TRUE(bytes.has_value());
    const auto read = BearoffDatabase::fromBytes(*bytes);
    ASSERT_TRUE(read.has_value());
    EXPECT_TRUE(sameTable(*read, table()));
    std::remove(path.c_str());
}

TEST(BearoffFile, ShortCorruptAndHostileFilesAreRefusedAndTheTableWorkedOut) {
    const std::vector<std::uint8_t> sound = table().toBytes();
    const std::size_t chancesAt = 16 + 2 * BearoffDatabase::kBoards * 6;
    std::vector<std::vector<std::uint8_t>> refused;
    refused.push_back({});
    refused.emplace_back(sound.begin(), sound.end() - 1);           // one byte short
    refused.push_back(sound);
    refused.back().push_back(0);                                   // one byte long
    refused.push_back(sound);
    refused.back()[chancesAt + 101] ^= 0x10;                       // a chance changed, checksum kept
    refused.push_back(sound);
    refused.back()[sound.size() - 1] ^= 0x01;                      // the checksum changed
    refused.push_back(sound);
    refused.back()[0] = 'X';                                       // another file's name
    resealed(refused.back());
    refused.push_back(sound);
    refused.back()[16 + 3] = 0x7f;                                 // a window far past the chances
    resealed(refused.back());
    refused.push_back(sound);
    refused.back()[16 + 5] = 0;                                    // a window with no chance
    resealed(refused.back());
    refused.push_back(sound);
    refused.back()[chancesAt + 1] ^= 0x40;                         // chances adding up to more than 1
    resealed(refused.back());
    for (std::size_t i = 0; i < refused.size(); ++i)
        EXPECT_FALSE(BearoffDatabase::fromBytes(refused[i]).has_value()) << "file " << i;

    // A refused file, or none at all, leaves the table worked out as before.
    const std::string path = freshPath("bearoff.bin");
    ASSERT_TRUE(writeFileAtomically(path, refused[1]));
    EXPECT_TRUE(sameTable(BearoffDatabase::readOrBuild(path), table()));
    std::remove(path.c_str());
}
