// The board window driven by real mouse events under the offscreen platform.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "support/Positions.h"
#include "support/TurnSetup.h"
#include "ui/Assets.h"
#include "ui/BoardWindow.h"
#include "ui/QtScreen.h"
#include "ui/SoundBank.h"

using namespace lumaro;
using lumaro::testing::positionOf;

namespace {

// A checker's middle on logical point p, stack slot k.
QPoint checkerPoint(const Board& board, int p, int k) {
    const int s = board.screenToPoint[p];
    return {Board::pointX(s) + 25, Board::stackY(s, k) + 25};
}

}  // namespace

class BoardWindowTest : public QObject {
    Q_OBJECT

    struct Table {
        Assets assets = Assets::load(defaultAssetsFolder());
        SoundBank sounds{assets.folder};
        struct Placeholder : Screen {
            Answer mesaj(const Message&) override { return Answer::Yes; }
            void delay(int) override {}
            void play(Sound) override {}
        } placeholder;
        Game game{placeholder};
        BoardWindow window{game, assets};
        QtScreen screen{window, sounds};

        Table() {
            game.options.soundFx = 0;
            game.options.checkerSpeed = 10000;
            game.startUp(1234);
            game.setScreen(screen);
            game.board.setView(&window);
            window.startupPending = false;
            window.show();
            window.startClock();
        }
        // `pos` with White to play (a, b).
        void startTurn(const Position& pos, Byte a, Byte b) { lumaro::testing::startTurnOn(game, pos, a, b, 1); }
        // Runs `check` while the next message is up, then closes it with a click.
        void whileMessageShows(const std::function<void(const MessagePanel&)>& check) {
            QTimer::singleShot(150, &window, [this, check] {
                MessagePanel& panel = window.messagePanel();
                check(panel);
                QTest::mouseClick(&panel, Qt::LeftButton, {}, QPoint(20, 100));
            });
        }
    };

private slots:
    void brokenOrMissingPicturesFallBackToDrawnOnes() {
        const QString folder = QDir::tempPath() + QStringLiteral("/lumaro-broken-assets");
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        QFile garbage(folder + QStringLiteral("/board-classic.jpg"));
        QVERIFY(garbage.open(QIODevice::WriteOnly));
        garbage.write(QByteArray(5000, '\x7f'));
        garbage.close();
        QFile::copy(defaultAssetsFolder() + QStringLiteral("/board-modern.jpg"), folder + QStringLiteral("/half.jpg"));
        const Assets assets = Assets::load(folder);
        for (const QImage& board : assets.board) QCOMPARE(board.size(), QSize(800, 600));
        for (int scheme = 1; scheme <= 3; ++scheme) QVERIFY(!assets.checker[1][scheme].isNull());
        for (const QImage& die : assets.die) QCOMPARE(die.size(), QSize(51, 51));
        QVERIFY(!assets.cubePicture(0, 1).isNull());
        QDir(folder).removeRecursively();
    }


    void leftClickPlaysTheHigherDieRightClickTheLower() {
        Table t;
        t.startTurn(positionOf({{1, 2}, {12, 13}, {13, -15}}), 6, 2);
        QTest::mouseClick(&t.window, Qt::LeftButton, {}, checkerPoint(t.game.board, 1, 2));
        QCOMPARE(int(t.game.board.count[7]), 1);
        QTest::mouseClick(&t.window, Qt::RightButton, {}, checkerPoint(t.game.board, 1, 1));
        QCOMPARE(int(t.game.board.count[3]), 1);
        QCOMPARE(int(t.game.board.count[1]), 0);
    }

    void aHitSendsTheBlotToTheBarFirst() {
        Table t;
        t.game.options.checkerSpeed = 16;  // let the flights run
        t.startTurn(positionOf({{1, 2}, {12, 13}, {4, -1}, {13, -14}}), 3, 5);
        QTest::mouseClick(&t.window, Qt::RightButton, {}, checkerPoint(t.game.board, 1, 2));
        QCOMPARE(int(t.game.board.barBlack), 1);
        QVERIFY(t.game.board.hasWhite(4));
        // The hit checker stands on Black's bar spot: a click there finds a black checker image.
        const QImage grabbed = t.window.grab().toImage();
        QVERIFY(grabbed.pixelColor(Board::kBarX + 25, Board::kBlackBarY + 25) != t.window.boardPicture().pixelColor(Board::kBarX + 25, Board::kBlackBarY + 25));
    }

    void aCheckerOnTheBarMustEnterFirst() {
        Table t;
        t.startTurn(positionOf({{12, 14}, {13, -15}}, 1), 3, 5);
        bool shown = false;
        t.whileMessageShows([&](const MessagePanel& panel) { shown = panel.isVisible(); });
        QTest::mouseClick(&t.window, Qt::LeftButton, {}, checkerPoint(t.game.board, 12, 1));
        QVERIFY(shown);
        QCOMPARE(int(t.game.board.count[12]), 14);  // nothing moved
        QCOMPARE(int(t.game.board.barWhite), 1);
    }

    void aShortPlayIsRefusedAndUndone() {
        Table t;
        const Position either = positionOf({{1, 1}, {12, -2}});
        t.startTurn(either, 6, 5);
        QTest::mouseClick(&t.window, Qt::RightButton, {}, checkerPoint(t.game.board, 1, 1));  // the 5
        QCOMPARE(int(t.game.board.count[6]), 1);
        bool shown = false;
        t.whileMessageShows([&](const MessagePanel& panel) { shown = panel.isVisible(); });
        QTest::mouseClick(&t.window, Qt::LeftButton, {}, QPoint(300, 300));  // end of the turn
        QVERIFY(shown);
        QVERIFY(t.game.board.position().sameCheckersAs(either));
        QCOMPARE(int(t.game.turn), 1);
    }

