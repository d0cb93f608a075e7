// SAVE and LOAD as the menu runs them: the guards, the dialogs' answers, a refused file that
// changes nothing, a save that fails and says so, and the bookkeeping after a load.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "game/Game.h"
#include "game/MenuCommands.h"
#include "persistence/MatFile.h"
#include "persistence/SavedGameFile.h"
#include "persistence/SgfFile.h"
#include "support/TempFolder.h"
#include "support/FakeScreen.h"
#include "support/Positions.h"
#include "support/TurnSetup.h"

using namespace lumaro;
using lumaro::testing::FakeScreen;
using lumaro::testing::positionOf;
using lumaro::testing::TempFolder;

namespace {

struct SaveLoad : ::testing::Test {
    FakeScreen screen;
    Game game{screen};
    SavedGameDisk disk;
    TempFolder folder;
    const Game::ShellState shell{};

    void SetUp() override {
        game.changeOptions([&](Options& o) { o.soundFx = false; });
        game.startUp(777);
        game.setSavedGameFiles(disk);
    }
    void startTurn(const Position& pos, Byte a, Byte b, Byte turn) { lumaro::testing::startTurnOn(game, pos, a, b, turn); }
};

TEST_F(SaveLoad, ASavedGameComesBackWithItsPositionDiceTurnAndCube) {
    const Position pos = positionOf({{1, 2}, {12, 5}, {17, 3}, {19, 5}, {24, -2}, {13, -5}, {8, -4}, {6, -4}});
    game.arrangeCube(4, 1);
    startTurn(pos, 5, 3, 1);
    game.whiteStepByClick(12, Game::Button::Left);  // moves made this turn are not saved
    screen.fileToSave = folder.file("game.sav");
    EXPECT_TRUE(MenuCommands(game).save(shell));
    EXPECT_TRUE(std::filesystem::exists(folder.file("game.sav")));

    // Another game, then LOAD: the running game is resigned first (YES).
    game.changeOptions([&](Options& o) { o.cubeEnabled = false; });
    startTurn(startingPosition(), 2, 1, 0);
    screen.answers = {Answer::Yes};
    screen.fileToLoad = folder.file("game.sav");
    const int settingsBefore = screen.settingsSaved;
    EXPECT_TRUE(MenuCommands(game).load(shell));
    EXPECT_EQ(game.state().scores().whiteGamesWon + game.state().scores().blackGamesWon, 1u);  // the resignation was booked
    EXPECT_TRUE(game.state().gameOn());
    EXPECT_TRUE(game.state().position().sameCheckersAs(pos));
    EXPECT_EQ(game.state().dice().dieA, 5);
    EXPECT_EQ(game.state().dice().dieB, 3);
    EXPECT_EQ(game.state().dice().diceLeft, (DiceLeft{0, 5, 3, 0, 0}));
    EXPECT_EQ(game.state().sideToMove(), Side::White);
    EXPECT_EQ(game.state().cube().value(), 4);
    EXPECT_EQ(game.state().cube().ownerWhite(), 1);
    EXPECT_EQ(game.options().cubeEnabled, 1);  // the file's cube option, written to the settings
    EXPECT_EQ(screen.settingsSaved, settingsBefore + 1);
    EXPECT_EQ(game.rollStats(Side::White).rolls, 2);  // the loaded roll counts for the side to move
    EXPECT_EQ(game.rollStats(Side::Black).rolls, 1);
    EXPECT_FALSE(game.busy());
}

TEST_F(SaveLoad, ALoadedGameIsRecordedFromItsPositionWhichOnlyTheSgfFileHolds) {
    const Position pos = positionOf({{1, 2}, {12, 5}, {17, 3}, {19, 5}, {24, -2}, {13, -5}, {8, -4}, {6, -4}});
    game.arrangeCube(4, 1);
    startTurn(pos, 5, 3, 1);
    screen.fileToSave = folder.file("game.sav");
    ASSERT_TRUE(MenuCommands(game).save(shell));
    screen.answers = {Answer::Yes};
    screen.fileToLoad = folder.file("game.sav");
    ASSERT_TRUE(MenuCommands(game).load(shell));
    game.whiteStepByClick(12, Game::Button::Left);  // White plays on with the loaded 5

    const MatchRecord& record = game.recorder().record();
    ASSERT_FALSE(record.games.empty());
    const RecordedGame& loaded = record.games.back();
    ASSERT_TRUE(loaded.setup);
    EXPECT_TRUE(loaded.setup->position.sameCheckersAs(pos));
    EXPECT_EQ(loaded.setup->onRoll, Side::White);
    EXPECT_EQ(loaded.setup->dieA * 10 + loaded.setup->dieB, 53);
    EXPECT_EQ(loaded.setup->cube.value(), 4);
    EXPECT_EQ(loaded.setup->cube.ownerWhite(), 1);
    EXPECT_TRUE(game.recorder().position().sameCheckersAs(game.state().position()));
    const std::string sgf = sgfText(record, MatHeader{});
    EXPECT_NE(sgf.find("\n;CV[4]\n;CP[b]\n;PL[B]DI[53]\n;B[53lq])"), std::string::npos) << sgf;
    EXPECT_EQ(matText(record, MatHeader{}).find("Game"), std::string::npos);  // the .mat cannot say where it started
}

TEST_F(SaveLoad, AFileThatIsNotASavedGameIsRefusedWholeWithItsReason) {
    startTurn(startingPosition(), 6, 4, 1);
    game.arrangeCube(2, game.state().cube().ownerWhite());
    const Position before = game.state().position();
    {
        std::ofstream bad(folder.file("short.sav"), std::ios::binary);
        bad << "not a game";
    }
    std::vector<char> sixteen(58, 0);
    sixteen[0] = 16;  // sixteen checkers on one point
    std::ofstream(folder.file("sixteen.sav"), std::ios::binary).write(sixteen.data(), 58);

    screen.answers = {Answer::No};  // keep the running game: LOAD stops at the question
    screen.fileToLoad = folder.file("short.sav");
    EXPECT_FALSE(MenuCommands(game).load(shell));
    EXPECT_TRUE(game.state().gameOn());

    game.stopGameUnscored();  // no game running: no question
    for (const char* name : {"short.sav", "sixteen.sav", "missing.sav"}) {
        screen.messages.clear();
        screen.fileToLoad = folder.file(name);
        EXPECT_TRUE(MenuCommands(game).load(shell));
        ASSERT_EQ(screen.messages.size(), 1u) << name;
        EXPECT_EQ(screen.messages[0].line1, "The game could not be loaded.");
        EXPECT_FALSE(screen.messages[0].line2.empty());
        EXPECT_TRUE(game.state().position().sameCheckersAs(before)) << name;
        EXPECT_EQ(game.state().dice().dieA, 6);
        EXPECT_EQ(game.state().cube().value(), 2);
        EXPECT_FALSE(game.state().gameOn());
    }
}

TEST_F(SaveLoad, ResigningToLoadABadFileCostsNothing) {
    // A match game under way; the player agrees to resign, then picks a file that is no game.
    game.changeOptions([&](Options& o) { o.matchPlay = true; });
    game.changeOptions([&](Options& o) { o.matchLength = 5; });
    Scores scores = game.state().scores();
    scores.whiteMatchScore = 2;
    scores.blackMatchScore = 3;
    game.restoreScores(scores);
    startTurn(startingPosition(), 6, 4, 1);
    game.whiteStepByClick(1, Game::Button::Left);
    const Position played = game.state().position();
    const Scores before = game.state().scores();
    std::vector<char> tooLong(59, 0);
    std::ofstream(folder.file("long.sav"), std::ios::binary).write(tooLong.data(), 59);
    for (const char* name : {"long.sav", "missing.sav"}) {
        screen.messages.clear();
        screen.answers = {Answer::Yes};
        screen.fileToLoad = folder.file(name);
        EXPECT_TRUE(MenuCommands(game).load(shell));
        ASSERT_EQ(screen.messages.size(), 2u) << name;  // the question, then the refusal
        EXPECT_EQ(screen.messages[0].line1, "Do you want to resign?");
        EXPECT_EQ(screen.messages[1].line1, "The game could not be loaded.");
        EXPECT_TRUE(game.state().gameOn()) << name;
        EXPECT_TRUE(game.state().position().sameCheckersAs(played)) << name;
        EXPECT_EQ(game.state().sideToMove(), Side::White);
        EXPECT_EQ(game.state().scores().whiteMatchScore, before.whiteMatchScore);
        EXPECT_EQ(game.state().scores().blackMatchScore, before.blackMatchScore);
        EXPECT_EQ(game.state().scores().blackMatchesWon, before.blackMatchesWon);
        EXPECT_EQ(game.state().scores().blackGamesWon + game.state().scores().whiteGamesWon, 0u);
    }
}

// A file opened from outside the menu is read before anything is asked: one that is no saved game
// is refused with its reason and the game in progress goes on without a question; a good one asks
// to resign the game in progress as LOAD does.
TEST_F(SaveLoad, AnOpenedFileIsReadBeforeTheRunningGameIsPutAtStake) {
    startTurn(startingPosition(), 6, 4, 1);
    std::ofstream(folder.file("short.sav"), std::ios::binary) << "not a game";
    screen.answers = {Answer::Yes};
    EXPECT_EQ(MenuCommands(game).open(shell, folder.file("short.sav")), MenuCommands::Opening::done);
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].line1, "The game could not be loaded.");
    EXPECT_FALSE(screen.messages[0].line2.empty());
    EXPECT_TRUE(game.state().gameOn());
    EXPECT_EQ(game.state().scores().whiteGamesWon + game.state().scores().blackGamesWon, 0u);

    // Guards: later while the game holds input or a window covers the board, never over the network.
    SavedGame saved;
    saved.position = positionOf({{1, 2}, {12, 5}, {17, 3}, {19, 5}, {24, -2}, {13, -5}, {8, -4}, {6, -4}});
    saved.dieA = 5;
    saved.dieB = 3;
    saved.turn = 1;
    ASSERT_TRUE(writeSavedGame(folder.file("good.sav"), saved));
    std::optional<Game::InputHold> hold(std::in_place, game);
    EXPECT_EQ(MenuCommands(game).open(shell, folder.file("good.sav")), MenuCommands::Opening::later);
    hold.reset();
    EXPECT_EQ(MenuCommands(game).open(Game::ShellState{true}, folder.file("good.sav")), MenuCommands::Opening::later);
    game.changeOptions([&](Options& o) { o.humanOpponent = true; });
    game.changeOptions([&](Options& o) { o.localPlay = false; });
    EXPECT_EQ(MenuCommands(game).open(shell, folder.file("good.sav")), MenuCommands::Opening::never);
    game.changeOptions([&](Options& o) { o.humanOpponent = false; });
    game.changeOptions([&](Options& o) { o.localPlay = true; });
    EXPECT_EQ(screen.messages.size(), 1u);

    // NO keeps the game in progress; YES resigns it and plays on from the file.
    screen.answers = {Answer::No};
    EXPECT_EQ(MenuCommands(game).open(shell, folder.file("good.sav")), MenuCommands::Opening::done);
    EXPECT_EQ(screen.messages.back().line1, "Do you want to resign?");
    EXPECT_TRUE(game.state().position().sameCheckersAs(startingPosition()));
    screen.answers = {Answer::Yes};
    EXPECT_EQ(MenuCommands(game).open(shell, folder.file("good.sav")), MenuCommands::Opening::done);
    EXPECT_TRUE(game.state().position().sameCheckersAs(saved.position));
    EXPECT_EQ(game.state().dice().dieA, 5);
    EXPECT_EQ(game.state().scores().whiteGamesWon + game.state().scores().blackGamesWon, 1u);
}

