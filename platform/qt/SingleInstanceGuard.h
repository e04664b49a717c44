#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace kursomatik {

// One running Kursomatik per user: a lock file in the runtime folder, never in the working folder.
// A lock left behind by a crashed process is recognised as stale and taken over.
class SingleInstanceGuard {
  public:
    enum class Outcome { Acquired, AlreadyRunning, Unavailable };

    explicit SingleInstanceGuard(QString lockPath = defaultLockPath());

    // Acquired also when this process holds the lock already (a second run of the start-up steps).
    Outcome acquire();
    const QString& lockPath() const { return lockPath_; }

    static QString defaultLockPath();

  private:
    QString lockPath_;
    std::unique_ptr<QLockFile> lock_;
    bool held_ = false;
};

}  // namespace kursomatik
