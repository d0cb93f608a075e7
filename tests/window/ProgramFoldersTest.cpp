// Where the program reads its own files and keeps the player's: beside it in the build folder, in
// the user's folders when installed or when its folder may not be written.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "game/Game.h"
#include "persistence/SettingsFile.h"
#include "ui/BoardWindow.h"
#include "ui/MenuPanel.h"
#include "ui/MessagePanel.h"
#include "ui/ProgramFolders.h"
#include "ui/SettingsWindow.h"
#include "ui/Shell.h"

using namespace lumaro;

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void touch(const QString& path) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("x");
}

// Answers the board's message boxes as they come up, in turn: YES (a notice: closed) for true, NO
// for false; keeps every message shown. The game waits for them inside its own loop, so a timer
// looks in; once the answers run out the boxes are left up.
struct BoxAnswers {
    QTimer watch;
    QList<Message> shown;
    BoxAnswers(Shell& shell, QList<bool> answers) {
        watch.setInterval(20);
        QObject::connect(&watch, &QTimer::timeout, [this, &shell, answers]() mutable {
            MessagePanel& panel = shell.board().messagePanel();
            if (!panel.isVisible() || !panel.waiting() || answers.isEmpty()) return;
            shown << panel.shownMessage();
            if (answers.takeFirst())
                panel.pressYes();
            else
                panel.pressNo();
        });
        watch.start();
    }
};

}  // namespace

class ProgramFoldersTest : public QObject {
    Q_OBJECT
    QTemporaryDir home_;

private slots:
    void initTestCase() {
        // The user's folders of this test run, not the developer's.
        QVERIFY(home_.isValid());
        qputenv("XDG_CONFIG_HOME", (home_.path() + QStringLiteral("/config")).toLocal8Bit());
        qputenv("XDG_DATA_HOME", (home_.path() + QStringLiteral("/data")).toLocal8Bit());
        qputenv("HOME", home_.path().toLocal8Bit());  // the documents folder too
    }

    void theBuildFolderKeepsEverythingBesideTheProgram() {
        QTemporaryDir build;
        touch(build.path() + QStringLiteral("/nn1.bin"));
        const ProgramFolders f = ProgramFolders::forProgram(build.path(), true);
        QCOMPARE(f.data, build.path());
        QCOMPARE(f.assets, build.path() + QStringLiteral("/assets"));
        QCOMPARE(f.settingsPath(), build.path() + QStringLiteral("/lm2.ini"));
        QCOMPARE(f.chatLogPath(), build.path() + QStringLiteral("/chat.txt"));
        QCOMPARE(f.documents, build.path());
    }

    void aReadOnlyBuildFolderSendsThePlayersFilesToTheUsersFolders() {
        QTemporaryDir build;
        touch(build.path() + QStringLiteral("/nn1.bin"));
        const ProgramFolders f = ProgramFolders::forProgram(build.path(), false);
        QCOMPARE(f.data, build.path());  // the weights and pages are still read from there
        QCOMPARE(f.settingsPath(), home_.path() + QStringLiteral("/config/lumaro2/lm2.ini"));
        QCOMPARE(f.chatLogPath(), home_.path() + QStringLiteral("/data/lumaro2/chat.txt"));
        QVERIFY(!f.documents.startsWith(build.path()));
    }

    void anInstalledProgramReadsShareAndWritesTheUsersFolders() {
        // PREFIX/bin/lumaro with PREFIX/share/lumaro2: even a writable bin folder (root's) stays clean.
        QTemporaryDir prefix;
        QVERIFY(QDir().mkpath(prefix.path() + QStringLiteral("/bin")));
        QVERIFY(QDir().mkpath(prefix.path() + QStringLiteral("/share/lumaro2/assets")));
        const ProgramFolders f = ProgramFolders::forProgram(prefix.path() + QStringLiteral("/bin"), true);
        QCOMPARE(f.data, prefix.path() + QStringLiteral("/share/lumaro2"));
        QCOMPARE(f.assets, prefix.path() + QStringLiteral("/share/lumaro2/assets"));
        QCOMPARE(f.settingsPath(), home_.path() + QStringLiteral("/config/lumaro2/lm2.ini"));
        QCOMPARE(f.recordsFolder(), home_.path() + QStringLiteral("/data/lumaro2/games"));
        QCOMPARE(f.sessionRecordPath(QDateTime(QDate(2026, 12, 8), QTime(9, 5, 7))),
                 home_.path() + QStringLiteral("/data/lumaro2/games/session-20261208-090507.mat"));
        QVERIFY(f.makeUserFolders());
        QVERIFY(QDir(f.recordsFolder()).exists());
    }

