// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileOperations.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "platform/SystemError.h"

namespace kursomatik {
namespace {

namespace fs = std::filesystem;

// The file a path finally names, its symbolic links followed; a link to a file that is not there
// yet names that file.
fs::path finalTarget(fs::path file) {
    std::error_code error;
    for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(file, error)); ++hops) {
        const fs::path link = fs::read_symlink(file, error);
        if (error) break;
        file = link.is_absolute() ? link : file.parent_path() / link;
    }
    return file;
}

// The new file written completely and brought to the disk, with the permissions of the old one.
Status writeTemporary(FileOperations& files, int descriptor, const fs::path& target, std::string_view bytes) {
    struct stat old {};
    Status written = Status::ok();
    if (::stat(target.c_str(), &old) == 0)
        written = systemCall(::fchmod(descriptor, old.st_mode & 07777) == 0);
    if (written) written = files.writeAll(descriptor, bytes);
    if (written) written = files.syncFile(descriptor);
    // Closing can be the first to report a failed write.
    if (Status closing = files.closeFile(descriptor); written) written = closing;
    return written;
}

}  // namespace

Status FileOperations::removeFile(const fs::path& file) {
    return systemCall(::unlink(file.c_str()) == 0 || errno == ENOENT);
}

Result<int> FileOperations::createFile(const fs::path& file) {
    const int descriptor = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (descriptor < 0) return systemFailure(errno);
    return descriptor;
}

Status FileOperations::writeAll(int descriptor, std::string_view bytes) {
    return writeAt(descriptor, bytes, -1);
}

Status FileOperations::syncFile(int descriptor) {
    return systemCall(::fsync(descriptor) == 0);
}

Status FileOperations::closeFile(int descriptor) {
    return systemCall(::close(descriptor) == 0);
}

Status FileOperations::renameFile(const fs::path& from, const fs::path& to) {
    return systemCall(std::rename(from.c_str(), to.c_str()) == 0);
}

Status FileOperations::syncFolder(const fs::path& folder) {
    const fs::path name = folder.empty() ? fs::path(".") : folder;
    const int descriptor = ::open(name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return systemFailure(errno);
    const Status synced = systemCall(::fsync(descriptor) == 0);
    ::close(descriptor);
    return synced;
}

Status FileOperations::truncateFile(int descriptor, off_t length) {
    while (::ftruncate(descriptor, length) != 0) {
        if (errno != EINTR) return systemFailure(errno);
    }
    return Status::ok();
}

FileOperations& systemFileOperations() {
    static FileOperations operations;
    return operations;
}

Result<int> openRegularFile(const fs::path& file, int flags) {
    // Without O_NONBLOCK, opening a pipe would wait for a writer that never comes.
    const int descriptor = ::open(file.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (descriptor < 0) return systemFailure(errno);
    struct stat info {};
    int error = ::fstat(descriptor, &info) != 0 ? errno : 0;
    if (error == 0 && !S_ISREG(info.st_mode)) error = S_ISDIR(info.st_mode) ? EISDIR : kNotARegularFile;
    if (error == 0) return descriptor;
    ::close(descriptor);
    return systemFailure(error);
}

Result<std::size_t> readAt(int descriptor, char* bytes, std::size_t size, off_t offset) {
    std::size_t got = 0;
    while (got < size) {
        const ssize_t part = ::pread(descriptor, bytes + got, size - got, offset + static_cast<off_t>(got));
        if (part < 0 && errno == EINTR) continue;
        if (part < 0) return systemFailure(errno);
        if (part == 0) break;
        got += static_cast<std::size_t>(part);
    }
    return got;
}

Status writeAt(int descriptor, std::string_view bytes, off_t offset) {
    while (!bytes.empty()) {
        const ssize_t part = offset < 0 ? ::write(descriptor, bytes.data(), bytes.size())
                                        : ::pwrite(descriptor, bytes.data(), bytes.size(), offset);
        if (part < 0 && errno == EINTR) continue;
        if (part < 0) return systemFailure(errno);
        if (part == 0) return systemFailure(EIO);
        bytes.remove_prefix(static_cast<std::size_t>(part));
        if (offset >= 0) offset += static_cast<off_t>(part);
    }
    return Status::ok();
}

Result<std::string> readRegularFile(const fs::path& file, std::size_t limit) {
    const Result<int> descriptor = openRegularFile(file, O_RDONLY);
    if (!descriptor) return descriptor.status();
    // The file's size is a first guess only (a file may grow, /proc files say 0): reading goes on
    // to its end or one byte past the limit.
    struct stat info {};
    const std::size_t expected =
        ::fstat(*descriptor, &info) == 0 ? static_cast<std::size_t>(info.st_size) : 0;
    std::string bytes;
    Status read = Status::ok();
    for (std::size_t step = std::min(expected, limit) + 1;; step = 65536) {
        const std::size_t size = bytes.size();
        bytes.resize(std::min(size + step, limit + 1));
        const auto got =
            readAt(*descriptor, bytes.data() + size, bytes.size() - size, static_cast<off_t>(size));
        bytes.resize(size + (got ? *got : 0));
        if (!got) read = got.status();
        if (!read || *got == 0 || bytes.size() > limit) break;
    }
    ::close(*descriptor);
    if (!read) return read;
    return bytes;
}

Result<std::string> readWholeFile(const fs::path& file) {
    auto bytes = readRegularFile(file, kWholeFileLimit);
    if (!bytes && bytes.status().cause() == Cause::Missing) return std::string();
    if (bytes && bytes->size() > kWholeFileLimit) bytes = systemFailure(kFileTooLarge);
    if (!bytes) return fileError(file.string(), "gelesen werden", bytes.status());
    return bytes;
}

Status replaceFile(const fs::path& file, std::string_view bytes, FileOperations& files,
                   const std::string& temporaryName, const std::function<Status()>& beforeRename) {
    const fs::path target = finalTarget(file);
    const fs::path temporary =
        target.parent_path() /
        (temporaryName.empty() ? "." + target.filename().string() + ".tmp" : temporaryName);
    // A temporary file named by the caller is named in messages; a hidden one of our own would mean
    // nothing to the user, who is told of the file itself then.
    const auto failed = [&](const std::string& action, const Status& cause) {
        if (temporaryName.empty()) return fileError(file.string(), "geschrieben werden", cause);
        return fileError(temporary.string(), action, cause);
    };
    // A file left by an earlier run must not stand in the way (nor, for a table, add its records).
    if (Status removed = files.removeFile(temporary); !removed) return failed("gelöscht werden", removed);
    const Result<int> descriptor = files.createFile(temporary);
    if (!descriptor) return failed("angelegt werden", descriptor.status());
    if (Status written = writeTemporary(files, *descriptor, target, bytes); !written) {
        files.removeFile(temporary);
        return failed("geschrieben werden", written);
    }
    if (Status ready = beforeRename ? beforeRename() : Status::ok(); !ready) {
        files.removeFile(temporary);
        return ready;
    }
    if (Status renamed = files.renameFile(temporary, target); !renamed) {
        files.removeFile(temporary);
        return failed("in " + inQuotes(file) + " umbenannt werden", renamed);
    }
    // The new file is in place; syncing the folder only makes the rename outlast a power cut.
    files.syncFolder(target.parent_path());
    return Status::ok();
}

}  // namespace kursomatik
