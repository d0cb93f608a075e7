#include "ui/Shell.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <cstdio>

#include "game/MenuCommands.h"
#include "persistence/SettingsFile.h"
#include "ui/ActivityLights.h"
#include "ui/Backdrop.h"
#include "ui/BoardFrame.h"
#include "ui/BoardWindow.h"
#include "ui/ChatLines.h"
#include "ui/PlateButton.h"
#include "ui/HelpWindow.h"
#include "ui/MenuPanel.h"
#include "ui/QtScreen.h"
#include "ui/RecordFiles.h"
#include "ui/SoundBank.h"
#include "ui/SettingsWindow.h"
#include "ui/StatisticsWindow.h"
#include "ui/StudyPlates.h"

namespace lumaro {

namespace {

// How often a saved game waiting for a free board is tried again.
constexpr int kSavedGameRetryMs = 400;

// A placeholder until the board window exists: the game talks to nobody during construction.
class SilentScreen : public Screen {
public:
    Answer showMessage(const Message&) override { return Answer::Yes; }
    void delay(int) override {}
    void play(Sound) override {}
};
SilentScreen silentScreen;

QString hms(qint64 seconds) {
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600 % 100, 2, 10, QLatin1Char('0'))
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QRect centred(const QRect& area, const QSize& size) {
    QRect place(QPoint(0, 0), size);
    place.moveCenter(area.center());
    return place;
}

}  // namespace

Shell::Shell(const ProgramFolders& folders, const NetworkSetup& network) : folders_(folders), networkSetup_(network) {}

Shell::Shell(const QString& folder, const NetworkSetup& network)
    : folders_(ProgramFolders::beside(folder)), networkSetup_(network) {
    folders_.assets = defaultAssetsFolder();
}

Shell::~Shell() = default;

Game::ShellState Shell::shellState() const {
    const bool toolWindowOpen = (statistics_ && statistics_->isVisible()) || (help_ && help_->isVisible()) ||
                                (settings_ && settings_->isVisible());
    return {toolWindowOpen};
}

// STAT and HELP: the board takes no input while the window is open, and a docked menu panel
// makes way.
void Shell::openToolWindow(ToolWindow& window) {
    menu_->hideIfDocked();
    window.openOver(*board_);
}

bool Shell::saveSettings(std::string* whyNot) {
    // lm2.ini has no room for the Master: the window's own settings keep it.
    if (board_ && board_->extra.master != game_->options().master) {
        board_->extra.master = game_->options().master;
        board_->extra.save();
    }
    // The settings folder may not exist yet for a first start of an installed program.
    if (!settingsFile_->writeRefused()) QDir().mkpath(folders_.settings);
    std::string why;
    if (settingsFile_->save(game_->options(), game_->state().scores(), &why)) return true;
    std::fprintf(stderr, "lumaro: %s could not be written: %s.\n", settingsFile_->path().c_str(), why.c_str());
    if (whyNot) *whyNot = why;
    return false;
}

bool Shell::settingsSavedOrLeaveAnyway() {
    std::string whyNot;
    if (saveSettings(&whyNot)) return true;
    Game& g = *game_;
    g.showMessage(MessageKind::RuleNotice, "Your settings and scores could not be saved.",
                  settingsFile_->path() + ": " + whyNot + ".", false);
    Message question;
    question.kind = MessageKind::Resign;
    question.line1 = "Exit all the same?";
    question.line2 = "NO keeps the game open.";
    question.yesNo = true;
    question.waitsForAnswer = true;  // leaving loses the session's scores: never by a countdown
    return g.showMessage(question);
}

bool Shell::start() {
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 800, 600);
    const bool inWindow = ExtraSettings::load().playInWindow;  // a window may be smaller than the board
    if (!inWindow && (area.width() < 800 || area.height() < 600)) {
        QMessageBox::critical(nullptr, QStringLiteral("Lumaro 2"), QStringLiteral("Minimum video mode required is 800x600!"));
        return false;
    }
    assets_ = Assets::load(folders_.assets);
    nets_ = std::make_unique<NeuralNets>();
    nets_->loadNets(nativePath(folders_.data));
    backdrop_ = std::make_unique<Backdrop>(assets_.splash);
    // In a window the splash shows where the board will be, not over the whole screen.
    backdrop_->layOut(inWindow ? centred(area, QSize(BoardWindow::kWidth, BoardWindow::kHeight)) : area);
    backdrop_->setProgress(22);
    backdrop_->show();
    QCoreApplication::processEvents();
    if (screen && screen->depth() < 16) {
        QMessageBox::critical(nullptr, QStringLiteral("Lumaro 2"), QStringLiteral("Minimum color quality is 16 bits per pixel!"));
        return false;
    }

