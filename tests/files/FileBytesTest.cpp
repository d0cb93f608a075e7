#include "files/FileBytes.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/LittleMemory.h"
#include "support/TempFolder.h"

namespace lumaro {
namespace {

TEST(FileBytes, ReadsNoMoreThanAsked) {
    testing::TempFolder folder;
    const std::string path = folder.file("ten");
    writeBytes(path, Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    EXPECT_EQ(readFileBytes(path, 4), (Bytes{1, 2, 3, 4}));
    EXPECT_EQ(readFileBytes(path, 10)->size(), 10u);
    EXPECT_EQ(readFileBytes(path, 11)->size(), 10u);
    EXPECT_EQ(readFileBytes(path, 0)->size(), 0u);
    EXPECT_FALSE(readFileBytes(folder.file("missing"), 10));
    EXPECT_FALSE(readFileBytes(folder.file(""), 10));  // the folder itself
}

std::vector<std::string> namesIn(const testing::TempFolder& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.file("")))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

Bytes bytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

// The files beside the one written are the player's: one with the name a careless writer would take
// for its temporary file is left alone, and a link under that name leads nowhere the game writes.
TEST(FileBytes, AWriteTouchesNoOtherFileBesideIts) {
    testing::TempFolder folder;
    writeBytes(folder.file("rec.mat.tmp"), bytesOf("mine"));
    writeBytes(folder.file("victim.txt"), bytesOf("victim"));
    std::filesystem::create_symlink("victim.txt", folder.file("other.mat.tmp"));

    std::string whyNot;
    ASSERT_TRUE(writeFileAtomically(folder.file("rec.mat"), bytesOf("record"), &whyNot)) << whyNot;
    ASSERT_TRUE(writeFileAtomically(folder.file("other.mat"), bytesOf("other"), &whyNot)) << whyNot;
    ASSERT_TRUE(writeFileAtomically(folder.file("rec.mat"), bytesOf("again"), &whyNot)) << whyNot;

    EXPECT_EQ(readFileBytes(folder.file("rec.mat.tmp"), 100), bytesOf("mine"));
    EXPECT_EQ(readFileBytes(folder.file("victim.txt"), 100), bytesOf("victim"));
    EXPECT_EQ(std::filesystem::read_symlink(folder.file("other.mat.tmp")), "victim.txt");
    EXPECT_FALSE(std::filesystem::is_symlink(folder.file("other.mat")));
    EXPECT_EQ(readFileBytes(folder.file("rec.mat"), 100), bytesOf("again"));
    EXPECT_EQ(readFileBytes(folder.file("other.mat"), 100), bytesOf("other"));
    EXPECT_EQ(namesIn(folder), (std::vector<std::string>{"other.mat", "other.mat.tmp", "rec.mat", "rec.mat.tmp", "victim.txt"}));
}

TEST(FileBytes, RunningOutOfMemoryGivesNothingInsteadOfEndingTheProgram) {
    SKIP_UNDER_ADDRESS_SANITIZER();
    testing::TempFolder folder;
    const std::string path = hugeFileStartingWith(folder, "huge", Bytes{1, 2, 3});
    withLittleMemory([&] { return !readFileBytes(path, std::numeric_limits<std::size_t>::max()); });
}

}  // namespace
}  // namespace lumaro
