// Two copies of the program's shell in one process, joined over the loopback address by real
// sockets: the call through the settings window, the invitation with the names, a game played to
// its end, a chat line each way logged in both chat.txt files, a second caller turned away, the
// end of the connection and listening again.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTcpSocket>
#include <QTimer>
#include <QtTest>

#include "support/QtTempFolder.h"
#include "net/Framing.h"
#include "net/RemoteProgram.h"
#include "persistence/SettingsFile.h"
#include "ui/ActivityLights.h"
#include "ui/BoardWindow.h"
#include "ui/ChatLines.h"
#include "ui/MenuPanel.h"
#include "ui/PlateButton.h"
#include "ui/SettingsWindow.h"
#include "ui/Shell.h"

using namespace lumaro;

namespace {

using TempFolder = lumaro::testing::QtTempFolder;

// The settings a player would have ticked: a human at the network place, quick checkers.
void writeSettings(const QString& folder, const std::string& name, bool listen) {
    Options o;
    o.humanOpponent = 1;
    o.localPlay = 0;
    o.listenOption = listen ? 1 : 0;
    o.soundFx = 0;
    o.checkerSpeed = 10000;
    o.playerName = name;
    o.remoteAddress = "127.0.0.1";
    o.matchPlay = 1;  // the connection turns this into single games
    Scores scores;
    QVERIFY(saveopt((folder + QStringLiteral("/lm2.ini")).toStdString(), o, scores));
}

// A bear-off race two rolls from its end, the same game seen from both sides.
Position lateRace() {
    Position p{};
    p.count[24] = 2;
    p.colour[24] = kWhite;
    p.count[23] = 1;
    p.colour[23] = kWhite;
    p.offWhite = 12;
    p.count[1] = 2;
    p.colour[1] = kBlack;
    p.count[2] = 1;
    p.colour[2] = kBlack;
    p.offBlack = 12;
    return p;
}

void putOnBoard(Game& g, const Position& p) {
    g.board.restoreTo(p);
    g.board.analizafazaeu();
    g.board.analizafazatu();
    g.calculpunctaj();
    g.snapshot.position = g.board.position();
}

}  // namespace