    // The board window: the settings, the board and the game.
    game_ = std::make_unique<Game>(silentScreen);
    game_->setSavedGameFiles(savedGameDisk_);
    keptGames_ = std::make_unique<KeptGameFile>(nativePath(folders_.keptGamePath()));
    settingsFile_ = std::make_unique<SettingsStore>(nativePath(folders_.settingsPath()));
    Options stored = game_->options();
    Scores kept = game_->state().scores();
    if (settingsFile_->load(stored, kept) == SettingsIo::readFailed)
        std::fprintf(stderr, "lumaro: %s could not be read (%s); the defaults are used and the file is not written.\n",
                     settingsFile_->path().c_str(), settingsFile_->readError().c_str());
    // The Master lives beside lm2.ini, which keeps level 3 for it: a level changed in the file
    // since then is the one that plays.
    stored.master = ExtraSettings::load().master && stored.computerLevel == Level::Expert;
    game_->changeOptions([&stored](Options& o) { o = stored; });
    game_->restoreScores(kept);
    game_->setNets(nets_.get());
    const QTime utc = QDateTime::currentDateTimeUtc().time();
    game_->startUp(millisecondsSinceMidnight(utc.hour(), utc.minute(), utc.second(), utc.msec()));
    sounds_ = std::make_unique<SoundBank>(assets_.folder);
    board_ = std::make_unique<BoardWindow>(*game_, assets_);
    screen_ = std::make_unique<QtScreen>(*board_, *sounds_);
    game_->setScreen(*screen_);
    board_->move(centred(area, board_->size()).topLeft());
    backdrop_->setProgress(45);
    sounds_->play(Sound::Start);  // whatever the sound option says

    auto wait = [this](int ms) { board_->delay(ms); };
    wait(150);
    menu_ = std::make_unique<MenuPanel>(assets_, board_.get());
    backdrop_->setProgress(68);
    wait(150);
    help_ = std::make_unique<HelpWindow>(folders_.data, assets_);
    backdrop_->setProgress(91);
    statistics_ = std::make_unique<StatisticsWindow>(*game_, assets_);
    backdrop_->setProgress(114);
    wait(150);
    settings_ = std::make_unique<SettingsWindow>(*game_, assets_);
    backdrop_->setProgress(137);
    wait(150);
    backdrop_->setProgress(160);
    for (int value = 183; value <= 344; value += 23) {
        backdrop_->setProgress(value);
        wait(100);
    }
    wait(1200);
    backdrop_->hideProgress();