TEST_F(SaveLoad, ASaveThatFailsSaysWhyAndLeavesTheOldFile) {
    startTurn(startingPosition(), 6, 4, 1);
    screen.fileToSave = folder.file("no-such-folder/game.sav");
    EXPECT_TRUE(MenuCommands(game).save(shell));
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].line1, "The game could not be saved.");
    EXPECT_FALSE(screen.messages[0].line2.empty());

    // An existing file stays as it was when the new one cannot be written: its name is so long
    // that no temporary file fits beside it (the name itself fits).
    const std::string path = folder.file(std::string(248, 'k') + ".sav");
    const auto first = encodeSavedGame(game.savedGame());
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(first.data()), first.size());
    screen.fileToSave = path;
    const auto size = std::filesystem::file_size(path);
    game.arrangeTurn(game.state().position(), 1, game.state().dice().dieB, game.state().sideToMove(), 5);
    EXPECT_TRUE(MenuCommands(game).save(shell));
    EXPECT_EQ(screen.messages.back().line1, "The game could not be saved.");
    EXPECT_EQ(std::filesystem::file_size(path), size);
    std::ifstream kept(path, std::ios::binary);
    std::vector<char> bytes(58);
    kept.read(bytes.data(), 58);
    EXPECT_EQ(bytes[48], 6);  // the die of the first save
}

