// The study plate over the board: every text whole with the longest lines the hint and the review
// write, clear of the bar, the cube and the message box, gone with the question it advised on; a
// review's board drawn as it stood at the decision, its marks apart where they overlap.
#include <QApplication>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include "support/BoardTable.h"
#include "support/Positions.h"
#include "ui/BoardPlaces.h"
#include "ui/StudyPlates.h"

using namespace lumaro;

namespace {

const std::string kLongName = "Bartholomew Fitzroy!";  // 20 characters, the longest a name may be

Hint playsHint() {
    Hint hint;
    hint.kind = Hint::Kind::Plays;
    hint.title = "Your 6-6, two rolls deeper";
    const char* plays[] = {"bar/19* 19/13* 13/7* 7/1*", "bar/19 19/13(2) 8/2*", "bar/19 13/7*(2) 8/2*", "bar/19 24/18(2) 13/7*",
                           "bar/19 19/7* 6/off", "bar/19 24/12"};
    double equity = 0.834;
    for (const char* play : plays) {
        hint.plays.push_back({play, equity, equity - 0.834, true});
        equity -= 0.1234;
    }
    return hint;
}

Hint cubeHint(bool blackDoubles, bool match = false) {
    Hint hint;
    hint.kind = Hint::Kind::Cube;
    hint.figuresUnit = "Equities per point of the cube now.";
    if (blackDoubles) {
        hint.title = kLongName + " doubles";
        hint.lines = {"Take."};
        hint.figures = {{"Take", 0.306}, {"Pass", -1.0}};
    } else {
        hint.title = "Before your roll";
        hint.lines = {"Too good to double: play on for the gammon."};
        hint.figures = {{"No double", -0.049}, {"Double/take", -0.413}, {"Double/pass", -1.0}};
    }
    if (match) {
        // A match counts chances of winning it, up to a whole one.
        hint.figuresAreChances = true;
        hint.figuresUnit = "Chances of winning the match.";
        for (HintFigure& f : hint.figures) f.equity = 1.0;
    }
    return hint;
}

GameReview longReview() {
    GameReview review;
    review.side = Side::Black;
    ReviewedDecision take;
    take.kind = ReviewedDecision::Kind::Take;
    take.played = "Take";
    take.best = "Pass";
    take.equityLost = 0.4321;
    take.verdict = Verdict::Blunder;
    ReviewedDecision play;
    play.dieA = play.dieB = 6;
    play.played = "bar/19* 19/13* 13/7* 7/1*";
    play.best = "bar/19 19/13(2) 8/2*";
    play.equityLost = 0.2;
    play.verdict = Verdict::Blunder;
    review.decisions = {take, play};
    review.errorRate = 316.1;
    review.blunders = 2;
    review.rating = "Beginner";
    return review;
}

// Every text of `content` in the order the plate lays it out, words only.
QString wordsOf(const PlateContent& content) {
    QStringList parts{content.title};
    for (const PlateRow& row : content.rows) parts << row.label << row.figures;
    parts << content.footer;
    return parts.join(QLatin1Char(' ')).simplified();
}

QString wordsOf(const PlateLayout& layout) {
    QStringList parts;
    for (const PlateLine& line : layout.lines) parts << line.text;
    return parts.join(QLatin1Char(' ')).simplified();
}

const PlateLine* lineWith(const PlateLayout& layout, const QString& text) {
    for (const PlateLine& line : layout.lines)
        if (line.text == text) return &line;
    return nullptr;
}

// The pixels of `area` in `image` that are `wanted`.
int countIn(const QImage& image, const QRect& area, bool (*wanted)(QColor)) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += wanted(image.pixelColor(x, y));
    return n;
}
bool bluish(QColor c) { return c.blue() > c.red() + 40 && c.blue() > c.green() + 20; }
bool golden(QColor c) { return c.red() > c.blue() + 80 && c.green() > c.blue() + 50; }

}  // namespace

class StudyPlateTest : public QObject {
    Q_OBJECT

