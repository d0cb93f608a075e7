// The backdrop behind the board under the offscreen platform: its captions and its loading bar.
#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <QTimer>

#include "ui/Backdrop.h"

using namespace lumaro;

namespace {

QLabel* labelWithText(QWidget& parent, const QString& text) {
    for (QLabel* label : parent.findChildren<QLabel*>())
        if (label->text() == text) return label;
    return nullptr;
}

// Records the value the loading bar showed each time it was painted.
class PaintedValues : public QObject {
public:
    explicit PaintedValues(QProgressBar* bar) : bar_(bar) { bar->installEventFilter(this); }
    QList<int> values;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == bar_ && event->type() == QEvent::Paint) values.append(bar_->value());
        return false;
    }

private:
    QProgressBar* bar_;
};

}  // namespace

class BackdropTest : public QObject {
    Q_OBJECT

private slots:
    void captionsShowWholeBesideTheirClocks() {
        Backdrop backdrop{QImage()};
        backdrop.layOut(QRect(0, 0, 1024, 768));
        backdrop.setClockVisible(true, true);
        backdrop.show();
        QVERIFY(QTest::qWaitForWindowExposed(&backdrop));
        for (const auto& [caption, clockX] : {std::pair{QStringLiteral("Time"), 160}, std::pair{QStringLiteral("Game"), 544}}) {
            QLabel* label = labelWithText(backdrop, caption);
            QVERIFY(label);
            label->ensurePolished();
            const int textWidth = label->fontMetrics().horizontalAdvance(caption);
            QVERIFY2(textWidth <= label->contentsRect().width(), qPrintable(caption));
            QVERIFY2(label->geometry().right() < clockX - 2, qPrintable(caption));  // clear of its clock
            QVERIFY(label->isVisible());
        }
    }

    void everyLoadingStepIsDrawn() {
        Backdrop backdrop{QImage()};
        backdrop.layOut(QRect(0, 0, 1024, 768));
        backdrop.show();
        QVERIFY(QTest::qWaitForWindowExposed(&backdrop));
        QProgressBar* bar = backdrop.findChild<QProgressBar*>();
        QVERIFY(bar);
        PaintedValues painted(bar);
        // Start-up sets some steps back to back, without a wait between them: each step lets
        // pending events run, so whatever waits to be drawn is drawn before the next.
        bool ran = false;
        QTimer::singleShot(0, &backdrop, [&] { ran = true; });
        backdrop.setProgress(68);
        QVERIFY(ran);
        for (int value : {91, 114, 137}) backdrop.setProgress(value);
        for (int value : {68, 91, 114, 137}) QVERIFY2(painted.values.contains(value), qPrintable(QString::number(value)));
    }
};

QTEST_MAIN(BackdropTest)
#include "BackdropTest.moc"
