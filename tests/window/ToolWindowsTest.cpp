// The statistics and help windows, and the look they share, under the offscreen platform.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "support/QtTempFolder.h"
#include "support/BoardTable.h"
#include "support/Positions.h"
#include "support/TurnSetup.h"
#include "ui/Assets.h"
#include "ui/BoardPlaces.h"
#include "ui/BoardWindow.h"
#include "ui/HelpWindow.h"
#include "ui/MenuPanel.h"
#include "ui/PictureChecks.h"
#include "ui/PipGraphPicture.h"
#include "ui/QtScreen.h"
#include "ui/Shell.h"
#include "ui/SoundBank.h"
#include "ui/StatisticsWindow.h"

using namespace lumaro;
using lumaro::testing::channelDistance;
using lumaro::testing::contrast;
using lumaro::testing::positionOf;

namespace {

QPoint checkerPoint(const BoardScene& scene, int p, int k) {
    const int s = scene.screenPositionOf(p);
    return {places::pointX(s) + 25, places::stackY(s, k) + 25};
}

using TempFolder = lumaro::testing::QtTempFolder;

template <class Window>
Window* topLevel() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* found = qobject_cast<Window*>(w)) return found;
    return nullptr;
}

bool isWhite(QRgb p) { return (p & 0xFFFFFF) == 0xFFFFFF; }

}  // namespace

class ToolWindowsTest : public QObject {
    Q_OBJECT

    // No clock: the tool windows need none.
    struct Table : lumaro::testing::BoardTable {
        Table() : BoardTable(false) {}
    };

private slots:
    void theGridShowsTheStatisticsNowAndOneStepEarlier() {
        Table t;
        // White: two back checkers and thirteen on point 12 (217 pips); Black: fifteen on 13 (195).
        lumaro::testing::startTurnOn(t.game, positionOf({{1, 2}, {12, 13}, {13, -15}}), 6, 2, 1);
        QTest::mouseClick(&t.window, Qt::LeftButton, {}, checkerPoint(t.window.scene(), 1, 2));  // 1 to 7 with the 6
        QCOMPARE(int(t.game.state().position().count[7]), 1);

        StatisticsWindow stat(t.game, t.assets);
        stat.openOver(t.window);
        const StatGrid& grid = stat.grid();
        QCOMPARE(grid.cell(0, 1), QStringLiteral("WHITE"));
        QCOMPARE(grid.cell(0, 4), QStringLiteral("BLACK-"));
        QCOMPARE(grid.cell(9, 0), QStringLiteral(" Pips"));
        QCOMPARE(grid.cell(9, 1), QStringLiteral("211"));  // after the step
        QCOMPARE(grid.cell(9, 2), QStringLiteral("195"));
        QCOMPARE(grid.cell(9, 3), QStringLiteral("217"));  // before it
        QCOMPARE(grid.cell(9, 4), QStringLiteral("195"));
        // Every other cell is what the statistics give, current and previous.
        const auto rows = statRows(t.game.stats(), t.game.rollStats(Side::White), t.game.rollStats(Side::Black));
        for (int r = 0; r < 10; ++r)
            for (int c = 0; c < 5; ++c) QCOMPARE(grid.cell(r + 1, c), QString::fromStdString(rows[r][c]));
        QVERIFY(grid.cell(1, 1) != grid.cell(1, 3));  // the step changed White's chance
        for (int c = 0; c < 5; ++c) QVERIFY(grid.cell(12, c).isEmpty());

        // Opened again after another step, it shows the new values.
        stat.closeWindow();
        QTest::mouseClick(&t.window, Qt::RightButton, {}, checkerPoint(t.window.scene(), 1, 1));  // 1 to 3 with the 2
        stat.openOver(t.window);
        QCOMPARE(stat.grid().cell(9, 1), QStringLiteral("209"));
        QCOMPARE(stat.grid().cell(9, 3), QStringLiteral("211"));
    }

    void everyRowLabelFitsItsColumn() {
        const QFontMetrics metrics(StatGrid::labelFont());
        for (const StatRow& row : statRows(PositionStats{}, RollStats{}, RollStats{}))
            QVERIFY2(metrics.horizontalAdvance(QString::fromStdString(row[0])) <= StatGrid::kColumnWidth - 12, row[0].c_str());
    }

