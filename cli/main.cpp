// SPDX-License-Identifier: GPL-3.0-or-later
// The command `kursomatik-rechner`: the main window's conversion for scripts, without a display.
#include <iostream>

#include "cli/CheckedOutput.h"
#include "cli/Rechner.h"
#include "launcher/FirstRun.h"
#include "platform/FileSizeSignal.h"
#include "platform/XdgFolders.h"
#include "platform/qt/QtRegionalSettings.h"

namespace {

namespace fs = std::filesystem;

// Installed, the program lies out of the PATH and reads the settings WIN.INI names (the first run
// puts them in the data folder), else those beside itself; in the build tree it lies beside this command.
struct Installation {
    fs::path programDir;
    fs::path shipped;  // the installation's table and default settings; empty in the build tree
};

Installation findInstallation() {
    std::error_code unknown;
    const fs::path bin = fs::read_symlink("/proc/self/exe", unknown).parent_path();
    const fs::path installed = (bin / KURSOMATIK_PROGRAM_DIR_FROM_BIN).lexically_normal();
    if (fs::exists(installed / "kursomatik", unknown))
        return {installed, (bin / KURSOMATIK_DATA_FROM_BIN).lexically_normal()};
    return {bin, {}};
}

}  // namespace

int main(int argc, char** argv) {
    using namespace kursomatik;
    ignoreFileSizeSignal();
    RechnerEnvironment environment;
    environment.regional = systemRegionalSettings();
    const Installation installation = findInstallation();
    environment.programDir = installation.programDir;
    // The same paths as the program and its launcher.
    environment.systemProfile = xdgConfigHome() / "WIN.INI";
    if (const fs::path data = xdgDataHome(); !data.empty()) environment.dataDir = data / "Kursomatik";
    // A script may run before the desktop program was ever started: the same first-run set-up as
    // the launcher's gives it the shipped table and the settings the program will use.
    if (!installation.shipped.empty() && !environment.dataDir.empty()) {
        FirstRunPaths paths;
        paths.shipped = installation.shipped;
        paths.programDir = installation.programDir;
        paths.dataDir = environment.dataDir;
        paths.systemProfile = environment.systemProfile;
        if (Status ready = prepareFirstRun(paths); !ready)
            std::cerr << "kursomatik-rechner: " << ready.error() << '\n';
    }
    // A result that never reached its file or pipe must not pass for one.
    CheckedOutput output(STDOUT_FILENO);
    std::ostream out(&output);
    const int status = runRechner({argv + 1, argv + argc}, environment, out, std::cerr);
    if (Status written = output.finish(); !written) {
        std::cerr << "kursomatik-rechner: Die Ausgabe kann nicht geschrieben werden: " << written.error()
                  << ".\n";
        return kRechnerNoTable;
    }
    return status;
}