class NetworkShellTest : public QObject {
    Q_OBJECT
private slots:
    void twoProgramsPlayAndChatOverLoopback() {
        TempFolder hostFolder(QStringLiteral("lumaro-net-host"));
        TempFolder callerFolder(QStringLiteral("lumaro-net-caller"));
        writeSettings(hostFolder.path, "Bert", true);
        writeSettings(callerFolder.path, "Anna", false);

        NetworkSetup hostSetup;
        hostSetup.port = 0;  // any free port
        hostSetup.listenOn = QHostAddress::LocalHost;
        hostSetup.tickMs = 100;
        Shell host(hostFolder.path, hostSetup);
        QVERIFY(host.start());
        QVERIFY(host.network().listening());
        NetworkSetup callerSetup = hostSetup;
        callerSetup.port = host.network().listeningPort();
        Shell caller(callerFolder.path, callerSetup);
        QVERIFY(caller.start());
        QVERIFY(!caller.network().listening());
        Shell* shells[2] = {&caller, &host};

        // Every message box is answered YES at once, as a quick player would.
        QTimer answer;
        answer.setInterval(30);
        connect(&answer, &QTimer::timeout, this, [&] {
            for (Shell* s : shells)
                if (s->board().messagePanel().waiting()) s->board().messagePanel().pressYes();
        });
        answer.start();
        // Let the first STARTs by themselves happen: not connected, they only say so.
        QTRY_VERIFY_WITH_TIMEOUT(!caller.board().startupPending && !host.board().startupPending, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!caller.game().busy && !host.game().busy, 10000);

        // Call through the settings window.
        emit caller.menu().command(MenuItem::Tune);
        SettingsWindow& settings = caller.settings();
        QVERIFY(settings.isVisible());
        settings.addressField().setText(QStringLiteral("192.168.1.300"));
        settings.callButton().click();  // not an address: nothing happens
        QCOMPARE(caller.network().status(), QStringLiteral("Status"));
        settings.addressField().setText(QStringLiteral("127.0.0.1"));
        settings.callButton().click();
        QTRY_VERIFY_WITH_TIMEOUT(caller.game().connected && host.game().connected, 10000);
        QCOMPARE(settings.statusLabel().text(), QStringLiteral("Connected!"));
        QVERIFY(!settings.callButton().isEnabled());
        QVERIFY(settings.endButton().isEnabled());
        QCOMPARE(host.network().peerAddress(), QStringLiteral("127.0.0.1"));
        QVERIFY(host.game().hostSide);
        // Both play by the rules of network play now.
        for (Shell* s : shells) {
            QCOMPARE(s->game().options.matchPlay, 0);
            QCOMPARE(s->game().options.jacobyRule, 1);
            QVERIFY(s->lights().visible());
        }
        settings.closeWindow();

        // A second caller is turned away; the first connection stays.
        QTcpSocket intruder;
        intruder.connectToHost(QHostAddress::LocalHost, callerSetup.port);
        QTRY_VERIFY_WITH_TIMEOUT(intruder.state() == QAbstractSocket::UnconnectedState, 10000);
        QVERIFY(caller.game().connected && host.game().connected);

        // The host's START is refused; the caller's invites.
        emit host.menu().command(MenuItem::Start);
        QVERIFY(!host.game().gameOn);
        emit caller.menu().command(MenuItem::Start);
        QTRY_VERIFY_WITH_TIMEOUT(caller.game().gameOn && host.game().gameOn && !caller.game().hourglass, 20000);
        QCOMPARE(QString::fromStdString(host.network().remote().opponentName()), QStringLiteral("Anna"));
        QCOMPARE(QString::fromStdString(caller.network().remote().hostName()), QStringLiteral("Bert"));

        // The game: whoever is on roll rolls (a click on the dice), and MOVE plays the roll. Once
        // both have rolled, the race is moved on to its last rolls on both boards alike.
        bool acting = false;
        bool raced = false;
        int rolls = 0;
        QTimer play;
        play.setInterval(40);
        connect(&play, &QTimer::timeout, this, [&] {
            if (acting) return;
            acting = true;
            for (Shell* s : shells) {
                Game& g = s->game();
                Shell* other = s == shells[0] ? shells[1] : shells[0];
                if (!g.gameOn || g.busy || g.hourglass || other->game().busy || other->game().hourglass) continue;
                if (g.turn == 1 && g.dice.anyLeft() && !raced && rolls >= 2 && g.moveRecord[2] == 0 && other->game().waitingForOpponent) {
                    raced = true;
                    putOnBoard(g, lateRace());
                    putOnBoard(other->game(), mirrored(lateRace()));
                }
                if (g.turn == 0 && g.waitingForOpponent) continue;
                if (g.turn == 1) {
                    if (g.dice.anyLeft() && (canMove(g.board, 1, g.dice.diceLeft) || canEnter(g.board, 1, g.dice.diceLeft)))
                        emit s->menu().command(MenuItem::Move);
                    else
                        g.clickDice();
                } else {
                    ++rolls;
                    g.clickDice();
                }
                break;
            }
            acting = false;
        });
        play.start();
        auto booked = [](Shell& s) { return s.game().scores.whiteGamesWon + s.game().scores.blackGamesWon; };
        QTRY_VERIFY_WITH_TIMEOUT(booked(caller) == 1 && booked(host) == 1, 90000);
        play.stop();
        QVERIFY(raced);
        QCOMPARE(caller.game().scores.whiteGamesWon, host.game().scores.blackGamesWon);
        QCOMPARE(caller.game().scores.whitePointsTotal, host.game().scores.blackPointsTotal);
        QVERIFY(caller.game().connected);

        // A chat line each way, typed in the chat field.
        QTRY_VERIFY_WITH_TIMEOUT(!caller.game().busy && !host.game().busy, 10000);
        caller.chat().open();
        QTest::keyClicks(&caller.chat().typingLine(), QStringLiteral("hello Bert"));
        QTest::keyClick(&caller.chat().typingLine(), Qt::Key_Return);
        QTRY_COMPARE_WITH_TIMEOUT(host.chat().receivedLine().text(), QStringLiteral("hello Bert"), 5000);
        QVERIFY(host.chat().shown());
        QTest::keyClicks(&host.chat().typingLine(), QStringLiteral("hi Anna"));
        QTest::keyClick(&host.chat().typingLine(), Qt::Key_Return);
        QTRY_COMPARE_WITH_TIMEOUT(caller.chat().receivedLine().text(), QStringLiteral("hi Anna"), 5000);
        QCOMPARE(callerFolder.read(QStringLiteral("chat.txt")), QByteArray("I - hello Bert\r\nO - hi Anna\r\n"));
        QCOMPARE(hostFolder.read(QStringLiteral("chat.txt")), QByteArray("O - hello Bert\r\nI - hi Anna\r\n"));

        // End: both sides let go, and the host listens again by itself.
        caller.network().end();
        QTRY_VERIFY_WITH_TIMEOUT(!host.game().connected, 10000);
        QVERIFY(!caller.game().connected);
        QCOMPARE(caller.network().status(), QStringLiteral("Disconnected!"));
        QCOMPARE(host.network().status(), QStringLiteral("Disconnected!"));
        QVERIFY(host.network().listening());
        QVERIFY(!host.lights().visible());
        // A chat line with nobody to hear it is not sent and not logged.
        caller.chat().open();
        QTest::keyClicks(&caller.chat().typingLine(), QStringLiteral("anyone?"));
        QTest::keyClick(&caller.chat().typingLine(), Qt::Key_Return);
        QCOMPARE(callerFolder.read(QStringLiteral("chat.txt")), QByteArray("I - hello Bert\r\nO - hi Anna\r\n"));
        answer.stop();
    }