    void theGraphIsBlankUntilEachColourHasRolledThreeTimes() {
        Table t;
        StatisticsWindow stat(t.game, t.assets);
        const QImage blank = paintPipGraph(PipGraph{});
        RollStats white;
        RollStats black;
        white.countRoll(3, 1, 150);
        white.countRoll(4, 2, 140);
        white.countRoll(5, 3, 130);
        black.countRoll(6, 1, 160);
        black.countRoll(2, 2, 150);
        t.game.arrangeRollStats(white, black);
        stat.refresh();
        QCOMPARE(stat.graphPicture(), blank);  // White has three rolls, Black only two

        black.countRoll(6, 5, 140);
        t.game.arrangeRollStats(white, black);
        stat.openOver(t.window);
        QVERIFY(stat.graphPicture() != blank);
        // Eight pixels a roll for a short game; y = 179 - pips x 178 / 160 (the largest count).
        const QImage shown = stat.grab().toImage();
        auto at = [&](int x, int y) { return shown.pixel(StatisticsWindow::kGraphLeft + x, StatisticsWindow::kGraphTop + y); };
        QVERIFY(isWhite(at(1, 13)));   // White's first roll at 150
        QVERIFY(isWhite(at(17, 35)));  // its third at 130
        // Black's second at 150, its third at 140: in a colour that stands out from the dark field
        // as a line must (a contrast of 3 at least) and from White's.
        for (const QRgb black : {at(9, 13), at(17, 24)}) {
            QCOMPARE(QColor(black), pipGraphBlackLine());
            QVERIFY(contrast(black, pipGraphBackground().rgb()) >= 3.0);
            QVERIFY(channelDistance(black, qRgb(255, 255, 255)) > 100);
        }
        // Away from the lines the field stays blue.
        QCOMPARE(QColor(at(200, 100)), pipGraphBackground());
        QCOMPARE(QColor(blank.pixel(1, 13)), pipGraphBackground());
    }

    void theBoardTakesNoClickOrKeyWhileAToolWindowIsOpen() {
        Table t;
        lumaro::testing::startTurnOn(t.game, positionOf({{1, 2}, {12, 13}, {13, -15}}), 6, 2, 1);
        QTest::mouseClick(&t.window, Qt::LeftButton, {}, checkerPoint(t.window.scene(), 1, 2));
        QCOMPARE(int(t.game.state().position().count[7]), 1);

        StatisticsWindow stat(t.game, t.assets);
        QSignalSpy closed(&stat, &ToolWindow::closed);
        stat.openOver(t.window);
        QVERIFY(stat.isVisible());
        QVERIFY(!t.window.isEnabled());
        QTest::keyClick(&t.window, Qt::Key_Backspace);  // no undo
        QTest::keyClick(&t.window, Qt::Key_D);           // no double
        QTest::keyClick(&t.window, Qt::Key_3);           // no manual die
        QTest::mouseClick(&t.window, Qt::LeftButton, {}, checkerPoint(t.window.scene(), 1, 1));  // no step
        QCOMPARE(int(t.game.state().position().count[7]), 1);
        QCOMPARE(int(t.game.state().position().count[1]), 1);
        QCOMPARE(int(t.game.state().cube().value()), 1);
        QVERIFY(t.game.roller().pendingKey != '3');

        QTest::mouseClick(&stat.closeButton(), Qt::LeftButton);
        QVERIFY(!stat.isVisible());
        QVERIFY(t.window.isEnabled());
        QCOMPARE(closed.count(), 1);
        QTest::keyClick(&t.window, Qt::Key_Backspace);  // now it undoes the step
        QCOMPARE(int(t.game.state().position().count[1]), 2);
        QCOMPARE(int(t.game.state().position().count[7]), 0);
    }

    void aDoubleClickOnCloseDoesNotRollTheDice() {
        Table t;
        qint64 now = 50000;
        t.window.monotonicMs = [&] { return now; };
        lumaro::testing::startTurnOn(t.game, startingPosition(), 3, 1, 0);  // the computer has played
        t.game.arrangeDicePlayed();
        StatisticsWindow stat(t.game, t.assets);
        stat.openOver(t.window);
        QTest::mouseClick(&stat.closeButton(), Qt::LeftButton);
        QVERIFY(t.window.isEnabled());
        // The second click of the double click lands on the board under CLOSE.
        now += 200;
        QTest::mouseDClick(&t.window, Qt::LeftButton, {}, QPoint(700, 40));
        QCOMPARE(t.game.state().sideToMove(), Side::Black);
        now += LateClickGuard::kQuietMs;
        QTest::mouseClick(&t.window, Qt::LeftButton, {}, QPoint(700, 40));
        QCOMPARE(t.game.state().sideToMove(), Side::White);  // a click of its own rolls
    }

