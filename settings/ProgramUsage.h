// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kursomatik {

// "--help" or "-h" among the arguments of `kursomatik`: the command on the PATH and the program
// both answer with their usage, before anything needs a display.
bool asksForUsage(int argc, const char* const* argv);

// The short German usage of `kursomatik`, naming the user's own data folder and WIN.INI.
std::string programUsage();

// Prints the usage on stdout: status 0, or 1 with a German message on stderr where it could not be
// written (a full disk, /dev/full).
int printProgramUsage();

}  // namespace kursomatik
