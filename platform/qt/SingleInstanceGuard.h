// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kursomatik {

// One running Kursomatik per user: an flock() on a lock file in a folder only the user can write,
// never in the working folder. The kernel drops the lock whatever way the process ends, so a lock
// left by a crashed process never blocks a later start. Whatever is not exactly what this guard
// makes (a foreign folder, a link, a FIFO, a file of another user) makes the lock unavailable: the
// program then starts without it, rather than following the link, hanging or refusing for good.
class SingleInstanceGuard {
  public:
    enum class Outcome { Acquired, AlreadyRunning, Unavailable };

    explicit SingleInstanceGuard(QString lockPath = defaultLockPath());
    ~SingleInstanceGuard();
    SingleInstanceGuard(const SingleInstanceGuard&) = delete;
    SingleInstanceGuard& operator=(const SingleInstanceGuard&) = delete;

    // Acquired also when this process holds the lock already (a second run of the start-up steps).
    // A held lock file is removed again by SIGTERM, SIGINT and SIGHUP.
    Outcome acquire();
    // Removes the lock file and lets the lock go; called before the process ends at once.
    void release();
    const QString& lockPath() const { return lockPath_; }

    // kursomatik-<uid>.lock in the user's runtime folder /run/user/<uid> where that is the user's own
    // (a folder, mode 0700), else in the folder /tmp/kursomatik-<uid>, which is made here (mode 0700)
    // when it does not exist yet. No environment variable moves it: every start, from a desktop
    // session, a terminal without XDG_RUNTIME_DIR or with another TMPDIR, meets the same lock.
    static QString defaultLockPath();

  private:
    Outcome lock();
    // From now on SIGTERM, SIGINT and SIGHUP remove the held lock file before they end the process.
    void releaseOnTerminationSignals();
    QString lockPath_;
    int fd_ = -1;
};

}  // namespace kursomatik
