// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/FileOperations.h"
#include "platform/Result.h"
#include "store/CurrencyRecord.h"

namespace kursomatik {

inline constexpr const char* kCurrencyFileName = "KURSOMATIK.DAT";
// A list line carries its record number in its last three characters.
inline constexpr long kMaxRecords = 999;

// File length / 147 rounded to the nearest whole number: a trailing fragment of 74 bytes or more
// counts as one more record.
long recordsOfLength(long long length);

// Fails with a message naming the file unless record n is one of records 1 to count.
Status recordInRange(long n, long count, const std::filesystem::path& file);

// "Die Datei „name“ wurde von einem anderen Programm geändert, während sie geöffnet war."
Status changedByAnotherProgram(const std::string& fileName);

// The currency file: records of 147 bytes numbered from 1, no header, no separators.
class RecordFile {
  public:
    RecordFile() = default;
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;
    ~RecordFile();

    // Opens for reading and writing (creating an empty file when there is none), or for reading
    // only. A pipe, a device or a folder of that name is refused at once.
    Status open(const std::filesystem::path& file, bool writable = true);
    // The length of the open file in bytes.
    Result<long long> length() const;
    // Records first to first + count - 1 as bytes; bytes missing at the end of the file read as spaces.
    Result<std::string> readBytes(long first, long count) const;
    Result<CurrencyRecord> read(long n) const;
    // Writes record n in place; record count + 1 appends. The data reach the disk before this
    // returns; a failed write leaves the file byte for byte as it was, its length too.
    Status write(long n, const CurrencyRecord& record);
    // Fails when the path no longer leads to the open file, or, given a record count, when the file
    // no longer holds that many records: another program has deleted, replaced or changed it.
    Status checkUnchanged(std::optional<long> records = std::nullopt) const;
    // Cuts the open file back to `length` bytes, no matter whether its folder may be written, and
    // puts `tail` back as its last bytes (what a record appended there had overwritten).
    Status cutTo(long long length, FileOperations& files, std::string_view tail = {}) const;
    void close();

    bool isOpen() const { return fd_ >= 0; }
    const std::filesystem::path& path() const { return path_; }

  private:
    std::string name() const { return path_.string(); }
    int fd_ = -1;
    std::filesystem::path path_;
};

}  // namespace kursomatik
