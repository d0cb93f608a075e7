#pragma once
#include <optional>
// The program's windows and how they work together: the backdrop, the board window, the menu
// panel, the sounds and the game. Start-up runs in the order and with the waits the player sees:
// the backdrop with its progress, the start sound, the board, and the first game by itself.
#include <QObject>
#include <QString>
#include <memory>

#include "ai/NeuralNets.h"
#include "game/Game.h"
#include "persistence/MatFile.h"
#include "game/Hint.h"
#include "game/Review.h"
#include "persistence/KeptGameFile.h"
#include "persistence/SavedGameFile.h"
#include "persistence/SettingsFile.h"
#include "ui/Assets.h"
#include "ui/NetworkLink.h"
#include "ui/ProgramFolders.h"

namespace lumaro {

class ActivityLights;
class Backdrop;
class BoardFrame;
class ChatLines;
class BoardWindow;
class HelpWindow;
class MenuPanel;
class QtScreen;
class SoundBank;
class SettingsWindow;
class StatisticsWindow;
class ToolWindow;
enum class MenuItem;

class Shell : public QObject {
    Q_OBJECT
public:
    // `folders`: where the weights, help pages and pictures are read and the player's files go.
    // `network`: the port and listening address of network play (tests use the loopback address).
    explicit Shell(const ProgramFolders& folders, const NetworkSetup& network = {});
    // Everything in `folder` but the pictures, which come from the program's own assets.
    explicit Shell(const QString& folder, const NetworkSetup& network = {});
    ~Shell() override;

    // Runs the start-up sequence; false when the screen is too small (the message was shown).
    bool start();
    Game& game() { return *game_; }
    BoardWindow& board() { return *board_; }
    MenuPanel& menu() { return *menu_; }
    SettingsWindow& settings() { return *settings_; }
    NetworkLink& network() { return *network_; }
    ChatLines& chat() { return *chat_; }
    ActivityLights& lights() { return *lights_; }
    // Another copy was started for these files: the board comes to the front instead.
    void bringToFront();
    // A saved game to play on from (the command line's, or one a later copy hands over): opened
    // where the first game would start, or at once when the game is under way, with LOAD's
    // question and refusal. It waits while the computer thinks, a box asks or a window covers the
    // board; a later one replaces one still waiting.
    void openSavedGame(const QString& path);

private:
    void onCommand(MenuItem item);
    void onClockTick();
    void exitProgram();
    Game::ShellState shellState() const;
    // Writes lm2.ini; false, with the reason in `whyNot`, when it could not be written.
    bool saveSettings(std::string* whyNot = nullptr);
    // At EXIT: the settings and the session's scores are written, or the player is told why they
    // could not be and chooses whether to leave all the same. True to leave.
    bool settingsSavedOrLeaveAnyway();
    void openToolWindow(ToolWindow& window);
    void startNetwork();
    void wireConnectionBoxes();
    // The session's games: written to the session's match files (.mat and .sgf) after every game,
    // and under a name of the player's choice on Ctrl+E.
    void writeSessionRecord();
    void exportGames();
    void copyIds();
    void pasteIds();
    // At start-up: the game kept at the last EXIT offered to continue; true when it is on the board.
    bool offerKeptGame();
    // The saved game waiting to be opened, tried now; true when it is on the board.
    bool openWaitingSavedGame();
    void keepGamesAtExit(bool on);
    // H and HINT: the hint shown over the board (hidden when it is up); P makes its first play.
    void showHint();
    void showHintOnBoard(const Hint& hint);
    void playHint();
    // R: the review of the last game (or the one in play) over the board, decision by decision;
    // the board shows each position and takes no click until R or Esc ends it.
    void toggleReview();
    void stepReview(int by);
    void showReviewDecision();
    // Reviews the session's last game for reviewSide_; false when that side made no decision.
    bool reviewLastGame();
    MatHeader recordHeader() const;
    // The board over the whole screen, on the backdrop, or in a window of its own (its frame).
    void showBoardIn(bool window);
    void keepWindowGeometry();

    ProgramFolders folders_;
    std::unique_ptr<SettingsStore> settingsFile_;
    SavedGameDisk savedGameDisk_;
    std::unique_ptr<KeptGameFile> keptGames_;
    HintAdvisor hints_;
    Hint shownHint_;
    GameReview review_;
    int reviewAt_ = 0;
    Side reviewSide_ = Side::White;
    std::optional<Game::InputHold> reviewHold_;
    int recordSession_ = -1;  // the record the session file below belongs to
    QString sessionRecordPath_;
    bool recordFailureTold_ = false;  // the player knows the session file cannot be written
    QString savedGameToOpen_;
    bool firstGameAsked_ = false;     // start-up is over: a saved game is opened as it comes
    bool savedGameRetryDue_ = false;  // a saved game waits for the board to be free
    Assets assets_;
    std::unique_ptr<NeuralNets> nets_;
    std::unique_ptr<SoundBank> sounds_;
    std::unique_ptr<Backdrop> backdrop_;
    std::unique_ptr<Game> game_;
    std::unique_ptr<BoardWindow> board_;
    std::unique_ptr<QtScreen> screen_;
    std::unique_ptr<MenuPanel> menu_;
    std::unique_ptr<BoardFrame> frame_;  // while the board plays in a window; goes before the board
    std::unique_ptr<StatisticsWindow> statistics_;
    std::unique_ptr<HelpWindow> help_;
    std::unique_ptr<SettingsWindow> settings_;
    NetworkSetup networkSetup_;
    std::unique_ptr<NetworkLink> network_;
    ChatLines* chat_ = nullptr;         // owned by the board window
    ActivityLights* lights_ = nullptr;  // owned by the board window
};

}  // namespace lumaro