    void theWritabilityProbeLeavesNothingBehind() {
        QTemporaryDir folder;
        QVERIFY(folderIsWritable(folder.path()));
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 0);
        QVERIFY(!folderIsWritable(folder.path() + QStringLiteral("/missing")));
        if (geteuid() == 0) QSKIP("root writes into a read-only folder all the same");
        QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner);
        QVERIFY(!folderIsWritable(folder.path()));
        QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // The program starts from a folder it may not write to, the player changes a setting and exits:
    // the settings are in the user's configuration folder and read back the same.
    void startAndExitFromAReadOnlyFolderKeepTheSettings() {
        QTemporaryDir program;
        touch(program.path() + QStringLiteral("/nn1.bin"));
        QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::ExeOwner);
        // Root may write anywhere: there the folder counts as read-only by its permissions alone.
        const bool writable = geteuid() != 0 && folderIsWritable(program.path());
        QVERIFY(!writable);
        const ProgramFolders folders = ProgramFolders::forProgram(program.path(), writable);
        QFile::remove(folders.settingsPath());
        {
            Shell shell(folders);
            QVERIFY(shell.start());
            shell.board().startupPending = false;  // no first game by itself
            shell.game().changeOptions([&](Options& o) { o.soundFx = false; });
            shell.game().changeOptions([&](Options& o) { o.playerName = "Read only"; });
            emit shell.menu().command(MenuItem::Exit);
        }
        QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!QFile::exists(program.path() + QStringLiteral("/lm2.ini")));
        QCOMPARE(folders.settingsPath(), home_.path() + QStringLiteral("/config/lumaro2/lm2.ini"));
        QVERIFY(QFile::exists(folders.settingsPath()));
        Options options;
        Scores scores;
        loadSettings(folders.settingsPath().toStdString(), options, scores);
        QCOMPARE(options.soundFx, false);
        QCOMPARE(options.playerName, std::string("Read only"));
    }

    // A folder whose name is not UTF-8 (a Latin-1 "é" here): Qt cannot spell it, so the program
    // reaches it through its descriptor. It reads the lm2.ini there and writes nothing anywhere else.
    void aFolderNamedWithAnyBytesIsFoundAndKeepsItsFiles() {
        QTemporaryDir parent;
        const std::string folder = QFile::encodeName(parent.path()).toStdString() + "/caf\xe9 lumaro";
        QVERIFY(std::filesystem::create_directory(folder));
        Options stored;
        stored.playerName = "Bytes";
        stored.soundFx = 0;
        QVERIFY(saveSettingsFile(folder + "/lm2.ini", stored, Scores{}));
        QFile::remove(home_.path() + QStringLiteral("/config/lumaro2/lm2.ini"));

        QCOMPARE(reachableFolder(""), QString());
        QCOMPARE(reachableFolder(folder + "/missing"), QString());
        QCOMPARE(reachableFolder(QFile::encodeName(parent.path()).toStdString()), parent.path());
        const QString reached = reachableFolder(folder);
        QVERIFY(reached.startsWith(QStringLiteral("/proc/self/fd/")));
        // Qt's own file code makes paths absolute: the probe of a temporary file must work there.
        QVERIFY(folderIsWritable(reached));
        const ProgramFolders folders = ProgramFolders::forProgram(reached);
        QCOMPARE(folders.settingsPath(), reached + QStringLiteral("/lm2.ini"));
        {
            Shell shell(folders);
            QVERIFY(shell.start());
            shell.board().startupPending = false;
            QCOMPARE(shell.game().options().playerName, std::string("Bytes"));
            shell.game().changeOptions([&](Options& o) { o.playerName = "Bytes again"; });
            emit shell.menu().command(MenuItem::Exit);
        }
        Options read;
        Scores scores;
        QCOMPARE(loadSettings(folder + "/lm2.ini", read, scores), SettingsIo::ok);
        QCOMPARE(read.playerName, std::string("Bytes again"));
        // Nothing went beside the folder, and no lm2.ini into the user's folders. (Qt cannot name
        // the folder, so the standard library counts and removes.)
        const std::filesystem::directory_iterator beside(QFile::encodeName(parent.path()).toStdString());
        QCOMPARE(std::distance(std::filesystem::begin(beside), std::filesystem::end(beside)), 1);
        QVERIFY(!QFile::exists(home_.path() + QStringLiteral("/config/lumaro2/lm2.ini")));
        std::filesystem::remove_all(folder);
    }

    // Without a folder the player's files still go to the user's folders, never to the root.
    void aProgramWithoutAFolderUsesTheUsersFolders() {
        const ProgramFolders f = ProgramFolders::forProgram(QString(), true);
        QCOMPARE(f.settingsPath(), home_.path() + QStringLiteral("/config/lumaro2/lm2.ini"));
        QCOMPARE(f.recordsFolder(), home_.path() + QStringLiteral("/data/lumaro2/games"));
        QVERIFY(!f.data.isEmpty());
        QVERIFY(!f.documents.isEmpty());
    }

    // An lm2.ini that is there but cannot be read (a pipe here: root reads any file) keeps its
    // place through CLOSE of the settings window and EXIT.
    void anUnreadableSettingsFileIsNeverWrittenOver() {
        QTemporaryDir program;
        const QString ini = program.path() + QStringLiteral("/lm2.ini");
        QCOMPARE(mkfifo(QFile::encodeName(ini).constData(), 0600), 0);
        {
            Shell shell(ProgramFolders::beside(program.path()));
            QVERIFY(shell.start());
            shell.board().startupPending = false;
            shell.game().changeOptions([&](Options& o) { o.soundFx = false; });
            QCOMPARE(shell.game().options().playerName, Options{}.playerName);  // the defaults
            emit shell.menu().command(MenuItem::Tune);
            QVERIFY(shell.settings().isVisible());
            shell.settings().closeButton().click();
            BoxAnswers answers(shell, {true, true});  // EXIT says the file is left as it is; leave all the same
            emit shell.menu().command(MenuItem::Exit);
            QCOMPARE(answers.shown.size(), 2);
            QVERIFY(QString::fromStdString(answers.shown[0].line2).contains(QStringLiteral("could not be read at start-up")));
        }
        QVERIFY(std::filesystem::is_fifo(QFile::encodeName(ini).toStdString()));
        QCOMPARE(QDir(program.path()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("lm2.ini")});
    }

    // The settings folder cannot be written at EXIT: read-only, or (for root, whom permissions do
    // not stop) a file where the folder was. EXIT names lm2.ini and the reason and asks; NO keeps
    // the game open, YES leaves; the earlier lm2.ini stays as it was.
    void exitTellsWhyTheSettingsCannotBeSavedAndLetsThePlayerStay() {
        QTemporaryDir program;
        ProgramFolders folders = ProgramFolders::beside(program.path());
        folders.assets = defaultAssetsFolder();
        folders.settings = program.path() + QStringLiteral("/settings");
        QVERIFY(QDir().mkpath(folders.settings));
        Options stored;
        stored.soundFx = false;
        Scores scores;
        scores.whiteGamesWon = 5;
        const std::string ini = nativePath(folders.settingsPath());
        QVERIFY(saveSettingsFile(ini, stored, scores));
        const QByteArray before = readAll(folders.settingsPath());
        const bool root = geteuid() == 0;
        {
            Shell shell(folders);
            QVERIFY(shell.start());
            shell.board().startupPending = false;
            Scores won = shell.game().state().scores();
            won.whiteGamesWon = 6;  // a game won since
            shell.game().restoreScores(won);
            if (root) {
                QVERIFY(QDir().rename(folders.settings, folders.settings + QStringLiteral("-aside")));
                touch(folders.settings);
            } else {
                QFile::setPermissions(folders.settings, QFile::ReadOwner | QFile::ExeOwner);
            }
            {
                BoxAnswers answers(shell, {true, false});  // the notice, then NO: stay
                emit shell.menu().command(MenuItem::Exit);
                QCOMPARE(answers.shown.size(), 2);
                QCOMPARE(answers.shown[0].line1, std::string("Your settings and scores could not be saved."));
                const std::string reason = root ? std::strerror(ENOTDIR) : std::strerror(EACCES);
                QCOMPARE(answers.shown[0].line2, ini + ": " + reason + ".");
                QCOMPARE(answers.shown[1].line1, std::string("Exit all the same?"));
                QVERIFY(answers.shown[1].yesNo);
                QVERIFY(answers.shown[1].waitsForAnswer);
                QVERIFY(shell.board().isVisible());  // still playing
                QCOMPARE(shell.game().state().scores().whiteGamesWon, 6);
            }
            BoxAnswers answers(shell, {true, true});  // asked again; YES: leave
            emit shell.menu().command(MenuItem::Exit);
            QCOMPARE(answers.shown.size(), 2);
            QVERIFY(!shell.board().isVisible());
        }
        if (root) {
            QVERIFY(QFile::remove(folders.settings));
            QVERIFY(QDir().rename(folders.settings + QStringLiteral("-aside"), folders.settings));
        }
        QFile::setPermissions(folders.settings, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(readAll(folders.settingsPath()), before);
    }
};

QTEST_MAIN(ProgramFoldersTest)
#include "ProgramFoldersTest.moc"
