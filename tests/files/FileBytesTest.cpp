#include "files/FileBytes.h"

#include <sys/resource.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "persistence/SavedGameFile.h"
#include "persistence/SettingsFile.h"
#include "persistence/TempFolder.h"

namespace lumaro {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uintmax_t kOneGiB = std::uintmax_t{1} << 30;

void writeBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

// `head` followed by zeros up to 1 GiB. The zeros are a hole in the file, so the disk holds none
// of them, but a reader that takes the whole file gets a gigabyte.
std::string hugeFileStartingWith(const testing::TempFolder& folder, const std::string& name, const Bytes& head) {
    const std::string path = folder.file(name);
    writeBytes(path, head);
    std::filesystem::resize_file(path, kOneGiB);
    return path;
}

// Runs `body` in a child process that cannot have more than 256 MiB of address space, as on a
// machine with little memory; the child's exit status says whether `body` returned true.
template <class Body>
[[noreturn]] void exitWithLittleMemory(Body body) {
    const rlimit limit{256u << 20, 256u << 20};
    setrlimit(RLIMIT_AS, &limit);
    std::exit(body() ? 0 : 1);
}

// AddressSanitizer reserves terabytes of address space for its shadow memory, so a process
// limited to 256 MiB cannot even start under it.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

#define SKIP_UNDER_ADDRESS_SANITIZER() \
    if (kAddressSanitizer) GTEST_SKIP() << "a memory limit cannot be set under AddressSanitizer"

template <class Body>
void withLittleMemory(Body body) {
    EXPECT_EXIT(exitWithLittleMemory(body), ::testing::ExitedWithCode(0), "");
}

SavedGame aGame() {
    SavedGame g;
    g.position = startingPosition();
    g.dieA = 6;
    g.dieB = 1;
    g.turn = 0;
    return g;
}

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

TEST(FileBytes, AGigabyteSavedGameIsRefusedWithoutReadingItAll) {
    SKIP_UNDER_ADDRESS_SANITIZER();
    testing::TempFolder folder;
    const auto game = encodeSavedGame(aGame());
    const std::string path = hugeFileStartingWith(folder, "huge.sav", Bytes(game.begin(), game.end()));
    EXPECT_EQ(readFileBytes(path, kSavedGameSize + 1)->size(), kSavedGameSize + 1);
    withLittleMemory([&] {
        const SavedGameResult r = readSavedGame(path);
        return !r.ok && r.error == "The file is too long to be a saved game (more than 58 bytes).";
    });
}

TEST(FileBytes, AGigabyteSettingsFileKeepsItsFields) {
    SKIP_UNDER_ADDRESS_SANITIZER();
    testing::TempFolder folder;
    Options written;
    written.playerName = "Zoe";
    written.computerLevel = Level::Intermediate;
    const std::string path = hugeFileStartingWith(folder, "lm2.ini", encodeSettings(written, Scores{}));
    withLittleMemory([&] {
        Options o;
        Scores s;
        return loadSettings(path, o, s) == SettingsIo::ok && o.playerName == "Zoe" && o.computerLevel == Level::Intermediate;
    });
}

TEST(FileBytes, RunningOutOfMemoryGivesNothingInsteadOfEndingTheProgram) {
    SKIP_UNDER_ADDRESS_SANITIZER();
    testing::TempFolder folder;
    const std::string path = hugeFileStartingWith(folder, "huge", Bytes{1, 2, 3});
    withLittleMemory([&] { return !readFileBytes(path, std::numeric_limits<std::size_t>::max()); });
}

}  // namespace
}  // namespace lumaro
