#include "RecordFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "SystemError.h"

namespace kursomatik {
namespace {

off_t offsetOf(long n) {
    return static_cast<off_t>(n - 1) * static_cast<off_t>(kRecordLength);
}

}  // namespace

RecordFile::~RecordFile() {
    close();
}

std::string RecordFile::name() const {
    return path_.string();
}

Result<long> RecordFile::countRecords(const std::filesystem::path& file) {
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0)
        return Status::fail(fileErrorMessage(file.string(), "gelesen werden", errno));
    if (S_ISDIR(info.st_mode)) return Status::fail(fileErrorMessage(file.string(), "gelesen werden", EISDIR));
    const auto length = static_cast<long long>(info.st_size);
    return static_cast<long>((length + static_cast<long long>(kRecordLength / 2)) /
                             static_cast<long long>(kRecordLength));
}

Status RecordFile::open(const std::filesystem::path& file, bool writable) {
    close();
    path_ = file;
    const int flags = writable ? (O_RDWR | O_CREAT) : O_RDONLY;
    fd_ = ::open(file.c_str(), flags | O_CLOEXEC, 0666);
    if (fd_ < 0) return Status::fail(fileErrorMessage(name(), "geöffnet werden", errno));
    struct stat info {};
    if (::fstat(fd_, &info) == 0 && S_ISDIR(info.st_mode)) {
        close();
        return Status::fail(fileErrorMessage(name(), "geöffnet werden", EISDIR));
    }
    return Status::ok();
}

Result<CurrencyRecord> RecordFile::read(long n) const {
    if (!isOpen() || n < 1) return Status::fail(fileErrorMessage(name(), "gelesen werden", EBADF));
    char bytes[kRecordLength];
    std::size_t got = 0;
    while (got < kRecordLength) {
        const ssize_t part =
            ::pread(fd_, bytes + got, kRecordLength - got, offsetOf(n) + static_cast<off_t>(got));
        if (part < 0 && errno == EINTR) continue;
        if (part < 0) return Status::fail(fileErrorMessage(name(), "gelesen werden", errno));
        if (part == 0) break;
        got += static_cast<std::size_t>(part);
    }
    return decodeRecord(std::string_view(bytes, got));
}

Status RecordFile::write(long n, const CurrencyRecord& record) {
    if (!isOpen() || n < 1) return Status::fail(fileErrorMessage(name(), "geschrieben werden", EBADF));
    struct stat before {};
    if (::fstat(fd_, &before) != 0)
        return Status::fail(fileErrorMessage(name(), "geschrieben werden", errno));
    // Writing into a file that was deleted or replaced meanwhile would lose the record unseen.
    struct stat named {};
    if (::stat(path_.c_str(), &named) != 0 || named.st_ino != before.st_ino || named.st_dev != before.st_dev) {
        return Status::fail("Die Datei \u201E" + name() +
                            "\u201C wurde gelöscht oder ersetzt, während sie geöffnet war. Der Datensatz wurde "
                            "nicht gespeichert.");
    }
    const std::string bytes = encodeRecord(record);
    std::size_t put = 0;
    int error = 0;
    while (put < bytes.size()) {
        const ssize_t part =
            ::pwrite(fd_, bytes.data() + put, bytes.size() - put, offsetOf(n) + static_cast<off_t>(put));
        if (part < 0 && errno == EINTR) continue;
        if (part <= 0) {
            error = part < 0 ? errno : EIO;
            break;
        }
        put += static_cast<std::size_t>(part);
    }
    if (error == 0 && ::fdatasync(fd_) != 0) error = errno;
    if (error != 0) {
        // Never leave a partial record behind an append: cut the file back to its old length.
        if (offsetOf(n) >= before.st_size) (void)::ftruncate(fd_, before.st_size);
        return Status::fail(fileErrorMessage(name(), "geschrieben werden", error));
    }
    return Status::ok();
}

void RecordFile::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

}  // namespace kursomatik
