#include "persistence/SavedGameFile.h"

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "files/FileBytes.h"
#include "support/TempFolder.h"

namespace lumaro {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A possible game whose bar and tray counts all differ, so swapped offsets show.
SavedGame midGame() {
    SavedGame g;
    g.position = startingPosition();
    g.position.count[19] = 0;  // its five white checkers: four off, one on the bar
    g.position.offWhite = 4;
    g.position.barWhite = 1;
    g.position.count[6] = 0;  // its five black checkers: two off, three on the bar
    g.position.offBlack = 2;
    g.position.barBlack = 3;
    g.dieA = 3;
    g.dieB = 5;
    g.turn = 1;
    g.cubeValue = 4;
    g.cubeOwnerWhite = 1;
    g.cubeEnabled = 0;
    return g;
}

Bytes bytesOf(const SavedGame& g) {
    const auto a = encodeSavedGame(g);
    return Bytes(a.begin(), a.end());
}

TEST(SavedGame, FieldsSitAtTheirOffsets) {
    const Bytes b = bytesOf(midGame());
    EXPECT_EQ(b[0], 2);       // point 1
    EXPECT_EQ(b[11], 5);      // point 12
    EXPECT_EQ(b[23], 2);      // point 24
    EXPECT_EQ(b[24], kWhite);
    EXPECT_EQ(b[24 + 12], kBlack);  // point 13
    EXPECT_EQ(b[47], kBlack);
    EXPECT_EQ(Bytes(b.begin() + 48, b.end()), (Bytes{3, 5, 1, 4, 2, 1, 3, 4, 1, 0}));
}

TEST(SavedGame, RoundTripIsExact) {
    const SavedGame g = midGame();
    const SavedGameResult r = decodeSavedGame(bytesOf(g));
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_TRUE(r.game.position.sameCheckersAs(g.position));
    EXPECT_EQ(bytesOf(r.game), bytesOf(g));  // including the colours of empty points
}

TEST(SavedGame, OnlyAFileOfExactly58BytesIsAGame) {
    Bytes bytes = bytesOf(midGame());
    bytes.push_back(0);  // one byte too many, even a zero
    SavedGameResult r = decodeSavedGame(bytes);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "The file is too long to be a saved game (more than 58 bytes).");
    bytes.resize(57);
    r = decodeSavedGame(bytes);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "The file is too short to be a saved game (57 bytes, 58 needed).");
    EXPECT_FALSE(decodeSavedGame(Bytes{}).ok);
    EXPECT_TRUE(decodeSavedGame(bytesOf(midGame())).ok);
}

TEST(SavedGame, OddColourOfAnEmptyPointIsCleared) {
    Bytes bytes = bytesOf(midGame());
    bytes[24 + 18] = 9;  // point 19 is empty
    const SavedGameResult r = decodeSavedGame(bytes);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.game.position.colour[19], 0);
}

struct Refusal {
    std::size_t offset;
    std::uint8_t value;
    const char* error;
};

TEST(SavedGame, ImpossibleGamesAreRefusedNamingTheRule) {
    const Refusal refusals[] = {
        {0, 1, "White has 14 checkers instead of 15."},
        {54, 4, "Black has 16 checkers instead of 15."},
        {24 + 0, 0, "White has 13 checkers instead of 15."},  // point 1 turned black
        {6, 16, "Point 7 holds 16 checkers."},
        {11, 200, "Point 12 holds 200 checkers."},
        {24 + 11, 2, "Point 12 has colour byte 2."},
        {48, 0, "The dice 0 and 5 are not both between 1 and 6."},
        {49, 7, "The dice 3 and 7 are not both between 1 and 6."},
        {50, 2, "The turn byte is 2."},
        {55, 3, "The cube value 3 is not a power of two from 1 to 64."},
        {55, 0, "The cube value 0 is not a power of two from 1 to 64."},
        {55, 128, "The cube value 128 is not a power of two from 1 to 64."},
        {56, 2, "The cube owner byte is 2."},
        {56, 255, "The cube owner byte is 255."},
        {57, 2, "The doubling cube byte is 2."},
        {50, 255, "The turn byte is 255."},
    };
    for (const Refusal& c : refusals) {
        SCOPED_TRACE(c.error);
        Bytes bytes = bytesOf(midGame());
        bytes[c.offset] = c.value;
        const SavedGameResult r = decodeSavedGame(bytes);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.error, c.error);
    }
}

TEST(SavedGame, BothSidesBorneOffIsRefused) {
    // The game ends when the first side is off; loading this would book a win out of nothing.
    Bytes bytes(48, 0);
    bytes.insert(bytes.end(), {3, 1, 1, 15, 15, 0, 0, 1, 0, 1});
    const SavedGameResult r = decodeSavedGame(bytes);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "Both sides have borne off all 15 checkers.");

    // One side off is a finished game, which loading shows as won.
    SavedGame whiteOff;
    whiteOff.position.offWhite = 15;
    whiteOff.position.count[1] = 15;
    whiteOff.position.colour[1] = kBlack;
    whiteOff.dieA = whiteOff.dieB = 2;
    EXPECT_TRUE(decodeSavedGame(bytesOf(whiteOff)).ok);
}

TEST(SavedGame, FileRoundTripAndMissingFile) {
    testing::TempFolder folder;
    const std::string path = folder.file("game.sav");
    ASSERT_TRUE(writeSavedGame(path, midGame()));
    EXPECT_EQ(std::filesystem::file_size(path), kSavedGameSize);
    const SavedGameResult r = readSavedGame(path);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(bytesOf(r.game), bytesOf(midGame()));

    const SavedGameResult missing = readSavedGame(folder.file("none.sav"));
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.error.rfind("Cannot open ", 0), 0u) << missing.error;
}

TEST(SavedGame, FailedSaveKeepsTheEarlierFile) {
    testing::TempFolder folder;
    const std::string path = folder.file("game.sav");
    ASSERT_TRUE(writeSavedGame(path, midGame()));
    SavedGame other = midGame();
    other.dieA = 6;

    EXPECT_FALSE(writeSavedGame(path + "/game.sav", other));  // the folder is a file
    const SavedGameResult r = readSavedGame(path);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.game.dieA, 3);
}

}  // namespace
}  // namespace lumaro
