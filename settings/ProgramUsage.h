// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

namespace kursomatik {

// "--help" (-h) or "--version" among the arguments of `kursomatik`: the command on the PATH and the
// program both answer with their usage or their version, before anything needs a display. Empty:
// the arguments ask for no answer, the program starts.
std::optional<std::string> commandLineAnswer(int argc, const char* const* argv);

// The short German usage of `kursomatik`, naming the user's own data folder and WIN.INI.
std::string programUsage();

// Prints the answer on stdout: status 0, or 1 with a German message on stderr where it could not be
// written (a full disk, /dev/full).
int printAnswer(const std::string& answer);

}  // namespace kursomatik
