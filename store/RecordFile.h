#pragma once

#include <filesystem>

#include "CurrencyRecord.h"
#include "Result.h"

namespace kursomatik {

inline constexpr const char* kCurrencyFileName = "KURSOMATIK.DAT";

// The currency file: records of 147 bytes numbered from 1, no header, no separators.
class RecordFile {
  public:
    RecordFile() = default;
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;
    ~RecordFile();

    // File length / 147 rounded to the nearest whole number: a trailing fragment of 74 bytes or
    // more counts as one more record. Fails when the file is missing.
    static Result<long> countRecords(const std::filesystem::path& file);

    // Opens for reading and writing (creating an empty file when there is none), or for reading only.
    Status open(const std::filesystem::path& file, bool writable = true);
    // Record n (from 1); bytes missing at the end of the file read as spaces.
    Result<CurrencyRecord> read(long n) const;
    // Writes record n in place; record count + 1 appends. The data reach the disk before this
    // returns, and a failed append leaves the file as long as it was.
    Status write(long n, const CurrencyRecord& record);
    void close();

    bool isOpen() const { return fd_ >= 0; }
    const std::filesystem::path& path() const { return path_; }

  private:
    std::string name() const;
    int fd_ = -1;
    std::filesystem::path path_;
};

}  // namespace kursomatik