    connect(menu_.get(), &MenuPanel::command, this, &Shell::onCommand);
    connect(menu_.get(), &MenuPanel::slideTick, this, [this] { game_->slideTicked(); });
    connect(menu_.get(), &MenuPanel::shown, this, [this] {
        if (game_->options().soundFx) sounds_->play(Sound::Menu);
    });
    connect(board_.get(), &BoardWindow::menuRequested, this, [this](bool atCorner) {
        if (atCorner)
            menu_->dockAtCorner();
        else
            menu_->slideIn();
    });
    connect(board_.get(), &BoardWindow::boardEntered, this, [this] { menu_->boardEntered(); });
    connect(board_.get(), &BoardWindow::boardClicked, this, [this] { menu_->hideIfDocked(); });
    connect(board_.get(), &BoardWindow::moveRequested, this, [this] { onCommand(MenuItem::Move); });
    connect(board_.get(), &BoardWindow::closeRequested, this, [this] { onCommand(MenuItem::Exit); });
    connect(board_.get(), &BoardWindow::clockTicked, this, &Shell::onClockTick);
    connect(board_.get(), &BoardWindow::startRequested, this, [this] {
        firstGameAsked_ = true;
        if (!openWaitingSavedGame() && !offerKeptGame()) onCommand(MenuItem::Start);
        menu_->slideIn();
    });
    settings_->keepGameBox().setChecked(board_->extra.keepGameAtExit);
    settings_->questionsWaitBox().setChecked(board_->extra.questionsWait);
    settings_->playInWindowBox().setChecked(board_->extra.playInWindow);
    connect(&settings_->playInWindowBox(), &QCheckBox::clicked, this, [this](bool on) {
        board_->extra.playInWindow = on;
        board_->extra.save();
    });
    screen_->questionsWait = board_->extra.questionsWait;
    connect(&settings_->questionsWaitBox(), &QCheckBox::clicked, this, [this](bool on) {
        board_->extra.questionsWait = on;
        board_->extra.save();
        screen_->questionsWait = on;
    });
    keepGamesAtExit(board_->extra.keepGameAtExit);
    connect(&settings_->keepGameBox(), &QCheckBox::clicked, this, [this](bool on) {
        board_->extra.keepGameAtExit = on;
        board_->extra.save();
        keepGamesAtExit(on);
    });
    screen_->onMessageClosed = [this] { menu_->hideIfDocked(); };
    // CLOSE of the settings: the file is written, then the board follows the options.
    connect(settings_.get(), &ToolWindow::closed, this, [this] {
        saveSettings();
        game_->optionsChanged(settings_->optionsAtOpen());
        showBoardIn(board_->extra.playInWindow);
    });
    screen_->onSaveSettings = [this] { saveSettings(); };
    screen_->onRecordChanged = [this] { writeSessionRecord(); };
    connect(board_.get(), &BoardWindow::exportRequested, this, &Shell::exportGames);
    connect(board_.get(), &BoardWindow::copyIdsRequested, this, &Shell::copyIds);
    connect(board_.get(), &BoardWindow::hintRequested, this, &Shell::showHint);
    connect(board_.get(), &BoardWindow::hintPlayRequested, this, &Shell::playHint);
    connect(board_.get(), &BoardWindow::reviewRequested, this, &Shell::toggleReview);
    connect(board_.get(), &BoardWindow::reviewStepped, this, &Shell::stepReview);
    connect(board_.get(), &BoardWindow::reviewSideSwitched, this, [this] {
        if (game_->hourglass()) return;  // the review of the other side is still being worked out
        reviewSide_ = otherSide(reviewSide_);
        reviewLastGame();
    });
    connect(board_.get(), &BoardWindow::pasteIdsRequested, this, &Shell::pasteIds);
    screen_->savedGamesFolder = folders_.documents;
    screen_->onDisplayOptionsChanged = [this] {
        backdrop_->setClockVisible(game_->options().showLocalTime, game_->options().showGameDuration);
    };

    startNetwork();

    screen_->onDisplayOptionsChanged();
    showBoardIn(board_->extra.playInWindow);
    board_->show();
    raiseBoardWindow(*board_);
    board_->setFocus();
    board_->startClock();
    return true;
}

void Shell::onClockTick() {
    const QDateTime now = QDateTime::currentDateTime();
    QString duration;
    if (game_->state().gameOn() && board_->gameStartSeconds() > 0 && board_->isVisible())
        duration = hms(static_cast<qint64>(now.toMSecsSinceEpoch() / 1000.0 - board_->gameStartSeconds()));
    const QString clock = now.toString(QStringLiteral("hh:mm:ss"));
    backdrop_->showTimes(clock, duration);
    if (frame_) {
        // In a window the title bar shows what the backdrop shows below the board.
        QString title = QStringLiteral("Lumaro 2");
        if (game_->options().showLocalTime) title += QStringLiteral("   ") + clock;
        if (game_->options().showGameDuration && !duration.isEmpty()) title += QStringLiteral("   Game ") + duration;
        if (frame_->windowTitle() != title) frame_->setWindowTitle(title);
    }
}