TEST_F(SaveLoad, GuardsAndCancelledDialogs) {
    // No game: nothing to save.
    screen.fileToSave = folder.file("x.sav");
    EXPECT_FALSE(MenuCommands(game).save(shell));
    startTurn(startingPosition(), 6, 4, 1);
    EXPECT_FALSE(MenuCommands(game).save(Game::ShellState{true}));  // a window covers the board
    std::optional<Game::InputHold> hold(std::in_place, game);
    EXPECT_FALSE(MenuCommands(game).save(shell));
    EXPECT_FALSE(MenuCommands(game).load(shell));
    hold.reset();
    game.changeOptions([&](Options& o) { o.humanOpponent = true; });
    game.changeOptions([&](Options& o) { o.localPlay = false; });
    EXPECT_FALSE(MenuCommands(game).load(shell));  // never in the network setting
    game.changeOptions([&](Options& o) { o.humanOpponent = false; });
    game.changeOptions([&](Options& o) { o.localPlay = true; });
    EXPECT_FALSE(std::filesystem::exists(folder.file("x.sav")));

    // Cancelled dialogs: nothing written; a resignation made to load stands.
    screen.fileToSave.reset();
    EXPECT_TRUE(MenuCommands(game).save(shell));
    screen.fileToLoad.reset();
    screen.answers = {Answer::Yes};
    EXPECT_TRUE(MenuCommands(game).load(shell));
    EXPECT_FALSE(game.state().gameOn());
    EXPECT_EQ(game.state().scores().blackGamesWon, 1u);
}

