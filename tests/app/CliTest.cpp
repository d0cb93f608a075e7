#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>
#include <sys/wait.h>

#include "persistence/SavedGameFile.h"
#include "persistence/SettingsFile.h"
#include "support/TempFolder.h"
#include "support/Positions.h"

using namespace lumaro;
using lumaro::testing::positionOf;

namespace {

struct CliRun {
    int status;
    std::string out;
};

// What a shell command writes to stdout, or with `errors` to stderr instead.
CliRun runCommand(const std::string& line, bool errors) {
    const std::string command = line + (errors ? " 2>&1 >/dev/null" : " 2>/dev/null");
    FILE* pipe = popen(command.c_str(), "r");
    CliRun run{-1, {}};
    if (!pipe) return run;
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe)) run.out += buffer;
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}

// What the tool writes to stdout, or with `errors` to stderr instead.
CliRun runCli(const std::string& args, bool errors = false) { return runCommand(std::string(LUMARO_CLI) + " " + args, errors); }

// The tests' files lie in a folder of this run's own, removed at exit.
std::string tempFile(const std::string& name) {
    static const lumaro::testing::TempFolder folder;
    return folder.file(name);
}

std::string writeGame(const std::string& name, const SavedGame& game) {
    const std::string path = tempFile(name);
    const auto bytes = encodeSavedGame(game);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return path;
}

SavedGame gameOf(const Position& pos, Byte dieA, Byte dieB, Byte turn) {
    SavedGame game;
    game.position = pos;
    game.dieA = dieA;
    game.dieB = dieB;
    game.turn = turn;
    game.cubeValue = 1;
    game.cubeOwnerWhite = 0;
    game.cubeEnabled = 1;
    return game;
}

TEST(CliHelp, HelpAndVersionGoToStandardOutputWithSuccessAMistakeToStandardErrorWithTwo) {
    const CliRun help = runCli("--help");
    EXPECT_EQ(help.status, 0);
    for (const char* command : {"info", "choose", "hint", "measure", "id", "cube", "bench", "selfplay"})
        EXPECT_NE(help.out.find(std::string("lumaro-cli ") + command + " "), std::string::npos) << command;
    const CliRun hint = runCli("hint --help");
    EXPECT_EQ(hint.status, 0);
    EXPECT_EQ(hint.out, "usage: lumaro-cli hint GAME.sav [--nets DIR] [--depth 0|1|2]\n");
    const CliRun version = runCli("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("lumaro-cli 2.", 0), 0u) << version.out;
    const CliRun wrong = runCli("hint --depth 7 x.sav", true);
    EXPECT_EQ(wrong.status, 2);
    EXPECT_NE(wrong.out.find("usage"), std::string::npos);
    EXPECT_EQ(runCli("nonsense").out, "");  // nothing on standard output
}

// The game itself answers its command line before it opens a display or asks for a running copy:
// with no display to be had, a Qt start would abort instead.
TEST(GameCommandLine, AnUnknownOptionPrintsTheUsageOnStandardErrorAndExitsWithTwo) {
    const std::string game = std::string("QT_QPA_PLATFORM=no-such-display ") + LUMARO_PROGRAM;
    // A saved game is one file that is there: a name of nothing, a folder or a second file is a
    // mistake on the command line, and the first unknown option is the one named.
    const std::string saved = writeGame("to-open.sav", gameOf(startingPosition(), 3, 1, 0));
    const std::string folder = saved.substr(0, saved.rfind('/'));
    const std::string wrongs[] = {"--bogus", "-x", "a-file-that-is-not-there.sav", "--bogus --more", folder,
                                  saved + " " + saved, saved + " --bogus"};
    for (const std::string& wrong : wrongs) {
        const CliRun why = runCommand(game + " " + wrong, true);
        EXPECT_EQ(why.status, 2) << wrong;
        EXPECT_NE(why.out.find("usage: lumaro [--help | --version | SAVED-GAME]"), std::string::npos) << why.out;
        EXPECT_EQ(runCommand(game + " " + wrong, false).out, "") << wrong;  // nothing on standard output
    }
    EXPECT_EQ(runCommand(game + " --bogus --more", true).out.rfind("lumaro: Unknown options: bogus, more.\n", 0), 0u);
    EXPECT_EQ(runCommand(game + " " + folder, true).out.rfind("lumaro: no such file", 0), 0u);
    // After "--" a name is a file's even when it starts with a dash.
    EXPECT_EQ(runCommand(game + " -- -not-there.sav", true).out.rfind("lumaro: no such file '-not-there.sav'", 0), 0u);
    const CliRun help = runCommand(game + " --help", false);
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("usage: lumaro", 0), 0u) << help.out;
}