    void aWindowCloseRequestActsAsClose() {
        Table t;
        const QTemporaryDir noPages;
        HelpWindow help(noPages.path(), t.assets);
        QSignalSpy closed(&help, &ToolWindow::closed);
        help.openOver(t.window);
        QVERIFY(!t.window.isEnabled());
        help.close();
        QVERIFY(!help.isVisible());
        QVERIFY(t.window.isEnabled());
        QCOMPARE(closed.count(), 1);
        help.closeWindow();  // CLOSE of a closed window does nothing more
        QCOMPARE(closed.count(), 1);
    }

    void theGuardsKeepToolWindowsShut() {
        Table t;
        QVERIFY(toolWindowMayOpen(t.game, {}));
        QVERIFY(!toolWindowMayOpen(t.game, {true}));  // another tool window
        t.game.setHourglass(true);
        QVERIFY(!toolWindowMayOpen(t.game, {}));
        t.game.setHourglass(false);
        std::optional<Game::InputHold> hold(std::in_place, t.game);
        QVERIFY(!toolWindowMayOpen(t.game, {}));
        hold.reset();
        // A connected network game with the peer on turn.
        t.game.changeOptions([&](Options& o) { o.humanOpponent = true; });
        t.game.changeOptions([&](Options& o) { o.localPlay = false; });
        t.game.connectionMade(false);
        t.game.arrangeGameOn(true);
        t.game.arrangeSideOnTurn(Side::Black);
        QVERIFY(!toolWindowMayOpen(t.game, {}));
        t.game.arrangeSideOnTurn(Side::White);
        QVERIFY(toolWindowMayOpen(t.game, {}));
    }

    void helpShowsEachPageAndSkipsAMissingOne() {
        Table t;
        TempFolder folder(QStringLiteral("lumaro-help-pages"));
        folder.write(QStringLiteral("help.htm"), "<html><body><p>Intro page</p></body></html>");
        folder.write(QStringLiteral("help3.htm"), "<html><body><p>Menu page</p></body></html>");
        folder.write(QStringLiteral("help4.htm"), "<html><body><p>Tune page</p></body></html>");
        folder.write(QStringLiteral("neural.htm"), "<html><body><p>Neural page</p></body></html>");
        HelpWindow help(folder.path, t.assets);
        help.openOver(t.window);
        QCOMPARE(help.currentPage(), 0);  // opens on the introduction
        QVERIFY(help.browser().toPlainText().contains(QStringLiteral("Intro page")));
        QVERIFY(help.pageButton(0).isChecked());

        const char* texts[] = {"Intro page", nullptr, "Menu page", "Tune page", "Neural page"};
        for (int page : {2, 3, 4, 0}) {
            QTest::mouseClick(&help.pageButton(page), Qt::LeftButton);
            QCOMPARE(help.currentPage(), page);
            QVERIFY(help.browser().toPlainText().contains(QLatin1String(texts[page])));
            for (int k = 0; k < HelpWindow::kPages; ++k) QCOMPARE(help.pageButton(k).isChecked(), k == page);
        }
        // "Rules" has no file: its plate is greyed and a click or a call leaves the page on show.
        QVERIFY(!help.pageButton(1).isEnabled());
        QVERIFY(!help.showPage(1));
        QCOMPARE(help.currentPage(), 0);
        QVERIFY(help.browser().toPlainText().contains(QStringLiteral("Intro page")));

        // A page that disappears is skipped the next time the window opens.
        help.closeWindow();
        QFile::remove(folder.path + QStringLiteral("/help.htm"));
        help.openOver(t.window);
        QCOMPARE(help.currentPage(), 2);
        QVERIFY(help.browser().toPlainText().contains(QStringLiteral("Menu page")));
        QVERIFY(!help.pageButton(0).isEnabled());
    }

