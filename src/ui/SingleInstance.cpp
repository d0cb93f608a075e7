#include "ui/SingleInstance.h"

#include <QCryptographicHash>
#include <QEventLoop>
#include <QFile>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>
#include <cstdio>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace lumaro {

namespace {

// What a later copy says and what the running game answers: anything else is not the game. A
// saved game to open travels as one line: its path's bytes in base64, so that no byte of a file's
// name (a newline, say) can end or bend the request.
const QByteArray kAskToFront = QByteArrayLiteral("lumaro2 front\n");
const QByteArray kAskToOpen = QByteArrayLiteral("lumaro2 open ");
const QByteArray kAnswer = QByteArrayLiteral("lumaro2 here\n");

QByteArray requestFor(const QString& savedGame) {
    if (savedGame.isEmpty()) return kAskToFront;
    const QByteArray request = kAskToOpen + QFile::encodeName(savedGame).toBase64() + '\n';
    // A path too long for the request is one no program can open: the running copy only comes forward.
    return request.size() <= SingleInstance::kLongestRequest ? request : kAskToFront;
}

// The saved game a request asks to open: empty for a plain request to come forward; nullopt for
// anything the game never sends.
std::optional<QString> savedGameAskedFor(const QByteArray& line) {
    if (line == kAskToFront) return QString();
    if (!line.startsWith(kAskToOpen) || !line.endsWith('\n')) return std::nullopt;
    const QByteArray encoded = line.mid(kAskToOpen.size(), line.size() - kAskToOpen.size() - 1);
    const QByteArray::FromBase64Result decoded =
        QByteArray::fromBase64Encoding(encoded, QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.isEmpty() || decoded.decoded.contains('\0')) return std::nullopt;
    return QFile::decodeName(decoded.decoded);
}

// The user's own folder, which nobody else may enter: a directory (not a link) owned by this
// user, with no rights for the group or others.
bool isPrivateFolder(const QString& folder) {
    if (folder.isEmpty()) return false;
    struct stat info {};
    if (::lstat(QFile::encodeName(folder).constData(), &info) != 0) return false;
    return S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() && (info.st_mode & 077) == 0;
}

}  // namespace

QString SingleInstance::userRuntimeFolder() { return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation); }

SingleInstance::SingleInstance(const QString& settingsFolder, const QString& runtimeFolder) {
    if (isPrivateFolder(runtimeFolder)) {
        const QByteArray key = QCryptographicHash::hash(settingsFolder.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
        name_ = runtimeFolder + QStringLiteral("/lumaro2-") + QString::fromLatin1(key);
    }
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { answer(socket); });
            // A caller that says nothing is not kept waiting for.
            QTimer::singleShot(kAnswerWaitMs, socket, [socket] { socket->abort(); });
        }
    });
}

void SingleInstance::answer(QLocalSocket* socket) {
    if (!socket->canReadLine()) {
        // No end of line within the longest request: whatever this is, it is not the game.
        if (socket->bytesAvailable() > kLongestRequest) socket->abort();
        return;
    }
    const QByteArray line = socket->readLine(kLongestRequest + 1);
    const std::optional<QString> savedGame =
        line.size() <= kLongestRequest ? savedGameAskedFor(line) : std::nullopt;
    if (savedGame) {
        socket->write(kAnswer);
        socket->flush();
    }
    socket->disconnectFromServer();
    if (savedGame) emit anotherCopyStarted(*savedGame);
}

bool SingleInstance::claim(const QString& savedGame) {
    if (name_.isEmpty()) return true;
    // Ask whoever listens there, with the events running, so that the answer (or its absence) comes
    // within a bounded wait however the other end behaves.
    QLocalSocket probe;
    QEventLoop loop;
    bool reached = false;
    QByteArray reply;
    connect(&probe, &QLocalSocket::connected, &loop, [&] {
        reached = true;
        probe.write(requestFor(savedGame));
    });
    connect(&probe, &QLocalSocket::readyRead, &loop, [&] {
        reply += probe.read(kAnswer.size() - reply.size());
        if (reply.size() == kAnswer.size()) loop.quit();
    });
    connect(&probe, &QLocalSocket::disconnected, &loop, &QEventLoop::quit);
    connect(&probe, &QLocalSocket::errorOccurred, &loop, &QEventLoop::quit);
    QTimer::singleShot(kAnswerWaitMs, &loop, &QEventLoop::quit);
    probe.connectToServer(name_);
    if (probe.state() != QLocalSocket::UnconnectedState) loop.exec();
    if (reply == kAnswer) return false;
    probe.abort();
    if (reached) {
        // Something else listens under the game's name: the game runs, only it cannot be found.
        std::fprintf(stderr, "lumaro: %s does not answer as the game does; starting all the same.\n",
                     qPrintable(name_));
        return true;
    }
    // Nobody answers: a socket file left by a copy that crashed is taken over.
    QLocalServer::removeServer(name_);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    // Where no local socket can be made the game still starts: it only cannot be found then.
    server_.listen(name_);
    return true;
}

}  // namespace lumaro
