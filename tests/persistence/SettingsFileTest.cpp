#include "persistence/SettingsFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "files/FileBytes.h"
#include "support/TempFolder.h"

namespace lumaro {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Every option away from its default, so a field that is dropped or misplaced shows.
// What the folder of `path` holds, by name.
std::vector<std::string> namesBeside(const std::string& path) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(path).parent_path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

Options everythingChanged() {
    Options o;
    o.checkerSpeed = 16;
    o.checkerColours = 3;
    o.homeRight = o.showBarDots = o.showBarNumbers = o.cubeEnabled = o.crawfordRule = false;
    o.jacobyRule = o.matchPlay = o.alternateFirstMove = o.modernSkin = true;
    o.matchLength = 200;
    o.normalNet = o.showBorneOff = o.showPipCount = o.soundFx = o.localPlay = o.automaticDice = false;
    o.humanOpponent = o.listenOption = o.showLocalTime = o.showGameDuration = true;
    o.chatKeyEnabled = o.autohideChat = true;
    o.attackSlider = -2;
    o.riskSlider = 2;
    o.strategySlider = -1;
    o.computerLevel = Level::Expert;
    o.doublesAlwaysAccepted = o.noBackgammonScoring = o.slowThinking = true;
    o.playerName = "Ann";
    o.remoteAddress = "10.0.0.1";
    return o;
}

Scores someScores() {
    Scores s;
    // Within the match length of everythingChanged(): a score past it is not kept.
    s.whiteMatchScore = 197;
    s.blackMatchScore = 198;
    s.whiteMatchesWon = 0x0506;
    s.blackMatchesWon = 0x0708;
    s.blackPointsTotal = 0x0A0B0C0D;
    s.whitePointsTotal = 0x11121314;
    s.blackGamesWon = 0x1516;
    s.whiteGamesWon = 0x1718;
    return s;
}

TEST(SettingsFile, DefaultsMakeTheSixtyOneByteFile) {
    const Bytes bytes = encodeSettings(Options{}, Scores{});
    ASSERT_EQ(bytes.size(), kDefaultSettingsFileSize);
    EXPECT_EQ(bytes[0], 10);
    EXPECT_EQ(bytes[1], 0);
    EXPECT_EQ(bytes[2], 1);
    EXPECT_EQ(bytes[33], 1);
    EXPECT_EQ(bytes[53], 6);
    EXPECT_EQ(std::string(bytes.begin() + 54, bytes.begin() + 60), "Master");
    EXPECT_EQ(bytes[60], 0);
}

TEST(SettingsFile, NumbersScoresAndNamesSitAtTheirOffsets) {
    Options o = everythingChanged();
    o.checkerSpeed = 10000;
    const Bytes b = encodeSettings(o, someScores());
    ASSERT_EQ(b.size(), 55u + 3 + 8);
    EXPECT_EQ(b[0], 0x10);  // 10000 little-endian
    EXPECT_EQ(b[1], 0x27);
    EXPECT_EQ(b[2], 3);
    EXPECT_EQ(b[33], 3);  // the colour scheme is written twice
    EXPECT_EQ(b[10], 200);
    EXPECT_EQ(Bytes(b.begin() + 11, b.begin() + 19),
              (Bytes{197, 0x00, 198, 0x00, 0x06, 0x05, 0x08, 0x07}));
    EXPECT_EQ(Bytes(b.begin() + 19, b.begin() + 23), (Bytes{0x0D, 0x0C, 0x0B, 0x0A}));  // Black
    EXPECT_EQ(Bytes(b.begin() + 23, b.begin() + 27), (Bytes{0x14, 0x13, 0x12, 0x11}));  // White
    EXPECT_EQ(Bytes(b.begin() + 27, b.begin() + 31), (Bytes{0x16, 0x15, 0x18, 0x17}));
    EXPECT_EQ(b[46], 0xFE);  // sliders are signed
    EXPECT_EQ(b[47], 2);
    EXPECT_EQ(b[48], 0xFF);
    EXPECT_EQ(b[49], 3);
    EXPECT_EQ(b[53], 3);
    EXPECT_EQ(std::string(b.begin() + 54, b.begin() + 57), "Ann");
    EXPECT_EQ(b[57], 8);
    EXPECT_EQ(std::string(b.begin() + 58, b.end()), "10.0.0.1");
}

struct FlagCase {
    const char* name;
    std::size_t offset;
    bool Options::*field;
};

const FlagCase kFlags[] = {
    {"homeRight", 3, &Options::homeRight},
    {"showBarDots", 4, &Options::showBarDots},
    {"showBarNumbers", 5, &Options::showBarNumbers},
    {"cubeEnabled", 6, &Options::cubeEnabled},
    {"crawfordRule", 7, &Options::crawfordRule},
    {"jacobyRule", 8, &Options::jacobyRule},
    {"matchPlay", 9, &Options::matchPlay},
    {"alternateFirstMove", 31, &Options::alternateFirstMove},
    {"modernSkin", 32, &Options::modernSkin},
    {"normalNet", 34, &Options::normalNet},
    {"showBorneOff", 35, &Options::showBorneOff},
    {"showPipCount", 36, &Options::showPipCount},
    {"soundFx", 37, &Options::soundFx},
    {"humanOpponent", 38, &Options::humanOpponent},
    {"localPlay", 39, &Options::localPlay},
    {"listenOption", 40, &Options::listenOption},
    {"automaticDice", 41, &Options::automaticDice},
    {"showLocalTime", 42, &Options::showLocalTime},
    {"showGameDuration", 43, &Options::showGameDuration},
    {"chatKeyEnabled", 44, &Options::chatKeyEnabled},
    {"autohideChat", 45, &Options::autohideChat},
    {"doublesAlwaysAccepted", 50, &Options::doublesAlwaysAccepted},
    {"noBackgammonScoring", 51, &Options::noBackgammonScoring},
    {"slowThinking", 52, &Options::slowThinking},
};

// Flags all hold 0 or 1, so only flipping them one at a time shows two swapped offsets.
TEST(SettingsFile, EachFlagOwnsItsByteBothWays) {
    const Bytes defaults = encodeSettings(Options{}, Scores{});
    for (const FlagCase& c : kFlags) {
        SCOPED_TRACE(c.name);
        Options flipped;
        flipped.*c.field = !(flipped.*c.field);
        const Bytes bytes = encodeSettings(flipped, Scores{});
        ASSERT_EQ(bytes.size(), defaults.size());
        for (std::size_t i = 0; i < bytes.size(); ++i)
            EXPECT_EQ(bytes[i] != defaults[i], i == c.offset) << "offset " << i;

        Options read;
        Scores scores;
        EXPECT_TRUE(decodeSettings(bytes, read, scores));
        EXPECT_EQ(read.*c.field, flipped.*c.field);
    }
}

TEST(SettingsFile, RoundTripKeepsEveryField) {
    const Bytes bytes = encodeSettings(everythingChanged(), someScores());
    Options o;
    Scores s;
    EXPECT_TRUE(decodeSettings(bytes, o, s));
    EXPECT_EQ(encodeSettings(o, s), bytes);
    EXPECT_EQ(o.playerName, "Ann");
    EXPECT_EQ(s.blackPointsTotal, 0x0A0B0C0Du);
}

TEST(SettingsFile, ColourSchemeStoredTwiceTheSecondCopyWins) {
    Bytes bytes = encodeSettings(Options{}, Scores{});
    bytes[2] = 2;
    bytes[33] = 3;
    Options o;
    Scores s;
    decodeSettings(bytes, o, s);
    EXPECT_EQ(o.checkerColours, 3);

    // A file that ends before the second copy keeps the first one, still range-checked.
    decodeSettings(Bytes(bytes.begin(), bytes.begin() + 20), o, s);
    EXPECT_EQ(o.checkerColours, 2);
    bytes[2] = 9;
    o.checkerColours = 3;
    decodeSettings(Bytes(bytes.begin(), bytes.begin() + 20), o, s);
    EXPECT_EQ(o.checkerColours, 1);
}

TEST(SettingsFile, ShortFileLeavesTheUnreadFieldsAlone) {
    const Options before = everythingChanged();
    const Scores beforeScores = someScores();
    const Bytes full = encodeSettings(Options{}, Scores{});

    // The file ends inside blackPointsTotal (offsets 19..22).
    Options o = before;
    Scores s = beforeScores;
    EXPECT_FALSE(decodeSettings(Bytes(full.begin(), full.begin() + 21), o, s));
    EXPECT_EQ(o.checkerSpeed, 10);
    EXPECT_EQ(o.matchLength, 3);
    EXPECT_EQ(s.blackMatchesWon, 0);
    EXPECT_EQ(s.blackPointsTotal, beforeScores.blackPointsTotal);
    EXPECT_EQ(s.whiteGamesWon, beforeScores.whiteGamesWon);
    EXPECT_EQ(o.checkerColours, 1);  // the first copy was read
    EXPECT_EQ(o.soundFx, before.soundFx);
    EXPECT_EQ(o.playerName, before.playerName);

    // Every possible cut: only the whole file counts as complete.
    for (std::size_t n = 0; n <= full.size(); ++n) {
        Options cut = before;
        Scores cutScores = beforeScores;
        EXPECT_EQ(decodeSettings(Bytes(full.begin(), full.begin() + n), cut, cutScores),
                  n == full.size())
            << n << " bytes";
    }
}

struct RangeCase {
    const char* name;
    std::size_t offset;
    std::uint8_t bad;
    int (*get)(const Options&);
};

const RangeCase kOutOfRange[] = {
    {"checkerSpeed 11", 0, 11, [](const Options& o) { return int{o.checkerSpeed}; }},
    {"checkerColours 0", 33, 0, [](const Options& o) { return int{o.checkerColours}; }},
    {"checkerColours 4", 33, 4, [](const Options& o) { return int{o.checkerColours}; }},
    {"homeRight 2", 3, 2, [](const Options& o) { return int{o.homeRight}; }},
    {"matchPlay 255", 9, 255, [](const Options& o) { return int{o.matchPlay}; }},
    {"matchLength 0", 10, 0, [](const Options& o) { return int{o.matchLength}; }},
    {"normalNet 2", 34, 2, [](const Options& o) { return int{o.normalNet}; }},
    {"attackSlider 3", 46, 3, [](const Options& o) { return int{o.attackSlider}; }},
    {"riskSlider -3", 47, 0xFD, [](const Options& o) { return int{o.riskSlider}; }},
    {"strategySlider -128", 48, 0x80, [](const Options& o) { return int{o.strategySlider}; }},
    {"computerLevel 0", 49, 0, [](const Options& o) { return levelNumber(o.computerLevel); }},
    {"computerLevel 4", 49, 4, [](const Options& o) { return levelNumber(o.computerLevel); }},
    {"slowThinking 7", 52, 7, [](const Options& o) { return int{o.slowThinking}; }},
};

TEST(SettingsFile, OutOfRangeValueTakesItsDefault) {
    const Options changed = everythingChanged();
    const Bytes good = encodeSettings(changed, Scores{});
    for (const RangeCase& c : kOutOfRange) {
        SCOPED_TRACE(c.name);
        ASSERT_NE(c.get(changed), c.get(Options{}));
        Bytes bytes = good;
        bytes[c.offset] = c.bad;
        Options o = changed;
        Scores s;
        EXPECT_TRUE(decodeSettings(bytes, o, s));
        EXPECT_EQ(c.get(o), c.get(Options{}));
        EXPECT_EQ(o.playerName, changed.playerName);  // later fields still line up
    }
}

// A match score that reached the match length would have ended the match: such a file (edited by
// hand, or from before the length was lowered) gives a score of 0, never one the IDs cannot spell.
TEST(SettingsFile, MatchScoresPastTheMatchLengthTakeTheirDefault) {
    struct Case {
        int length, white, black;  // as written
        int wantWhite, wantBlack;  // as read
    };
    const Case cases[] = {
        {3, 200, 65535, 0, 0},
        {3, 2, 3, 2, 0},      // the last score below the length is kept
        {1, 0, 1, 0, 0},
        {255, 254, 255, 254, 0},
        {0, 2, 3, 2, 0},      // a length out of range is the default 3, and the scores are held to that
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.length) + " " + std::to_string(c.white) + "-" + std::to_string(c.black));
        Options o = everythingChanged();
        Scores s = someScores();
        s.whiteMatchScore = static_cast<std::uint16_t>(c.white);
        s.blackMatchScore = static_cast<std::uint16_t>(c.black);
        Bytes bytes = encodeSettings(o, s);
        bytes[10] = static_cast<std::uint8_t>(c.length);
        Options read;
        Scores got;
        EXPECT_TRUE(decodeSettings(bytes, read, got));
        EXPECT_EQ(got.whiteMatchScore, c.wantWhite);
        EXPECT_EQ(got.blackMatchScore, c.wantBlack);
        EXPECT_EQ(got.whiteMatchesWon, s.whiteMatchesWon);  // the fields after them still line up
        EXPECT_EQ(read.playerName, o.playerName);
    }
}