TEST(CliInfo, PrintsPipsPhasesAndTheLargestPlayForTheSideToMove) {
    const std::string opening = writeGame("opening.sav", gameOf(startingPosition(), 3, 1, 0));
    CliRun run = runCli("info " + opening);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "pips=167 167\nphases=2 2\nbest=6:3 3:1\n");

    // White bearing off its last two checkers with 6-5.
    const std::string bearOff = writeGame("bearoff.sav", gameOf(positionOf({{23, 1}, {24, 1}, {1, -15}}), 5, 6, 1));
    run = runCli("info " + bearOff);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "pips=3 15\nphases=4 3\nbest=23:6 24:5\n");

    // White on the bar against a closed board: nothing to play.
    Position closed = positionOf({{1, -2}, {2, -2}, {3, -2}, {4, -2}, {5, -2}, {6, -2}, {13, -3}, {12, 14}}, 1);
    run = runCli("info " + writeGame("closed.sav", gameOf(closed, 4, 4, 1)));
    EXPECT_EQ(run.out, "pips=207 81\nphases=1 0\nbest=none\n");
}

// White has borne off all fifteen and Black is to play 6-5: there is no roll to play or judge.
TEST(CliInfo, AFinishedGameIsGameOverForInfoChooseAndHint) {
    const std::string over = writeGame("game-over.sav", gameOf(positionOf({{1, -10}, {2, -5}}), 6, 5, 0));
    for (const std::string& args : {"info " + over, "choose " + over, "choose " + over + " --hint-depth 1",
                                     "hint " + over, "hint " + over + " --depth 0", "cube " + over}) {
        SCOPED_TRACE(args);
        const CliRun errors = runCli(args, true);
        EXPECT_EQ(errors.status, 2);
        EXPECT_EQ(errors.out, "lumaro-cli: " + over + ": game over: White has borne off all 15 checkers.\n");
        EXPECT_EQ(runCli(args).out, "");
    }
    std::filesystem::remove(over);
}

TEST(CliInfo, RefusesWhatIsNotASavedGame) {
    const std::string shortFile = tempFile("short.sav");
    std::ofstream(shortFile, std::ios::binary) << "not a game";
    CliRun run = runCli("info " + shortFile);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(runCli("info /nonexistent/nothing.sav").status, 2);
    EXPECT_EQ(runCli("info").status, 2);
}

}  // namespace

