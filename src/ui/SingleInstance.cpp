#include "ui/SingleInstance.h"

#include <QCryptographicHash>
#include <QLocalSocket>

namespace lumaro {

SingleInstance::SingleInstance(const QString& settingsFolder) {
    const QByteArray key = QCryptographicHash::hash(settingsFolder.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    name_ = QStringLiteral("lumaro2-") + QString::fromLatin1(key);
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            socket->disconnectFromServer();
            socket->deleteLater();
            emit anotherCopyStarted();
        }
    });
}

bool SingleInstance::claim() {
    QLocalSocket probe;
    probe.connectToServer(name_);
    if (probe.waitForConnected(500)) {
        probe.write("front\n");
        probe.waitForBytesWritten(500);
        probe.disconnectFromServer();
        return false;
    }
    // Nobody answers: a socket file left by a copy that crashed is taken over.
    QLocalServer::removeServer(name_);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    // Where no local socket can be made the game still starts: it only cannot be found then.
    server_.listen(name_);
    return true;
}

}  // namespace lumaro
