// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/RegionalSettings.h"
#include "rates/RateDownload.h"

namespace kursomatik {

// Where the command finds what the installed program uses.
struct RechnerEnvironment {
    RegionalSettings regional;
    std::filesystem::path programDir;     // the program's folder: Kursomatik.ini lies there
    std::filesystem::path systemProfile;  // WIN.INI, which may name another settings file
    std::filesystem::path dataDir;        // the launcher's data folder, with the user's table
    std::filesystem::path keptAnswer;     // the network update's last answer, in the cache folder
    // Fetches a file for --aktualisieren (Qt Network in the command; tests may put another here).
    std::function<Result<DownloadAnswer>(const DownloadRequest&)> download;
};

// Exit status of the command.
inline constexpr int kRechnerOk = 0;
inline constexpr int kRechnerBadInput = 1;
inline constexpr int kRechnerNoTable = 2;    // missing, unreadable, or an import could not rewrite it
inline constexpr int kRechnerNoNetwork = 3;  // --aktualisieren could not fetch the file
inline constexpr int kRechnerNoHistory = 4;  // an import wrote the table but not the rate history

// The command `kursomatik-rechner` with the arguments after its name: results on out, German
// messages on err.
int runRechner(const std::vector<std::string>& args, const RechnerEnvironment& environment, std::ostream& out,
               std::ostream& err);

}  // namespace kursomatik
