// Play in a window: a click anywhere on the scaled board reaches the board's widget at the board's
// own pixel, at any window size and shape; a click in the black beside it reaches nothing; a click on
// the menu leaves the keys with the board; and the board and the menu come back as windows of their
// own.
#include <QKeyEvent>
#include <cmath>
#include <QMouseEvent>
#include <QTest>

#include "ui/BoardFrame.h"

using lumaro::BoardFrame;

namespace {

class Recorder : public QWidget {
public:
    Recorder(int w, int h, Qt::FocusPolicy focus) {
        setFixedSize(w, h);
        setFocusPolicy(focus);
    }
    std::vector<QPoint> presses;
    std::vector<int> keys;

protected:
    void mousePressEvent(QMouseEvent* e) override { presses.push_back(e->position().toPoint()); }
    void keyPressEvent(QKeyEvent* e) override { keys.push_back(e->key()); }
};

// The first viewport pixel that shows the board's pixel (x, y), the board scaled to fit and centred
// (the sizes tested leave whole pixels beside it).
QPoint drawnAt(QSize size, int x, int y) {
    const double s = std::min(size.width() / 800.0, size.height() / 600.0);
    return {int((size.width() - 800 * s) / 2 + std::ceil(x * s)), int((size.height() - 600 * s) / 2 + std::ceil(y * s))};
}

}  // namespace

class BoardFrameTest : public QObject {
    Q_OBJECT
private slots:
    void clicksReachTheBoardAtItsOwnPixelsAtAnySize() {
        Recorder board(800, 600, Qt::StrongFocus), menu(49, 600, Qt::NoFocus);
        BoardFrame frame(board, menu);
        board.show();
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        // Whole pixels of the board to each pixel of the window, and whole pixels beside it.
        for (const QSize size : {QSize(800, 600), QSize(1200, 900), QSize(1000, 600), QSize(800, 1000), QSize(1600, 1200)}) {
            frame.resize(size);
            QTRY_COMPARE(frame.viewport()->size(), size);
            for (const QPoint p : {QPoint(60, 0), QPoint(798, 598), QPoint(0, 320), QPoint(456, 540)}) {
                board.presses.clear();
                QTest::mouseClick(frame.viewport(), Qt::LeftButton, {}, drawnAt(size, p.x(), p.y()));
                QCOMPARE(board.presses.size(), std::size_t{1});
                QCOMPARE(board.presses.front(), p);
            }
        }
        // The black beside a wide window's board is nobody's.
        frame.resize(1000, 600);
        QTRY_COMPARE(frame.viewport()->size(), QSize(1000, 600));
        board.presses.clear();
        QTest::mouseClick(frame.viewport(), Qt::LeftButton, {}, QPoint(50, 300));
        QTest::mouseClick(frame.viewport(), Qt::LeftButton, {}, QPoint(950, 300));
        QVERIFY(board.presses.empty());
    }

    void aClickOnTheMenuLeavesTheKeysWithTheBoard() {
        Recorder board(800, 600, Qt::StrongFocus), menu(49, 600, Qt::NoFocus);
        BoardFrame frame(board, menu);
        board.show();
        menu.move(0, 0);
        menu.show();
        frame.show();
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        board.setFocus();
        QTest::mouseClick(frame.viewport(), Qt::LeftButton, {}, drawnAt(frame.viewport()->size(), 20, 100));
        QCOMPARE(menu.presses.size(), std::size_t{1});
        QVERIFY(board.presses.empty());  // the menu lies over the board's edge
        QTest::keyClick(&frame, Qt::Key_H);
        QCOMPARE(board.keys, std::vector<int>{Qt::Key_H});
        // A menu slid out to the left is clipped to the board: a click there is the board's.
        menu.move(-48, 0);
        QTest::mouseClick(frame.viewport(), Qt::LeftButton, {}, drawnAt(frame.viewport()->size(), 20, 100));
        QCOMPARE(menu.presses.size(), std::size_t{1});
        QCOMPARE(board.presses.size(), std::size_t{1});
    }

    void theBoardAndTheMenuComeBackAsWindowsOfTheirOwn() {
        Recorder board(800, 600, Qt::StrongFocus), menu(49, 600, Qt::NoFocus);
        board.move(100, 50);
        {
            BoardFrame frame(board, menu);
            QCOMPARE(&lumaro::windowShowing(board), static_cast<QWidget*>(&frame));
            QCOMPARE(board.pos(), QPoint(0, 0));
            frame.release();
            QVERIFY(!board.graphicsProxyWidget());
            QVERIFY(!menu.graphicsProxyWidget());
            frame.release();  // twice: nothing left to give back
        }
        QVERIFY(board.isWindow());
        QVERIFY(!board.isVisible());
        QCOMPARE(&lumaro::windowShowing(board), static_cast<QWidget*>(&board));
        board.show();  // on the screen again, not in a frame
        QVERIFY(QTest::qWaitForWindowExposed(&board));
    }
};

QTEST_MAIN(BoardFrameTest)
#include "BoardFrameTest.moc"