    // A hostile caller floods the host with rubbish and then asks for its name: the host drops the
    // rubbish, answers the one good command, and listens again when the caller goes.
    void aFloodOfRubbishCostsOnlyTheRubbish() {
        TempFolder hostFolder(QStringLiteral("lumaro-net-flooded"));
        writeSettings(hostFolder.path, "Bert", true);
        NetworkSetup setup;
        setup.port = 0;
        setup.listenOn = QHostAddress::LocalHost;
        setup.tickMs = 100;
        Shell host(hostFolder.path, setup);
        QVERIFY(host.start());
        host.board().startupPending = false;
        QTcpSocket peer;
        peer.connectToHost(QHostAddress::LocalHost, host.network().listeningPort());
        QVERIFY(peer.waitForConnected(5000));
        QTRY_VERIFY_WITH_TIMEOUT(host.game().connected, 5000);
        QByteArray rubbish(1 << 20, 'x');
        for (int i = 0; i < rubbish.size(); i += 7) rubbish[i] = static_cast<char>(i * 31);
        for (int k = 0; k < 8; ++k) peer.write(rubbish);
        QTRY_VERIFY_WITH_TIMEOUT(peer.bytesToWrite() == 0, 20000);
        QTest::qWait(500);
        // One block on its own read: a chat line first (which ends what the rubbish left), then the
        // names command.
        peer.write("chatok");
        QTest::qWait(300);
        net::Payload names{};
        names[1] = net::kNames;
        names[2] = 'Z';
        peer.write(QByteArray::fromStdString(net::frameMessage(net::Tag::Command, names, 2, 0x42)));
        QByteArray answer;
        QTRY_VERIFY_WITH_TIMEOUT((answer += peer.readAll()).contains("resp"), 10000);
        const net::Parsed reply = net::parseBlock(answer.toStdString().substr(static_cast<std::size_t>(answer.indexOf("resp"))));
        QCOMPARE(static_cast<int>(reply.kind), static_cast<int>(net::Parsed::Kind::Response));
        QCOMPARE(static_cast<int>(reply.payload[1]), static_cast<int>(net::kName));
        QCOMPARE(static_cast<int>(reply.key), 0x42);
        QCOMPARE(QString::fromStdString(host.network().remote().opponentName()), QStringLiteral("Z"));
        QCOMPARE(host.chat().receivedLine().text(), QStringLiteral("ok"));
        peer.disconnectFromHost();
        QTRY_VERIFY_WITH_TIMEOUT(!host.game().connected, 5000);
        QCOMPARE(host.network().status(), QStringLiteral("Disconnected!"));
        QVERIFY(host.network().listening());
    }
};

QTEST_MAIN(NetworkShellTest)
#include "NetworkShellTest.moc"
