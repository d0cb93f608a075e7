// The board scene: checker images, stacks, pixel places and the SIDE orientation, told the game's
// events as the board window's screen tells them.
#include <QTest>
#include <set>

#include "support/Positions.h"
#include "support/RecordingView.h"
#include "ui/BoardPlaces.h"
#include "ui/BoardScene.h"

using namespace lumaro;
using lumaro::testing::positionOf;
using lumaro::testing::RecordingView;

namespace {

// Every image of a stack or bar in use once, and as many in use as checkers shown.
bool imagesConsistent(const BoardScene& scene) {
    for (Side side : {Side::White, Side::Black}) {
        std::set<int> seen;
        const Position& shown = scene.position();
        for (int p = 1; p <= 24; ++p) {
            if (shown.count[p] == 0 || shown.colour[p] != colourOf(side)) continue;
            for (int k = 1; k <= shown.count[p]; ++k)
                if (!seen.insert(scene.imageAt(p, k)).second || scene.imageAt(p, k) == 0) return false;
        }
        const int bar = side == Side::White ? shown.barWhite : shown.barBlack;
        for (int k = 1; k <= bar; ++k)
            if (!seen.insert(scene.barImage(side, k)).second || scene.barImage(side, k) == 0) return false;
        if (static_cast<int>(seen.size()) != scene.imagesInUse(side)) return false;
    }
    return true;
}

}  // namespace

class BoardSceneTest : public QObject {
    Q_OBJECT
private slots:
    void theStartingPositionStandsOnItsPointsWithEitherSide() {
        for (bool homeRight : {false, true}) {
            BoardScene scene(homeRight);
            RecordingView view;
            scene.setView(&view);
            scene.restoreTo(startingPosition());
            QVERIFY(scene.position().sameCheckersAs(startingPosition()));
            QCOMPARE(scene.imagesInUse(Side::White), 15);
            QCOMPARE(scene.imagesInUse(Side::Black), 15);
            QVERIFY(imagesConsistent(scene));
            QCOMPARE(int(view.events.size()), 30);
            // White's two back checkers first, at the place of point 1's screen position.
            const int s = scene.screenPositionOf(1);
            QCOMPARE(s, homeRight ? 12 : 1);
            QCOMPARE(view.events[1].screenPosition, s);
            QCOMPARE(view.events[1].x, places::pointX(s));
            QCOMPARE(view.events[1].y, places::stackY(s, 2));
            for (const auto& e : view.events) QVERIFY(e.appeared && !e.animated);
            QCOMPARE(view.eventsRun, 30);  // every checker lets the window's events run
        }
    }

    void theScreenTableIsItsOwnInverse() {
        BoardScene right(true);
        QCOMPARE(right.pointAt(12), 1);
        QCOMPARE(25 - right.pointAt(12), 24);  // the label beside it
        QCOMPARE(right.pointAt(13), 24);
        QCOMPARE(right.pointAt(1), 12);
        BoardScene left(false);
        QCOMPARE(left.pointAt(5), 5);
        for (const BoardScene* scene : {&right, &left}) {
            for (int s = 1; s <= 24; ++s) QCOMPARE(scene->pointAt(scene->pointAt(s)), s);
            for (int s : {-1, 0, 25, 255}) QCOMPARE(scene->pointAt(s), 0);
        }
        QCOMPARE(places::pointAtScreenPosition(7, true), 6);
        QCOMPARE(places::hitTest(52 + 10, 100), 1);
        QCOMPARE(places::hitTest(52 + 10, 500), 24);
        QCOMPARE(places::hitTest(400, 100), 0);  // the bar
        QCOMPARE(places::hitTest(300, 300), 0);  // between the rows
    }

    void aCheckerThatIsNotThereLeavesNothingAndNowhereIsIgnored() {
        BoardScene scene;
        RecordingView view;
        scene.setView(&view);
        scene.restoreTo(startingPosition());
        view.clear();
        scene.checkerLeft(Side::White, 6, true);  // a black point
        QCOMPARE(int(scene.position().count[6]), 5);
        scene.checkerLeft(Side::White, 1, true);
        scene.checkerLeft(Side::White, 1, true);
        QCOMPARE(int(scene.position().count[1]), 0);
        QCOMPARE(int(view.events.size()), 2);
        scene.checkerLeft(Side::White, 1, true);  // nothing left to leave
        scene.checkerLeft(Side::White, 0, true);  // an empty bar
        for (int point : {-1, 25, 26, 255}) scene.checkerLeft(Side::Black, point, true);
        for (int point : {-1, 26, 255}) scene.checkerArrived(Side::Black, point, true);
        QCOMPARE(int(view.events.size()), 2);
        QVERIFY(view.flights.empty());
        QVERIFY(imagesConsistent(scene));
    }

