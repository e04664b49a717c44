// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/FileOperations.h"
#include "platform/Result.h"

namespace kursomatik {

// Private profile files with the behaviour users of the Windows profile functions rely on.
// Section and key names match without regard to case, blanks around keys and values are ignored,
// a value in matching quotes loses them, and a missing file, section or key gives the default.
// Values come back cut to 199 characters, as through a buffer of 200. A file that cannot be read (a
// pipe, a device, a folder, one over 1 MB) counts as missing.
inline constexpr std::size_t kProfileValueLimit = 199;  // what fits into a buffer of 200 with its terminator

std::string getProfileString(const std::filesystem::path& file, const std::string& section,
                             const std::string& key, const std::string& defaultValue);

// The same, on the text of a profile file read before; `limit` characters at most.
std::string profileValue(std::string_view text, const std::string& section, const std::string& key,
                         const std::string& defaultValue, std::size_t limit = kProfileValueLimit);

// Creates the file, the section or the key as needed, replaces a value in place and keeps every
// other line byte for byte. The file is replaced safely (replaceFile): never half-written, a
// symbolic link stays a link, the permissions stay. A file that cannot be read is not written.
Status writeProfileString(const std::filesystem::path& file, const std::string& section,
                          const std::string& key, const std::string& value,
                          FileOperations& files = systemFileOperations());

// The text to write for `value` so that the reader, which takes one pair of quotes off a value,
// reads `value` back: a value such as the ETag "v1" gets one more pair. Blanks at either end are
// still trimmed on reading, as every reader of such files does; no value the program writes has any.
std::string readableAsWritten(std::string_view value);

}  // namespace kursomatik
