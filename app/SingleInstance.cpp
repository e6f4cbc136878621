#include "app/SingleInstance.h"

#include "platform/DebugLog.h"
#include "platform/UserFolders.h"

#include <QDir>
#include <QLocalSocket>
#include <QTimer>

namespace orvane::app {
namespace {

constexpr char kWake[] = "wake";
constexpr qint64 kMaxMessage = 16;  // anything longer is not ours

}  // namespace

SingleInstance::SingleInstance(const QString& folder, const QString& name)
    : enabled_(!folder.isEmpty()),
      socketPath_(QDir(folder).filePath(name + ".socket")),
      lock_(QDir(folder).filePath(name + ".lock")) {
    lock_.setStaleLockTime(0);  // a lock is stale only when its owner is gone
}

SingleInstance::~SingleInstance() {
    StopListening();
}

QString SingleInstance::RuntimeFolder() { return QString::fromStdString(PrivateRuntimeFolder()); }

SingleInstance::Role SingleInstance::Claim() {
    if (!enabled_) {
        DebugLog("single instance: no private runtime folder; starting without the check");
        return Role::First;
    }
    if (lock_.tryLock(0)) return Role::First;
    if (lock_.error() == QLockFile::LockFailedError) return Role::Second;
    DebugLog(("single instance: lock file " + lock_.fileName() + " cannot be made; starting anyway").toStdString());
    return Role::First;
}

bool SingleInstance::Listen(std::function<void()> onWake) {
    if (!enabled_) return false;
    // Holding the lock, any socket file there is a leftover of a copy that died.
    QLocalServer::removeServer(socketPath_);
    onWake_ = std::move(onWake);
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(socketPath_)) {
        DebugLog(("single instance: cannot listen on " + socketPath_ + ": " + server_->errorString()).toStdString());
        server_.reset();
        return false;
    }
    QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(), [this] { Accept(); });
    return true;
}

void SingleInstance::Accept() {
    while (QLocalSocket* peer = server_->nextPendingConnection()) {
        if (openConnections_ >= kMaxConnections) {
            // Full: this one is closed at once, the ones held end by their deadline.
            peer->abort();
            peer->deleteLater();
            continue;
        }
        ++openConnections_;
        QObject::connect(peer, &QObject::destroyed, server_.get(), [this] { --openConnections_; });
        QObject::connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
        // Whatever has not said its word in time is dropped.
        QTimer::singleShot(kReadDeadlineMs, peer, [peer] {
            peer->abort();
            peer->deleteLater();
        });
        QObject::connect(peer, &QLocalSocket::readyRead, peer, [this, peer] {
            if (!peer->canReadLine() && peer->bytesAvailable() < kMaxMessage) return;  // not whole yet
            const QByteArray message = peer->readLine(kMaxMessage).trimmed();
            peer->abort();
            peer->deleteLater();
            if (message == kWake && onWake_) onWake_();
        });
    }
}

void SingleInstance::StopListening() {
    if (!server_) return;
    server_->close();
    server_.reset();
}

bool SingleInstance::WakeFirst() const {
    if (!enabled_) return false;
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
