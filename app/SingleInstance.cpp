#include "app/SingleInstance.h"

#include "platform/DebugLog.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

namespace orvane::app {
namespace {

constexpr char kWake[] = "wake";
constexpr qint64 kMaxMessage = 16;  // anything longer is not ours

}  // namespace

SingleInstance::SingleInstance(const QString& folder, const QString& name)
    : socketPath_(QDir(folder).filePath(name + ".socket")), lock_(QDir(folder).filePath(name + ".lock")) {
    lock_.setStaleLockTime(0);  // a lock is stale only when its owner is gone
}

SingleInstance::~SingleInstance() {
    StopListening();
}

QString SingleInstance::RuntimeFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    QDir().mkpath(folder);
    return folder;
}

SingleInstance::Role SingleInstance::Claim() {
    if (lock_.tryLock(0)) return Role::First;
    if (lock_.error() == QLockFile::LockFailedError) return Role::Second;
    DebugLog(("single instance: lock file " + lock_.fileName() + " cannot be made; starting anyway").toStdString());
    return Role::First;
}

bool SingleInstance::Listen(std::function<void()> onWake) {
    // Holding the lock, any socket file there is a leftover of a copy that died.
    QLocalServer::removeServer(socketPath_);
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(socketPath_)) {
        DebugLog(("single instance: cannot listen on " + socketPath_ + ": " + server_->errorString()).toStdString());
        server_.reset();
        return false;
    }
    QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(), [server = server_.get(), onWake] {
        while (QLocalSocket* peer = server->nextPendingConnection()) {
            QObject::connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
            QObject::connect(peer, &QLocalSocket::readyRead, peer, [peer, onWake] {
                if (!peer->canReadLine() && peer->bytesAvailable() < kMaxMessage) return;  // not whole yet
                const QByteArray message = peer->readLine(kMaxMessage).trimmed();
                peer->disconnectFromServer();
                if (message == kWake) onWake();
            });
        }
    });
    return true;
}

void SingleInstance::StopListening() {
    if (!server_) return;
    server_->close();
    server_.reset();
}

bool SingleInstance::WakeFirst() const {
    QLocalSocket socket;
    socket.connectToServer(socketPath_);
    if (!socket.waitForConnected(kWakeTimeoutMs)) return false;
    socket.write(kWake);
    socket.write("\n");
    const bool sent = socket.waitForBytesWritten(kWakeTimeoutMs);
    socket.disconnectFromServer();
    return sent;
}

}  // namespace orvane::app
