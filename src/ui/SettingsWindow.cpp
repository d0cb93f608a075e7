#include "ui/SettingsWindow.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ai/NeuralNets.h"
#include "game/SettingsRules.h"

namespace lumaro {
namespace {

// The name and the address as their fields hold them, never longer than the options keep.
std::string typedName(const QString& text) { return text.left(static_cast<int>(Options::kMaxPlayerName)).toStdString(); }
std::string typedAddress(const QString& text) { return text.left(static_cast<int>(Options::kMaxRemoteAddress)).toStdString(); }

constexpr int kColumns = 4;
constexpr int kColumnGap = 10;
// The player and the connection, the rules, the board, the computer: each as wide as its longest
// caption needs.
constexpr int kColumnWidth[kColumns] = {146, 196, 162, 176};

// The desktop's mixers: PulseAudio's and PipeWire's own first, then those of KDE Plasma, GNOME,
// MATE and Xfce; the first one installed opens.
const char* const kMixers[][2] = {{"pavucontrol", ""},
                                  {"pavucontrol-qt", ""},
                                  {"kcmshell6", "kcm_pulseaudio"},
                                  {"systemsettings", "kcm_pulseaudio"},
                                  {"gnome-control-center", "sound"},
                                  {"mate-volume-control", ""},
                                  {"xfce4-mixer", ""},
                                  {"kmix", ""}};

// "Match points": the arrows stay within 1..255, and up to three digits may be typed; a number out
// of range becomes the nearest one in range when the field is left (300 becomes 255, 0 becomes 1).
class MatchPointsField : public QSpinBox {
public:
    explicit MatchPointsField(QWidget* parent) : QSpinBox(parent) {
        setRange(1, 255);
    }

protected:
    QValidator::State validate(QString& text, int& pos) const override {
        bool number = false;
        const int typed = text.toInt(&number);
        if (number && text.size() <= 3 && !text.startsWith(QLatin1Char('-')) && !text.startsWith(QLatin1Char('+')))
            return typed >= minimum() && typed <= maximum() ? QValidator::Acceptable : QValidator::Intermediate;
        return QSpinBox::validate(text, pos);
    }
    void fixup(QString& text) const override {
        bool number = false;
        const int typed = text.toInt(&number);
        if (number) text = QString::number(clampMatchPoints(typed));
    }
};

}  // namespace

SettingsWindow::SettingsWindow(Game& game, const Assets& assets)
    : ToolWindow(QStringLiteral("Settings "), assets), game_(game) {
    const QRect area = contentArea();
    QVBoxLayout* column[kColumns];
    int x = area.x();
    for (int c = 0; c < kColumns; ++c) {
        auto* holder = new QWidget(this);
        holder->setGeometry(x, area.y(), kColumnWidth[c], area.height());
        x += kColumnWidth[c] + kColumnGap;
        column[c] = new QVBoxLayout(holder);
        column[c]->setContentsMargins(0, 0, 0, 0);
        column[c]->setSpacing(6);
    }
    auto add = [&](int c, QWidget* w) { column[c]->addWidget(w); };

    // The player's name across the first two columns: twenty wide letters need the room.
    QGroupBox* nameBox = group(QStringLiteral("Your name"), this);
    name_ = new QLineEdit(nameBox);
    name_->setMaxLength(static_cast<int>(Options::kMaxPlayerName));
    nameBox->layout()->addWidget(name_);
    const int nameHeight = nameBox->sizeHint().height();
    nameBox->setGeometry(area.x(), area.y(), kColumnWidth[0] + kColumnGap + kColumnWidth[1], nameHeight);
    for (int c = 0; c < 2; ++c) {
        QWidget* holder = column[c]->parentWidget();
        holder->setGeometry(holder->geometry().adjusted(0, nameHeight + column[c]->spacing(), 0, 0));
    }
    // Written as it is typed, like every other control: a refresh (a connection coming up) shows
    // what was typed, not the name stored before.
    connect(name_, &QLineEdit::textEdited, this, [this](const QString& text) {
        game_.changeOptions([&text](Options& o) { o.playerName = typedName(text); });
    });

    // The opponent and the connection.
    QGroupBox* opponentBox = group(QStringLiteral("Opponent"), this);
    opponent_ = opponentBox;
    choices(opponentBox, &Options::humanOpponent, {{QStringLiteral("&Human"), 1}, {QStringLiteral("Com&puter"), 0}}, 1);
    add(0, opponentBox);
    QGroupBox* placeBox = group(QStringLiteral("Place"), this);
    place_ = placeBox;
    choices(placeBox, &Options::localPlay, {{QStringLiteral("&Local"), 1}, {QStringLiteral("&Network"), 0}}, 1);
    add(0, placeBox);
    QGroupBox* connection = group(QStringLiteral("Connection"), this);
    address_ = new QLineEdit(connection);
    address_->setMaxLength(static_cast<int>(Options::kMaxRemoteAddress));
    address_->setPlaceholderText(QStringLiteral("address to call"));
    connect(address_, &QLineEdit::textEdited, this, [this](const QString& text) {
        game_.changeOptions([&text](Options& o) { o.remoteAddress = typedAddress(text); });
    });
    auto* buttons = new QHBoxLayout;
    call_ = new PlateButton(QStringLiteral("Call"), connection);
    end_ = new PlateButton(QStringLiteral("End"), connection);
    buttons->addWidget(call_);
    buttons->addWidget(end_);
    listen_ = new QCheckBox(QStringLiteral("Listen"), connection);
    status_ = new QLabel(QStringLiteral("Status"), connection);
    peer_ = new QLabel(connection);
    auto* connectionLayout = static_cast<QVBoxLayout*>(connection->layout());
    connectionLayout->addWidget(address_);
    connectionLayout->addLayout(buttons);
    connectionLayout->addWidget(listen_);
    connectionLayout->addWidget(status_);
    connectionLayout->addWidget(peer_);
    add(0, connection);
    QGroupBox* localIp = group(QStringLiteral("Local IP"), this);
    localAddress_ = new QLabel(localIp);
    localAddress_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    mailIp_ = new PlateButton(QStringLiteral("Mail IP"), localIp);
    localIp->layout()->addWidget(localAddress_);
    localIp->layout()->addWidget(mailIp_);
    add(0, localIp);
    column[0]->addStretch();
    connect(listen_, &QCheckBox::toggled, this, [this](bool on) {
        game_.changeOptions([on](Options& o) { o.listenOption = on; });
        emit listeningRuleChanged();
    });

    // The rules of the game.
    QGroupBox* playBox = group(QStringLiteral("Play"), this);
    play_ = playBox;
    choices(playBox, &Options::matchPlay, {{QStringLiteral("&Game"), 0}, {QStringLiteral("&Match"), 1}}, 2);
    add(1, playBox);
    QGroupBox* pointsBox = group(QStringLiteral("Match points"), this);
    matchPointsBox_ = pointsBox;
    matchPoints_ = new MatchPointsField(pointsBox);
    pointsBox->layout()->addWidget(matchPoints_);
    connect(matchPoints_, &QSpinBox::valueChanged, this, [this](int typed) {
        game_.changeOptions([typed](Options& o) { o.matchLength = clampMatchPoints(typed); });
    });
    connect(matchPoints_, &QSpinBox::editingFinished, this, [this] { matchPoints_->setValue(game_.options().matchLength); });
    add(1, pointsBox);
    QGroupBox* rules = group(QStringLiteral("Options"), this);
    cube_ = flag(rules, QStringLiteral("&Doubling cube"), &Options::cubeEnabled);
    jacoby_ = flag(rules, QStringLiteral("&Jacoby rule"), &Options::jacobyRule);
    crawford_ = flag(rules, QStringLiteral("Cra&wford rule"), &Options::crawfordRule);
    add(1, rules);
    QGroupBox* other = group(QStringLiteral("Other"), this);
    alwaysAccepted_ = flag(other, QStringLiteral("Doubles always accepted"), &Options::doublesAlwaysAccepted);
    noBackgammon_ = flag(other, QStringLiteral("No backgammon scoring"), &Options::noBackgammonScoring);
    add(1, other);
    QGroupBox* firstMoveBox = group(QStringLiteral("First move"), this);
    firstMove_ = firstMoveBox;
    choices(firstMoveBox, &Options::alternateFirstMove, {{QStringLiteral("Alternate"), 1}, {QStringLiteral("Roll dice"), 0}}, 1);
    add(1, firstMoveBox);
    QGroupBox* reset = group(QStringLiteral("Reset score"), this);
    auto* resetRow = new QHBoxLayout;
    resetGames_ = new PlateButton(QStringLiteral("Games"), reset);
    resetMatches_ = new PlateButton(QStringLiteral("Matches"), reset);
    resetRow->addWidget(resetGames_);
    resetRow->addWidget(resetMatches_);
    static_cast<QVBoxLayout*>(reset->layout())->addLayout(resetRow);
    connect(resetGames_, &QAbstractButton::clicked, this, [this] { game_.resetGameScores(); });
    connect(resetMatches_, &QAbstractButton::clicked, this, [this] { game_.resetMatchScores(); });
    add(1, reset);
    column[1]->addStretch();

    // The board.
    QGroupBox* speedBox = group(QStringLiteral("Checker's speed"), this);
    speed_ = new QButtonGroup(this);
    auto* speedGrid = new QGridLayout;
    const std::pair<const char*, int> speeds[] = {{"Instant", 10000}, {"Fast", 16}, {"Medium", 10}, {"Slow", 4}};
    for (int k = 0; k < 4; ++k) {
        auto* b = new QRadioButton(QString::fromLatin1(speeds[k].first), speedBox);
        speed_->addButton(b, speeds[k].second);
        speedGrid->addWidget(b, k / 2, k % 2);
    }
    static_cast<QVBoxLayout*>(speedBox->layout())->addLayout(speedGrid);
    connect(speed_, &QButtonGroup::idClicked, this, [this](int id) {
        game_.changeOptions([id](Options& o) { o.checkerSpeed = static_cast<std::uint16_t>(id); });
    });
    add(2, speedBox);
    QGroupBox* diceBox = group(QStringLiteral("Dice"), this);
    dice_ = diceBox;
    choices(diceBox, &Options::automaticDice, {{QStringLiteral("Automatic"), 1}, {QStringLiteral("Manual"), 0}}, 1);
    add(2, diceBox);
    QGroupBox* skin = group(QStringLiteral("Skin"), this);
    choices(skin, &Options::modernSkin, {{QStringLiteral("Classic"), 0}, {QStringLiteral("Modern"), 1}}, 2);
    add(2, skin);
    QGroupBox* display = group(QStringLiteral("Display"), this);
    flag(display, QStringLiteral("Bar dots"), &Options::showBarDots);
    flag(display, QStringLiteral("Bar numbers"), &Options::showBarNumbers);
    flag(display, QStringLiteral("Borne off"), &Options::showBorneOff);
    flag(display, QStringLiteral("Pips count"), &Options::showPipCount);
    flag(display, QStringLiteral("Local time"), &Options::showLocalTime);
    flag(display, QStringLiteral("Game duration"), &Options::showGameDuration);
    flag(display, QStringLiteral("Chat lines - C key"), &Options::chatKeyEnabled);
    flag(display, QStringLiteral("Autohide chat lines"), &Options::autohideChat);
    keepGame_ = new QCheckBox(QStringLiteral("Keep game at EXIT"), display);
    keepGame_->setToolTip(QStringLiteral("EXIT keeps an unfinished game, and the next start offers to continue it."));
    display->layout()->addWidget(keepGame_);
    questionsWait_ = new QCheckBox(QStringLiteral("Questions wait"), display);
    questionsWait_->setToolTip(QStringLiteral("A question waits for your answer instead of saying YES by itself."));
    display->layout()->addWidget(questionsWait_);
    playInWindow_ = new QCheckBox(QStringLiteral("Play in a window"), display);
    playInWindow_->setToolTip(QStringLiteral("The board in a window of its own that you can move and size, instead of over the whole screen."));
    display->layout()->addWidget(playInWindow_);
    add(2, display);
    QGroupBox* sound = group(QStringLiteral("Sound"), this);
    auto* soundRow = new QHBoxLayout;
    QCheckBox* fx = flag(sound, QStringLiteral("FX"), &Options::soundFx);
    sound->layout()->removeWidget(fx);
    volume_ = new PlateButton(QStringLiteral("Volume"), sound);
    soundRow->addWidget(fx);
    soundRow->addWidget(volume_);
    static_cast<QVBoxLayout*>(sound->layout())->addLayout(soundRow);
    connect(volume_, &QAbstractButton::clicked, this, &SettingsWindow::openVolumeControl);
    add(2, sound);
    column[2]->addStretch();

    // The computer.
    QGroupBox* styleBox = group(QStringLiteral("Computer style"), this);
    computerStyle_ = styleBox;
    // The Master keeps level 3 in the settings file, which has room for three levels only.
    Choice style{nullptr,
                 [](const Options& o) { return o.master ? kMasterChoice : levelNumber(o.computerLevel); },
                 [](Options& o, int value) {
                     o.master = value == kMasterChoice;
                     o.computerLevel = o.master ? Level::Expert : levelFromNumber(value).value_or(o.computerLevel);
                 }};
    levels_ = choiceGroup(styleBox, std::move(style),
                          {{QStringLiteral("Level &1 - Beginner"), 1},
                           {QStringLiteral("Level &2 - Intermediate"), 2},
                           {QStringLiteral("Level &3 - Expert"), 3},
                           {QStringLiteral("Mas&ter"), kMasterChoice}},
                          1, false);
    add(3, styleBox);
    QGroupBox* tuning = group(QString(), this);
    slidersBox_ = tuning;
    slider(tuning, QStringLiteral("Attack"), &Options::attackSlider);
    slider(tuning, QStringLiteral("Risk"), &Options::riskSlider);
    slider(tuning, QStringLiteral("Strategy"), &Options::strategySlider);
    add(3, tuning);
    QGroupBox* thinking = group(QStringLiteral("Thinking speed"), this);
    thinkingSpeed_ = thinking;
    choices(thinking, &Options::slowThinking, {{QStringLiteral("Fast"), 0}, {QStringLiteral("Slow (best)"), 1}}, 1);
    add(3, thinking);
    QGroupBox* net = group(QStringLiteral("Neural net type"), this);
    netType_ = net;
    choices(net, &Options::normalNet, {{QStringLiteral("Normal"), 1}, {QStringLiteral("Aggressive"), 0}}, 1);
    add(3, net);
    column[3]->addStretch();

    refresh();
}

QGroupBox* SettingsWindow::group(const QString& caption, QWidget* parent) {
    auto* box = new QGroupBox(caption, parent);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(2, 2, 2, 4);  // the style gives the box its own padding
    layout->setSpacing(3);
    return box;
}

QButtonGroup* SettingsWindow::choices(QGroupBox* box, bool Options::*option, const Buttons& buttons, int columns) {
    Choice choice{nullptr, [option](const Options& o) { return o.*option ? 1 : 0; },
                  [option](Options& o, int value) { o.*option = value != 0; }};
    // Opponent and Place decide whether this program listens for callers.
    const bool listening = option == &Options::humanOpponent || option == &Options::localPlay;
    return choiceGroup(box, std::move(choice), buttons, columns, listening);
}

QButtonGroup* SettingsWindow::choiceGroup(QGroupBox* box, Choice choice, const Buttons& buttons, int columns, bool listening) {
    auto* buttonGroup = new QButtonGroup(this);
    auto* grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    for (std::size_t k = 0; k < buttons.size(); ++k) {
        auto* b = new QRadioButton(buttons[k].first, box);
        buttonGroup->addButton(b, buttons[k].second);
        grid->addWidget(b, static_cast<int>(k) / columns, static_cast<int>(k) % columns);
    }
    static_cast<QVBoxLayout*>(box->layout())->addLayout(grid);
    choice.group = buttonGroup;
    choices_.push_back(choice);
    connect(buttonGroup, &QButtonGroup::idClicked, this,
            [this, choice, listening](int value) { onChoice(choice, value, listening); });
    return buttonGroup;
}

QCheckBox* SettingsWindow::flag(QGroupBox* box, const QString& caption, bool Options::*option) {
    auto* check = new QCheckBox(caption, box);
    box->layout()->addWidget(check);
    // Every check box writes its option the moment it is clicked.
    connect(check, &QCheckBox::clicked, this, [this, option](bool on) { game_.changeOptions([option, on](Options& o) { o.*option = on; }); });
    flags_.push_back({check, option});
    return check;
}

QSlider* SettingsWindow::slider(QGroupBox* box, const QString& caption, std::int8_t Options::*option) {
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(caption, box);
    label->setMinimumWidth(56);
    auto* s = new QSlider(Qt::Horizontal, box);
    s->setRange(-2, 2);
    s->setPageStep(1);
    s->setTickPosition(QSlider::TicksBelow);
    s->setTickInterval(1);
    row->addWidget(label);
    row->addWidget(s);
    static_cast<QVBoxLayout*>(box->layout())->addLayout(row);
    connect(s, &QSlider::valueChanged, this, [this, option](int v) {
        game_.changeOptions([option, v](Options& o) { o.*option = static_cast<std::int8_t>(v); });
    });
    sliders_.push_back({s, option});
    return s;
}

void SettingsWindow::onChoice(const Choice& choice, int value, bool listening) {
    game_.changeOptions([&choice, value](Options& o) { choice.write(o, value); });
    if (listening) emit listeningRuleChanged();
    applyLocks();  // the opponent decides Place, the level which tuning applies
}

void SettingsWindow::refresh() {
    const Options& o = game_.options();
    for (const Flag& f : flags_) f.box->setChecked(o.*(f.option));
    for (const Choice& c : choices_) {
        if (QAbstractButton* b = c.group->button(c.read(o))) b->setChecked(true);
    }
    // Only the four speeds the window knows select a button; another value leaves the group alone.
    if (QAbstractButton* b = speed_->button(o.checkerSpeed)) b->setChecked(true);
    for (const auto& [s, option] : sliders_) {
        const QSignalBlocker quiet(s);
        s->setValue(o.*option);
    }
    {
        const QSignalBlocker quiet(matchPoints_);
        matchPoints_->setValue(o.matchLength);
    }
    {
        const QSignalBlocker quiet(listen_);
        listen_->setChecked(o.listenOption);
    }
    name_->setText(QString::fromStdString(o.playerName));
    address_->setText(QString::fromStdString(o.remoteAddress));
    applyLocks();
}

void SettingsWindow::applyLocks() {
    const SettingsLocks l = settingsLocks(game_.options(), game_.state().gameOn(), game_.connected());
    play_->setEnabled(l.play);
    matchPointsBox_->setEnabled(l.matchPoints);
    for (QCheckBox* b : {cube_, jacoby_, crawford_}) b->setEnabled(l.ruleBoxes);
    for (QCheckBox* b : {alwaysAccepted_, noBackgammon_}) b->setEnabled(l.otherRules);
    resetGames_->setEnabled(l.resetScores);
    resetMatches_->setEnabled(l.resetScores);
    opponent_->setEnabled(l.opponent);
    place_->setEnabled(l.place);
    computerStyle_->setEnabled(l.computerStyle);
    dice_->setEnabled(l.dice);
    firstMove_->setEnabled(l.firstMove);
    slidersBox_->setEnabled(l.sliders);
    thinkingSpeed_->setEnabled(l.thinkingSpeed);
    netType_->setEnabled(l.netType);
    const bool network = l.callAndListen && networkReady();
    call_->setEnabled(network && !game_.connected());
    listen_->setEnabled(network && !game_.connected());
    end_->setEnabled(networkReady() && game_.connected());
    mailIp_->setEnabled(networkReady());
    // The expert plays only with its networks; without them the computer plays level 2 meanwhile.
    QAbstractButton* expert = levels_->button(3);
    QAbstractButton* master = levels_->button(kMasterChoice);
    const bool expertReady = game_.nets() && game_.nets()->usable();
    expert->setEnabled(expertReady);
    master->setEnabled(expertReady);
    const QString why = game_.nets() ? QString::fromStdString(game_.nets()->unusableReason()) : QStringLiteral("No networks were loaded.");
    expert->setToolTip(expertReady ? QString()
                                   : QStringLiteral("Unavailable: the expert's network files could not be used.\n"
                                                    "Chosen before, it plays as level 2 meanwhile.\n") +
                                         why);
    master->setToolTip(expertReady ? QStringLiteral("Looks ahead over the rolls to come and decides the cube by the score.")
                                   : QStringLiteral("Unavailable: the Master needs the expert's network files.\n"
                                                    "Chosen before, level 2 plays meanwhile.\n") +
                                         why);
    const std::optional<Mixer> mixer = volumeControl();
    volume_->setEnabled(mixer.has_value());
    volume_->setToolTip(mixer ? QString() : QStringLiteral("No mixer was found on this system."));
}

void SettingsWindow::open(QWidget& board) {
    atOpen_ = game_.options();
    refresh();
    openOver(board);
}

void SettingsWindow::aboutToClose() {
    // The name and the address are taken from their fields when the settings are saved.
    game_.changeOptions([this](Options& o) {
        o.playerName = typedName(name_->text());
        o.remoteAddress = typedAddress(address_->text());
        o.matchLength = clampMatchPoints(matchPoints_->value());
    });
}

std::optional<SettingsWindow::Mixer> SettingsWindow::volumeControl() const {
    for (const auto& mixer : kMixers) {
        const QString program = findExecutable(QString::fromLatin1(mixer[0]));
        if (program.isEmpty()) continue;
        QStringList arguments;
        if (mixer[1][0] != '\0') arguments << QString::fromLatin1(mixer[1]);
        return Mixer{program, arguments};
    }
    return std::nullopt;
}

void SettingsWindow::openVolumeControl() {
    if (const std::optional<Mixer> mixer = volumeControl()) startProgram(mixer->program, mixer->arguments);
}

}  // namespace lumaro
