// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/SingleInstanceGuard.h"

#include <fcntl.h>
#include <pthread.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>

#include <QFile>
#include <QFileInfo>

// QLockFile is not used: it follows a link at the lock path, reads a FIFO there until something
// writes to it, and decides staleness by a process id that another user can fake. An flock() held
// on a file we opened ourselves has none of these problems, and it needs no stale-lock handling.

namespace kursomatik {
namespace {

bool isPrivateFolder(const QByteArray& folder) {
    struct stat info {};
    return ::lstat(folder.constData(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() &&
           (info.st_mode & 07777) == 0700;
}

bool isOwnRegularFile(int fd) {
    struct stat info {};
    return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid();
}

// Still the file at the path? Another process may have removed it and made a new one meanwhile.
bool isStillAt(int fd, const QByteArray& path) {
    struct stat held {};
    struct stat named {};
    return ::fstat(fd, &held) == 0 && ::lstat(path.constData(), &named) == 0 && held.st_dev == named.st_dev &&
           held.st_ino == named.st_ino;
}

// The lock's place is chosen below the system's root. Test builds let their tests move that root
// into a folder of their own, so that no two tests, and no test and the user's running copy, share
// a lock; no other build reads the variable.
QString systemRoot() {
#ifdef KURSOMATIK_LOCK_ROOT_VARIABLE
    QString root = qEnvironmentVariable(KURSOMATIK_LOCK_ROOT_VARIABLE);
    if (root.startsWith(QLatin1Char('/'))) return root;
#endif
    return {};
}

// The path the signal handler removes: set before the handler is installed, cleared on release.
char signalLockPath[4096];

void removeLockAndEnd(int signal) {
    ::unlink(signalLockPath);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

}  // namespace

SingleInstanceGuard::SingleInstanceGuard(QString lockPath) : lockPath_(std::move(lockPath)) {}

SingleInstanceGuard::~SingleInstanceGuard() {
    release();
}

QString SingleInstanceGuard::defaultLockPath() {
    const uid_t uid = ::getuid();
    const QString name = QStringLiteral("kursomatik-%1.lock").arg(uid);
    const QString root = systemRoot();
    const QString runtime = root + QStringLiteral("/run/user/%1").arg(uid);
    if (isPrivateFolder(QFile::encodeName(runtime))) return runtime + QLatin1Char('/') + name;
    const QString folder = root + QStringLiteral("/tmp/kursomatik-%1").arg(uid);
    ::mkdir(QFile::encodeName(folder).constData(), 0700);  // what is there already is checked on use
    return folder + QLatin1Char('/') + name;
}

SingleInstanceGuard::Outcome SingleInstanceGuard::acquire() {
    if (fd_ >= 0) return Outcome::Acquired;
    // Termination signals wait until the handler that removes the file is in place: a SIGTERM in
    // between would otherwise leave the file behind.
    sigset_t termination;
    sigset_t previous;
    sigemptyset(&termination);
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaddset(&termination, signal);
    ::pthread_sigmask(SIG_BLOCK, &termination, &previous);
    const Outcome outcome = lock();
    if (outcome == Outcome::Acquired) releaseOnTerminationSignals();
    ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    return outcome;
}

SingleInstanceGuard::Outcome SingleInstanceGuard::lock() {
    const QByteArray path = QFile::encodeName(lockPath_);
    if (!isPrivateFolder(QFile::encodeName(QFileInfo(lockPath_).path()))) return Outcome::Unavailable;
    // A few rounds, for the moment in which the holder removes the file while it ends.
    for (int round = 0; round < 3; ++round) {
        const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
        if (fd < 0) return Outcome::Unavailable;
        if (!isOwnRegularFile(fd)) {
            ::close(fd);
            return Outcome::Unavailable;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(fd);
            return error == EWOULDBLOCK ? Outcome::AlreadyRunning : Outcome::Unavailable;
        }
        if (isStillAt(fd, path)) {
            fd_ = fd;
            return Outcome::Acquired;
        }
        ::close(fd);
    }
    return Outcome::Unavailable;
}

void SingleInstanceGuard::release() {
    if (fd_ < 0) return;
    // Removed while still locked, so that nobody takes over a file that is about to vanish.
    const QByteArray path = QFile::encodeName(lockPath_);
    if (path == signalLockPath) signalLockPath[0] = '\0';
    ::unlink(path.constData());
    ::close(fd_);
    fd_ = -1;
}

void SingleInstanceGuard::releaseOnTerminationSignals() {
    if (fd_ < 0) return;
    const QByteArray path = QFile::encodeName(lockPath_);
    if (static_cast<std::size_t>(path.size()) >= sizeof signalLockPath) return;
    std::memcpy(signalLockPath, path.constData(), static_cast<std::size_t>(path.size()) + 1);
    struct sigaction action {};
    action.sa_handler = removeLockAndEnd;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(signal, &action, nullptr);
}

}  // namespace kursomatik