    using Table = lumaro::testing::BoardTable;

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void everyLineShowsWholeWithTheLongestTextsTheStudyWrites() {
        Table t;
        std::vector<PlateContent> contents = {hintPlate(playsHint()), hintPlate(cubeHint(false)), hintPlate(cubeHint(true)),
                                              hintPlate(cubeHint(false, true)), hintPlate(cubeHint(true, true)),
                                              reviewPlate(longReview(), 0), reviewPlate(longReview(), 1)};
        for (const PlateContent& content : contents) {
            t.window.showPlate(content, {}, {});
            const HintPlate& plate = t.window.plate();
            const PlateLayout& layout = plate.layout();
            QVERIFY2(layout.whole, qPrintable(content.title));
            // Nothing left out, cut short or run together.
            QCOMPARE(wordsOf(layout), wordsOf(content));
            for (const PlateLine& line : layout.lines) {
                const QFontMetrics metrics(line.role == PlateLine::Role::Title ? layout.titleFont : layout.font);
                QVERIFY2(metrics.horizontalAdvance(line.text) <= line.box.width(), qPrintable(line.text));
                QVERIFY2(QRect(QPoint(0, 0), plate.size()).contains(line.box), qPrintable(line.text));
            }
            QVERIFY(layout.font.pixelSize() >= 9);  // still readable, in a small window too
        }
    }

    void thePlateStandsClearOfTheBarTheCubeAndTheMessageBox() {
        Table t;
        // White on the bar, Black holding the cube, a question up: what the player must see.
        lumaro::testing::startTurnOn(t.game, lumaro::testing::positionOf({{12, 14}, {13, -15}}, 1), 6, 5, 1);
        t.game.arrangeCube(4, 0);
        for (const PlateContent& content : {hintPlate(playsHint()), reviewPlate(longReview(), 1)}) {
            t.window.showPlate(content, {}, {});
            const QRect plate = t.window.plate().geometry();
            QVERIFY(!plate.intersects(QRect(places::kBarX, 0, 52, 600)));  // the bar, its checkers and the cube
            QVERIFY(!plate.intersects(QRect(MessagePanel::kLeft, MessagePanel::kTop, MessagePanel::kWidth, MessagePanel::kHeight)));
            QVERIFY(QRect(0, 0, BoardWindow::kWidth, BoardWindow::kHeight).contains(plate));
            // The points' numbers and their dots above stay in sight.
            QVERIFY(plate.top() > 36);
        }
    }

    void aHintOnAQuestionGoesWithItsBoxAndOneFromBeforeStays() {
        Table t;
        Message question;
        question.yesNo = true;
        question.line1 = "Black doubles";
        question.line2 = "Do you accept?";
        bool shownWithTheBox = false;
        QTimer::singleShot(100, &t.window, [&] {
            t.window.showPlate(hintPlate(cubeHint(true)), {}, {});  // H while the question waits
            shownWithTheBox = t.window.plateShown();
            t.window.messagePanel().pressNo();
        });
        QCOMPARE(t.screen.showMessage(question), Answer::No);
        QVERIFY(shownWithTheBox);
        QVERIFY(!t.window.plateShown());

        // A hint asked for before a notice came is about the board, not the notice: it stays.
        t.window.showPlate(hintPlate(playsHint()), {}, {});
        Message notice;
        notice.line1 = "Your doubling proposal";
        notice.timeout = 1;
        t.screen.showMessage(notice);
        QVERIFY(t.window.plateShown());
    }

