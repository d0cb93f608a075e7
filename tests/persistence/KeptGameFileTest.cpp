// The game kept at EXIT: its round trip, and a broken file refused with its reason and put aside
// under a name of its own, never over another file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "persistence/KeptGameFile.h"
#include "support/TempFolder.h"

using namespace lumaro;
using lumaro::testing::TempFolder;

namespace {

KeptGame keptGame() {
    KeptGame kept;
    kept.game.position = startingPosition();
    kept.game.dieA = 6;
    kept.game.dieB = 2;
    kept.game.turn = 1;
    kept.game.cubeValue = 4;
    kept.game.cubeOwnerWhite = 0;
    kept.crawfordGame = true;
    return kept;
}

void writeBytes(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

TEST(KeptGameFile, AKeptGameComesBackWholeOnceAndIsGoneWhenForgotten) {
    TempFolder folder;
    KeptGameFile file(folder.file("kept-game.lm2"));
    EXPECT_FALSE(file.take().has_value());
    std::string whyNot;
    ASSERT_TRUE(file.keep(keptGame(), whyNot)) << whyNot;
    const std::optional<KeptGameResult> back = file.take();
    ASSERT_TRUE(back && back->ok) << (back ? back->error : "none");
    EXPECT_TRUE(back->game.game.position.sameCheckersAs(startingPosition()));
    EXPECT_EQ(back->game.game.dieA, 6);
    EXPECT_EQ(back->game.game.dieB, 2);
    EXPECT_EQ(back->game.game.cubeValue, 4);
    EXPECT_TRUE(back->game.crawfordGame);
    file.forget();
    EXPECT_FALSE(file.exists());
}

// EXIT tells the player the game is kept only when it is: a write that cannot be made says so.
TEST(KeptGameFile, AWriteThatFailsIsReportedWithItsReason) {
    TempFolder folder;
    std::filesystem::create_directory(folder.file("a-folder"));
    for (const std::string& path : {folder.file("no-such-folder/kept-game.lm2"), folder.file("a-folder")}) {
        KeptGameFile file(path);
        std::string whyNot;
        EXPECT_FALSE(file.keep(keptGame(), whyNot)) << path;
        EXPECT_FALSE(whyNot.empty()) << path;
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder.file("a-folder")));
}

TEST(KeptGameFile, ABrokenFileIsRefusedAndPutAsideBesideAnEarlierBrokenOne) {
    TempFolder folder;
    const std::string path = folder.file("kept-game.lm2");
    KeptGameFile file(path);
    const std::vector<std::uint8_t> encoded = encodeKeptGame(keptGame());
    const std::string good(encoded.begin(), encoded.end());
    std::string crawfordThree = good;
    crawfordThree[5] = 3;
    std::string sixteen = good;
    sixteen[6] = 16;  // sixteen checkers on the first point of the saved game
    const std::string cases[] = {"", good.substr(0, good.size() - 1), good + "x", "LM2X" + good.substr(4), crawfordThree, sixteen};
    int aside = 0;
    for (const std::string& bytes : cases) {
        writeBytes(path, bytes);
        const std::optional<KeptGameResult> back = file.take();
        ASSERT_TRUE(back.has_value());
        EXPECT_FALSE(back->ok);
        EXPECT_FALSE(back->error.empty());
        ++aside;
        const std::string expected = path + ".broken" + (aside == 1 ? "" : "-" + std::to_string(aside));
        EXPECT_EQ(back->setAsideAs, expected);
        std::ifstream kept(expected, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), bytes) << "the player's bytes are kept as they were";
        EXPECT_FALSE(file.exists());
        const KeptGameRefusal refusal = keptGameRefusal(*back, path);
        EXPECT_EQ(refusal.line1, "The kept game could not be read.");
        const std::string name = "kept-game.lm2.broken" + (aside == 1 ? "" : "-" + std::to_string(aside));
        EXPECT_NE(refusal.line2.find("The file is now " + name + " in " + std::filesystem::path(path).parent_path().string() + "."), std::string::npos) << refusal.line2;
    }
}

TEST(KeptGameFile, AKeptGameOfANewerVersionIsSaidToBeSoAndPutAsideForIt) {
    TempFolder folder;
    const std::string path = folder.file("kept-game.lm2");
    KeptGameFile file(path);
    const std::vector<std::uint8_t> encoded = encodeKeptGame(keptGame());
    std::string later(encoded.begin(), encoded.end());
    later[4] = 2;
    later += "more of a later format";
    writeBytes(path, later);
    const std::optional<KeptGameResult> back = file.take();
    ASSERT_TRUE(back.has_value());
    EXPECT_FALSE(back->ok);
    EXPECT_TRUE(back->newerVersion);
    EXPECT_EQ(back->setAsideAs, path + ".newer");
    std::ifstream kept(path + ".newer", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), later);
    const KeptGameRefusal refusal = keptGameRefusal(*back, path);
    EXPECT_EQ(refusal.line1, "The kept game was made by a newer version.");
    EXPECT_EQ(refusal.line2, "The file is now kept-game.lm2.newer in " + std::filesystem::path(path).parent_path().string() + ".");
}

}  // namespace
