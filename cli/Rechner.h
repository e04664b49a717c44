// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "platform/RegionalSettings.h"

namespace kursomatik {

// Where the command finds what the installed program uses.
struct RechnerEnvironment {
    RegionalSettings regional;
    std::filesystem::path programDir;     // the program's folder: Kursomatik.ini lies there
    std::filesystem::path systemProfile;  // WIN.INI, which may name another settings file
    std::filesystem::path dataDir;        // the launcher's data folder, with the user's table
};

// Exit status of the command.
inline constexpr int kRechnerOk = 0;
inline constexpr int kRechnerBadInput = 1;
inline constexpr int kRechnerNoTable = 2;  // missing, unreadable, or an import could not rewrite it

// The command `kursomatik-rechner` with the arguments after its name: results on out, German
// messages on err.
int runRechner(const std::vector<std::string>& args, const RechnerEnvironment& environment, std::ostream& out,
               std::ostream& err);

}  // namespace kursomatik
