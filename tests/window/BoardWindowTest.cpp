// The board window driven by real mouse events under the offscreen platform.
#include <QAbstractFileIconProvider>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "support/BoardTable.h"
#include "ai/NeuralNets.h"
#include "game/PositionStats.h"
#include "game/MenuCommands.h"
#include "support/Positions.h"
#include "support/TurnSetup.h"
#include "ui/Assets.h"
#include "ui/BoardPlaces.h"
#include "ui/BoardWindow.h"
#include "ui/Pictures.h"
#include "ui/QtScreen.h"
#include "ui/SoundBank.h"
#include "ui/PictureChecks.h"

using namespace lumaro;
using lumaro::testing::positionOf;

namespace {

// A checker's middle on logical point p, stack slot k.
QPoint checkerPoint(const BoardScene& scene, int p, int k) {
    const int s = scene.screenPositionOf(p);
    return {places::pointX(s) + 25, places::stackY(s, k) + 25};
}

constexpr int kDiceY = 285;
constexpr int kWhiteDiceX[2] = {550, 603};

bool isDotColour(QRgb p) { return (p & 0xFFFFFF) == 0xFFFF00 || (p & 0xFFFFFF) == 0x00FFFF; }
bool isAqua(QRgb p) { return (p & 0xFFFFFF) == 0x00FFFF; }

// The band of screen position s between its number and its checkers, where its bar dot shows.
QRect dotBand(int s) { return s <= 12 ? QRect(places::pointX(s), 0, 51, 45) : QRect(places::pointX(s), 555, 51, 45); }
QRect numberRect(int s) { return QRect(places::pointX(s) + 15, s <= 12 ? 9 : 578, 20, 15); }

int countIn(const QImage& image, const QRect& area, const std::function<bool(QRgb)>& wanted) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += wanted(image.pixel(x, y));
    return n;
}
bool dotShown(const QImage& grab, int s) { return countIn(grab, dotBand(s), isDotColour) > 0; }
bool aquaShown(const QImage& grab, int s) { return countIn(grab, dotBand(s), isAqua) > 0; }
int dotsShown(const QImage& grab) {
    int n = 0;
    for (int s = 1; s <= 24; ++s) n += dotShown(grab, s);
    return n;
}