void Shell::onCommand(MenuItem item) {
    Game& g = *game_;
    MenuCommands menu(g);
    const Game::ShellState shell = shellState();
    switch (item) {
        case MenuItem::Start: menu.start(shell); break;
        case MenuItem::Back: menu.back(shell); break;
        case MenuItem::Move: menu.move(shell); break;
        case MenuItem::Abort: menu.abort(shell); break;
        case MenuItem::Side:
            if (menu.side(shell)) board_->update();
            break;
        case MenuItem::Color:
            if (menu.color(shell)) board_->update();
            break;
        case MenuItem::Score: menu.score(shell); break;
        case MenuItem::Hide:
            if (!g.hourglass() && !g.busy()) menu_->hideIfDetached();
            break;
        case MenuItem::Exit:
            if (menu.exit(shell)) exitProgram();
            break;
        case MenuItem::Load: menu.load(shell); break;
        case MenuItem::Save: menu.save(shell); break;
        case MenuItem::Stat:
            if (toolWindowMayOpen(g, shell)) openToolWindow(*statistics_);
            break;
        case MenuItem::Help:
            if (toolWindowMayOpen(g, shell)) openToolWindow(*help_);
            break;
        case MenuItem::Hint: showHint(); break;
        case MenuItem::Tune:
            if (!toolWindowMayOpen(g, shell)) break;
            if (g.options().soundFx) sounds_->play(Sound::Settings);
            menu_->hideIfDocked();
            settings_->localAddressLabel().setText(NetworkLink::localAddress());
            settings_->open(*board_);
            break;
    }
}

// Network play: the connection, the remote program as Black's player, the chat fields, the
// activity lights and the connection boxes of the settings window.
void Shell::startNetwork() {
    network_ = std::make_unique<NetworkLink>(*game_, assets_.folder, networkSetup_);
    net::RemoteProgram& remote = network_->remote();
    game_->setRemote(&remote);
    remote.chatLogPath = nativePath(folders_.chatLogPath());
    remote.toolWindowOpen = [this] { return shellState().toolWindowOpen; };
    chat_ = new ChatLines(board_.get(), *game_, remote, [this](Sound s) { sounds_->play(s); });
    remote.onChatReceived = [this](const std::string& line) {
        chat_->lineReceived(QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size())));
    };
    lights_ = new ActivityLights(board_.get(), assets_.folder);
    connect(network_.get(), &NetworkLink::connectedChanged, lights_, &ActivityLights::setConnected);
    connect(network_.get(), &NetworkLink::activity, lights_, &ActivityLights::show);
    connect(board_.get(), &BoardWindow::chatKeyPressed, this, [this] {
        if (game_->options().chatKeyEnabled) chat_->open();
    });
    connect(board_.get(), &BoardWindow::clockTicked, chat_, &ChatLines::autohideTick);
    wireConnectionBoxes();
    network_->applyListeningRule();
}

void Shell::wireConnectionBoxes() {
    SettingsWindow& s = *settings_;
    NetworkLink& link = *network_;
    s.networkReady = [] { return true; };
    connect(&s.callButton(), &PlateButton::clicked, &link, [this] {
        const QString address = settings_->addressField().text().left(static_cast<int>(Options::kMaxRemoteAddress));
        game_->changeOptions([&address](Options& o) { o.remoteAddress = address.toStdString(); });
        network_->call(address);
    });
    connect(&s.endButton(), &PlateButton::clicked, &link, &NetworkLink::end);
    connect(&s, &SettingsWindow::listeningRuleChanged, &link, &NetworkLink::applyListeningRule);
    connect(&s.mailIpButton(), &PlateButton::clicked, &link, &NetworkLink::mailIp);
    connect(&link, &NetworkLink::statusChanged, &s.statusLabel(), &QLabel::setText);
    connect(&link, &NetworkLink::peerAddressChanged, &s.peerAddressLabel(), &QLabel::setText);
    // A connection forces the rules both programs play by, and locks them: the window shows it.
    connect(&link, &NetworkLink::connectedChanged, &s, [this] {
        if (settings_->isVisible()) settings_->refresh();
    });
    s.localAddressLabel().setText(NetworkLink::localAddress());
}

