// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/Locations.h"

#include "platform/XdgFolders.h"

// The installation's layout, from CMake: the program's folder and the shared files seen from bin,
// and the shared files seen from the program's folder.
#ifndef KURSOMATIK_PROGRAM_DIR_FROM_BIN
#define KURSOMATIK_PROGRAM_DIR_FROM_BIN "../libexec/kursomatik"
#define KURSOMATIK_DATA_FROM_BIN "../share/kursomatik"
#define KURSOMATIK_DATA_FROM_PROGRAM_DIR "../../share/kursomatik"
#define KURSOMATIK_INSTALLED_DATA_DIR ""
#endif

namespace kursomatik {

namespace fs = std::filesystem;

fs::path binaryFolder() {
    std::error_code unknown;
    return fs::read_symlink("/proc/self/exe", unknown).parent_path();
}

fs::path historyFileOf(const fs::path& table) {
    return table.parent_path() / kHistoryFileName;
}

fs::path systemProfilePath() {
    const fs::path folder = xdgConfigHome();
    return folder.empty() ? folder : folder / kSystemProfileName;
}

fs::path dataFolder() {
    const fs::path folder = xdgDataHome();
    return folder.empty() ? folder : folder / "Kursomatik";
}

fs::path keptAnswerFile() {
    const fs::path folder = xdgCacheHome();
    return folder.empty() ? folder : folder / "Kursomatik" / "kursquelle";
}

Installation installationOf(const fs::path& bin) {
    Installation installation;
    installation.programDir = (bin / KURSOMATIK_PROGRAM_DIR_FROM_BIN).lexically_normal();
    installation.program = installation.programDir / kProgramFileName;
    installation.shipped = (bin / KURSOMATIK_DATA_FROM_BIN).lexically_normal();
    std::error_code unknown;
    installation.present = fs::exists(installation.program, unknown);
    return installation;
}

std::vector<fs::path> helpFolders(const fs::path& programDir) {
    return {fs::path("."), programDir, (programDir / KURSOMATIK_DATA_FROM_PROGRAM_DIR).lexically_normal(),
            fs::path(KURSOMATIK_INSTALLED_DATA_DIR)};
}

}  // namespace kursomatik