namespace {

TEST(CliChoose, PlaysForTheSideTheFileGives) {
    // Black to play 3-1 at the start (searched, never the book): two steps, both dice.
    const std::string opening = writeGame("choose-opening.sav", gameOf(startingPosition(), 3, 1, 0));
    CliRun run = runCli("choose " + opening);
    ASSERT_EQ(run.status, 0);
    const auto firstLine = run.out.substr(0, run.out.find('\n'));
    const auto secondLine = run.out.substr(run.out.find('\n') + 1);
    EXPECT_EQ(std::count(firstLine.begin(), firstLine.end(), ':'), 2);
    EXPECT_NE(firstLine.find(":3"), std::string::npos);
    EXPECT_NE(firstLine.find(":1"), std::string::npos);
    EXPECT_EQ(secondLine.rfind("score=", 0), 0u);
    EXPECT_NE(secondLine.find(" level=2 "), std::string::npos);

    // White bearing off its last two checkers with 6-5: the only play.
    const std::string bearOff = writeGame("choose-bearoff.sav", gameOf(positionOf({{23, 1}, {24, 1}, {1, -15}}), 5, 6, 1));
    run = runCli("choose " + bearOff);
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')), "23:6 24:5");

    // Nothing to play: the play and its score are both none.
    Position closed = positionOf({{1, -2}, {2, -2}, {3, -2}, {4, -2}, {5, -2}, {6, -2}, {13, -3}, {12, 14}}, 1);
    run = runCli("choose " + writeGame("choose-closed.sav", gameOf(closed, 4, 4, 1)));
    EXPECT_EQ(run.out, "none\nscore=none level=0 evals=0\n");
}

TEST(CliChoose, TheMasterPlaysForTheSideToMoveAndRefusesADepthItDoesNotHave) {
    // Black to play 3-1 at the start: the 5-point.
    const std::string opening = writeGame("master-opening.sav", gameOf(startingPosition(), 3, 1, 0));
    CliRun run = runCli("choose " + opening + " --master --depth 2");
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')), "8:3 6:1");
    EXPECT_NE(run.out.find(" depth=2 plays=16\n"), std::string::npos) << run.out;

    // White bearing off its last two checkers with 6-5, Black with none off: a gammon won (depth 2
    // unless told).
    const std::string bearOff = writeGame("master-bearoff.sav", gameOf(positionOf({{23, 1}, {24, 1}, {1, -15}}), 5, 6, 1));
    EXPECT_EQ(runCli("choose " + bearOff + " --master").out, "23:6 24:5\nequity=+2.0000 depth=2 plays=1\n");

    // Nothing to play.
    Position closed = positionOf({{1, -2}, {2, -2}, {3, -2}, {4, -2}, {5, -2}, {6, -2}, {13, -3}, {12, 14}}, 1);
    run = runCli("choose " + writeGame("master-closed.sav", gameOf(closed, 4, 4, 1)) + " --master --depth 2");
    EXPECT_EQ(run.out, "none\nequity=none depth=2 plays=0\n");

    // A depth the Master has not, a depth without the Master, the hint's depth with it.
    for (const char* wrong : {" --master --depth 3", " --master --depth 0", " --master --depth", " --depth 2",
                              " --master --hint-depth 1"}) {
        SCOPED_TRACE(wrong);
        const CliRun refused = runCli("choose " + opening + wrong, true);
        EXPECT_EQ(refused.status, 2);
        EXPECT_NE(refused.out.find("usage: lumaro-cli"), std::string::npos);
        EXPECT_EQ(runCli("choose " + opening + wrong).out, "");
    }
}

TEST(CliChoose, SettingsChangeTheLevelAndBadFilesAreRefused) {
    const std::string game = writeGame("choose-level.sav", gameOf(startingPosition(), 6, 4, 0));
    const std::string ini = tempFile("strategy.ini");
    Options options;
    options.strategySlider = 2;
    ASSERT_TRUE(saveSettingsFile(ini, options, Scores{}));
    const CliRun plain = runCli("choose " + game);
    const CliRun tuned = runCli("choose " + game + " --settings " + ini);
    ASSERT_EQ(tuned.status, 0);
    // The strategy term (spread, progress, points) counts three times over.
    EXPECT_NE(plain.out.substr(plain.out.find("score=")), tuned.out.substr(tuned.out.find("score=")));
    EXPECT_EQ(runCli("choose /nonexistent.sav").status, 2);
    EXPECT_EQ(runCli("choose").status, 2);

    // A settings file named by hand is a whole one or the command plays nothing: not a quiet level 2.
    const std::string garbage = tempFile("garbage.ini");
    std::ofstream(garbage, std::ios::binary) << "not settings";
    std::vector<std::uint8_t> bytes = encodeSettings(options, Scores{});
    const std::string outOfRange = tempFile("level-nine.ini");
    const std::uint8_t level = bytes[49];
    bytes[49] = 9;  // the computer's level
    std::ofstream(outOfRange, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    const std::string longer = tempFile("longer.ini");
    bytes[49] = level;
    bytes.push_back(0);
    std::ofstream(longer, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    const std::pair<std::string, std::string> refusals[] = {
        {"/nonexistent.ini", "File does not exist: /nonexistent.ini"},
        {garbage, garbage + ": not a settings file: it ends after 12 bytes, before its last field"},
        {outOfRange, outOfRange + ": not a settings file: byte 49 holds 9, a value its field does not take"},
        {longer, longer + ": not a settings file: it goes on past its last field"}};
    for (const auto& [file, why] : refusals) {
        SCOPED_TRACE(file);
        const CliRun refused = runCli("choose " + game + " --settings " + file, true);
        EXPECT_EQ(refused.status, 2);
        EXPECT_NE(refused.out.find(why), std::string::npos) << refused.out;
        EXPECT_NE(refused.out.find("usage: lumaro-cli choose GAME.sav"), std::string::npos) << refused.out;
        EXPECT_EQ(runCli("choose " + game + " --settings " + file).out, "");
    }
}

// Numbers are read whole: no count cut short at its first odd character, none out of range.
TEST(CliSelfPlay, NumbersThatAreNotWholeOrInRangeGiveTheUsageAndPlayNothing) {
    const std::string good = "selfplay --a 1 --b 1 --threads 1 --seed 3";
    for (const std::string& wrong : {good + " --games 1e3", good + " --games 10x", good + " --games 0",
                                     good + " --games 1 --threads two", good + " --games 1 --threads 65",
                                     good + " --games 1 --seed -1", good + " --games 1 --seed 18446744073709551616",
                                     std::string("selfplay --games 1 --a 1 --b 4")}) {
        SCOPED_TRACE(wrong);
        const CliRun refused = runCli(wrong, true);
        EXPECT_EQ(refused.status, 2);
        EXPECT_NE(refused.out.find("usage: lumaro-cli selfplay --games N"), std::string::npos) << refused.out;
        EXPECT_EQ(runCli(wrong).out, "");
    }
    // Leading zeros are decimal, never octal; the largest 64-bit seed is a seed.
    EXPECT_EQ(runCli(good + " --games 010").out.rfind("games=10 ", 0), 0u);
    EXPECT_EQ(runCli("selfplay --a 1 --b 1 --games 1 --seed 18446744073709551615").status, 0);
}

// The signatures file is looked for before the bench's long run, not after it.
TEST(CliBench, AMissingSignaturesFileIsAMistakeBeforeAnythingRuns) {
    const CliRun refused = runCli("bench --expect /nonexistent/signatures.txt", true);
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.out.rfind("lumaro-cli: --expect: File does not exist: /nonexistent/signatures.txt\n"
                                "usage: lumaro-cli bench",
                                0),
              0u)
        << refused.out;
    EXPECT_EQ(runCli("bench --expect /nonexistent/signatures.txt").out, "");
}

TEST(CliExpert, WithoutWholeNetworksLevelThreeRefusesAndNamesTheFile) {
    // Finite weights of 1e308 from the bars and White's tray: with four White checkers off one
    // hidden sum would be -inf + inf. Such a file is refused like a missing one.
    const std::string overflowing = tempFile("overflowing-nets");
    const std::string none = tempFile("no-nets");
    std::filesystem::create_directories(overflowing);
    std::filesystem::create_directories(none);
    std::string weights(201728, '\0');
    const std::string huge = "\xa0\xc8\xeb\x85\xf3\xcc\xe1\x7f";  // 1e308, little-endian
    for (std::size_t offset : {196608u, 197632u, 199680u}) weights.replace(offset, 8, huge);
    std::ofstream(overflowing + "/nn1.bin", std::ios::binary) << weights;

    const std::string ini = tempFile("expert.ini");
    Options options;
    options.computerLevel = Level::Expert;
    ASSERT_TRUE(saveSettingsFile(ini, options, Scores{}));
    Position fourOff = startingPosition();
    fourOff.count[19] = 1;
    fourOff.offWhite = 4;
    const std::string game = writeGame("choose-expert.sav", gameOf(fourOff, 6, 2, 0));
    const std::string expert = "choose " + game + " --settings " + ini + " --nets ";
    for (const std::string& folder : {overflowing, none}) {
        const CliRun refused = runCli(expert + folder);
        EXPECT_EQ(refused.status, 2);
        EXPECT_EQ(refused.out, "");
    }
    EXPECT_NE(runCli(expert + overflowing, true).out.find(overflowing + "/nn1.bin: holds a weight that is not a number"),
              std::string::npos);
    const std::string why = runCli(expert + none, true).out;
    EXPECT_NE(why.find(none + "/nn1.bin: No such file or directory"), std::string::npos) << why;
    EXPECT_NE(why.find(none + "/nn2.bin: No such file or directory"), std::string::npos) << why;
    // The networks beside the program play.
    EXPECT_EQ(runCli("choose " + game + " --settings " + ini).status, 0);

    // Self-play: only an expert needs them.
    const std::string match = "selfplay --games 1 --seed 3 --threads 1 --nets " + none;
    const CliRun selfPlay = runCli(match + " --a 1 --b 3", true);
    EXPECT_EQ(selfPlay.status, 2);
    EXPECT_NE(selfPlay.out.find("nn1.bin"), std::string::npos);
    EXPECT_EQ(runCli(match + " --a 1 --b 2:fast").status, 0);
}

TEST(CliHint, RanksTheRollForTheSideToMoveWithTheCubeAdviceBeforeIt) {
    const std::string opening = writeGame("hint-opening.sav", gameOf(startingPosition(), 3, 1, 1));
    CliRun run = runCli("hint " + opening);
    ASSERT_EQ(run.status, 0);
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = run.out.find('\n', at)) != std::string::npos; at = end + 1)
        lines.push_back(run.out.substr(at, end - at));
    ASSERT_EQ(lines.size(), 3u + 16u);  // the heading, two cube lines, the sixteen plays of 3-1
    EXPECT_EQ(lines[0], "White to play 3-1, depth 2");
    EXPECT_EQ(lines[1].rfind("cube, before White's roll: no double (cubeless +", 0), 0u) << lines[1];
    EXPECT_EQ(lines[2].rfind("cube, if White doubles: Black should take", 0), 0u) << lines[2];
    EXPECT_EQ(lines[3].rfind("  1. 8/5 6/5 ", 0), 0u) << lines[3];
    EXPECT_NE(lines[3].find(" +0.000  2-ply"), std::string::npos) << lines[3];
    // As many plays two rolls deeper as the board's hint lists, and those first.
    const auto deeper = std::count_if(lines.begin(), lines.end(),
                                      [](const std::string& l) { return l.find("2-ply") != std::string::npos; });
    EXPECT_EQ(deeper, 5);
    EXPECT_NE(lines[7].find("2-ply"), std::string::npos) << lines[7];

