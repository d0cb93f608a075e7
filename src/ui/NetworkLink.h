#pragma once
// The connection of a network game on Qt: the listening socket, the calling socket, the
// one-second tick, the status text, the local address, "Mail IP" and "Volume". The protocol itself
// is net::RemoteProgram; this object hands it the socket events and sends its bytes.
//
// The settings window's "Connection" and "Local IP" boxes wire to: call(), end(),
// setListenOption(), applyListeningRule() (after Opponent or Place changed), status() with
// statusChanged, peerAddress() with peerAddressChanged, connected() with connectedChanged,
// localAddress(), mailIp(). While connected the game rules, Opponent, Place,
// Call and Listen are locked (settingsLocks in game/SettingsRules.h says which).
#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QAudioDevice>
#include <QSoundEffect>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <memory>

#include "game/Game.h"
#include "net/RemoteProgram.h"
#include "net/Transport.h"

namespace lumaro {

// Where the program listens and how its connection ticks. Tests listen on the loopback address at
// a free port and may tick by hand (tickMs 0: no timer, the test calls tick()), so that no wait of
// the protocol runs out because a busy machine was slow.
struct NetworkSetup {
    quint16 port = 6317;
    QHostAddress listenOn = QHostAddress::Any;
    int tickMs = 1000;
};

class NetworkLink : public QObject, public net::Transport {
    Q_OBJECT
public:
    static constexpr quint16 kPort = 6317;
    static constexpr qint64 kReadLimit = 64 * 1024;

    // `soundsFolder`: where sound-call.wav, sound-connected.wav and sound-error.wav are. Tests give
    // another port (0: any free one), listen on the loopback address only and may tick by hand.
    NetworkLink(Game& game, const QString& soundsFolder, const NetworkSetup& setup = {});
    ~NetworkLink() override;

    net::RemoteProgram& remote() { return remote_; }

    // "Call": a dotted IPv4 address (anything else only sounds the error).
    void call(const QString& address);
    // "End": closes the connection, if there is one.
    void end();
    // "Listen": kept in the options; listening follows the rule at once.
    void setListenOption(bool on);
    // Listening is on exactly for Human opponent, Network place and "Listen" ticked.
    void applyListeningRule();
    // At program exit: both sockets closed, without sounds or messages.
    void shutdown();
    // The one-second tick: the protocol's waits and received commands, and the activity lights.
    void tick();

    bool connected() const { return remote_.connected(); }
    bool hostSide() const { return remote_.hostSide(); }
    bool listening() const { return server_.isListening(); }
    quint16 listeningPort() const { return server_.serverPort(); }
    QString status() const { return status_; }
    QString peerAddress() const { return peerAddress_; }
    // The address a friend should call (the first non-loopback IPv4 address when the host name
    // resolves to a loopback one).
    static QString localAddress();
    // Opens a new mail whose subject carries the local address.
    static void mailIp();

    // net::Transport
    void send(const std::string& bytes) override;
    void close() override;

signals:
    void statusChanged(const QString& status);
    void peerAddressChanged(const QString& address);
    void connectedChanged(bool connected);
    void listeningChanged(bool listening);
    // Every second while connected: what was sent and received during it.
    void activity(bool sending, bool receiving);

private:
    enum class NetSound { Call, Connected, Error };
    void setStatus(const QString& status);
    void play(NetSound sound);
    void accept();
    void adopt(QTcpSocket* socket, bool host, const QString& peer);
    void readFrom(QTcpSocket* socket);
    void dropSocket();
    void socketGone(QTcpSocket* socket, bool error);
    void disconnected(const QString& status);

    Game& game_;
    net::RemoteProgram remote_;
    QTcpServer server_;
    QPointer<QTcpSocket> socket_;   // the connection, whichever side made it
    QPointer<QTcpSocket> calling_;  // a call under way
    quint16 port_;
    QHostAddress listenOn_;
    QTimer tick_;
    QString status_ = QStringLiteral("Status");
    QString peerAddress_;
    std::unique_ptr<QSoundEffect> sounds_[3];
};

}  // namespace lumaro