MatHeader Shell::recordHeader() const {
    MatHeader header;
    header.whiteName = game_->options().playerName.empty() ? std::string("White") : game_->options().playerName;
    header.blackName = game_->blackPlayer().nameInRecords();
    if (game_->networkPlace() && network_) {
        // The name the peer sent: the host hears the caller's with the invitation, the caller the host's.
        const net::RemoteProgram& remote = network_->remote();
        const std::string& peer = game_->hostSide() ? remote.opponentName() : remote.hostName();
        if (!peer.empty()) header.blackName = peer;
    }
    header.eventDate = QDate::currentDate().toString(QStringLiteral("yyyy.MM.dd")).toStdString();
    return header;
}

void Shell::writeSessionRecord() {
    if (game_->recorder().record().games.empty()) return;
    if (recordSession_ != game_->recordSession() || sessionRecordPath_.isEmpty()) {
        recordSession_ = game_->recordSession();
        sessionRecordPath_ = folders_.sessionRecordPath(QDateTime::currentDateTime());
    }
    QDir().mkpath(folders_.recordsFolder());
    // A record that cannot be written is kept in memory and tried again after the next game. The
    // player hears of it once (until a write succeeds again), and the game goes on.
    std::string whyNot;
    if (writeRecordFiles(recordPathsOf(sessionRecordPath_), game_->recorder().record(), recordHeader(), &whyNot)) {
        recordFailureTold_ = false;
        return;
    }
    if (recordFailureTold_) return;
    recordFailureTold_ = true;
    std::fprintf(stderr, "lumaro: the session's games could not be written: %s.\n", whyNot.c_str());
    game_->showMessage(MessageKind::RuleNotice, "The session's games could not be written.", whyNot + ".", false);
}

void Shell::exportGames() {
    Game& g = *game_;
    if (g.menuRefused(shellState(), false)) return;
    if (g.recorder().record().games.empty()) {
        g.showMessage(MessageKind::RuleNotice, "There are no games", "to export yet.", false);
        return;
    }
    std::optional<Game::InputHold> hold(std::in_place, g);  // the dialog waits while the board stands still
    QWidget& shown = windowShowing(*board_);
    QFileDialog dialog(&shown, QStringLiteral("Export games\u2026"), folders_.documents,
                       QStringLiteral("Match files (*.mat *.sgf)"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint, boardOverEverything(*board_));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("mat"));
    // Not "games": the session files' folder of that name sits beside, and Enter would open it.
    dialog.selectFile(QStringLiteral("lumaro-games-%1.mat").arg(QDate::currentDate().toString(QStringLiteral("yyyyMMdd"))));
    const bool chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    hold.reset();
    if (!chosen) return;
    // The match file the dialog proposes, and GNU Backgammon's file beside it under the same name.
    std::string whyNot;
    if (!writeRecordFiles(recordPathsOf(dialog.selectedFiles().first()), g.recorder().record(), recordHeader(), &whyNot))
        g.showMessage(MessageKind::RuleNotice, "The games could not be exported.", whyNot, false);
}

void Shell::copyIds() {
    Game& g = *game_;
    if (g.menuRefused(shellState(), false)) return;
    const std::string ids = MenuCommands(g).copyIds();
    QGuiApplication::clipboard()->setText(QString::fromStdString(ids));
    const std::size_t newline = ids.find('\n');
    g.showMessage(MessageKind::RuleNotice, ids.substr(0, newline), ids.substr(newline + 1), false);
}

void Shell::pasteIds() {
    // At most a screenful of text is read: the IDs are short, a pasted book is not a game.
    const QString text = QGuiApplication::clipboard()->text().left(4096);
    MenuCommands(*game_).paste(shellState(), text.toStdString());
}

void Shell::showHint() {
    Game& g = *game_;
    if (board_->plateShown()) {
        board_->hideHint();
        return;
    }
    // While a message box is up only Black's double has a hint: take or pass.
    if (shellState().toolWindowOpen || g.hourglass() || (g.busy() && !g.whiteAnswersDouble())) return;
    const Hint quick = hints_.hintFor(g, 0);
    showHintOnBoard(quick);
    if (quick.kind == Hint::Kind::Unavailable) return;
    board_->repaint();  // the first lines at once, the deeper ranking when it is done
    showHintOnBoard(hints_.hintFor(g, HintAdvisor::kDepth));
}

