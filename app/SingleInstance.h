#pragma once
// One running copy per user session: a lock file in the user's private runtime folder, held for
// the life of the first copy, and a local socket beside it. A later copy connects to the socket,
// says "wake" and ends; the first copy hears it and comes to the front. Every wait is bounded,
// so a copy started while the first one shuts down ends at once instead of hanging. The server
// gives each connection kReadDeadlineMs to say its word and holds at most kMaxConnections at
// once; more are closed as they come, so idle clients can neither pile up descriptors nor take
// the listening socket down.

#include <QLocalServer>
#include <QLockFile>
#include <QString>

#include <functional>
#include <memory>

namespace orvane::app {

class SingleInstance {
public:
    enum class Role { First, Second };

    // Files below `folder`: "<name>.lock" and the socket "<name>.socket".
    SingleInstance(const QString& folder, const QString& name);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // The user's own private runtime folder (see PrivateRuntimeFolder); never a shared one
    // such as /tmp. Empty when there is none: the program then runs without the check.
    static QString RuntimeFolder();

    // First: this copy holds the lock (a lock left by a copy that died is taken over). Second:
    // another copy holds it. A lock file that cannot be made at all counts as First, so the
    // program still starts.
    Role Claim();

    // First copy: from now on every "wake" calls `onWake` (on this thread). False when the socket
    // could not be set up; the program then runs without being woken.
    bool Listen(std::function<void()> onWake);
    // Stops listening; later copies find no one to wake. The lock is kept until destruction.
    void StopListening();

    // Second copy: says "wake" to the first. False when nobody answered within the time limit.
    bool WakeFirst() const;

    static constexpr int kWakeTimeoutMs = 1000;
    static constexpr int kReadDeadlineMs = 1000;
    static constexpr int kMaxConnections = 8;

    // Connections the server holds now (for tests).
    int OpenConnections() const { return openConnections_; }

private:
    void Accept();

    bool enabled_;
    std::function<void()> onWake_;
    int openConnections_ = 0;
    QString socketPath_;
    QLockFile lock_;
    std::unique_ptr<QLocalServer> server_;
};

}  // namespace orvane::app