    // Depth 0, without the cube; the same first play, nothing looked at more deeply.
    SavedGame noCube = gameOf(startingPosition(), 3, 1, 1);
    noCube.cubeEnabled = 0;
    run = runCli("hint " + writeGame("hint-nocube.sav", noCube) + " --depth 0");
    EXPECT_NE(run.out.find("cube: not in use\n  1. 8/5 6/5 "), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("1-ply"), std::string::npos);
    EXPECT_EQ(run.out.find("2-ply"), std::string::npos);

    // The harness's engine call playing by the ranking: White's 8/5 6/5 in the board's points.
    run = runCli("choose " + opening + " --hint-depth 1");
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')), "17:3 19:1");

    Position closed = positionOf({{1, -2}, {2, -2}, {3, -2}, {4, -2}, {5, -2}, {6, -2}, {13, -3}, {12, 14}}, 1);
    run = runCli("hint " + writeGame("hint-closed.sav", gameOf(closed, 4, 4, 1)));
    EXPECT_NE(run.out.find("\nno legal play\n"), std::string::npos) << run.out;
    EXPECT_EQ(runCli("choose " + writeGame("hint-closed2.sav", gameOf(closed, 4, 4, 1)) + " --hint-depth 0").out,
              "none\nequity=none depth=0 plays=0\n");

