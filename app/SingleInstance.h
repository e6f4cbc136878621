#pragma once
// One running copy per user session: a lock file in the runtime folder, held for the life of the
// first copy, and a local socket beside it. A later copy connects to the socket, says "wake" and
// ends; the first copy hears it and comes to the front. Every wait is bounded, so a copy started
// while the first one shuts down ends at once instead of hanging.

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

    // The runtime folder of the user (XDG_RUNTIME_DIR), made when missing.
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

private:
    QString socketPath_;
    QLockFile lock_;
    std::unique_ptr<QLocalServer> server_;
};

}  // namespace orvane::app
