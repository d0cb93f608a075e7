// Two copies of the program's shell in one process, joined over the loopback address by real
// sockets: the call through the settings window, the invitation with the names, a game played to
// its end, a chat line each way logged in both chat.txt files, a second caller turned away, the
// end of the connection and listening again. Hostile callers with raw sockets: a flood of rubbish,
// a caller while "Communication error!" is up, a long chat line with a command behind it.
//
// The connections' one-second ticks are driven by the test, never while a side waits for a
// response: no wait of the protocol can run out because a busy machine was slow, and every wait
// here is for a condition.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
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
#include "ui/MessagePanel.h"
#include "ui/PlateButton.h"
#include "ui/SettingsWindow.h"
#include "ui/Shell.h"

using namespace lumaro;

namespace {

using TempFolder = lumaro::testing::QtTempFolder;

// The settings a player would have ticked: a human at the network place, quick checkers.
void writeSettings(const QString& folder, const std::string& name, bool listen) {
    Options o;
    o.humanOpponent = true;
    o.localPlay = false;
    o.listenOption = listen ? 1 : 0;
    o.soundFx = false;
    o.checkerSpeed = 10000;
    o.playerName = name;
    o.remoteAddress = "127.0.0.1";
    o.matchPlay = true;  // the connection turns this into single games
    Scores scores;
    QVERIFY(saveSettingsFile((folder + QStringLiteral("/lm2.ini")).toStdString(), o, scores));
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
    g.layOutPosition(p);
    g.updateCounters();
}

// A program of the test: listening on a free port of the loopback address, ticked by hand.
NetworkSetup testSetup() {
    NetworkSetup setup;
    setup.port = 0;
    setup.listenOn = QHostAddress::LocalHost;
    setup.tickMs = 0;
    return setup;
}

// Ticks each shell's connection as fast as events allow, each with its own timer as each program
// has, but never while it waits for a response (so no wait runs out because the machine was slow),
// and only when the other program could go on meanwhile. Both programs share one thread here:
// whatever a tick starts runs on top of the other's unfinished work (a checker move, a message box,
// a received command), which cannot resume until the tick has returned, and a tick that waits for
// that program's answer would wait in vain.
class Ticker {
public:
    explicit Ticker(std::initializer_list<Shell*> shells) : shells_(shells), ticking_(shells_.size(), false) {
        for (std::size_t i = 0; i < shells_.size(); ++i) {
            auto& timer = timers_.emplace_back(std::make_unique<QTimer>());
            timer->setInterval(5);
            QObject::connect(timer.get(), &QTimer::timeout, [this, i] {
                if (!mayTick(i)) return;
                ticking_[i] = true;
                shells_[i]->network().tick();
                ticking_[i] = false;
            });
            timer->start();
        }
    }

private:
    bool mayTick(std::size_t i) const {
        if (shells_[i]->network().remote().responseWaitOn()) return false;
        for (std::size_t k = 0; k < shells_.size(); ++k) {
            if (k == i || shells_[k]->network().remote().responseWaitOn()) continue;  // it waits for this one
            if (shells_[k]->game().busy() || ticking_[k]) return false;
        }
        return true;
    }