void Shell::showHintOnBoard(const Hint& hint) {
    shownHint_ = hint;
    std::vector<std::pair<int, int>> marks;
    if (hint.kind == Hint::Kind::Plays) marks = stepsOfPlay(game_->state().snapshot().position, hint.bestPlay);
    board_->showPlate(hintPlate(hint), {}, std::move(marks));
}

void Shell::playHint() {
    Game& g = *game_;
    if (!board_->plateShown() || board_->reviewing || shownHint_.kind != Hint::Kind::Plays || shownHint_.plays.empty()) return;
    if (shellState().toolWindowOpen || g.busy() || g.hourglass()) return;
    // The same moments as MOVE: White on turn, and in a network game while the peer waits.
    if (!g.state().gameOn() || g.state().sideToMove() != Side::White || !g.blackPlayer().allowsMoveCommand(g)) return;
    const Play play = shownHint_.bestPlay;
    board_->hideHint();
    g.playWhitePlay(play);
}

void Shell::toggleReview() {
    Game& g = *game_;
    if (board_->reviewing) {
        board_->reviewing = false;
        board_->hideHint();
        board_->endMoment();
        board_->scene().restoreTo(g.state().position());
        reviewHold_.reset();
        return;
    }
    if (shellState().toolWindowOpen || g.busy() || g.hourglass()) return;
    const auto& games = g.recorder().record().games;
    auto notice = [this](const char* why) {
        board_->showPlate({QStringLiteral("REVIEW"), {{QString::fromLatin1(why), {}}}, QStringLiteral("R hides.")}, {}, {});
    };
    if (!g.nets() || !g.nets()->usable()) return notice("The Expert's networks are missing.");
    if (games.empty()) return notice("There is no game to review yet.");
    reviewSide_ = Side::White;
    if (!reviewLastGame()) return notice("No decision of yours to review yet.");
    reviewHold_.emplace(g);
    board_->hideHint();
    board_->reviewing = true;
    showReviewDecision();
}

bool Shell::reviewLastGame() {
    Game& g = *game_;
    // A whole game looked at two rolls deep takes a good part of a second: worked out off the
    // window's thread on a copy of the game, with the hourglass keeping clicks and keys out.
    g.setHourglass(true);
    const MatchRecord& record = g.recorder().record();
    const RecordedGame game = record.games.back();
    const int matchLength = record.matchLength;
    const Side side = reviewSide_;
    const NeuralNets& nets = *g.nets();
    GameReview review;
    screen_->runLive([&] { review = reviewGame(game, side, nets, matchLength); });
    g.setHourglass(false);
    if (review.decisions.empty()) {
        if (board_->reviewing) reviewSide_ = otherSide(reviewSide_);  // nothing to see: stay where we were
        return false;
    }
    review_ = std::move(review);
    reviewAt_ = 0;
    if (board_->reviewing) showReviewDecision();
    return true;
}

void Shell::stepReview(int by) {
    if (!board_->reviewing) return;
    reviewAt_ = std::clamp(reviewAt_ + by, 0, static_cast<int>(review_.decisions.size()) - 1);
    showReviewDecision();
}

void Shell::showReviewDecision() {
    const ReviewedDecision& d = review_.decisions[static_cast<std::size_t>(reviewAt_)];
    // The board as it stood at the decision: the checkers, the cube, the dice of a play, the counts.
    board_->scene().restoreTo(d.before);
    const bool play = d.kind == ReviewedDecision::Kind::Play;
    board_->showMoment({d.before, d.cube, review_.side, play ? d.dieA : 0, play ? d.dieB : 0});
    board_->showPlate(reviewPlate(review_, reviewAt_), d.playedSteps, d.bestSteps, review_.side);
}

void Shell::keepGamesAtExit(bool on) {
    if (on) QDir().mkpath(folders_.userData);
    game_->setKeptGameStore(on ? keptGames_.get() : nullptr);
}

