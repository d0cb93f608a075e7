#pragma once
// The settings window (TUNE): every option of the game, each written the moment its control
// changes; the connection controls; the score resets. What may change while a game runs, while
// connected, or at which level of the computer comes from the game's rules (settingsLocks). CLOSE
// (or a close request) hands the window back: the caller saves the settings and lets the board
// follow the display options.
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QSlider>
#include <QSpinBox>
#include <QStandardPaths>
#include <functional>
#include <optional>
#include <vector>

#include "game/Game.h"
#include "ui/ToolWindow.h"

namespace lumaro {

class SettingsWindow : public ToolWindow {
    Q_OBJECT
public:
    SettingsWindow(Game& game, const Assets& assets);

    // TUNE: refreshes every control from the options, applies the locks and opens over the board.
    void open(QWidget& board);
    // The options as they were when the window opened: the board compares the skin with them.
    const Options& optionsAtOpen() const { return atOpen_; }
    // Sets every control from the options and applies the locks (after a connection forced some).
    void refresh();

    // The controls of the connection and the local address, for the network link to drive.
    QLineEdit& addressField() { return *address_; }
    PlateButton& callButton() { return *call_; }
    PlateButton& endButton() { return *end_; }
    QCheckBox& listenBox() { return *listen_; }
    QLabel& statusLabel() { return *status_; }
    QLabel& peerAddressLabel() { return *peer_; }
    QLabel& localAddressLabel() { return *localAddress_; }
    PlateButton& mailIpButton() { return *mailIp_; }
    QLineEdit& nameField() { return *name_; }
    QSpinBox& matchPointsField() { return *matchPoints_; }
    // "Keep game at EXIT": a setting of the window's own, which the shell keeps and acts on.
    QCheckBox& keepGameBox() { return *keepGame_; }
    QCheckBox& questionsWaitBox() { return *questionsWait_; }
    QCheckBox& playInWindowBox() { return *playInWindow_; }

    // The network link's part: whether Call and Listen may be used now.
    std::function<bool()> networkReady = [] { return false; };
    // How "Volume" finds a mixer's program (a full path, empty when not installed) and starts it.
    std::function<QString(const QString&)> findExecutable = [](const QString& name) {
        return QStandardPaths::findExecutable(name);
    };
    std::function<bool(const QString&, const QStringList&)> startProgram = [](const QString& program,
                                                                              const QStringList& arguments) {
        return QProcess::startDetached(program, arguments);
    };

signals:
    // Opponent, Place or Listen changed: the listening rule applies again.
    void listeningRuleChanged();

protected:
    void aboutToClose() override;

private:
    struct Flag {
        QCheckBox* box;
        bool Options::*option;
    };
    static constexpr int kMasterChoice = 4;  // the Master's button beside the levels 1..3
    // A row of radio buttons: each button's id is the option's value as a number.
    struct Choice {
        QButtonGroup* group;
        std::function<int(const Options&)> read;
        std::function<void(Options&, int)> write;
    };
    using Buttons = std::vector<std::pair<QString, int>>;

    QGroupBox* group(const QString& caption, QWidget* parent);
    QButtonGroup* choices(QGroupBox* box, bool Options::*option, const Buttons& buttons, int columns);
    QButtonGroup* choiceGroup(QGroupBox* box, Choice choice, const Buttons& buttons, int columns, bool listening);
    QCheckBox* flag(QGroupBox* box, const QString& caption, bool Options::*option);
    QSlider* slider(QGroupBox* box, const QString& caption, std::int8_t Options::*option);
    void onChoice(const Choice& choice, int value, bool listening);
    void applyLocks();
    struct Mixer {
        QString program;
        QStringList arguments;
    };
    // The first mixer of the desktop's that is installed, if any.
    std::optional<Mixer> volumeControl() const;
    void openVolumeControl();

    Game& game_;
    Options atOpen_;
    std::vector<Flag> flags_;
    std::vector<Choice> choices_;
    std::vector<std::pair<QSlider*, std::int8_t Options::*>> sliders_;
    QButtonGroup* speed_ = nullptr;
    QButtonGroup* levels_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLineEdit* address_ = nullptr;
    PlateButton* call_ = nullptr;
    PlateButton* end_ = nullptr;
    QCheckBox* listen_ = nullptr;
    QCheckBox* keepGame_ = nullptr;
    QCheckBox* questionsWait_ = nullptr;
    QCheckBox* playInWindow_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* peer_ = nullptr;
    QLabel* localAddress_ = nullptr;
    PlateButton* mailIp_ = nullptr;
    QSpinBox* matchPoints_ = nullptr;
    PlateButton* resetGames_ = nullptr;
    PlateButton* resetMatches_ = nullptr;
    PlateButton* volume_ = nullptr;
    // The controls each lock covers.
    QWidget *play_ = nullptr, *opponent_ = nullptr, *place_ = nullptr, *dice_ = nullptr, *firstMove_ = nullptr,
            *computerStyle_ = nullptr, *thinkingSpeed_ = nullptr, *netType_ = nullptr, *slidersBox_ = nullptr;
    QCheckBox *cube_ = nullptr, *jacoby_ = nullptr, *crawford_ = nullptr, *alwaysAccepted_ = nullptr,
              *noBackgammon_ = nullptr;
    QWidget* matchPointsBox_ = nullptr;
};

}  // namespace lumaro