    void withNoPagesAtAllTheWindowStillOpensAndCloses() {
        Table t;
        TempFolder folder(QStringLiteral("lumaro-help-none"));
        HelpWindow help(folder.path, t.assets);
        help.openOver(t.window);
        QCOMPARE(help.currentPage(), -1);
        QVERIFY(help.browser().toPlainText().isEmpty());
        for (int k = 0; k < HelpWindow::kPages; ++k) QVERIFY(!help.pageButton(k).isEnabled());
        QTest::mouseClick(&help.closeButton(), Qt::LeftButton);
        QVERIFY(t.window.isEnabled());
    }

    void theProgramsPagesAreAllThere() {
        // The build puts the pages beside the program.
        for (const HelpWindow::Page& page : HelpWindow::kPageFiles)
            QVERIFY2(QFile::exists(QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(page.file)), page.file);
    }

    void theMenuOpensOneToolWindowAtATime() {
        TempFolder folder(QStringLiteral("lumaro-shell"));
        folder.write(QStringLiteral("help.htm"), "<html><body><p>Intro page</p></body></html>");
        Shell shell(folder.path);
        QVERIFY(shell.start());
        shell.board().startupPending = false;  // no first game by itself: the test plays the menu
        auto* stat = topLevel<StatisticsWindow>();
        auto* help = topLevel<HelpWindow>();
        QVERIFY(stat && help);
        MenuPanel& menu = shell.menu();

        emit menu.command(MenuItem::Stat);
        QVERIFY(stat->isVisible());
        QVERIFY(!shell.board().isEnabled());
        emit menu.command(MenuItem::Stat);  // the same command again changes nothing
        QVERIFY(stat->isVisible());
        emit menu.command(MenuItem::Help);  // refused over an open tool window
        QVERIFY(!help->isVisible());
        emit menu.command(MenuItem::Start);  // refused too: no new-game question, no game
        QVERIFY(!shell.game().state().gameOn());

        stat->closeWindow();
        QVERIFY(shell.board().isEnabled());
        emit menu.command(MenuItem::Help);
        QVERIFY(help->isVisible());
        QVERIFY(help->browser().toPlainText().contains(QStringLiteral("Intro page")));
        QVERIFY(!shell.board().isEnabled());
        help->close();  // a window-close request
        QVERIFY(shell.board().isEnabled());

        std::optional<Game::InputHold> hold(std::in_place, shell.game());  // a roll or a move is running
        emit menu.command(MenuItem::Stat);
        emit menu.command(MenuItem::Help);
        QVERIFY(!stat->isVisible() && !help->isVisible());
        hold.reset();
    }