    EXPECT_EQ(runCli("hint " + opening + " --depth 3").status, 2);
    EXPECT_EQ(runCli("hint /nonexistent.sav").status, 2);
    EXPECT_EQ(runCli("hint " + opening + " --nets /nonexistent").status, 2);
}

// The lines of a run's output.
std::vector<std::string> linesOf(const std::string& out) {
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = out.find('\n', at)) != std::string::npos; at = end + 1)
        lines.push_back(out.substr(at, end - at));
    return lines;
}

TEST(CliCube, PrintsTheDecisionBeforeTheRollWithTheEquitiesBehindIt) {
    const std::string opening = writeGame("cube-opening.sav", gameOf(startingPosition(), 3, 1, 1));
    CliRun run = runCli("cube " + opening);
    ASSERT_EQ(run.status, 0);
    std::vector<std::string> lines = linesOf(run.out);
    ASSERT_EQ(lines.size(), 7u) << run.out;
    EXPECT_EQ(lines[0], "no double");
    EXPECT_EQ(lines[1], "White on roll, money game, equities per point of the cube now");
    EXPECT_EQ(lines[5].rfind("double, take: -", 0), 0u) << lines[5];
    EXPECT_EQ(lines[6], "double, pass: +1.000");

    // White bears off its last two checkers next roll; Black has none off: a gammon to play for,
    // unless the Jacoby rule makes it worth nothing with the cube in the middle.
    Position race = positionOf({{24, 2}, {6, -15}});
    race.offWhite = 13;
    const std::string gammon = writeGame("cube-gammon.sav", gameOf(race, 2, 1, 1));
    EXPECT_EQ(linesOf(runCli("cube " + gammon).out).at(0), "too good, pass");
    EXPECT_EQ(linesOf(runCli("cube " + gammon + " --jacoby").out).at(1),
              "White on roll, money game with the Jacoby rule, equities per point of the cube now");
    EXPECT_EQ(linesOf(runCli("cube " + gammon + " --jacoby").out).at(0), "double, pass");

    // Black on roll while White holds the cube.
    SavedGame theirs = gameOf(startingPosition(), 3, 1, 0);
    theirs.cubeValue = 2;
    theirs.cubeOwnerWhite = 1;
    run = runCli("cube " + writeGame("cube-theirs.sav", theirs));
    lines = linesOf(run.out);
    ASSERT_EQ(lines.size(), 6u) << run.out;
    EXPECT_EQ(lines[0], "no double");
    EXPECT_EQ(lines[1], "Black on roll, money game, equities per point of the cube now");
    EXPECT_EQ(lines[3], "the cube may not be turned: the opponent holds the cube");
}

