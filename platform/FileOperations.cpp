#include "FileOperations.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "SystemError.h"

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
int writeTemporary(FileOperations& files, int descriptor, const fs::path& target, std::string_view bytes) {
    struct stat old {};
    int error = 0;
    if (::stat(target.c_str(), &old) == 0 && ::fchmod(descriptor, old.st_mode & 07777) != 0) error = errno;
    if (error == 0) error = files.writeAll(descriptor, bytes);
    if (error == 0) error = files.syncFile(descriptor);
    // Closing can be the first to report a failed write.
    if (const int closing = files.closeFile(descriptor); error == 0) error = closing;
    return error;
}

}  // namespace

int FileOperations::removeFile(const fs::path& file) {
    if (::unlink(file.c_str()) == 0 || errno == ENOENT) return 0;
    return errno;
}

int FileOperations::createFile(const fs::path& file, int& descriptor) {
    descriptor = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    return descriptor < 0 ? errno : 0;
}

int FileOperations::writeAll(int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t part = ::write(descriptor, bytes.data(), bytes.size());
        if (part < 0 && errno == EINTR) continue;
        if (part < 0) return errno;
        if (part == 0) return EIO;
        bytes.remove_prefix(static_cast<std::size_t>(part));
    }
    return 0;
}

int FileOperations::syncFile(int descriptor) {
    return ::fsync(descriptor) == 0 ? 0 : errno;
}

int FileOperations::closeFile(int descriptor) {
    return ::close(descriptor) == 0 ? 0 : errno;
}

int FileOperations::renameFile(const fs::path& from, const fs::path& to) {
    return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int FileOperations::syncFolder(const fs::path& folder) {
    const fs::path name = folder.empty() ? fs::path(".") : folder;
    const int descriptor = ::open(name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return errno;
    const int result = ::fsync(descriptor) == 0 ? 0 : errno;
    ::close(descriptor);
    return result;
}

int FileOperations::truncateFile(int descriptor, off_t length) {
    while (::ftruncate(descriptor, length) != 0) {
        if (errno != EINTR) return errno;
    }
    return 0;
}

FileOperations& systemFileOperations() {
    static FileOperations operations;
    return operations;
}

int openRegularFile(const fs::path& file, int flags, int& descriptor) {
    // Without O_NONBLOCK, opening a pipe would wait for a writer that never comes.
    descriptor = ::open(file.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (descriptor < 0) return errno;
    struct stat info {};
    int error = ::fstat(descriptor, &info) != 0 ? errno : 0;
    if (error == 0 && !S_ISREG(info.st_mode)) error = S_ISDIR(info.st_mode) ? EISDIR : kNotARegularFile;
    if (error != 0) {
        ::close(descriptor);
        descriptor = -1;
    }
    return error;
}

int readAt(int descriptor, char* bytes, std::size_t size, off_t offset, std::size_t& got) {
    got = 0;
    while (got < size) {
        const ssize_t part = ::pread(descriptor, bytes + got, size - got, offset + static_cast<off_t>(got));
        if (part < 0 && errno == EINTR) continue;
        if (part < 0) return errno;
        if (part == 0) break;
        got += static_cast<std::size_t>(part);
    }
    return 0;
}

int writeAt(int descriptor, std::string_view bytes, off_t offset) {
    while (!bytes.empty()) {
        const ssize_t part = ::pwrite(descriptor, bytes.data(), bytes.size(), offset);
        if (part < 0 && errno == EINTR) continue;
        if (part < 0) return errno;
        if (part == 0) return EIO;
        bytes.remove_prefix(static_cast<std::size_t>(part));
        offset += static_cast<off_t>(part);
    }
    return 0;
}

Result<std::string> readWholeFile(const fs::path& file) {
    int descriptor = -1;
    int error = openRegularFile(file, O_RDONLY, descriptor);
    if (error == ENOENT) return std::string();
    std::string bytes;
    while (error == 0) {
        // One byte beyond the limit tells a file that is too large from one that just fits.
        const std::size_t size = bytes.size();
        bytes.resize(std::min(size + 65536, kWholeFileLimit + 1));
        std::size_t got = 0;
        error = readAt(descriptor, bytes.data() + size, bytes.size() - size, static_cast<off_t>(size), got);
        bytes.resize(size + got);
        if (bytes.size() > kWholeFileLimit) error = kFileTooLarge;
        if (got == 0) break;
    }
    if (descriptor >= 0) ::close(descriptor);
    if (error != 0) return Status::fail(fileErrorMessage(file.string(), "gelesen werden", error));
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
    const auto failed = [&](const std::string& action, int error) {
        if (temporaryName.empty())
            return Status::fail(fileErrorMessage(file.string(), "geschrieben werden", error));
        return Status::fail(fileErrorMessage(temporary.string(), action, error));
    };
    // A file left by an earlier run must not stand in the way (nor, for a table, add its records).
    if (const int error = files.removeFile(temporary); error != 0) return failed("gelöscht werden", error);
    int descriptor = -1;
    if (const int error = files.createFile(temporary, descriptor); error != 0)
        return failed("angelegt werden", error);
    if (const int error = writeTemporary(files, descriptor, target, bytes); error != 0) {
        files.removeFile(temporary);
        return failed("geschrieben werden", error);
    }
    if (beforeRename) {
        if (Status ready = beforeRename(); !ready) {
            files.removeFile(temporary);
            return ready;
        }
    }
    if (const int error = files.renameFile(temporary, target); error != 0) {
        files.removeFile(temporary);
        return failed("in \u201E" + file.string() + "\u201C umbenannt werden", error);
    }
    // The new file is in place; syncing the folder only makes the rename outlast a power cut.
    files.syncFolder(target.parent_path());
    return Status::ok();
}

}  // namespace kursomatik
