#include "ui/NetworkLink.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFile>
#include <QHostInfo>
#include <QMediaDevices>
#include <QNetworkInterface>
#include <QUrl>

#include "net/PeerText.h"

namespace lumaro {
namespace {

QString dotted(const QHostAddress& address) {
    bool ok = false;
    const quint32 v4 = address.toIPv4Address(&ok);
    return ok ? QHostAddress(v4).toString() : address.toString();
}

void waitMs(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace

NetworkLink::NetworkLink(Game& game, const QString& soundsFolder, const NetworkSetup& setup)
    : game_(game), remote_(game), port_(setup.port), listenOn_(setup.listenOn) {
    if (!QMediaDevices::audioOutputs().isEmpty()) {
        const char* files[3] = {"sound-call.wav", "sound-connected.wav", "sound-error.wav"};
        for (int i = 0; i < 3; ++i) {
            const QString path = soundsFolder + QLatin1Char('/') + QLatin1String(files[i]);
            if (!QFile::exists(path)) continue;
            sounds_[i] = std::make_unique<QSoundEffect>();
            sounds_[i]->setSource(QUrl::fromLocalFile(path));
        }
    }
    connect(&server_, &QTcpServer::newConnection, this, &NetworkLink::accept);
    if (setup.tickMs > 0) {
        tick_.setInterval(setup.tickMs);
        connect(&tick_, &QTimer::timeout, this, &NetworkLink::tick);
        tick_.start();
    }
}

NetworkLink::~NetworkLink() { shutdown(); }

void NetworkLink::setStatus(const QString& status) {
    status_ = status;
    emit statusChanged(status);
}

void NetworkLink::play(NetSound sound) {
    if (!game_.options().soundFx) return;
    auto& effect = sounds_[static_cast<int>(sound)];
    if (effect) effect->play();
}

void NetworkLink::applyListeningRule() {
    const Options& o = game_.options();
    const bool on = o.humanOpponent && !o.localPlay && o.listenOption;
    if (on && !server_.isListening() && !calling_) {
        server_.listen(listenOn_, port_);
        emit listeningChanged(server_.isListening());
    } else if (!on && server_.isListening()) {
        server_.close();
        emit listeningChanged(false);
    }
}

void NetworkLink::setListenOption(bool on) {
    game_.changeOptions([on](Options& o) { o.listenOption = on; });
    applyListeningRule();
}

void NetworkLink::call(const QString& address) {
    if (connected()) return;
    if (!net::isIpAddress(address.toStdString())) {
        play(NetSound::Error);
        return;
    }
    play(NetSound::Call);
    if (calling_) return;
    if (server_.isListening()) {
        server_.close();
        emit listeningChanged(false);
    }
    setStatus(QStringLiteral("Calling..."));
    auto* socket = new QTcpSocket(this);
    calling_ = socket;
    connect(socket, &QTcpSocket::connected, this, [this, socket, address] {
        if (socket != calling_) return;
        calling_ = nullptr;
        adopt(socket, false, address);
    });
    connect(socket, &QTcpSocket::errorOccurred, this, [this, socket] {
        if (socket == calling_) {
            // The call failed: nothing was connected.
            calling_ = nullptr;
            socket->disconnect(this);
            socket->abort();
            socket->deleteLater();
            disconnected(QStringLiteral("Error!"));
        }
    });
    socket->connectToHost(address, port_);
}

void NetworkLink::accept() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        // One connection at a time: a second caller is closed at once, the first is untouched. So
        // is a caller while the last connection is still being wound up.
        if (!remote_.acceptsCaller() || calling_) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        const QString peer = dotted(socket->peerAddress());
        adopt(socket, true, peer);
        waitMs(200);
        play(NetSound::Connected);
    }
}

void NetworkLink::adopt(QTcpSocket* socket, bool host, const QString& peer) {
    socket_ = socket;
    socket->setParent(this);
    // A peer that floods the line fills no more than this; TCP holds back the rest.
    socket->setReadBufferSize(kReadLimit);
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readFrom(socket); });
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] { socketGone(socket, false); });
    connect(socket, &QTcpSocket::errorOccurred, this, [this, socket](QAbstractSocket::SocketError e) {
        socketGone(socket, e != QAbstractSocket::RemoteHostClosedError);
    });
    peerAddress_ = host ? peer : QString();
    emit peerAddressChanged(peerAddress_);
    remote_.connectionMade(*this, host, peer.toStdString());
    setStatus(QStringLiteral("Connected!"));
    emit connectedChanged(true);
    if (socket->bytesAvailable() > 0) readFrom(socket);
}