TEST(SettingsFile, OverlongOrCutOffNamesTakeTheirDefaults) {
    Bytes fixed = encodeSettings(everythingChanged(), Scores{});
    fixed.resize(53);
    const std::string longName(21, 'x');

    // Too long for the field, yet the address after it is still found.
    Bytes bytes = fixed;
    bytes.push_back(21);
    bytes.insert(bytes.end(), longName.begin(), longName.end());
    bytes.push_back(16);
    bytes.insert(bytes.end(), 16, '1');
    Options o = everythingChanged();
    Scores s;
    EXPECT_TRUE(decodeSettings(bytes, o, s));
    EXPECT_EQ(o.playerName, "Master");
    EXPECT_EQ(o.remoteAddress, "");

    // The name's length runs past the end: it takes its default, the address stays.
    bytes = fixed;
    bytes.push_back(10);
    bytes.insert(bytes.end(), {'A', 'n', 'n'});
    o = everythingChanged();
    EXPECT_FALSE(decodeSettings(bytes, o, s));
    EXPECT_EQ(o.playerName, "Master");
    EXPECT_EQ(o.remoteAddress, "10.0.0.1");
}

TEST(SettingsFile, OverlongNamesAreCutWhenWritten) {
    Options o;
    o.playerName = std::string(25, 'n');
    o.remoteAddress = "192.168.100.200.7";
    const Bytes bytes = encodeSettings(o, Scores{});
    ASSERT_EQ(bytes.size(), 55u + 20 + 15);
    EXPECT_EQ(bytes[53], 20);
    EXPECT_EQ(bytes[74], 15);
    Options read;
    Scores s;
    EXPECT_TRUE(decodeSettings(bytes, read, s));
    EXPECT_EQ(read.playerName, std::string(20, 'n'));
    EXPECT_EQ(read.remoteAddress, "192.168.100.200");
}

