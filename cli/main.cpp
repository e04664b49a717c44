// SPDX-License-Identifier: GPL-3.0-or-later
// The command `kursomatik-rechner`: the main window's conversion for scripts, without a display.
#include <iostream>

#include "cli/Rechner.h"
#include "platform/XdgFolders.h"
#include "platform/qt/QtRegionalSettings.h"

namespace {

namespace fs = std::filesystem;

// Installed, the program lies out of the PATH and reads its settings beside itself; in the build
// tree it lies beside this command.
fs::path programFolder() {
    std::error_code unknown;
    const fs::path bin = fs::read_symlink("/proc/self/exe", unknown).parent_path();
    const fs::path installed = (bin / KURSOMATIK_PROGRAM_DIR_FROM_BIN).lexically_normal();
    return fs::exists(installed / "kursomatik", unknown) ? installed : bin;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace kursomatik;
    RechnerEnvironment environment;
    environment.regional = systemRegionalSettings();
    environment.programDir = programFolder();
    // The same paths as the program and its launcher.
    environment.systemProfile = xdgConfigHome() / "WIN.INI";
    if (const fs::path data = xdgDataHome(); !data.empty()) environment.dataDir = data / "Kursomatik";
    return runRechner({argv + 1, argv + argc}, environment, std::cout, std::cerr);
}
