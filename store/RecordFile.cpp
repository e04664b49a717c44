// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/RecordFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/SystemError.h"

namespace kursomatik {
namespace {

off_t offsetOf(long n) {
    return static_cast<off_t>(n - 1) * static_cast<off_t>(kRecordLength);
}

}  // namespace

long recordsOfLength(long long length) {
    return static_cast<long>((length + static_cast<long long>(kRecordLength / 2)) /
                             static_cast<long long>(kRecordLength));
}

RecordFile::~RecordFile() {
    close();
}

Status RecordFile::open(const std::filesystem::path& file, bool writable) {
    close();
    path_ = file;
    const Result<int> opened = openRegularFile(file, writable ? (O_RDWR | O_CREAT) : O_RDONLY);
    if (!opened) return fileError(name(), writable ? "geöffnet werden" : "gelesen werden", opened.status());
    fd_ = *opened;
    return Status::ok();
}

Result<long long> RecordFile::length() const {
    struct stat info {};
    if (!isOpen() || ::fstat(fd_, &info) != 0)
        return fileError(name(), "gelesen werden", systemFailure(isOpen() ? errno : EBADF));
    return static_cast<long long>(info.st_size);
}

Result<std::string> RecordFile::readBytes(long first, long count) const {
    if (!isOpen() || first < 1 || count < 0) return fileError(name(), "gelesen werden", systemFailure(EBADF));
    std::string bytes(static_cast<std::size_t>(count) * kRecordLength, ' ');
    if (const auto got = readAt(fd_, bytes.data(), bytes.size(), offsetOf(first)); !got)
        return fileError(name(), "gelesen werden", got.status());
    return bytes;
}

Result<CurrencyRecord> RecordFile::read(long n) const {
    const auto bytes = readBytes(n, 1);
    if (!bytes) return bytes.status();
    return decodeRecord(*bytes);
}

Status RecordFile::write(long n, const CurrencyRecord& record) {
    const auto before = length();
    if (!before || n < 1) return fileError(name(), "geschrieben werden", systemFailure(EBADF));
    // Writing into a file that was deleted or replaced meanwhile would lose the record unseen.
    if (Status same = checkUnchanged(); !same)
        return Status::fail(same.error() + " Der Datensatz wurde nicht gespeichert.");
    const off_t offset = offsetOf(n);
    // The bytes the write may change: the record's, or the fragment at the end that an append covers.
    std::string old(static_cast<std::size_t>(std::clamp<long long>(*before - offset, 0, kRecordLength)), ' ');
    if (const auto got = readAt(fd_, old.data(), old.size(), offset); !got || *got != old.size())
        return fileError(name(), "gelesen werden", got ? systemFailure(EIO) : got.status());
    Status written = writeAt(fd_, encodeRecord(record), offset);
    if (written) written = systemCall(::fdatasync(fd_) == 0);
    if (!written) {
        // Never leave a torn record: what was there goes back, and the file gets its old length.
        (void)writeAt(fd_, old, offset);
        if (offset + static_cast<off_t>(kRecordLength) > *before)
            (void)systemCall(::ftruncate(fd_, *before) == 0);
        (void)::fdatasync(fd_);
        return fileError(name(), "geschrieben werden", written);
    }
    return Status::ok();
}

Status recordInRange(long n, long count, const std::filesystem::path& file) {
    if (n >= 1 && n <= count) return Status::ok();
    return Status::fail("Der Datensatz " + std::to_string(n) + " ist in der Datei " + inQuotes(file) +
                        " nicht vorhanden.");
}

Status RecordFile::checkUnchanged(std::optional<long> records) const {
    struct stat open {};
    struct stat named {};
    if (!isOpen() || ::fstat(fd_, &open) != 0 || ::stat(path_.c_str(), &named) != 0 ||
        named.st_ino != open.st_ino || named.st_dev != open.st_dev) {
        return Status::fail(fileNamed(name()) + " wurde gelöscht oder ersetzt, während sie geöffnet war.");
    }
    if (!records || recordsOfLength(open.st_size) == *records) return Status::ok();
    if (*records == kMaxRecords && recordsOfLength(open.st_size) > kMaxRecords)
        return Status::fail(fileNamed(name()) + " enthält mehr als 999 Datensätze.");
    return changedByAnotherProgram(name());
}

Status changedByAnotherProgram(const std::string& fileName) {
    return Status::fail(fileNamed(fileName) +
                        " wurde von einem anderen Programm geändert, während sie geöffnet war.");
}

Status RecordFile::cutTo(long long length, FileOperations& files, std::string_view tail) const {
    if (!isOpen()) return fileError(name(), "geschrieben werden", systemFailure(EBADF));
    Status cut = files.truncateFile(fd_, static_cast<off_t>(length));
    if (cut) cut = writeAt(fd_, tail, static_cast<off_t>(length) - static_cast<off_t>(tail.size()));
    if (!cut) return fileError(name(), "geschrieben werden", cut);
    // The file is cut; syncing only makes that outlast a power cut.
    files.syncFile(fd_);
    return Status::ok();
}

void RecordFile::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

}  // namespace kursomatik