void NetworkLink::readFrom(QTcpSocket* socket) {
    // Read in pieces, and no more than the read buffer holds at one go: a flood costs no more
    // memory than that, and the window goes on answering between two goes.
    qint64 taken = 0;
    while (socket == socket_ && socket->bytesAvailable() > 0 && taken < kReadLimit) {
        const QByteArray piece = socket->read(4096);
        if (piece.isEmpty()) break;
        taken += piece.size();
        remote_.received(std::string_view(piece.constData(), static_cast<std::size_t>(piece.size())));
    }
    if (socket == socket_ && socket->bytesAvailable() > 0) {
        QPointer<QTcpSocket> later(socket);
        QTimer::singleShot(0, this, [this, later] {
            if (later) readFrom(later);
        });
    }
}

void NetworkLink::send(const std::string& bytes) {
    if (!socket_) return;
    socket_->write(bytes.data(), static_cast<qint64>(bytes.size()));
}

void NetworkLink::dropSocket() {
    if (!socket_) return;
    QTcpSocket* socket = socket_;
    socket_ = nullptr;
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}

void NetworkLink::socketGone(QTcpSocket* socket, bool error) {
    if (socket != socket_) return;
    dropSocket();
    remote_.connectionLost();
    disconnected(error ? QStringLiteral("Error!") : QStringLiteral("Disconnected!"));
}

// This side ends the connection (End, a communication error): the protocol has already let go.
void NetworkLink::close() {
    if (!socket_) return;
    dropSocket();
    disconnected(QStringLiteral("Disconnected!"));
}

void NetworkLink::end() {
    if (!connected()) return;
    remote_.endConnection();
}

void NetworkLink::disconnected(const QString& status) {
    peerAddress_.clear();
    emit peerAddressChanged(peerAddress_);
    setStatus(status);
    emit connectedChanged(false);
    emit activity(false, false);
    applyListeningRule();
    play(NetSound::Error);
}

void NetworkLink::shutdown() {
    tick_.stop();
    if (calling_) {
        calling_->disconnect(this);
        calling_->abort();
        calling_ = nullptr;
    }
    if (socket_) {
        dropSocket();
        remote_.connectionLost();
    }
    server_.close();
}

void NetworkLink::tick() {
    remote_.tick();
    if (connected()) emit activity(remote_.sendingLight(), remote_.receivingLight());
}

QString NetworkLink::localAddress() {
    std::vector<std::string> resolved, interfaces;
    const QHostInfo info = QHostInfo::fromName(QHostInfo::localHostName());
    for (const QHostAddress& a : info.addresses())
        if (a.protocol() == QAbstractSocket::IPv4Protocol) resolved.push_back(a.toString().toStdString());
    for (const QHostAddress& a : QNetworkInterface::allAddresses())
        if (a.protocol() == QAbstractSocket::IPv4Protocol) interfaces.push_back(a.toString().toStdString());
    return QString::fromStdString(net::chooseLocalAddress(resolved, interfaces));
}

void NetworkLink::mailIp() {
    QDesktopServices::openUrl(QUrl(QString::fromStdString(net::mailIpLink(localAddress().toStdString()))));
}

}  // namespace lumaro
