// One game per player's files: a second copy for the same settings folder is turned away and the
// first hears of it; a copy for another folder runs beside it; whatever else holds the socket's
// name never keeps the game from starting.
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "ui/SingleInstance.h"

using lumaro::SingleInstance;

class SingleInstanceTest : public QObject {
    Q_OBJECT
    QTemporaryDir runtime_;  // the user's runtime folder of this test run (mode 0700)

private slots:
    void initTestCase() {
        QVERIFY(runtime_.isValid());
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime_.path()));
    }

    void aSecondCopyForTheSameFilesLeavesAndTheFirstComesToTheFront() {
        const QString folder = runtime_.path() + QStringLiteral("/settings");
        SingleInstance first(folder);
        QVERIFY(first.name().startsWith(runtime_.path() + QLatin1Char('/')));
        QVERIFY(first.claim());
        QSignalSpy called(&first, &SingleInstance::anotherCopyStarted);
        SingleInstance second(folder);
        QVERIFY(!second.claim());
        QTRY_COMPARE(called.count(), 1);

        SingleInstance elsewhere(folder + QStringLiteral("-other"));
        QVERIFY(elsewhere.name() != first.name());
        QVERIFY(elsewhere.claim());
    }

    // A later copy started with a saved game hands its path over whole, whatever bytes it holds;
    // requests the game never sends (an endless line, a broken path) get no answer and open nothing.
    void aSavedGameTravelsWholeAndNothingElseOpensOne() {
        const QString folder = runtime_.path() + QStringLiteral("/open");
        SingleInstance first(folder);
        QVERIFY(first.claim());
        QSignalSpy called(&first, &SingleInstance::anotherCopyStarted);
        const QString path = QFile::decodeName("/home/x/a game\nlumaro2 front\n\xe9\xff.sav");
        QVERIFY(!SingleInstance(folder).claim(path));
        QTRY_COMPARE(called.count(), 1);
        QCOMPARE(called.at(0).at(0).toString(), path);

        const QByteArray endless = "lumaro2 open " + QByteArray(SingleInstance::kLongestRequest, 'Q');
        const QByteArray tooLong = endless + '\n';
        for (const QByteArray& request : {endless, tooLong, QByteArray("lumaro2 open \n"), QByteArray("lumaro2 open @@@\n"),
                                          QByteArray("lumaro2 open " + QByteArray("a\0b", 3).toBase64() + '\n')}) {
            QLocalSocket hostile;
            QByteArray reply;
            connect(&hostile, &QLocalSocket::readyRead, &hostile, [&] { reply += hostile.readAll(); });
            hostile.connectToServer(first.name());
            QVERIFY(hostile.waitForConnected(SingleInstance::kAnswerWaitMs));
            hostile.write(request);
            QTRY_COMPARE(hostile.state(), QLocalSocket::UnconnectedState);
            QVERIFY2(reply.isEmpty(), request.left(40).constData());
        }
        QCOMPARE(called.count(), 1);
        QVERIFY(!SingleInstance(folder).claim());  // and the game still answers
        QTRY_COMPARE(called.count(), 2);
        QVERIFY(called.at(1).at(0).toString().isEmpty());
    }

    // A program that listens under the game's name first, silent, answering something else or
    // hanging up at once: the game starts all the same.
    void aSquattedSocketDoesNotStopTheGame() {
        const QString folder = runtime_.path() + QStringLiteral("/squatted");
        const QString name = SingleInstance(folder).name();
        for (const QByteArray& reply : {QByteArray(), QByteArrayLiteral("front\n"), QByteArrayLiteral("hang up")}) {
            QLocalServer squatter;
            QLocalServer::removeServer(name);
            QVERIFY(squatter.listen(name));
            connect(&squatter, &QLocalServer::newConnection, &squatter, [&] {
                QLocalSocket* caller = squatter.nextPendingConnection();
                if (!reply.isEmpty()) caller->write(reply);
                if (reply == "hang up") caller->disconnectFromServer();
            });
            SingleInstance game(folder);
            QVERIFY2(game.claim(), reply.constData());
            QVERIFY(squatter.isListening());  // its socket was left alone
        }
    }

    // A runtime folder other users may enter is not used: the game runs alone rather than there.
    void aFolderOthersMayEnterIsNotUsed() {
        const QString open = runtime_.path() + QStringLiteral("/open");
        QVERIFY(QDir().mkpath(open));
        QFile::setPermissions(open, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                        QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther | QFile::WriteOther);
        SingleInstance game(QStringLiteral("/any/settings"), open);
        QVERIFY(game.name().isEmpty());
        QVERIFY(game.claim());
        QVERIFY(QDir(open).isEmpty());
    }
};

QTEST_MAIN(SingleInstanceTest)
#include "SingleInstanceTest.moc"