    void clicksAndKeysDuringTheResultBoxChangeNothing() {
        Table t;
        t.startTurn(positionOf({{24, 1}, {1, -3}, {20, -2}}), 1, 2);
        int whiteGamesDuring = -1;
        bool boxShown = false;
        QTimer::singleShot(150, &t.window, [&] {
            boxShown = t.window.messagePanel().isVisible();
            // An impatient player: the board, a black checker, the dice place, M, D, Backspace, Esc.
            QTest::mouseClick(&t.window, Qt::LeftButton, {}, QPoint(300, 300));
            QTest::mouseClick(&t.window, Qt::LeftButton, {}, checkerPoint(t.game.board, 20, 1));
            QTest::mouseClick(&t.window, Qt::LeftButton, {}, QPoint(560, 300));
            for (auto key : {Qt::Key_M, Qt::Key_D, Qt::Key_Backspace, Qt::Key_Escape}) QTest::keyClick(&t.window, key);
            whiteGamesDuring = t.game.scores.whiteGamesWon;
            QTest::mouseClick(&t.window.messagePanel(), Qt::LeftButton, {}, QPoint(20, 100));
        });
        QTest::mouseClick(&t.window, Qt::LeftButton, {}, checkerPoint(t.game.board, 24, 1));  // the last checker off
        QVERIFY(boxShown);
        QCOMPARE(whiteGamesDuring, 1);
        QCOMPARE(int(t.game.scores.whiteGamesWon), 1);
        QVERIFY(!t.game.gameOn);
        QCOMPARE(int(t.game.board.count[20]), 2);  // Black's checkers stayed
        QCOMPARE(int(t.game.board.offWhite), 15);
        QVERIFY(!t.game.busy);
    }

    // Answers the next file dialog with `name` in `folder`, typed as a player would.
    static void answerFileDialog(QWidget* owner, const QString& name) {
        QTimer::singleShot(200, owner, [name] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            auto* field = dialog->findChild<QLineEdit*>();
            if (field) field->setText(name);
            QTest::keyClick(field ? static_cast<QWidget*>(field) : dialog, Qt::Key_Return);
        });
    }

    void saveThenLoadThroughTheDialogs() {
        Table t;
        const QString folder = QDir::tempPath() + QStringLiteral("/lumaro-dialogs");
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        t.screen.savedGamesFolder = folder;
        const Position pos = positionOf({{1, 2}, {12, 5}, {17, 3}, {19, 5}, {24, -2}, {13, -5}, {8, -4}, {6, -4}});
        t.startTurn(pos, 4, 2);
        t.game.cubeValue = 2;
        t.game.cubeOwnerWhite = 1;
        t.game.takeSnapshot();
        answerFileDialog(&t.window, QStringLiteral("kept"));  // the default extension is added
        QVERIFY(t.game.commandSave({}));
        QVERIFY(QFile::exists(folder + QStringLiteral("/kept.sav")));

        t.game.gameOn = false;
        t.startTurn(startingPosition(), 6, 6);
        t.game.gameOn = false;
        t.game.cubeValue = 1;
        answerFileDialog(&t.window, QStringLiteral("kept.sav"));
        QVERIFY(t.game.commandLoad({}));
        QVERIFY(t.game.board.position().sameCheckersAs(pos));
        QCOMPARE(int(t.game.dice.dieA), 4);
        QCOMPARE(int(t.game.dice.dieB), 2);
        QCOMPARE(int(t.game.turn), 1);
        QCOMPARE(int(t.game.cubeValue), 2);
        QCOMPARE(int(t.game.cubeOwnerWhite), 1);
        QVERIFY(t.game.gameOn);
        QDir(folder).removeRecursively();
    }

    void anUnansweredQuestionCountsAsYes() {
        Table t;
        Message question;
        question.kind = MessageKind::Cube;
        question.line1 = "White player wants to double.";
        question.line2 = "Do you accept?";
        question.yesNo = true;
        question.timeout = 5;
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(t.screen.mesaj(question), Answer::Yes);
        QVERIFY(clock.elapsed() >= 4 * 107);  // the countdown ran its course
        QVERIFY(!t.window.messagePanel().isVisible());
    }

    void noAnswersNo() {
        Table t;
        Message question;
        question.yesNo = true;
        question.line1 = "Do you want to resign?";
        QTimer::singleShot(150, &t.window, [&] {
            MessagePanel& panel = t.window.messagePanel();
            QTest::mouseClick(&panel, Qt::LeftButton, {}, QPoint(452 - MessagePanel::kLeft + 30, 304 - MessagePanel::kTop + 15));
        });
        QCOMPARE(t.screen.mesaj(question), Answer::No);
    }

    void holdingTheMouseKeepsAQuestionOpen() {
        Table t;
        Message question;
        question.yesNo = true;
        question.line1 = "Start a new game?";
        question.timeout = 3;
        int countdownWhileHeld = -1;
        bool openWhileHeld = false;
        QTimer::singleShot(50, &t.window, [&] {
            QTest::mousePress(&t.window.messagePanel(), Qt::LeftButton, {}, QPoint(20, 100));
        });
        QTimer::singleShot(900, &t.window, [&] {
            MessagePanel& panel = t.window.messagePanel();
            openWhileHeld = panel.waiting();
            countdownWhileHeld = panel.countdown();
            QTest::mouseRelease(&panel, Qt::LeftButton, {}, QPoint(20, 100));
        });
        QCOMPARE(t.screen.mesaj(question), Answer::Yes);
        QVERIFY(openWhileHeld);         // held far past the three ticks
        QVERIFY(countdownWhileHeld < 3);
    }
};

QTEST_MAIN(BoardWindowTest)
#include "BoardWindowTest.moc"
