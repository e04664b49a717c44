#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kursomatik {

// The file-system calls behind the rewrite of the currency file, one virtual function each, so a
// test can make any single step fail the way a full disk or a locked folder would. Every call
// returns 0 on success or the errno value of its failure.
class FileOperations {
  public:
    virtual ~FileOperations() = default;

    // The whole content of a file.
    virtual int readFile(const std::filesystem::path& file, std::string& bytes);
    // A file that does not exist counts as removed.
    virtual int removeFile(const std::filesystem::path& file);
    // Creates the file empty (truncating one that exists) and opens it for writing.
    virtual int createFile(const std::filesystem::path& file, int& descriptor);
    // Writes all bytes; a short write that cannot go on is a failure.
    virtual int writeAll(int descriptor, std::string_view bytes);
    // Brings the written data to the disk.
    virtual int syncFile(int descriptor);
    virtual int closeFile(int descriptor);
    // Puts `from` in place of `to` in one step: a reader sees either the old or the new file.
    virtual int replaceFile(const std::filesystem::path& from, const std::filesystem::path& to);
    // Makes a rename in the folder durable.
    virtual int syncFolder(const std::filesystem::path& folder);
};

// The operations of the running program.
FileOperations& systemFileOperations();

}  // namespace kursomatik