TEST_F(SaveLoad, AGameWaitingForWhitesRollIsSavedSoAndWaitsAgainWhenLoaded) {
    ASSERT_TRUE(MenuCommands(game).paste(shell, "Position ID: 4HPwATDgc/ABMA\nMatch ID: cAkAAAAAAAAE"));
    ASSERT_FALSE(game.state().dice().anyLeft());
    screen.fileToSave = folder.file("to-roll.sav");
    ASSERT_TRUE(MenuCommands(game).save(shell));
    const SavedGameResult saved = readSavedGame(folder.file("to-roll.sav"));
    ASSERT_TRUE(saved.ok) << saved.error;
    EXPECT_EQ(saved.game.turn, 1);  // White rolls next, whoever's turn is over on the board
    EXPECT_EQ(saved.game.dieA, 0);

    startTurn(startingPosition(), 2, 1, 1);
    screen.fileToLoad = folder.file("to-roll.sav");
    ASSERT_TRUE(MenuCommands(game).load(shell));
    EXPECT_FALSE(game.state().dice().anyLeft()) << "the roll waits for the player";
    EXPECT_EQ(MenuCommands(game).copyIds(), "Position ID: 4HPwATDgc/ABMA\nMatch ID: cAkAAAAAAAAE");
    game.clickDice();
    EXPECT_EQ(game.state().sideToMove(), Side::White);
    EXPECT_TRUE(game.state().dice().anyLeft());
}

TEST_F(SaveLoad, TheComputerPlaysAtOnceWhenTheLoadedGameHasBlackToMove) {
    SavedGame saved;
    saved.position = startingPosition();
    saved.dieA = 6;
    saved.dieB = 5;
    saved.turn = 0;
    ASSERT_TRUE(writeSavedGame(folder.file("black.sav"), saved));
    screen.fileToLoad = folder.file("black.sav");
    EXPECT_TRUE(MenuCommands(game).load(shell));
    EXPECT_FALSE(game.state().position().sameCheckersAs(startingPosition()));  // Black ran 24 to 13
    EXPECT_EQ(blackCheckersOf(game.state().position()), 15);
    EXPECT_EQ(game.state().sideToMove(), Side::Black);
}

}  // namespace