bool Shell::offerKeptGame() {
    Game& g = *game_;
    // A network game is never kept; a game kept before the place changed waits for local play.
    if (g.networkPlace()) return false;
    const std::optional<KeptGameResult> kept = keptGames_->take();
    if (!kept) return false;
    if (!kept->ok) {
        std::fprintf(stderr, "lumaro: the kept game %s could not be read (%s); %s\n", keptGames_->path().c_str(),
                     kept->error.c_str(),
                     kept->setAsideAs.empty() ? "it is left where it is" : ("it is now " + kept->setAsideAs).c_str());
        const KeptGameRefusal refusal = keptGameRefusal(*kept, keptGames_->path());
        g.showMessage(MessageKind::RuleNotice, refusal.line1, refusal.line2, false);
        return false;
    }
    const bool yes = g.showMessage(MessageKind::NewGame, "Continue the game you kept?", "NO starts a new game.", true);
    keptGames_->forget();
    if (!yes) return false;
    MenuCommands(g).continueKeptGame(kept->game);
    return true;
}

void Shell::bringToFront() {
    if (board_) raiseBoardWindow(*board_);  // during start-up the board comes when it is ready
}

void Shell::openSavedGame(const QString& path) {
    savedGameToOpen_ = path;
    if (firstGameAsked_) openWaitingSavedGame();
}

bool Shell::openWaitingSavedGame() {
    if (savedGameToOpen_.isEmpty() || !game_) return false;
    const QString path = savedGameToOpen_;
    const bool gameWasOn = game_->state().gameOn();
    const MenuCommands::Opening opening = MenuCommands(*game_).open(shellState(), nativePath(path));
    if (opening == MenuCommands::Opening::later) {
        // Tried again shortly, once: the board is busy for moments, a window until it closes.
        if (!savedGameRetryDue_) {
            savedGameRetryDue_ = true;
            QTimer::singleShot(kSavedGameRetryMs, this, [this] {
                savedGameRetryDue_ = false;
                openWaitingSavedGame();
            });
        }
        return false;
    }
    // Another saved game may have come while this one's question was up: that one still waits.
    if (savedGameToOpen_ == path) savedGameToOpen_.clear();
    if (opening == MenuCommands::Opening::never)
        std::fprintf(stderr, "lumaro: %s is not opened: saved games are not played over the network.\n",
                     qPrintable(path));
    return !gameWasOn && game_->state().gameOn();
}

void Shell::showBoardIn(bool window) {
    QScreen* screen = windowShowing(*board_).screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, BoardWindow::kWidth, BoardWindow::kHeight);
    if (!window && (area.width() < BoardWindow::kWidth || area.height() < BoardWindow::kHeight)) {
        // The whole board does not fit on this screen: it stays in its window.
        window = board_->extra.playInWindow = true;
        board_->extra.save();
        settings_->playInWindowBox().setChecked(true);
    }
    if (window == static_cast<bool>(frame_)) return;
    const bool boardShown = board_->isVisible();
    menu_->hide();
    if (window) {
        frame_ = std::make_unique<BoardFrame>(*board_, *menu_);
        connect(frame_.get(), &BoardFrame::closeRequested, this, [this] { onCommand(MenuItem::Exit); });
        if (!frame_->restoreGeometry(board_->extra.windowGeometry)) frame_->move(centred(area, frame_->size()).topLeft());
        backdrop_->hide();
        frame_->show();
    } else {
        keepWindowGeometry();
        frame_.reset();  // the board and the menu are windows of their own again, hidden
        board_->move(centred(area, board_->size()).topLeft());
        backdrop_->layOut(area);
        backdrop_->show();
    }
    board_->setVisible(boardShown);
    if (boardShown) {
        raiseBoardWindow(*board_);
        board_->setFocus();
    }
}

void Shell::keepWindowGeometry() {
    if (!frame_) return;
    board_->extra.windowGeometry = frame_->saveGeometry();
    board_->extra.save();
}

void Shell::exitProgram() {
    if (!settingsSavedOrLeaveAnyway()) return;
    if (game_->options().soundFx) sounds_->play(Sound::Farewell);
    network_->shutdown();
    screen_->setClosing();
    menu_->hide();
    if (frame_) {
        // The farewell fills the window's place for its last second.
        keepWindowGeometry();
        backdrop_->layOut(frame_->geometry());
        backdrop_->show();
        frame_->hide();
    }
    board_->hide();
    backdrop_->farewell([this](int ms) { board_->delay(ms); });
    QCoreApplication::quit();
}

}  // namespace lumaro
