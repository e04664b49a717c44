// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>

#include "platform/Result.h"

namespace kursomatik {

// What the command on the PATH prepares before it starts the program, the way an installer would:
// the program works on KURSOMATIK.DAT in its current folder and reads Kursomatik.ini beside itself
// unless WIN.INI names another file. An installation never keeps a user's file in its own folders,
// not even when it may write there (root may write anywhere, and a package manager removing the
// program would leave such a file behind), so the settings always go to the data folder.
struct FirstRunPaths {
    std::filesystem::path shipped;        // the installation's KURSOMATIK.DAT and default Kursomatik.ini
    std::filesystem::path programDir;     // read only: settings an earlier version kept there move along
    std::filesystem::path dataDir;        // the user's data folder, the program's working folder
    std::filesystem::path systemProfile;  // WIN.INI
};

// Copies the shipped table into the data folder once (a table that is there is never replaced),
// and the settings beside it (those an earlier version kept beside the program, else the defaults),
// named by IniDatei in WIN.INI unless WIN.INI names a settings file already. Every other line of WIN.INI
// stays as it was. A failure comes back as a German message naming the file.
Status prepareFirstRun(const FirstRunPaths& paths);

}  // namespace kursomatik
