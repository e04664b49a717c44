#pragma once

#include <filesystem>
#include <string>

#include "Result.h"

namespace kursomatik {

// Private profile files with the behaviour users of the Windows profile functions rely on.
// Section and key names match without regard to case, blanks around keys and values are ignored,
// a value in matching quotes loses them, and a missing file, section or key gives the default.
// Values come back cut to 199 characters, as through a buffer of 200.
std::string getProfileString(const std::filesystem::path& file, const std::string& section,
                             const std::string& key, const std::string& defaultValue);

// Creates the file, the section or the key as needed, replaces a value in place and keeps every
// other line byte for byte. The file is replaced through a temporary file and a rename, so it is
// never left half-written.
Status writeProfileString(const std::filesystem::path& file, const std::string& section,
                          const std::string& key, const std::string& value);

}  // namespace kursomatik