    std::vector<Shell*> shells_;
    std::vector<bool> ticking_;
    std::vector<std::unique_ptr<QTimer>> timers_;
};

QByteArray commandBytes(Byte code, const std::string& extra, Byte key) {
    net::Payload p{};
    p[1] = code;
    for (std::size_t i = 0; i < extra.size(); ++i) p[i + 2] = static_cast<Byte>(extra[i]);
    return QByteArray::fromStdString(net::frameMessage(net::Tag::Command, p, 1 + static_cast<int>(extra.size()), key));
}

// The first response in what a raw peer has read.
net::Parsed firstResponse(const QByteArray& bytes) {
    const qsizetype at = bytes.indexOf("resp");
    if (at < 0 || bytes.size() - at < 12) return {};
    const std::string from = bytes.mid(at).toStdString();
    const std::size_t length = net::hexPair(from[8], from[9]);
    return net::parseBlock(from.substr(0, length));
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

        const NetworkSetup hostSetup = testSetup();
        Shell host(hostFolder.path, hostSetup);
        QVERIFY(host.start());
        QVERIFY(host.network().listening());
        NetworkSetup callerSetup = hostSetup;
        callerSetup.port = host.network().listeningPort();
        Shell caller(callerFolder.path, callerSetup);
        QVERIFY(caller.start());
        QVERIFY(!caller.network().listening());
        Shell* shells[2] = {&caller, &host};
        Ticker ticker{&caller, &host};

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
        QTRY_VERIFY_WITH_TIMEOUT(!caller.game().busy() && !host.game().busy(), 10000);

        // Call through the settings window.
        emit caller.menu().command(MenuItem::Tune);
        SettingsWindow& settings = caller.settings();
        QVERIFY(settings.isVisible());
        settings.addressField().setText(QStringLiteral("192.168.1.300"));
        settings.callButton().click();  // not an address: nothing happens
        QCOMPARE(caller.network().status(), QStringLiteral("Status"));
        settings.addressField().setText(QStringLiteral("127.0.0.1"));
        settings.callButton().click();
        QTRY_VERIFY_WITH_TIMEOUT(caller.game().connected() && host.game().connected(), 10000);
        QCOMPARE(settings.statusLabel().text(), QStringLiteral("Connected!"));
        QVERIFY(!settings.callButton().isEnabled());
        QVERIFY(settings.endButton().isEnabled());
        QCOMPARE(host.network().peerAddress(), QStringLiteral("127.0.0.1"));
        QVERIFY(host.game().hostSide());
        // Both play by the rules of network play now.
        for (Shell* s : shells) {
            QCOMPARE(s->game().options().matchPlay, 0);
            QCOMPARE(s->game().options().jacobyRule, 1);
            QVERIFY(s->lights().visible());
        }
        settings.closeWindow();

        // A second caller is turned away; the first connection stays.
        QTcpSocket intruder;
        intruder.connectToHost(QHostAddress::LocalHost, callerSetup.port);
        QTRY_VERIFY_WITH_TIMEOUT(intruder.state() == QAbstractSocket::UnconnectedState, 10000);
        QVERIFY(caller.game().connected() && host.game().connected());

        // The host's START is refused; the caller's invites.
        emit host.menu().command(MenuItem::Start);
        QVERIFY(!host.game().state().gameOn());
        emit caller.menu().command(MenuItem::Start);
        QTRY_VERIFY_WITH_TIMEOUT(caller.game().state().gameOn() && host.game().state().gameOn() && !caller.game().hourglass(), 60000);
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
                if (!g.state().gameOn() || g.busy() || g.hourglass() || other->game().busy() || other->game().hourglass()) continue;
                if (g.state().sideToMove() == Side::White && g.state().dice().anyLeft() && !raced && rolls >= 2 && g.moveRecord()[2] == 0 && other->game().waitingForOpponent()) {
                    raced = true;
                    putOnBoard(g, lateRace());
                    putOnBoard(other->game(), mirrored(lateRace()));
                }
                if (g.state().sideToMove() == Side::Black && g.waitingForOpponent()) continue;
                if (g.state().sideToMove() == Side::White) {
                    if (g.state().dice().anyLeft() && (canMove(g.state().position(), 1, g.state().dice().diceLeft) || canEnter(g.state().position(), 1, g.state().dice().diceLeft)))
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
        auto booked = [](Shell& s) { return s.game().state().scores().whiteGamesWon + s.game().state().scores().blackGamesWon; };
        QTRY_VERIFY_WITH_TIMEOUT(booked(caller) == 1 && booked(host) == 1, 150000);
        play.stop();
        QVERIFY(raced);
        QCOMPARE(caller.game().state().scores().whiteGamesWon, host.game().state().scores().blackGamesWon);
        QCOMPARE(caller.game().state().scores().whitePointsTotal, host.game().state().scores().blackPointsTotal);
        QVERIFY(caller.game().connected());

        // A chat line each way, typed in the chat field.
        QTRY_VERIFY_WITH_TIMEOUT(!caller.game().busy() && !host.game().busy(), 10000);
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
        QTRY_VERIFY_WITH_TIMEOUT(!host.game().connected(), 10000);
        QVERIFY(!caller.game().connected());
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
    // rubbish, answers the good command, and listens again when the caller goes. Rubbish is dropped
    // with the rest of its read, so the chat line and the command are sent again until the host has
    // read past the rubbish and answers.
    void aFloodOfRubbishCostsOnlyTheRubbish() {
        TempFolder hostFolder(QStringLiteral("lumaro-net-flooded"));
        writeSettings(hostFolder.path, "Bert", true);
        Shell host(hostFolder.path, testSetup());
        QVERIFY(host.start());
        host.board().startupPending = false;
        Ticker ticker{&host};
        QTcpSocket peer;
        peer.connectToHost(QHostAddress::LocalHost, host.network().listeningPort());
        QVERIFY(peer.waitForConnected(5000));
        QTRY_VERIFY_WITH_TIMEOUT(host.game().connected(), 30000);
        QByteArray rubbish(1 << 20, 'x');
        for (int i = 0; i < rubbish.size(); i += 7) rubbish[i] = static_cast<char>(i * 31);
        for (int k = 0; k < 8; ++k) peer.write(rubbish);
        // A chat line and the names command in one write: the line ends where the command begins.
        QTimer again;
        again.setInterval(50);
        connect(&again, &QTimer::timeout, this, [&] { peer.write("chatok" + commandBytes(net::kNames, "Z", 0x42)); });
        again.start();
        QByteArray answer;
        QTRY_VERIFY_WITH_TIMEOUT((answer += peer.readAll()).contains("resp"), 120000);
        again.stop();
        const net::Parsed reply = firstResponse(answer);
        QCOMPARE(static_cast<int>(reply.kind), static_cast<int>(net::Parsed::Kind::Response));
        QCOMPARE(static_cast<int>(reply.payload[1]), static_cast<int>(net::kName));
        QCOMPARE(static_cast<int>(reply.key), 0x42);
        QCOMPARE(QString::fromStdString(host.network().remote().opponentName()), QStringLiteral("Z"));
        QCOMPARE(host.chat().receivedLine().text(), QStringLiteral("ok"));
        peer.disconnectFromHost();
        QTRY_VERIFY_WITH_TIMEOUT(!host.game().connected(), 30000);
        QCOMPARE(host.network().status(), QStringLiteral("Disconnected!"));
        QVERIFY(host.network().listening());
    }

    // A caller that dials in while "Communication error!" is up is turned away at once, even when
    // the connection that failed has gone meanwhile; once the message is closed, a caller is taken
    // and stays.
    void aCallerWhileTheErrorIsUpIsTurnedAwayAtOnce() {
        TempFolder hostFolder(QStringLiteral("lumaro-net-error"));
        writeSettings(hostFolder.path, "Bert", true);
        Shell host(hostFolder.path, testSetup());
        QVERIFY(host.start());
        host.board().startupPending = false;
        qint64 now = 0;
        host.board().monotonicMs = [&now] { return now += 1000; };  // the player is never too quick
        const quint16 port = host.network().listeningPort();
        QTcpSocket failing, second, third;
        failing.connectToHost(QHostAddress::LocalHost, port);
        QVERIFY(failing.waitForConnected(5000));
        QTRY_VERIFY_WITH_TIMEOUT(host.game().connected(), 30000);

        // What happens while the message is up: the player holds it with the mouse, the failed
        // peer goes, a second caller dials in.
        MessagePanel& panel = host.board().messagePanel();
        enum class Step { WaitForBox, WaitForLoss, WaitForSecond, Done } step = Step::WaitForBox;
        bool secondGoneWhileUp = false, hostConnectedMeanwhile = false;
        QTimer script;
        script.setInterval(5);
        connect(&script, &QTimer::timeout, this, [&] {
            switch (step) {
                case Step::WaitForBox:
                    if (!panel.waiting()) return;
                    QTest::mousePress(&panel, Qt::LeftButton, {}, QPoint(20, 20));  // holds the countdown
                    failing.abort();
                    step = Step::WaitForLoss;
                    return;
                case Step::WaitForLoss:
                    if (host.game().connected()) return;
                    second.connectToHost(QHostAddress::LocalHost, port);
                    step = Step::WaitForSecond;
                    return;
                case Step::WaitForSecond:
                    hostConnectedMeanwhile = host.game().connected();
                    if (second.state() != QAbstractSocket::UnconnectedState && !hostConnectedMeanwhile) return;
                    secondGoneWhileUp = second.state() == QAbstractSocket::UnconnectedState && panel.waiting();
                    QTest::mouseRelease(&panel, Qt::LeftButton, {}, QPoint(20, 20));  // closes the message
                    step = Step::Done;
                    return;
                case Step::Done: return;
            }
        });
        script.start();
        // Dice with no game on: a failed exchange. The tick that runs them shows the message, and
        // all of the above happens while it is up.
        Ticker ticker{&host};
        failing.write(commandBytes(net::kDice, {3, 4}, 0x42));
        QTRY_VERIFY_WITH_TIMEOUT(step == Step::Done && !panel.waiting(), 60000);
        script.stop();
        QCOMPARE(host.board().messagePanel().isVisible(), false);
        QVERIFY(secondGoneWhileUp);
        QVERIFY(!hostConnectedMeanwhile);
        QVERIFY(!host.game().connected());
        QVERIFY(host.network().listening());

        // Now a caller is taken, and its commands are answered.
        third.connectToHost(QHostAddress::LocalHost, port);
        QVERIFY(third.waitForConnected(5000));
        QTRY_VERIFY_WITH_TIMEOUT(host.game().connected(), 30000);
        third.write(commandBytes(net::kNames, "Carol", 0x17));
        QByteArray answer;
        QTRY_VERIFY_WITH_TIMEOUT((answer += third.readAll()).contains("resp"), 30000);
        QCOMPARE(static_cast<int>(firstResponse(answer).key), 0x17);
        QCOMPARE(third.state(), QAbstractSocket::ConnectedState);
        QCOMPARE(host.network().status(), QStringLiteral("Connected!"));
    }

    // A received line longer than its field shows its beginning; a command sent right behind it in
    // the same write is run, not shown as chat.
    void aLongChatLineShowsItsStartAndTheCommandBehindItRuns() {
        TempFolder hostFolder(QStringLiteral("lumaro-net-long-chat"));
        writeSettings(hostFolder.path, "Bert", true);
        Shell host(hostFolder.path, testSetup());
        QVERIFY(host.start());
        host.board().startupPending = false;
        Ticker ticker{&host};
        QTcpSocket peer;
        peer.connectToHost(QHostAddress::LocalHost, host.network().listeningPort());
        QVERIFY(peer.waitForConnected(5000));
        QTRY_VERIFY_WITH_TIMEOUT(host.game().connected(), 30000);
        QString line = QStringLiteral("The beginning of a long line");
        while (line.size() < 200) line += QStringLiteral(" and more");
        line += QStringLiteral(" THE END");
        peer.write("chat" + line.toLatin1() + commandBytes(net::kNames, "Zoe", 0x42));
        QByteArray answer;
        QTRY_VERIFY_WITH_TIMEOUT((answer += peer.readAll()).contains("resp"), 30000);
        QCOMPARE(static_cast<int>(firstResponse(answer).payload[1]), static_cast<int>(net::kName));
        QCOMPARE(QString::fromStdString(host.network().remote().opponentName()), QStringLiteral("Zoe"));
        QLineEdit& received = host.chat().receivedLine();
        QCOMPARE(received.text(), line);
        QVERIFY(received.isVisible());
        QCOMPARE(received.cursorPosition(), 0);
        // What the field shows: the start is drawn, the end is not.
        QVERIFY(received.fontMetrics().horizontalAdvance(line) > received.width());
        received.grab();  // drawn once, the field has scrolled to its cursor
        QVERIFY(received.inputMethodQuery(Qt::ImCursorRectangle).toRect().left() < received.width() / 4);
    }
};

QTEST_MAIN(NetworkShellTest)
#include "NetworkShellTest.moc"