TEST(CliCube, MatchScoresTheCrawfordGameAndAfterIt) {
    const std::string opening = writeGame("cube-match.sav", gameOf(startingPosition(), 3, 1, 1));
    CliRun run = runCli("cube " + opening + " --match 5 --score 4 2 --crawford");
    ASSERT_EQ(run.status, 0);
    std::vector<std::string> lines = linesOf(run.out);
    ASSERT_EQ(lines.size(), 6u) << run.out;
    EXPECT_EQ(lines[0], "no double");
    EXPECT_EQ(lines[1], "White on roll, 5-point match at 4-2 (White-Black), chances of winning the match");
    EXPECT_EQ(lines[3], "the cube may not be turned: the Crawford game");
    EXPECT_EQ(lines[4].substr(lines[4].find(':')), lines[5].substr(lines[5].find(':')));  // no cube: cubeless

    // After it the trailer doubles a fair game at once; the leader's pass is 2-away/1-away after the
    // Crawford game, worth the trailer 50 % less the leader's free drop.
    run = runCli("cube " + opening + " --match 5 --score 2 4");
    lines = linesOf(run.out);
    ASSERT_EQ(lines.size(), 7u) << run.out;
    EXPECT_EQ(lines[0], "double, take");
    EXPECT_EQ(lines[6], "double, pass: 48.50 %");
    EXPECT_EQ(linesOf(runCli("cube " + opening + " --match 5 --score 4 2").out).at(3),
              "the cube may not be turned: the leader never doubles after the Crawford game");
}

