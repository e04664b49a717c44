// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "platform/Result.h"

namespace kursomatik {

// Whole files are read up to this size: a settings file is a few hundred bytes, so anything larger
// is no settings file of ours (and /dev/zero never ends).
inline constexpr std::size_t kWholeFileLimit = std::size_t{1} << 20;

// The file-system calls behind the rewrite of a file, one virtual function each, so a test can make
// any single step fail the way a full disk or a locked folder would. A failure carries the German
// cause of its errno value (systemFailure), which the caller puts into a message naming the file.
class FileOperations {
  public:
    virtual ~FileOperations() = default;

    // A file that does not exist counts as removed.
    virtual Status removeFile(const std::filesystem::path& file);
    // Creates a new file for writing and gives its descriptor; one that exists already is an error.
    virtual Result<int> createFile(const std::filesystem::path& file);
    // Writes all bytes; a short write that cannot go on is a failure.
    virtual Status writeAll(int descriptor, std::string_view bytes);
    // Brings the written data to the disk.
    virtual Status syncFile(int descriptor);
    virtual Status closeFile(int descriptor);
    // Puts `from` in place of `to` in one step: a reader sees either the old or the new file.
    virtual Status renameFile(const std::filesystem::path& from, const std::filesystem::path& to);
    // Makes a rename in the folder durable.
    virtual Status syncFolder(const std::filesystem::path& folder);
    // Cuts an open file to `length` bytes.
    virtual Status truncateFile(int descriptor, off_t length);
};

// The operations of the running program.
FileOperations& systemFileOperations();

// Opens a regular file (flags as for open(2); O_CREAT makes a missing one) and gives its descriptor.
// A pipe, a device or a folder is refused at once, never waited for.
Result<int> openRegularFile(const std::filesystem::path& file, int flags);

// `size` bytes from `offset` of an open file; fewer only at its end. Interrupted calls go on.
Result<std::size_t> readAt(int descriptor, char* bytes, std::size_t size, off_t offset);
// All bytes from `offset`; an offset of -1 writes at the file's own position.
Status writeAt(int descriptor, std::string_view bytes, off_t offset);

// The content of a regular file, read up to one byte past `limit`, so that a longer file shows as
// one of limit + 1 bytes. A failure carries the bare cause (Cause::Missing for a missing file).
Result<std::string> readRegularFile(const std::filesystem::path& file, std::size_t limit);

// The whole content of a regular file of at most kWholeFileLimit bytes; a missing file reads as
// empty. The message names the file and the cause.
Result<std::string> readWholeFile(const std::filesystem::path& file);

// Puts `bytes` in place of `file` so that the old or the new content is there at every moment: a
// temporary file beside it (a leftover of that name is removed first) is written, brought to the
// disk, checked by `beforeRename` and renamed over the file. A symbolic link stays a link: the
// file it leads to is replaced. The file keeps its permissions; a new one gets 0666 less the umask.
// On failure the old file is untouched and the temporary file is gone. The temporary name defaults
// to ".<name>.tmp".
Status replaceFile(const std::filesystem::path& file, std::string_view bytes,
                   FileOperations& files = systemFileOperations(), const std::string& temporaryName = {},
                   const std::function<Status()>& beforeRename = {});

}  // namespace kursomatik
