// The session's match files in the real program's shell: the .mat and GNU Backgammon's .sgf beside
// it, written after every game, beside the program in its games folder, and exported with Ctrl+E
// through a save dialog.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>
#include <QTemporaryDir>
#include <QTimer>
#include <cerrno>
#include <cstring>

#include "support/ProgramShell.h"
#include "ui/MessagePanel.h"
#include "support/TurnSetup.h"

using namespace lumaro;

namespace {

QString textOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

}  // namespace

class ShellRecordTest : public QObject {
    Q_OBJECT

private slots:
    void aFinishedGameIsWrittenToTheSessionFileAndCtrlEExportsIt() {
        lumaro::testing::ProgramShell p(QStringLiteral("lumaro-shell-record"));
        QVERIFY(p.start());
        Game& g = p.shell.game();
        g.changeOptions([&](Options& o) { o.soundFx = false; });
        g.changeOptions([&](Options& o) { o.checkerSpeed = 10000; });
        BoardWindow& board = p.shell.board();

        // Ctrl+E before any game: a notice, no dialog.
        QTimer::singleShot(300, &board, [&board] { QTest::mouseClick(&board.messagePanel(), Qt::LeftButton, {}, QPoint(20, 100)); });
        QTest::keyClick(&board, Qt::Key_E, Qt::ControlModifier);
        QVERIFY(!board.messagePanel().isVisible());

        // A game from its first roll: White runs, then resigns.
        g.startNewGame();
        QVERIFY(g.state().gameOn());
        // YES to the resign question, then a click that closes the result box.
        QTimer::singleShot(300, &board, [&board] { QTest::mouseClick(&board.messagePanel(), Qt::LeftButton, {}, QPoint(170, 111)); });
        QTimer::singleShot(700, &board, [&board] { QTest::mouseClick(&board.messagePanel(), Qt::LeftButton, {}, QPoint(20, 100)); });
        QVERIFY(g.resign());
        QVERIFY(!g.state().gameOn());
        const QStringList sessions = QDir(p.folder + QStringLiteral("/games")).entryList({QStringLiteral("session-*.mat")});
        QCOMPARE(sessions.size(), 1);
        const QString written = textOf(p.folder + QStringLiteral("/games/") + sessions.first());
        QVERIFY(written.contains(QStringLiteral(" 0 point match")));
        QVERIFY(written.contains(QStringLiteral("Game 1")));
        QVERIFY(written.contains(QStringLiteral("Master")));
        QString session = sessions.first();
        session.chop(4);
        const QString writtenSgf = textOf(p.folder + QStringLiteral("/games/") + session + QStringLiteral(".sgf"));
        QVERIFY2(writtenSgf.startsWith(QStringLiteral("(;FF[4]GM[6]")), qPrintable(writtenSgf));
        QVERIFY(writtenSgf.contains(QStringLiteral("PB[Master]")));

        // Ctrl+E: the save dialog, a name typed, the same texts in the chosen file and beside it;
        // a name typed with ".sgf" gives the same pair.
        for (const QString& typed : {QStringLiteral("exported"), QStringLiteral("picked.sgf")}) {
            QTimer::singleShot(300, &board, [typed] {
                auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                if (!dialog) return;
                auto* field = dialog->findChild<QLineEdit*>();
                if (field) field->setText(typed);
                QTest::keyClick(field ? static_cast<QWidget*>(field) : dialog, Qt::Key_Return);
            });
            QTest::keyClick(&board, Qt::Key_E, Qt::ControlModifier);
            const QString base = p.folder + QLatin1Char('/') + typed.section(QLatin1Char('.'), 0, 0);
            QCOMPARE(textOf(base + QStringLiteral(".mat")), written);
            QCOMPARE(textOf(base + QStringLiteral(".sgf")), writtenSgf);
            QVERIFY(!g.busy());
        }

        // Enter on the name proposed saves: the games folder beside it is not what it names.
        QString proposed;
        QTimer::singleShot(300, &board, [&proposed] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            auto* field = dialog->findChild<QLineEdit*>();
            if (field) proposed = field->text();
            QTest::keyClick(field ? static_cast<QWidget*>(field) : dialog, Qt::Key_Return);
            // Had Enter opened a folder, the dialog would still be up.
            QTimer::singleShot(300, [] {
                if (auto* still = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) still->reject();
            });
        });
        QTest::keyClick(&board, Qt::Key_E, Qt::ControlModifier);
        QVERIFY2(QRegularExpression(QStringLiteral("^lumaro-games-20\\d{6}\\.mat$")).match(proposed).hasMatch(), qPrintable(proposed));
        QCOMPARE(textOf(p.folder + QLatin1Char('/') + proposed), written);
    }

    // The games folder cannot be made (a file has its name): after the first game the player is
    // told once which file could not be written and why; the games go on, and the second game says
    // nothing more.
    void aSessionFileThatCannotBeWrittenIsToldOnceAndTheGamesGoOn() {
        QTemporaryDir folder;
        QFile blocker(folder.path() + QStringLiteral("/games"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        Shell shell(folder.path());
        QVERIFY(shell.start());
        shell.board().startupPending = false;
        Game& g = shell.game();
        g.changeOptions([&](Options& o) { o.soundFx = false; });
        QStringList shown;
        // Every box answered YES (or closed) as it comes up, from a timer while the game waits.
        QTimer watch;
        watch.setInterval(20);
        connect(&watch, &QTimer::timeout, [&] {
            MessagePanel& panel = shell.board().messagePanel();
            if (!panel.isVisible() || !panel.waiting()) return;
            shown << QString::fromStdString(panel.shownMessage().line1 + " / " + panel.shownMessage().line2);
            panel.pressYes();
        });
        watch.start();
        for (int game = 1; game <= 2; ++game) {
            g.startNewGame();
            QVERIFY(g.state().gameOn());
            QVERIFY(g.resign());
            QVERIFY(!g.state().gameOn());
        }
        const QStringList told = shown.filter(QStringLiteral("The session's games could not be written."));
        QCOMPARE(told.size(), 1);
        QVERIFY2(told.first().contains(folder.path() + QStringLiteral("/games/session-")), qPrintable(told.first()));
        QVERIFY2(told.first().endsWith(QString::fromLatin1(std::strerror(ENOTDIR)) + QLatin1Char('.')), qPrintable(told.first()));
        QCOMPARE(g.recorder().record().games.size(), std::size_t{2});  // kept for a later write
    }
};

QTEST_MAIN(ShellRecordTest)
#include "ShellRecordTest.moc"
