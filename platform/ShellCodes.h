// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace kursomatik {

// The Windows shell's result codes for a hand-over of an address to the desktop: above 32 is
// success. xdg-open's outcomes map onto the codes of the same meaning. Any other failure becomes a
// negative code, so that it can neither pass for success nor for a shell code of another meaning,
// and the user still reads the number: an exit status n as -n, a helper killed by signal s as
// -(128 + s), the status a shell shows for it.
inline constexpr int kShellSuccess = 42;
inline constexpr int kShellFileNotFound = 2;    // ERROR_FILE_NOT_FOUND
inline constexpr int kShellNoAssociation = 31;  // SE_ERR_NOASSOC

enum class HelperEnd {
    NotStarted,
    StillRunning,  // it has the address; the program it opens may run for long
    Exited,
    Killed,
};

// status: the exit status after Exited, the signal number after Killed, otherwise unused.
int shellCodeOfXdgOpen(HelperEnd end, int status);

// The readable name of a failed hand-over's code, as the about window reports it.
std::string GetErrorString(std::int32_t code);

}  // namespace kursomatik