    void aReviewDrawsTheCubeDiceAndCountsOfItsMoment() {
        Table t;
        const Position now = lumaro::testing::positionOf({{1, 2}, {12, 5}, {17, 3}, {19, 4}, {20, 1}, {24, -2}, {13, -5}, {8, -4}, {6, -3}}, 0, 1);
        lumaro::testing::startTurnOn(t.game, now, 6, 5, 1);
        t.game.arrangeCube(4, 0);
        t.window.showDice(Side::White, 6, 5);
        // The places that tell the moment: the cube's column, the dice's row, the pip counts.
        const QRect regions[] = {QRect(370, 100, 62, 400), QRect(160, 285, 500, 52), QRect(740, 4, 40, 22), QRect(740, 574, 40, 22)};
        auto drawn = [&] {
            const QImage image = t.window.grab().toImage();
            std::vector<QImage> parts;
            for (const QRect& r : regions) parts.push_back(image.copy(r));
            return parts;
        };
        const std::vector<QImage> game = drawn();

        t.window.scene().restoreTo(startingPosition());
        t.window.showMoment({startingPosition(), Cube{}, Side::White, 3, 1});
        const std::vector<QImage> moment = drawn();

        // The same moment as the game in play, for comparison.
        t.window.endMoment();
        const std::vector<QImage> afterwards = drawn();
        lumaro::testing::startTurnOn(t.game, startingPosition(), 3, 1, 1);
        t.game.arrangeCube(1, 0);
        t.window.showDice(Side::White, 3, 1);
        const std::vector<QImage> expected = drawn();
        for (std::size_t k = 0; k < std::size(regions); ++k) {
            QVERIFY2(game[k] != expected[k], qPrintable(QString::number(k)));  // the two moments differ here
            QVERIFY2(moment[k] == expected[k], qPrintable(QString::number(k)));
        }
        QVERIFY(afterwards[0] == game[0]);  // the game's own cube is back when the review ends
    }

    void theHintsTableHasHeadingsAndTheFirstEquityInItsColumn() {
        const Hint hint = playsHint();
        const PlateContent content = hintPlate(hint);
        auto heading = std::find_if(content.rows.begin(), content.rows.end(), [](const PlateRow& r) { return r.look == PlateRow::Look::Heading; });
        QVERIFY(heading != content.rows.end());
        QCOMPARE(heading->figures, (QStringList{QStringLiteral("Equity"), QStringLiteral("Diff.")}));
        const PlateRow& first = *(heading + 1);
        const PlateRow& second = *(heading + 2);
        QCOMPARE(first.figures.size(), 2);
        QCOMPARE(first.figures[0], QStringLiteral("+0.834"));
        QVERIFY(first.figures[1].isEmpty());  // the yardstick has no difference
        QCOMPARE(second.figures[1], QStringLiteral("-0.123"));

        // Laid out, the first equity stands under "Equity", right above the second one.
        const PlateLayout layout = layOutPlate(content, QApplication::font(), HintPlate::kArea.width(), HintPlate::kArea.height());
        const PlateLine* equity = lineWith(layout, QStringLiteral("Equity"));
        const PlateLine* firstEquity = lineWith(layout, QStringLiteral("+0.834"));
        const PlateLine* secondEquity = lineWith(layout, QStringLiteral("+0.711"));
        QVERIFY(equity && firstEquity && secondEquity);
        QCOMPARE(firstEquity->box.right(), equity->box.right());
        QCOMPARE(secondEquity->box.right(), equity->box.right());
        QVERIFY(lineWith(layout, QStringLiteral("-0.123"))->box.left() > equity->box.right());

        // The review's rate in the unit players rate by.
        const PlateContent review = reviewPlate(longReview(), 0);
        QVERIFY(wordsOf(review).contains(QStringLiteral("316.1 mp (millipoints) per decision")));
    }

    void whereTheReviewsMarksOverlapBothShow() {
        Table t;
        t.window.extra.showLastMove = false;
        // White's 13/7 played, and 13/7 the best as well: one place outlined by both.
        const std::vector<std::pair<int, int>> steps = {{12, 18}};
        t.window.showPlate(reviewPlate(longReview(), 1), steps, steps);
        const int s = t.window.scene().screenPositionOf(18);
        const int top = s <= 12 ? 230 : 420;  // below the plate
        const QRect edge(places::pointX(s) - 1, top, 12, 40);  // across the place's left edge
        const QImage image = t.window.grab().toImage();
        QVERIFY(countIn(image, edge, golden) > 20);
        QVERIFY(countIn(image, edge, bluish) > 20);
    }
};

QTEST_MAIN(StudyPlateTest)
#include "StudyPlateTest.moc"
