#include "SingleInstanceGuard.h"

#include <unistd.h>

#include <QDir>

namespace kursomatik {

SingleInstanceGuard::SingleInstanceGuard(QString lockPath) : lockPath_(std::move(lockPath)) {}

QString SingleInstanceGuard::defaultLockPath() {
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::tempPath();
    return QDir(folder).filePath(QStringLiteral("kursomatik-%1.lock").arg(::getuid()));
}

SingleInstanceGuard::Outcome SingleInstanceGuard::acquire() {
    if (held_) return Outcome::Acquired;
    lock_ = std::make_unique<QLockFile>(lockPath_);
    lock_->setStaleLockTime(0);  // stale only when its process is gone, however young the lock
    if (lock_->tryLock(0)) {
        held_ = true;
        return Outcome::Acquired;
    }
    return lock_->error() == QLockFile::LockFailedError ? Outcome::AlreadyRunning : Outcome::Unavailable;
}

}  // namespace kursomatik