    void aSixteenthCheckerFindsNoImageAndNoSlot() {
        BoardScene scene;
        RecordingView view;
        scene.setView(&view);
        scene.restoreTo(positionOf({{3, 15}}));
        view.clear();
        scene.checkerArrived(Side::White, 4, true);
        QCOMPARE(int(scene.position().count[3]), 15);
        QCOMPARE(int(scene.position().count[4]), 0);
        QVERIFY(view.events.empty());
    }

    void theBarIsLastInFirstOutAndTheNextFlightStartsThere() {
        BoardScene scene;
        RecordingView view;
        scene.setView(&view);
        for (int k = 0; k < 3; ++k) scene.checkerArrived(Side::White, 0, true);
        QCOMPARE(int(scene.position().barWhite), 3);
        QCOMPARE(view.events[0].x, places::kBarX);
        QCOMPARE(view.events[0].y, places::kWhiteBarY);
        QCOMPARE(view.events[0].screenPosition, 0);
        view.clear();
        for (int k = 0; k < 3; ++k) scene.checkerLeft(Side::White, 0, true);
        QCOMPARE(int(view.events.size()), 3);
        QCOMPARE(view.events[0].image, 3);
        QCOMPARE(view.events[1].image, 2);
        QCOMPARE(view.events[2].image, 1);
        scene.checkerArrived(Side::White, 5, true);
        QCOMPARE(int(view.flights.size()), 1);
        QCOMPARE(view.flights[0].fromX, places::kBarX);
        QCOMPARE(view.flights[0].fromY, places::kWhiteBarY);
    }

    void stacksFormAPyramidAndAFlightStartsWhereTheLastCheckerStood() {
        QCOMPARE(places::pointX(1), 52);
        QCOMPARE(places::pointX(24), 52);
        QCOMPARE(places::pointX(7), 432);
        QCOMPARE(places::pointX(13), 697);
        QCOMPARE(places::pointX(0), places::kBarX);
        QCOMPARE(places::stackY(3, 1), 30);
        QCOMPARE(places::stackY(3, 6), 56);
        QCOMPARE(places::stackY(20, 1), 519);
        QCOMPARE(places::stackY(20, 15), 519 - 102);
        QCOMPARE(places::stackY(20, 16), places::stackY(20, 15));

        BoardScene scene;
        RecordingView view;
        scene.setView(&view);
        scene.checkerArrived(Side::Black, 5, true);
        scene.checkerArrived(Side::Black, 5, true);
        const int s = scene.screenPositionOf(5);
        QCOMPARE(int(view.events.size()), 2);
        QCOMPARE(view.events[1].x, places::pointX(s));
        QCOMPARE(view.events[1].y, places::stackY(s, 2));
        QCOMPARE(view.events[1].screenPosition, s);
        QVERIFY(view.events[1].animated);
        QCOMPARE(view.flights[1].toY, places::stackY(s, 2));  // it flies to the slot it takes
        scene.checkerLeft(Side::Black, 5, false);
        QVERIFY(!view.events.back().appeared);
        QVERIFY(!view.events.back().animated);
        QCOMPARE(view.events.back().image, 2);
        QCOMPARE(view.events.back().screenPosition, s);
        scene.checkerArrived(Side::Black, 1, true);
        QCOMPARE(view.flights.back().fromX, places::pointX(s));
        QCOMPARE(view.flights.back().fromY, places::stackY(s, 2));  // where the removed checker stood
    }

    void aHitSendsTheBlotToItsBarBeforeTheHitterLands() {
        BoardScene scene;
        RecordingView view;
        scene.setView(&view);
        scene.restoreTo(positionOf({{1, 2}, {12, 13}, {4, -1}, {13, -14}}));
        view.clear();
        // The events of White's 3 from 1, hitting on 4.
        scene.checkerLeft(Side::Black, 4, false);
        scene.checkerArrived(Side::Black, 0, false);
        scene.checkerLeft(Side::White, 1, false);
        scene.checkerArrived(Side::White, 4, false);
        QCOMPARE(int(view.flights.size()), 2);
        QCOMPARE(view.flights[0].colour, int(kBlack));
        QCOMPARE(view.flights[0].toX, 374);
        QCOMPARE(view.flights[0].toY, 520);
        QCOMPARE(view.flights[1].colour, int(kWhite));
        const int s1 = scene.screenPositionOf(1), s4 = scene.screenPositionOf(4);
        QCOMPARE(view.flights[1].fromX, places::pointX(s1));
        QCOMPARE(view.flights[1].fromY, places::stackY(s1, 2));
        QCOMPARE(view.flights[1].toX, places::pointX(s4));
        QCOMPARE(view.flights[1].toY, places::stackY(s4, 1));
        for (const auto& e : view.events) QVERIFY(!e.animated);
        QCOMPARE(int(scene.position().barBlack), 1);
        QVERIFY(scene.position().hasWhite(4));
        QVERIFY(imagesConsistent(scene));
    }

