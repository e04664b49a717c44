// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TableWatcher.h"

#include <sys/stat.h>

namespace kursomatik {

TableWatcher::TableWatcher(std::filesystem::path file, QObject* parent)
    : QObject(parent), file_(std::filesystem::absolute(file)) {
    // A writer's steps (temporary file, write, rename) come as several events: one look after them.
    settle_.setSingleShot(true);
    settle_.setInterval(200);
    connect(&settle_, &QTimer::timeout, this, &TableWatcher::look);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, &settle_, qOverload<>(&QTimer::start));
    connect(&watcher_, &QFileSystemWatcher::fileChanged, &settle_, qOverload<>(&QTimer::start));
    watcher_.addPath(QString::fromStdString(file_.parent_path().string()));
}

void TableWatcher::noteRead() {
    read_ = stamp();
    goneTold_ = false;
    // A file rewritten in place changes no folder entry: the file itself is watched too.
    const QString path = QString::fromStdString(file_.string());
    if (read_ && !watcher_.files().contains(path)) watcher_.addPath(path);
}

std::optional<TableWatcher::Stamp> TableWatcher::stamp() const {
    struct stat info {};
    if (::stat(file_.c_str(), &info) != 0) return std::nullopt;
    const auto ns = [](const timespec& t) { return t.tv_sec * 1000000000LL + t.tv_nsec; };
    return Stamp{info.st_dev, info.st_ino, info.st_size, ns(info.st_mtim), ns(info.st_ctim)};
}

void TableWatcher::look() {
    const std::optional<Stamp> now = stamp();
    if (now == read_) return;
    if (now) {
        emit changed();
        return;
    }
    // Gone: a replace brings it back at once; only a file still missing a second later is told.
    if (goneTold_) return;
    QTimer::singleShot(1000, this, [this] {
        if (stamp()) return look();
        if (!goneTold_) emit vanished();
        goneTold_ = true;
    });
}

}  // namespace kursomatik
