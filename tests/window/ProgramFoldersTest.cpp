// Where the program reads its own files and keeps the player's: beside it in the build folder, in
// the user's folders when installed or when its folder may not be written.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "game/Game.h"
#include "persistence/SettingsFile.h"
#include "ui/BoardWindow.h"
#include "ui/MenuPanel.h"
#include "ui/ProgramFolders.h"
#include "ui/SettingsWindow.h"
#include "ui/Shell.h"

using namespace lumaro;

namespace {

void touch(const QString& path) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("x");
}

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
            emit shell.menu().command(MenuItem::Exit);
        }
        QVERIFY(std::filesystem::is_fifo(QFile::encodeName(ini).toStdString()));
        QVERIFY(!QFile::exists(ini + QStringLiteral(".tmp")));
    }
};

QTEST_MAIN(ProgramFoldersTest)
#include "ProgramFoldersTest.moc"