    void aCheckerBorneOffFliesToItsSidesTrayAndAppearsNowhere() {
        for (bool homeRight : {true, false}) {
            BoardScene scene(homeRight);
            RecordingView view;
            scene.setView(&view);
            scene.restoreTo(positionOf({{24, 2}, {1, -2}}));
            view.clear();
            scene.checkerLeft(Side::White, 24, true);
            scene.checkerArrived(Side::White, 25, true);
            scene.checkerLeft(Side::Black, 1, true);
            scene.checkerArrived(Side::Black, 25, true);
            QCOMPARE(int(view.flights.size()), 2);
            QCOMPARE(view.flights[0].toX, homeRight ? 780 : 0);
            QCOMPARE(view.flights[0].toY, places::kWhiteTrayY);
            QCOMPARE(view.flights[1].toX, scene.trayX());
            QCOMPARE(view.flights[1].toY, places::kBlackTrayY);
            QCOMPARE(int(view.events.size()), 2);  // the two fades
            QCOMPARE(int(scene.position().offWhite), 14);
            QCOMPARE(int(scene.position().offBlack), 14);
        }
    }

    void aRestoreTakesBackAHitMovingOnlyTheCheckersThatDiffer() {
        BoardScene scene;
        RecordingView view;
        scene.setView(&view);
        const Position before = positionOf({{1, 2}, {12, 13}, {24, -1}, {13, -14}});
        scene.restoreTo(before);
        // A white checker from 12 hits the black blot on 24.
        scene.checkerLeft(Side::Black, 24, true);
        scene.checkerArrived(Side::Black, 0, true);
        scene.checkerLeft(Side::White, 12, true);
        scene.checkerArrived(Side::White, 24, true);
        QCOMPARE(int(scene.position().barBlack), 1);
        view.clear();

        scene.restoreTo(before);
        QVERIFY(scene.position().sameCheckersAs(before));
        // Only the hitter and the hit checker moved: one fade and one appear each, no effects.
        int fades = 0, appears = 0;
        for (const auto& e : view.events) {
            (e.appeared ? appears : fades) += 1;
            QVERIFY(!e.animated);
        }
        QCOMPARE(fades, 2);
        QCOMPARE(appears, 2);
        QVERIFY(view.flights.empty());
        QVERIFY(imagesConsistent(scene));
    }

    void sideAndNewColoursLayEveryCheckerOutAgainWhereItStands() {
        BoardScene scene;
        RecordingView view;
        scene.setView(&view);
        const Position pos = positionOf({{3, 5}, {20, 9}, {10, -15}}, 1);
        scene.restoreTo(pos);
        view.clear();
        scene.setHomeRight(false);
        QVERIFY(!scene.homeRight());
        QVERIFY(scene.position().sameCheckersAs(pos));
        QCOMPARE(scene.pointAt(3), 3);
        QCOMPARE(view.orientationChanges, 1);
        QCOMPARE(scene.imagesInUse(Side::White), 15);
        QVERIFY(imagesConsistent(scene));
        // Every checker faded and appeared again, without effects, on its new place.
        QCOMPARE(int(view.events.size()), 60);
        for (const auto& e : view.events) QVERIFY(!e.animated);
        QCOMPARE(view.events.back().screenPosition, 0);  // the bars come last
        QCOMPARE(view.events[30].screenPosition, 3);     // point 3 first, where it now stands
        view.clear();
        scene.redraw();
        QVERIFY(scene.position().sameCheckersAs(pos));
        QCOMPARE(int(view.events.size()), 60);
        QVERIFY(imagesConsistent(scene));
    }

    void aClickedImageNamesItsPointAndTheBarIsNone() {
        BoardScene scene;
        scene.restoreTo(positionOf({{3, 5}, {20, 9}, {10, -14}}, 1, 1));
        for (int p : {3, 20, 10}) {
            const Side side = p == 10 ? Side::Black : Side::White;
            for (int k = 1; k <= scene.position().count[p]; ++k) QCOMPARE(scene.pointOfImage(side, scene.imageAt(p, k)), p);
        }
        QCOMPARE(scene.pointOfImage(Side::White, scene.barImage(Side::White, 1)), 0);
        QCOMPARE(scene.pointOfImage(Side::Black, scene.barImage(Side::Black, 1)), 0);
        for (int image : {-1, 0, 16}) QCOMPARE(scene.pointOfImage(Side::White, image), 0);
        scene.clear();
        QCOMPARE(scene.imagesInUse(Side::White), 0);
        QCOMPARE(scene.imagesInUse(Side::Black), 0);
        QVERIFY(scene.position().sameCheckersAs(Position{}));
    }
};

QTEST_APPLESS_MAIN(BoardSceneTest)
#include "BoardSceneTest.moc"