TEST(SettingsFile, ANameWithAccentsIsKeptOneByteACharacter) {
    Options o;
    o.playerName = "\u00c8ve-H\u00e9l\u00e8ne M\u00fcller \u00d8y";  // 20 characters, 25 bytes of UTF-8
    const Bytes bytes = encodeSettings(o, Scores{});
    ASSERT_EQ(bytes.size(), 53u + 1 + 20 + 1);
    EXPECT_EQ(bytes[53], 20);
    EXPECT_EQ(bytes[54], 0xC8);  // È in Latin-1
    Options read;
    Scores s;
    EXPECT_TRUE(decodeSettings(bytes, read, s));
    EXPECT_EQ(read.playerName, o.playerName);
}

TEST(SettingsFile, MissingFileGivesDefaultsAndCreatesNothing) {
    testing::TempFolder folder;
    const std::string path = folder.file("lm2.ini");
    Options o = everythingChanged();
    Scores s = someScores();
    EXPECT_EQ(loadSettings(path, o, s), SettingsIo::missing);
    EXPECT_EQ(encodeSettings(o, s), encodeSettings(Options{}, Scores{}));
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(SettingsFile, SavedScoresSurviveARestart) {
    testing::TempFolder folder;
    const std::string path = folder.file("lm2.ini");
    ASSERT_TRUE(saveSettingsFile(path, everythingChanged(), someScores()));
    EXPECT_EQ(namesBeside(path), std::vector<std::string>{"lm2.ini"});
    Options o;
    Scores s;
    EXPECT_EQ(loadSettings(path, o, s), SettingsIo::ok);
    EXPECT_EQ(encodeSettings(o, s), encodeSettings(everythingChanged(), someScores()));

    testing::writeText(path, "abc");
    EXPECT_EQ(loadSettings(path, o, s), SettingsIo::shortFile);
}

TEST(SettingsFile, TheLongestFileTheFieldsAllowIsReadToItsEnd) {
    // Both strings at their longest length byte: too long for their fields, so their defaults are
    // taken, but the reader walks past them to the end and the file is whole.
    Bytes bytes = encodeSettings(everythingChanged(), someScores());
    bytes.resize(53);
    for (int text = 0; text < 2; ++text) {
        bytes.push_back(255);
        bytes.insert(bytes.end(), 255, 'q');
    }
    ASSERT_EQ(bytes.size(), kLargestSettingsFile);
    bytes.insert(bytes.end(), 1000, 7);  // and whatever follows, never looked at
    testing::TempFolder folder;
    const std::string path = folder.file("lm2.ini");
    testing::writeText(path, std::string(bytes.begin(), bytes.end()));
    Options o = everythingChanged();
    Scores s;
    EXPECT_EQ(loadSettings(path, o, s), SettingsIo::ok);
    EXPECT_EQ(o.playerName, Options{}.playerName);
    EXPECT_EQ(o.remoteAddress, Options{}.remoteAddress);
    EXPECT_EQ(levelNumber(o.computerLevel), 3);
    EXPECT_EQ(s.whiteGamesWon, someScores().whiteGamesWon);
}

TEST(SettingsFile, FailedSaveKeepsTheEarlierFile) {
    testing::TempFolder folder;
    const std::string path = folder.file("lm2.ini");
    ASSERT_TRUE(saveSettingsFile(path, everythingChanged(), someScores()));
    const std::string earlier = testing::readText(path);

    // The folder is a regular file.
    EXPECT_FALSE(saveSettingsFile(path + "/lm2.ini", Options{}, Scores{}));
    EXPECT_EQ(testing::readText(path), earlier);
}

TEST(SettingsFile, FailedRenameLeavesNoTemporaryFile) {
    testing::TempFolder folder;
    const std::string path = folder.file("lm2.ini");
    std::filesystem::create_directories(path + "/inside");
    EXPECT_FALSE(saveSettingsFile(path, Options{}, Scores{}));
    EXPECT_EQ(namesBeside(path), std::vector<std::string>{"lm2.ini"});
    Options o;
    Scores s;
    EXPECT_EQ(loadSettings(path, o, s), SettingsIo::readFailed);
}

TEST(SettingsStore, AFileThatCouldNotBeReadIsNeverWrittenOver) {
    testing::TempFolder folder;
    const std::string path = folder.file("lm2.ini");
    // Three files that are there but give no settings, each checked as it is left: a pipe, a
    // link that leads round in a circle, and (for anyone but root) a file nobody may read.
    struct Unreadable {
        const char* what;
        std::function<void()> make;
        std::function<bool()> untouched;
    };
    const std::vector<Unreadable> cases = {
        {"a pipe", [&] { ASSERT_EQ(mkfifo(path.c_str(), 0600), 0); },
         [&] { return std::filesystem::is_fifo(path); }},
        {"a loop of links", [&] { std::filesystem::create_symlink(path, path); },
         [&] { return std::filesystem::read_symlink(path) == path; }},
        {"mode 000",
         [&] {
             testing::writeText(path, std::string(61, 'k'));
             std::filesystem::permissions(path, std::filesystem::perms::none);
         },
         [&] { return std::filesystem::file_size(path) == 61; }},
    };
    for (const Unreadable& c : cases) {
        SCOPED_TRACE(c.what);
        if (std::string(c.what) == "mode 000" && geteuid() == 0) continue;  // root reads it anyway
        std::filesystem::remove(path);
        c.make();
        SettingsStore store(path);
        Options o = everythingChanged();
        Scores s = someScores();
        EXPECT_EQ(store.load(o, s), SettingsIo::readFailed);
        EXPECT_FALSE(store.readError().empty());
        EXPECT_EQ(encodeSettings(o, s), encodeSettings(everythingChanged(), someScores()));  // nothing changed
        EXPECT_TRUE(store.writeRefused());
        EXPECT_FALSE(store.save(Options{}, Scores{}));
        EXPECT_TRUE(c.untouched());
        EXPECT_EQ(namesBeside(path), std::vector<std::string>{"lm2.ini"});
    }
}

TEST(SettingsStore, AMissingOrReadableFileIsWritten) {
    testing::TempFolder folder;
    const std::string path = folder.file("lm2.ini");
    SettingsStore store(path);
    Options o;
    Scores s;
    EXPECT_EQ(store.load(o, s), SettingsIo::missing);
    o.playerName = "First";
    EXPECT_TRUE(store.save(o, s));
    EXPECT_EQ(store.load(o, s), SettingsIo::ok);
    o.playerName = "Second";
    EXPECT_TRUE(store.save(o, s));
    testing::writeText(path, "abc");  // a short file was read: writing it whole mends it
    EXPECT_EQ(store.load(o, s), SettingsIo::shortFile);
    EXPECT_TRUE(store.save(everythingChanged(), someScores()));
    EXPECT_EQ(store.load(o, s), SettingsIo::ok);
    EXPECT_EQ(encodeSettings(o, s), encodeSettings(everythingChanged(), someScores()));
}

}  // namespace
}  // namespace lumaro