QImage solid(const QColor& colour) {
    QImage image(800, 600, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Whether a pixel has the colour family of the plain test boards: green felt or red.
bool boardColoured(QRgb p, int skin) {
    return skin == 0 ? qGreen(p) > qRed(p) + 40 : qRed(p) > qGreen(p) + 60;
}

// The computer has played: White's next click rolls, and a click on the centred cube (which
// lies under the place of YES) offers a double. The window's clock is the test's.
struct LateClickTable : lumaro::testing::BoardTable {
    qint64 now = 100000;
    const QPoint whereYesWas{398, 320};
    LateClickTable() {
        window.monotonicMs = [this] { return now; };
        lumaro::testing::startTurnOn(game, startingPosition(), 3, 1, 0);
        game.arrangeDicePlayed();
    }
    Answer askAndLetItAnswerItself() {
        Message question;
        question.yesNo = true;
        question.line1 = "Start a new game?";
        question.timeout = 1;
        return screen.showMessage(question);
    }
};

}  // namespace

class BoardWindowTest : public QObject {
    Q_OBJECT

    using Table = lumaro::testing::BoardTable;

private slots:
    // The window's own small settings file goes to a test folder, not the user's.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void theOpponentsLastMoveIsMarkedAndTheLKeyTogglesIt() {
        Table t;
        t.window.extra.showLastMove = true;
        lumaro::testing::startTurnOn(t.game, positionOf({{1, 2}, {12, 13}, {13, -15}}), 6, 5, 0);
        t.game.playComputerTurn();
        QVERIFY(t.game.lastMoveMarkCount() > 0);
        const Game::MoveMark m = t.game.lastMoveMarks()[0];
        const int s = t.window.scene().screenPositionOf(m.to);
        // The outline runs down the left edge of the point's half of the board.
        const QPoint edge(places::pointX(s) + 1, s <= 12 ? 150 : 450);
        const QColor marked = t.window.grab().toImage().pixelColor(edge);
        QTest::keyClick(&t.window, Qt::Key_L);
        QVERIFY(!t.window.extra.showLastMove);
        QVERIFY(!ExtraSettings::load().showLastMove);  // kept for the next start
        const QColor plain = t.window.grab().toImage().pixelColor(edge);
        QVERIFY(marked != plain);
        QVERIFY(marked.lightness() > plain.lightness());
        QTest::keyClick(&t.window, Qt::Key_L);
        QVERIFY(ExtraSettings::load().showLastMove);
    }
    void whileTheMasterThinksTheWindowRunsAndKeepsItsInputOut() {
        Table t;
        const NeuralNets nets = NeuralNets::testWeights(5);
        t.game.setNets(&nets);
        t.game.changeOptions([](Options& o) {
            o.computerLevel = Level::Expert;
            o.master = true;
        });
        lumaro::testing::startTurnOn(t.game, startingPosition(), 6, 5, 0);
        const int whiteRolls = t.game.rollStats(Side::White).rolls;
        const int blackPips = blackPipCount(t.game.state().position());
        // The window's events while the search runs: a click that would roll White's dice, the
        // cube's key, and the cursor as the player sees it.
        bool seenThinking = false;
        bool busyCursor = false;
        QTimer whileThinking;
        whileThinking.setInterval(0);
        connect(&whileThinking, &QTimer::timeout, &t.window, [&] {
            if (!t.game.hourglass()) return;
            whileThinking.stop();
            seenThinking = true;
            busyCursor = t.window.cursor().shape() == Qt::BusyCursor;
            QTest::mouseClick(&t.window, Qt::LeftButton, {}, QPoint(400, 300));
            QTest::keyClick(&t.window, Qt::Key_D);
        });
        whileThinking.start();
        t.game.playComputerTurn();
        QVERIFY(seenThinking);
        QVERIFY(busyCursor);
        QCOMPARE(t.game.rollStats(Side::White).rolls, whiteRolls);
        QCOMPARE(t.game.state().cube().value(), 1);
        QVERIFY(t.game.state().sideToMove() == Side::Black);
        QCOMPARE(blackPipCount(t.game.state().position()), blackPips - 11);
        QVERIFY(!t.game.hourglass());
        QVERIFY(t.window.cursor().shape() != Qt::BusyCursor);
    }

    void brokenOrMissingPicturesFallBackToDrawnOnes() {
        const QTemporaryDir own;
        const QString folder = own.path();
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
    }


    void leftClickPlaysTheHigherDieRightClickTheLower() {
        Table t;
        t.startTurn(positionOf({{1, 2}, {12, 13}, {13, -15}}), 6, 2);
        QTest::mouseClick(&t.window, Qt::LeftButton, {}, checkerPoint(t.window.scene(), 1, 2));
        QCOMPARE(int(t.game.state().position().count[7]), 1);
        QTest::mouseClick(&t.window, Qt::RightButton, {}, checkerPoint(t.window.scene(), 1, 1));
        QCOMPARE(int(t.game.state().position().count[3]), 1);
        QCOMPARE(int(t.game.state().position().count[1]), 0);
    }

    void aHitSendsTheBlotToTheBarFirst() {
        Table t;
        t.game.changeOptions([&](Options& o) { o.checkerSpeed = 16; });  // let the flights run
        t.startTurn(positionOf({{1, 2}, {12, 13}, {4, -1}, {13, -14}}), 3, 5);
        QTest::mouseClick(&t.window, Qt::RightButton, {}, checkerPoint(t.window.scene(), 1, 2));
        QCOMPARE(int(t.game.state().position().barBlack), 1);
        QVERIFY(t.game.state().position().hasWhite(4));
        // The hit checker stands on Black's bar spot: a click there finds a black checker image.
        const QImage grabbed = t.window.grab().toImage();
        QVERIFY(grabbed.pixelColor(places::kBarX + 25, places::kBlackBarY + 25) != t.window.boardPicture().pixelColor(places::kBarX + 25, places::kBlackBarY + 25));
    }

    void aCheckerOnTheBarMustEnterFirst() {
        Table t;
        t.startTurn(positionOf({{12, 14}, {13, -15}}, 1), 3, 5);
        bool shown = false;
        t.whileMessageShows([&](const MessagePanel& panel) { shown = panel.isVisible(); });
        QTest::mouseClick(&t.window, Qt::LeftButton, {}, checkerPoint(t.window.scene(), 12, 1));
        QVERIFY(shown);
        QCOMPARE(int(t.game.state().position().count[12]), 14);  // nothing moved
        QCOMPARE(int(t.game.state().position().barWhite), 1);
    }

    void aShortPlayIsRefusedAndUndone() {
        Table t;
        const Position either = positionOf({{1, 1}, {12, -2}});
        t.startTurn(either, 6, 5);
        QTest::mouseClick(&t.window, Qt::RightButton, {}, checkerPoint(t.window.scene(), 1, 1));  // the 5
        QCOMPARE(int(t.game.state().position().count[6]), 1);
        bool shown = false;
        t.whileMessageShows([&](const MessagePanel& panel) { shown = panel.isVisible(); });
        QTest::mouseClick(&t.window, Qt::LeftButton, {}, QPoint(300, 300));  // end of the turn
        QVERIFY(shown);
        QVERIFY(t.game.state().position().sameCheckersAs(either));
        QCOMPARE(t.game.state().sideToMove(), Side::White);
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
            QTest::mouseClick(&t.window, Qt::LeftButton, {}, checkerPoint(t.window.scene(), 20, 1));
            QTest::mouseClick(&t.window, Qt::LeftButton, {}, QPoint(560, 300));
            for (auto key : {Qt::Key_M, Qt::Key_D, Qt::Key_Backspace, Qt::Key_Escape}) QTest::keyClick(&t.window, key);
            whiteGamesDuring = t.game.state().scores().whiteGamesWon;
            QTest::mouseClick(&t.window.messagePanel(), Qt::LeftButton, {}, QPoint(20, 100));
        });
        QTest::mouseClick(&t.window, Qt::LeftButton, {}, checkerPoint(t.window.scene(), 24, 1));  // the last checker off
        QVERIFY(boxShown);
        QCOMPARE(whiteGamesDuring, 1);
        QCOMPARE(int(t.game.state().scores().whiteGamesWon), 1);
        QVERIFY(!t.game.state().gameOn());
        QCOMPARE(int(t.game.state().position().count[20]), 2);  // Black's checkers stayed
        QCOMPARE(int(t.game.state().position().offWhite), 15);
        QVERIFY(!t.game.busy());
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
        const QTemporaryDir own;
        const QString folder = own.path();
        t.screen.savedGamesFolder = folder;
        const Position pos = positionOf({{1, 2}, {12, 5}, {17, 3}, {19, 5}, {24, -2}, {13, -5}, {8, -4}, {6, -4}});
        t.game.arrangeCube(2, 1);
        t.startTurn(pos, 4, 2);
        answerFileDialog(&t.window, QStringLiteral("kept"));  // the default extension is added
        QVERIFY(MenuCommands(t.game).save({}));
        QVERIFY(QFile::exists(folder + QStringLiteral("/kept.sav")));

        t.game.stopGameUnscored();
        t.startTurn(startingPosition(), 6, 6);
        t.game.stopGameUnscored();
        t.game.arrangeCube(1, t.game.state().cube().ownerWhite());
        answerFileDialog(&t.window, QStringLiteral("kept.sav"));
        QVERIFY(MenuCommands(t.game).load({}));
        QVERIFY(t.game.state().position().sameCheckersAs(pos));
        QCOMPARE(int(t.game.state().dice().dieA), 4);
        QCOMPARE(int(t.game.state().dice().dieB), 2);
        QCOMPARE(t.game.state().sideToMove(), Side::White);
        QCOMPARE(int(t.game.state().cube().value()), 2);
        QCOMPARE(int(t.game.state().cube().ownerWhite()), 1);
        QVERIFY(t.game.state().gameOn());
    }

    void theSavedGameDialogsNameTheGamesType() {
        Table t;
        const QTemporaryDir own;
        const QString folder = own.path();
        QFile saved(folder + QStringLiteral("/kept.sav"));
        QVERIFY(saved.open(QIODevice::WriteOnly));
        saved.write(QByteArray(58, '\0'));
        saved.close();
        t.screen.savedGamesFolder = folder;
        for (bool save : {false, true}) {
            QStringList filters;
            QString type;
            QTimer::singleShot(200, &t.window, [&] {
                auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                if (!dialog) return;
                filters = dialog->nameFilters();
                if (dialog->iconProvider()) type = dialog->iconProvider()->type(QFileInfo(saved.fileName()));
                dialog->reject();
            });
            QVERIFY(!(save ? t.screen.chooseFileToSave() : t.screen.chooseFileToLoad()));
            QCOMPARE(filters, QStringList{QStringLiteral("Lumaro 2 saved games (*.sav)")});
            QCOMPARE(type, QStringLiteral("Lumaro 2 saved game"));
        }
    }

    void aClickOnADieEndsTheTurnWhateverLiesUnderIt() {
        Table t;
        const Position& b = t.game.state().position();
        const BoardScene& scene = t.window.scene();
        // White's dice lie over screen positions 15 and 16 of the bottom row.
        const int under15 = scene.pointAt(15), under16 = scene.pointAt(16);
        const Position pos = positionOf({{under15, 5}, {under16, 1}, {1, -15}});
        t.startTurn(pos, 6, 2);
        t.window.showDice(Side::White, 6, 2);
        // The first die's middle is over point 16; the second die covers the top of the fifth
        // checker on point 15.
        const QPoint overPoint(kWhiteDiceX[0] + 25, kDiceY + 25);
        const QPoint overChecker(kWhiteDiceX[1] + 12, kDiceY + 45);
        QCOMPARE(scene.pointAt(places::hitTest(overPoint.x(), overPoint.y())), under16);
        QVERIFY(overChecker.y() >= places::stackY(15, 5) && overChecker.x() >= places::pointX(15));
        QTest::mouseClick(&t.window, Qt::LeftButton, {}, overPoint);
        QTest::mouseClick(&t.window, Qt::RightButton, {}, overChecker);
        QVERIFY(b.sameCheckersAs(pos));  // dice left: the turn goes on, nothing moved
        QCOMPARE(int(t.game.state().dice().diceLeft[1]), 6);
        QCOMPARE(int(t.game.state().dice().diceLeft[2]), 2);
        QCOMPARE(t.game.state().sideToMove(), Side::White);
        // Without dice on the board the same place is the checker again.
        t.window.clearDice();
        QTest::mouseClick(&t.window, Qt::RightButton, {}, overChecker);
        QCOMPARE(int(b.count[under15]), 4);
        // With every die played, a click on a die hands the turn over.
        t.game.changeOptions([&](Options& o) { o.cubeEnabled = false; });
        t.window.showDice(Side::White, 6, 2);
        t.game.arrangeDicePlayed();
        QTest::mouseClick(&t.window, Qt::LeftButton, {}, overPoint);
        QCOMPARE(t.game.state().sideToMove(), Side::Black);
    }

    void aDockedMenuIsDismissedByAnyClickUnlessTheHourglassShows() {
        Table t;
        QSignalSpy dismissed(&t.window, &BoardWindow::boardClicked);
        t.startTurn(positionOf({{1, 2}, {12, 13}, {13, -15}}), 6, 2);
        t.window.showDice(Side::White, 6, 2);
        std::optional<Game::InputHold> hold(std::in_place, t.game);  // even a click that is ignored hides the panel
        QTest::mouseClick(&t.window, Qt::LeftButton, {}, checkerPoint(t.window.scene(), 1, 1));
        QTest::mouseClick(&t.window, Qt::LeftButton, {}, QPoint(300, 300));
        QTest::mouseClick(&t.window, Qt::LeftButton, {}, QPoint(kWhiteDiceX[0] + 25, kDiceY + 25));
        QCOMPARE(dismissed.count(), 3);
        QCOMPARE(int(t.game.state().position().count[1]), 2);
        hold.reset();
        t.game.setHourglass(true);
        QTest::mouseClick(&t.window, Qt::LeftButton, {}, checkerPoint(t.window.scene(), 1, 1));
        QCOMPARE(dismissed.count(), 3);
        t.game.setHourglass(false);
    }

    void tallStacksShadeTheCheckersBelowNotTheBoard() {
        Table t;
        // Plain boards make any board colour over a checker plain to see.
        t.assets.board[0] = solid(QColor(30, 150, 40));
        t.assets.board[1] = solid(QColor(170, 30, 30));
        t.game.changeOptions([&](Options& o) { o.checkerSpeed = 16; });
        const int s = 3;  // top row, left half
        const QRect column(places::pointX(s), 0, kCheckerSize, 330);
        const QImage& shading = t.assets.shading;
        int skin = 0;
        int frames = 0;
        QString fault;
        // Every pixel of a checker's solid body, below the top one, shows a checker, in every
        // frame drawn while the stack grows and shrinks.
        auto check = [&](const char* when) {
            const Position& b = t.window.scene().position();
            const int p = t.window.scene().pointAt(s);
            const QImage shot = t.window.grab(column).toImage();
            ++frames;
            for (int k = 1; k < b.count[p]; ++k) {
                const int top = places::stackY(s, k);
                for (int y = 0; y < kCheckerSize; ++y)
                    for (int x = 0; x < kCheckerSize; ++x) {
                        if (qGreen(shading.pixel(x, y)) == 0) continue;
                        const QRgb seen = shot.pixel(x, top + y);
                        if (boardColoured(seen, skin) && fault.isEmpty())
                            fault = QStringLiteral("%1, skin %2, %3 checkers: board colour over checker %4 at (%5, %6)")
                                        .arg(QLatin1String(when)).arg(skin).arg(b.count[p]).arg(k).arg(x).arg(y);
                    }
            }
        };
        QTimer everyFrame;
        everyFrame.setInterval(1);
        connect(&everyFrame, &QTimer::timeout, &t.window, [&] { check("while animating"); });
        for (skin = 0; skin <= 1; ++skin) {
            t.game.changeOptions([&](Options& o) { o.modernSkin = skin != 0; });
            BoardScene& scene = t.window.scene();
            const int p = scene.pointAt(s);
            t.startTurn(positionOf({{p, 1}, {24, -15}}), 6, 2);
            everyFrame.start();
            for (int k = 1; k < 15; ++k) scene.checkerArrived(Side::White, p, true);
            everyFrame.stop();
            QCOMPARE(int(scene.position().count[p]), 15);
            check("a stack of 15");
            everyFrame.start();
            while (scene.position().count[p] > 1) scene.checkerLeft(Side::White, p, true);
            everyFrame.stop();
        }
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
        QVERIFY(frames > 30);  // the appear and fade frames were looked at
    }

    void diceLeaveTheCheckersUnderThemVisibleOutsideTheirMask() {
        Table t;
        const Position& b = t.game.state().position();
        const int p = t.window.scene().pointAt(15);
        t.startTurn(positionOf({{p, 5}, {1, -15}}), 6, 2);
        const QRect die(kWhiteDiceX[1], kDiceY, kDieSize, kDieSize);
        const QRect fifth(places::pointX(15), places::stackY(15, 5), kCheckerSize, kCheckerSize);
        QVERIFY(die.intersects(fifth));
        const QImage& face = t.assets.die[2];
        const QImage& mask = t.assets.dieMask;
        const QImage& shading = t.assets.shading;
        // Outside the die's mask the picture is what lay there without the dice; in the die's
        // shadow it is that, darkened by the mask.
        auto compare = [&](const QImage& withDice, const QImage& without, bool countChecker) {
            int checkerPixels = 0, shadowPixels = 0;
            for (int y = 0; y < kDieSize; ++y)
                for (int x = 0; x < kDieSize; ++x) {
                    const QRgb f = face.pixel(x, y), m = mask.pixel(x, y);
                    const QRgb seen = withDice.pixel(die.x() + x, die.y() + y);
                    const QRgb bare = without.pixel(die.x() + x, die.y() + y);
                    const bool faceWhite = (f & 0xFFFFFF) == 0xFFFFFF;
                    if (faceWhite && qBlue(m) == 0) {
                        QCOMPARE(seen & 0xFFFFFF, bare & 0xFFFFFF);
                        const QPoint inChecker = QPoint(die.x() + x, die.y() + y) - fifth.topLeft();
                        if (fifth.contains(die.topLeft() + QPoint(x, y)) && qGreen(shading.pixel(inChecker)) > 0) ++checkerPixels;
                    } else if (qBlue(m) > 0 && qRed(m) == 0 && qGreen(m) == 0) {
                        const int weight = 510 - qBlue(m);
                        QVERIFY(std::abs(qRed(seen) - (qRed(bare) * weight >> 9)) <= 1);
                        QVERIFY(std::abs(qGreen(seen) - (qGreen(bare) * weight >> 9)) <= 1);
                        ++shadowPixels;
                    }
                }
            if (countChecker) QVERIFY(checkerPixels > 40);  // the fifth checker's top shows around the die
            QVERIFY(shadowPixels > 20);
        };
        const QImage bare = t.window.grab().toImage();
        t.window.showDice(Side::White, 6, 2);
        compare(t.window.grab().toImage(), bare, true);
        // The fifth checker leaves (by its part below the dice) and the 6 is played: the dice
        // are drawn again over what is there now, and the played die stays clear around its face.
        QTest::mouseClick(&t.window, Qt::LeftButton, {}, QPoint(fifth.x() + 25, die.bottom() + 10));
        QCOMPARE(int(b.count[p]), 4);
        QCOMPARE(int(t.game.state().dice().diceLeft[1]), 0);
        const QImage played = t.window.grab().toImage();
        t.window.clearDice();
        compare(played, t.window.grab().toImage(), false);
    }

    void barDotsStayClearOfThePointNumbers() {
        Table t;
        t.game.changeOptions([&](Options& o) { o.showBarNumbers = true; });
        t.startTurn(positionOf({{1, 2}, {12, 13}, {24, -15}}), 3, 5);
        QCOMPARE(dotsShown(t.window.grab().toImage()), 0);
        QTest::mouseMove(&t.window, checkerPoint(t.window.scene(), 1, 1));
        const QImage shot = t.window.grab().toImage();
        for (int p : {4, 6, 9}) QVERIFY2(dotShown(shot, t.window.scene().screenPositionOf(p)), qPrintable(QString::number(p)));
        QVERIFY(aquaShown(shot, t.window.scene().screenPositionOf(9)));
        for (int s = 1; s <= 24; ++s) QCOMPARE(countIn(shot, numberRect(s), isDotColour), 0);
    }

    void barNumbersOffLeaveTheRailsBareOnBothSkins() {
        for (Byte skin : {Byte{0}, Byte{1}}) {
            Table t(false);
            t.game.changeOptions([&](Options& o) { o.modernSkin = skin; });
            const QImage& board = t.window.boardPicture();
            for (Byte numbers : {Byte{0}, Byte{1}}) {
                t.game.changeOptions([&](Options& o) { o.showBarNumbers = numbers; });
                t.window.applyDisplayOptions();
                const QImage shot = t.window.grab().toImage();
                for (int s = 1; s <= 24; ++s) {
                    const QRect number = numberRect(s);
                    const QRect beside(places::pointX(s) + 42, number.top(), 9, number.height());  // the rail between plates
                    const int apart = lumaro::testing::channelDistance(lumaro::testing::meanColour(shot, number),
                                                                       lumaro::testing::meanColour(shot, beside));
                    if (numbers) {
                        QVERIFY2(apart > 40, qPrintable(QStringLiteral("skin %1, position %2").arg(skin).arg(s)));
                    } else {
                        QVERIFY2(apart < 24, qPrintable(QStringLiteral("skin %1, position %2").arg(skin).arg(s)));
                        QCOMPARE(shot.copy(number), board.copy(number).convertToFormat(shot.format()));
                    }
                }
            }
        }
    }

    void theEntryDotsStayWhileWhiteHasCheckersOnTheBar() {
        Table t;
        const Position& b = t.game.state().position();
        t.startTurn(positionOf({{12, 2}, {13, -15}}, 2), 3, 5);
        // Hovering a point does not hide them.
        QTest::mouseMove(&t.window, checkerPoint(t.window.scene(), 12, 1));
        QImage shot = t.window.grab().toImage();
        QVERIFY(dotShown(shot, t.window.scene().screenPositionOf(3)));
        QVERIFY(dotShown(shot, t.window.scene().screenPositionOf(5)));
        QCOMPARE(dotsShown(shot), 2);
        // An entry with a checker left on the bar keeps the dot of the die still to play.
        QTest::mouseMove(&t.window, QPoint(places::kBarX + 25, places::kWhiteBarY + 25));
        QTest::mouseClick(&t.window, Qt::LeftButton, {}, QPoint(places::kBarX + 25, places::kWhiteBarY + 25));
        QCOMPARE(int(b.barWhite), 1);
        QCOMPARE(int(b.count[5]), 1);
        shot = t.window.grab().toImage();
        QVERIFY(dotShown(shot, t.window.scene().screenPositionOf(3)));
        QCOMPARE(dotsShown(shot), 1);
        // The last entry: no checker on the bar, no dice left, no dots.
        QTest::mouseClick(&t.window, Qt::LeftButton, {}, QPoint(places::kBarX + 25, places::kWhiteBarY + 25));
        QCOMPARE(int(b.barWhite), 0);
        QCOMPARE(dotsShown(t.window.grab().toImage()), 0);
    }

    void sideNewBoardBackAndMoveLeaveNoStaleDots() {
        Table t;
        const Position& b = t.game.state().position();
        const Position pos = positionOf({{1, 2}, {10, 13}, {24, -15}});
        // SIDE: the point under the mouse is now another, empty one.
        t.startTurn(pos, 3, 5);
        QTest::mouseMove(&t.window, checkerPoint(t.window.scene(), 1, 1));
        QCOMPARE(dotsShown(t.window.grab().toImage()), 3);
        QVERIFY(MenuCommands(t.game).side(Game::ShellState{}));
        QCOMPARE(dotsShown(t.window.grab().toImage()), 0);
        // A new board: point 1's checkers stay, the others went back to their starting points.
        t.startTurn(positionOf({{3, 2}, {12, 13}, {24, -15}}), 3, 5);
        QTest::mouseMove(&t.window, checkerPoint(t.window.scene(), 3, 1));
        QCOMPARE(dotsShown(t.window.grab().toImage()), 3);
        t.game.setUpNewBoard();
        QCOMPARE(dotsShown(t.window.grab().toImage()), 0);
        // BACK (Backspace): the dots of the whole roll come back with the checker.
        t.startTurn(positionOf({{1, 1}, {10, 14}, {24, -15}}), 3, 5);
        QTest::mouseMove(&t.window, checkerPoint(t.window.scene(), 1, 1));
        QTest::mouseClick(&t.window, Qt::LeftButton, {}, checkerPoint(t.window.scene(), 1, 1));  // the 5: 1 -> 6
        QCOMPARE(int(b.count[6]), 1);
        QCOMPARE(dotsShown(t.window.grab().toImage()), 0);
        QTest::keyClick(&t.window, Qt::Key_Backspace);
        QCOMPARE(int(b.count[6]), 0);
        const QImage shot = t.window.grab().toImage();
        QVERIFY(aquaShown(shot, t.window.scene().screenPositionOf(9)));
        QCOMPARE(dotsShown(shot), 3);
        // MOVE (M) plays the whole roll: no die is left to mark, wherever the mouse stands.
        QVERIFY(MenuCommands(t.game).move(Game::ShellState{}));
        QVERIFY(!t.game.state().dice().anyLeft());
        QCOMPARE(dotsShown(t.window.grab().toImage()), 0);
    }

    void everyTextOfTheMessageBoxShowsWhole() {
        Table t;
        MessagePanel& panel = t.window.messagePanel();
        const std::string wide(20, 'W');  // the longest name, of the widest letter
        Message play;
        play.kind = MessageKind::NewGame;
        play.line1 = "Play with " + wide;
        play.line2 = "[255.255.255.255] ?";
        play.yesNo = true;
        Message invite;
        invite.line1 = "Invite " + wide;
        invite.line2 = "[255.255.255.255]...";
        Message score;
        score.line1 = "MATCHES SCORE";
        score.table = {{"Match", "65535", "0"}, {"Total", "65535", "65535"}};
        for (const Message& m : {play, invite, score}) {
            panel.present(m, t.window.boardPicture());
            const auto& blocks = panel.textBlocks();
            QCOMPARE(blocks.size(), 2 + 3 * m.table.size());
            QCOMPARE(blocks[0].rows.join(QLatin1Char(' ')), QString::fromStdString(m.line1));
            QCOMPARE(blocks[1].rows.join(QLatin1Char(' ')), QString::fromStdString(m.line2));
            for (const MessagePanel::TextBlock& b : blocks) {
                QVERIFY(b.font.pixelSize() >= MessagePanel::kSmallestText);
                const QFontMetrics metrics(b.font);
                for (int row = 0; row < b.rows.size(); ++row) {
                    QVERIFY2(metrics.horizontalAdvance(b.rows[row]) <= b.room.width(), qPrintable(b.rows[row]));
                    QVERIFY(b.room.contains(b.rowRect(row)));
                }
            }
            panel.close();
        }

        // What fits keeps the full size on one row.
        Message question;
        question.line1 = "Do you want to resign?";
        question.yesNo = true;
        panel.present(question, t.window.boardPicture());
        QCOMPARE(panel.textBlocks()[0].font.pixelSize(), 13);
        QCOMPARE(panel.textBlocks()[0].rows, QStringList{QString::fromStdString(question.line1)});
        panel.close();

        // A reason without end stays in its room, cut short with an ellipsis.
        Message notice;
        notice.line1 = "The game could not be loaded.";
        notice.line2 = std::string(600, 'x') + " " + std::string(300, 'y');
        panel.present(notice, t.window.boardPicture());
        const MessagePanel::TextBlock& reason = panel.textBlocks()[1];
        QVERIFY(reason.rows.size() > 1);
        QVERIFY(reason.rows.last().endsWith(QChar(0x2026)));
        for (int row = 0; row < reason.rows.size(); ++row) {
            QVERIFY(QFontMetrics(reason.font).horizontalAdvance(reason.rows[row]) <= reason.room.width());
            QVERIFY(reason.room.contains(reason.rowRect(row)));
        }
        panel.close();
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
        QCOMPARE(t.screen.showMessage(question), Answer::Yes);
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
        QCOMPARE(t.screen.showMessage(question), Answer::No);
    }

    void withQuestionsWaitingAQuestionOutlivesItsCountdownAndANoticeDoesNot() {
        Table t;
        t.screen.questionsWait = true;
        Message question;
        question.yesNo = true;
        question.line1 = "Start a new game?";
        question.timeout = 3;
        bool openAfterTicks = false;
        int countdownShown = -1;
        int slotPixelsDrawn = -1;
        QTimer::singleShot(0, &t.window, [&] {
            MessagePanel& panel = t.window.messagePanel();
            // Not even the bar's empty slot shows (it would read as time run out): the board lies
            // there darkened as everywhere under the box.
            const QImage drawn = panel.grab().toImage();
            const QImage board = t.window.boardPicture().convertToFormat(QImage::Format_RGB32);
            const QRect slot(485, 217, 59, 13);
            slotPixelsDrawn = 0;
            for (int y = slot.top(); y <= slot.bottom(); ++y)
                for (int x = slot.left(); x <= slot.right(); ++x) {
                    const QRgb under = board.pixel(x, y);
                    const QRgb shown = drawn.pixel(x - MessagePanel::kLeft, y - MessagePanel::kTop);
                    slotPixelsDrawn += std::abs(qRed(shown) - qRed(under) * 91 / 256) > 2 ||
                                       std::abs(qGreen(shown) - qGreen(under) * 91 / 256) > 2 ||
                                       std::abs(qBlue(shown) - qBlue(under) * 91 / 256) > 2;
                }
            for (int k = 0; k < 10 * MessagePanel::kCountdownEnd; ++k) panel.tick();  // far past any countdown
            openAfterTicks = panel.waiting() && !panel.timedOut();
            countdownShown = panel.countdown();
            panel.pressNo();
        });
        QCOMPARE(t.screen.showMessage(question), Answer::No);
        QVERIFY(openAfterTicks);
        QCOMPARE(countdownShown, 0);  // no countdown runs, so none is shown
        QCOMPARE(slotPixelsDrawn, 0);

        // A notice still closes by itself after its ticks.
        Message notice;
        notice.line1 = "Your doubling proposal";
        notice.timeout = 3;
        bool closedByItself = false;
        QTimer::singleShot(0, &t.window, [&] {
            MessagePanel& panel = t.window.messagePanel();
            for (int k = 0; k < 3; ++k) panel.tick();
            closedByItself = panel.timedOut();
        });
        t.screen.showMessage(notice);
        QVERIFY(closedByItself);
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
        QCOMPARE(t.screen.showMessage(question), Answer::Yes);
        QVERIFY(openWhileHeld);         // held far past the three ticks
        QVERIFY(countdownWhileHeld < 3);
    }

    void aClickJustAfterAQuestionAnsweredItselfIsNotTheBoards() {
        LateClickTable t;
        QCOMPARE(t.askAndLetItAnswerItself(), Answer::Yes);
        t.now += LateClickGuard::kQuietMs - 1;  // the player's click on YES arrives late
        QTest::mouseClick(&t.window, Qt::LeftButton, {}, t.whereYesWas);
        QTest::mouseDClick(&t.window, Qt::LeftButton, {}, QPoint(300, 300));
        QCOMPARE(int(t.game.state().cube().value()), 1);  // no double offered
        QCOMPARE(t.game.state().sideToMove(), Side::Black);       // nor a roll
        QVERIFY(!t.window.messagePanel().isVisible());
        t.now += 1;
        QTest::mouseClick(&t.window, Qt::LeftButton, {}, QPoint(300, 300));
        QCOMPARE(t.game.state().sideToMove(), Side::White);  // half a second on, the board rolls
    }

    void aButtonPressedWhileABoxWasUpStaysOutUntilReleased() {
        LateClickTable t;
        QTimer::singleShot(10, &t.window, [&] { QTest::mousePress(&t.window, Qt::LeftButton, {}, QPoint(300, 300)); });
        QCOMPARE(t.askAndLetItAnswerItself(), Answer::Yes);
        t.now += 10 * LateClickGuard::kQuietMs;
        QTest::mousePress(&t.window, Qt::RightButton, {}, QPoint(300, 300));  // the left one is still down
        QTest::mouseRelease(&t.window, Qt::LeftButton, {}, QPoint(300, 300));
        QTest::mouseRelease(&t.window, Qt::RightButton, {}, QPoint(300, 300));
        QCOMPARE(t.game.state().sideToMove(), Side::Black);
        QTest::mouseClick(&t.window, Qt::LeftButton, {}, QPoint(300, 300));
        QCOMPARE(t.game.state().sideToMove(), Side::White);
    }

    void aDoubleClickOrEnterTwiceOnYesLeavesTheResultItBringsShown() {
        LateClickTable t;
        MessagePanel& panel = t.window.messagePanel();
        const QPoint yes = t.whereYesWas - QPoint(MessagePanel::kLeft, MessagePanel::kTop);
        QStringList answered;  // the first line of each box as the script answers it
        bool resultStayed = false;
        QTimer script;
        script.setInterval(5);
        connect(&script, &QTimer::timeout, &t.window, [&] {
            if (!panel.waiting()) return;
            const QString line = panel.textBlocks()[0].rows.join(QLatin1Char(' '));
            if (answered.isEmpty()) {
                t.now += LateClickGuard::kQuietMs;  // the player reads the question, then double-clicks YES
                answered << line;
                QTest::mouseClick(&panel, Qt::LeftButton, {}, yes);
                return;
            }
            // The result opened straight after: the second click, and Enter, come too soon for it.
            t.now += LateClickGuard::kQuietMs - 1;
            QTest::mouseDClick(&panel, Qt::LeftButton, {}, yes);
            QTest::keyClick(&t.window, Qt::Key_Return);
            resultStayed = panel.waiting() && panel.isVisible();
            t.now += 1;
            answered << line;
            QTest::mouseClick(&panel, Qt::LeftButton, {}, yes);  // half a second on, a click closes it
            script.stop();
        });
        script.start();
        QVERIFY(t.game.resign());
        QCOMPARE(answered.size(), 2);
        QCOMPARE(answered[0], QStringLiteral("Do you want to resign?"));
        QVERIFY2(answered[1].contains(QStringLiteral("WINNER")), qPrintable(answered[1]));
        QVERIFY(resultStayed);
        QVERIFY(!t.game.state().gameOn());
    }

    void enterAnswersYesAndEscNoWhileABoxIsUp() {
        Table t;
        QSignalSpy menu(&t.window, &BoardWindow::menuRequested);
        Message question;
        question.yesNo = true;
        question.line1 = "Do you want to resign?";
        question.timeout = 10000;  // no countdown ends these boxes
        // Should a key not reach the box, it is closed later with the answer the key does not give.
        auto otherwise = [&](Answer wrong) {
            QTimer::singleShot(2000, &t.window, [&t, wrong] {
                MessagePanel& panel = t.window.messagePanel();
                if (!panel.waiting()) return;
                if (wrong == Answer::No) panel.pressNo(); else panel.pressYes();
            });
        };
        otherwise(Answer::Yes);
        QTimer::singleShot(20, &t.window, [&] { QTest::keyClick(&t.window, Qt::Key_Escape); });
        QCOMPARE(t.screen.showMessage(question), Answer::No);
        QCOMPARE(menu.count(), 0);  // Esc answered; it did not open the menu

        otherwise(Answer::No);
        QTimer::singleShot(20, &t.window, [&] {
            // A key held down since the last box repeats: that answers nothing.
            QKeyEvent repeated(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), true);
            QApplication::sendEvent(&t.window, &repeated);
            QVERIFY(t.window.messagePanel().waiting());
            QTest::keyClick(&t.window, Qt::Key_Return);
        });
        QCOMPARE(t.screen.showMessage(question), Answer::Yes);

        // The keys answer whichever widget of the board has the focus: the chat line, say.
        auto* chatLine = new QLineEdit(&t.window);
        QSignalSpy sent(chatLine, &QLineEdit::returnPressed);
        otherwise(Answer::No);
        QTimer::singleShot(20, &t.window, [&] { QTest::keyClick(chatLine, Qt::Key_Return); });
        QCOMPARE(t.screen.showMessage(question), Answer::Yes);
        QCOMPARE(sent.count(), 0);

        Message notice;  // a notice closes on Esc, as it does on a click
        notice.line1 = "Invitation refused";
        notice.timeout = 10000;
        otherwise(Answer::No);
        QTimer::singleShot(20, &t.window, [&] { QTest::keyClick(&t.window, Qt::Key_Escape); });
        QCOMPARE(t.screen.showMessage(notice), Answer::Yes);
        QTest::keyClick(&t.window, Qt::Key_Escape);  // no box: Esc brings the menu
        QCOMPARE(menu.count(), 1);
    }
};

QTEST_MAIN(BoardWindowTest)
#include "BoardWindowTest.moc"
