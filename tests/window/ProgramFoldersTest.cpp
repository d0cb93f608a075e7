// Where the program reads its own files and keeps the player's: beside it in the build folder, in
// the user's folders when installed or when its folder may not be written.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <unistd.h>

#include "game/Game.h"
#include "persistence/SettingsFile.h"
#include "ui/BoardWindow.h"
#include "ui/MenuPanel.h"
#include "ui/ProgramFolders.h"
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
            shell.game().options.soundFx = 0;
            shell.game().options.playerName = "Read only";
            emit shell.menu().command(MenuItem::Exit);
        }
        QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!QFile::exists(program.path() + QStringLiteral("/lm2.ini")));
        QCOMPARE(folders.settingsPath(), home_.path() + QStringLiteral("/config/lumaro2/lm2.ini"));
        QVERIFY(QFile::exists(folders.settingsPath()));
        Options options;
        Scores scores;
        loadSettings(folders.settingsPath().toStdString(), options, scores);
        QCOMPARE(options.soundFx, std::uint8_t{0});
        QCOMPARE(options.playerName, std::string("Read only"));
    }
};

QTEST_MAIN(ProgramFoldersTest)
#include "ProgramFoldersTest.moc"
