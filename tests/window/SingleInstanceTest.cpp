// One game per player's files: a second copy for the same settings folder is turned away and the
// first hears of it; a copy for another folder runs beside it.
#include <QSignalSpy>
#include <QTest>

#include "ui/SingleInstance.h"

using lumaro::SingleInstance;

class SingleInstanceTest : public QObject {
    Q_OBJECT
private slots:
    void aSecondCopyForTheSameFilesLeavesAndTheFirstComesToTheFront() {
        const QString folder = QStringLiteral("/tmp/lumaro-single-%1").arg(QCoreApplication::applicationPid());
        SingleInstance first(folder);
        QVERIFY(first.claim());
        QSignalSpy called(&first, &SingleInstance::anotherCopyStarted);
        SingleInstance second(folder);
        QVERIFY(!second.claim());
        QTRY_COMPARE(called.count(), 1);

        SingleInstance elsewhere(folder + QStringLiteral("-other"));
        QVERIFY(elsewhere.name() != first.name());
        QVERIFY(elsewhere.claim());
    }
};

QTEST_MAIN(SingleInstanceTest)
#include "SingleInstanceTest.moc"
