// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>
#include <filesystem>
#include <optional>

namespace kursomatik {

// Tells when the currency file is no longer the one the last list pass read: another program
// (the command's import, a second copy of Kursomatik) wrote or replaced it. The folder is watched,
// since a safe replace gives the file a new inode. Every list pass notes what it read, so the
// program's own writes, each followed by a list pass, are never taken for a change.
class TableWatcher : public QObject {
    Q_OBJECT
  public:
    TableWatcher(std::filesystem::path file, QObject* parent);

    // The file as the list pass just read it.
    void noteRead();

  signals:
    void changed();
    // The file has been gone for longer than a replace takes.
    void vanished();

  private:
    struct Stamp {
        unsigned long long device = 0, inode = 0;
        long long size = 0, modifiedNs = 0, changedNs = 0;
        friend bool operator==(const Stamp&, const Stamp&) = default;
    };
    std::optional<Stamp> stamp() const;
    void look();

    std::filesystem::path file_;
    QFileSystemWatcher watcher_;
    QTimer settle_;
    std::optional<Stamp> read_;
    bool goneTold_ = false;
};

}  // namespace kursomatik
