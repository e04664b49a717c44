#pragma once

#include <cstdint>
#include <string>

namespace kursomatik {

// The Windows shell's result codes for a hand-over of an address to the desktop: above 32 is
// success. xdg-open's outcomes map onto the codes of the same meaning; any other exit status
// keeps its own number.
inline constexpr int kShellSuccess = 42;
inline constexpr int kShellFileNotFound = 2;    // ERROR_FILE_NOT_FOUND
inline constexpr int kShellNoAssociation = 31;  // SE_ERR_NOASSOC

int shellCodeOfXdgOpen(bool started, int exitCode);

// The readable name of a failed hand-over's code, as the about window reports it.
std::string GetErrorString(std::int32_t code);

}  // namespace kursomatik