    void theControlsAWindowAddsTakeTheLook() {
        const Assets assets = Assets::load(defaultAssetsFolder());
        ToolWindow window(QStringLiteral("Settings "), assets);
        auto* group = new QGroupBox(QStringLiteral("Options"), &window);
        group->setGeometry(24, 90, 240, 150);
        auto* ticked = new QCheckBox(QStringLiteral("Doubling cube"), group);
        ticked->setGeometry(10, 24, 200, 22);
        ticked->setChecked(true);
        auto* plain = new QCheckBox(QStringLiteral("Jacoby rule"), group);
        plain->setGeometry(10, 50, 200, 22);
        auto* locked = new QCheckBox(QStringLiteral("Crawford rule"), group);
        locked->setGeometry(10, 76, 200, 22);
        locked->setEnabled(false);
        auto* game = new QRadioButton(QStringLiteral("Game"), group);
        game->setGeometry(10, 102, 100, 22);
        game->setChecked(true);
        auto* match = new QRadioButton(QStringLiteral("Match"), group);
        match->setGeometry(110, 102, 100, 22);
        auto* slider = new QSlider(Qt::Horizontal, &window);
        slider->setGeometry(300, 100, 160, 24);
        slider->setRange(-2, 2);
        auto* points = new QSpinBox(&window);
        points->setGeometry(300, 140, 70, 26);
        points->setRange(1, 255);
        auto* name = new QLineEdit(QStringLiteral("Master"), &window);
        name->setGeometry(300, 180, 160, 26);
        window.show();
        const QImage shown = window.grab().toImage();

        // A ticked box is the deep blue of a pressed plate, with the white tick in it; an unticked
        // one is a light steel plate.
        const QPoint tickedBox = ticked->mapTo(&window, QPoint(1 + 7, 11));
        const QPoint plainBox = plain->mapTo(&window, QPoint(1 + 7, 11));
        int deepBlue = 0, white = 0;
        for (int dy = -6; dy <= 6; ++dy)
            for (int dx = -6; dx <= 6; ++dx) {
                const QColor c = shown.pixelColor(tickedBox + QPoint(dx, dy));
                deepBlue += c.blue() > c.red() + 60 && c.value() < 160;
                white += c.lightness() > 230;
            }
        QVERIFY(deepBlue > 40);
        QVERIFY(white > 4);
        QVERIFY(shown.pixelColor(plainBox).lightness() > 170);
        // Texts are dark blue on the linen; a locked option is greyed.
        auto darkest = [&](QWidget* w) {
            int least = 255;
            const QRect r(w->mapTo(&window, QPoint(24, 4)), QSize(60, 14));
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x) least = std::min(least, qGray(shown.pixel(x, y)));
            return least;
        };
        QVERIFY(darkest(plain) < 70);
        QVERIFY(darkest(locked) > darkest(plain) + 40);
    }

    void statAndHelpWaitForAnOpenQuestion() {
        TempFolder folder(QStringLiteral("lumaro-shell-question"));
        folder.write(QStringLiteral("help.htm"), "<html><body><p>Intro page</p></body></html>");
        Shell shell(folder.path);
        QVERIFY(shell.start());  // the first game starts by itself with its question
        qint64 now = 0;
        shell.board().monotonicMs = [&now] { return now += 1000; };  // the player is never too quick
        auto* stat = topLevel<StatisticsWindow>();
        auto* help = topLevel<HelpWindow>();
        bool asked = false, openedOverQuestion = true;
        // The question waits inside the game's own loop: look in from a timer while it is up.
        QTimer watch;
        watch.setInterval(50);
        connect(&watch, &QTimer::timeout, [&] {
            MessagePanel& panel = shell.board().messagePanel();
            if (asked || !panel.waiting()) return;
            asked = true;
            emit shell.menu().command(MenuItem::Stat);
            emit shell.menu().command(MenuItem::Help);
            openedOverQuestion = stat->isVisible() || help->isVisible();
            QTest::mouseClick(&panel, Qt::LeftButton, {}, QPoint(452 - MessagePanel::kLeft + 30, 304 - MessagePanel::kTop + 15));  // NO
        });
        watch.start();
        QTRY_VERIFY_WITH_TIMEOUT(asked && !shell.board().messagePanel().isVisible(), 15000);
        QVERIFY(!openedOverQuestion);
        QVERIFY(!shell.game().state().gameOn());  // NO: no game
        emit shell.menu().command(MenuItem::Stat);  // and now it opens
        QVERIFY(stat->isVisible());
        stat->closeWindow();
    }

    void aMissingBackgroundFallsBackToADrawnOne() {
        TempFolder folder(QStringLiteral("lumaro-no-background"));
        folder.write(QStringLiteral("tool-background.jpg"), QByteArray(3000, '\x11'));  // not a JPEG
        const Assets assets = Assets::load(folder.path);
        QCOMPARE(assets.toolBackground.size(), QSize(ToolWindow::kWidth, ToolWindow::kHeight));
        ToolWindow window(QStringLiteral("Statistics"), assets);
        window.show();
        const QImage shown = window.grab().toImage();
        QCOMPARE(shown.size(), QSize(758, 600));
        // Dark band behind the title, light linen below it, and the title drawn on the band.
        QVERIFY(qGray(shown.pixel(700, 60)) < 100);
        QVERIFY(qGray(shown.pixel(400, 300)) > 180);
        int bright = 0;
        for (int y = 10; y < 55; ++y)
            for (int x = 24; x < 200; ++x) bright += qGray(shown.pixel(x, y)) > 150;
        QVERIFY(bright > 200);
    }

    void theGeneratedBackgroundIsTheOneShown() {
        const Assets assets = Assets::load(defaultAssetsFolder());
        QCOMPARE(assets.toolBackground.size(), QSize(758, 600));
        // The generator's picture has its gold rule under the band; the drawn stand-in too, so
        // tell them apart by the linen's threads: the picture is not one flat colour along a row.
        int changes = 0;
        for (int x = 100; x < 600; ++x) changes += assets.toolBackground.pixel(x, 300) != assets.toolBackground.pixel(x + 1, 300);
        QVERIFY(changes > 50);
    }
};

QTEST_MAIN(ToolWindowsTest)
#include "ToolWindowsTest.moc"