TEST(CliCube, RefusesBadFilesOptionsAndScores) {
    const std::string opening = writeGame("cube-refused.sav", gameOf(startingPosition(), 3, 1, 1));
    const std::string notAGame = tempFile("cube-short.sav");
    std::ofstream(notAGame, std::ios::binary) << "not a game";
    for (const std::string& args :
         {"cube " + opening + " --bogus", std::string("cube"), "cube " + opening + " --match", "cube " + opening + " --score 1 2",
          "cube " + opening + " --match 5 --score 5 0", "cube " + opening + " --match 5 --score 1 2 --crawford",
          "cube " + opening + " --match 65", "cube " + opening + " --nets /nonexistent", "cube " + notAGame,
          std::string("cube /nonexistent/nothing.sav")}) {
        SCOPED_TRACE(args);
        EXPECT_EQ(runCli(args).status, 2);
        EXPECT_EQ(runCli(args).out, "");
        EXPECT_NE(runCli(args, true).out, "");
    }
    EXPECT_EQ(runCli("cube " + opening + " --bogus", true).out.rfind("lumaro-cli: The following argument was not expected: --bogus\n"
                                                                     "usage: lumaro-cli cube GAME.sav",
                                                                     0),
              0u);
    EXPECT_EQ(runCli("cube " + opening + " --match 65", true).out,
              "lumaro-cli: the cube is judged in matches of up to 64 points.\n");
    EXPECT_EQ(runCli("cube " + opening + " --match 64 --score 0 0").status, 0);
}

TEST(CliMeasure, PrintsTheCubeMeasureRaceAndPips) {
    const std::string path = writeGame("measure.sav", gameOf(startingPosition(), 1, 2, 0));
    const CliRun run = runCli("measure " + path);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "cubeMeasure=0\nrace=1492 1492\npips=167 167\n");
}

// The strings GNU Backgammon's `show board` prints for the same game: White has opened 3-1, Black
// is to play 6-5, White holds a 2-cube and leads 4-2 in a 7-point match.
TEST(CliId, PrintsTheIdsGnuBackgammonShowsAndRefusesAnImpossibleScore) {
    SavedGame game = gameOf(positionOf({{1, 2}, {12, 5}, {17, 2}, {19, 4}, {20, 2}, {24, -2}, {13, -5}, {8, -3}, {6, -5}}), 6, 5, 0);
    game.cubeValue = 2;
    game.cubeOwnerWhite = 1;
    const std::string path = writeGame("ids.sav", game);
    CliRun run = runCli("id " + path + " --match 7 --score 4 2");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "Position ID: sGfwATDgc/ABMA\nMatch ID: EQH3ACAAIAAE\n");
    // Without a match: a money game at 0-0, the Jacoby rule off.
    EXPECT_EQ(runCli("id " + path).out, "Position ID: sGfwATDgc/ABMA\nMatch ID: EQEXAAAAAAAE\n");

    run = runCli("id " + path + " --match 7 --score 7 2", true);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "lumaro-cli: White has 7 points in a 7-point match, which is already won.\n");
    EXPECT_EQ(runCli("id " + path + " --crawford").status, 2);
    EXPECT_EQ(runCli("id " + path + " --score 1 2").status, 2);  // a score needs a match
}

}  // namespace
