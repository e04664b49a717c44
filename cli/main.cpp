// SPDX-License-Identifier: GPL-3.0-or-later
// The command `kursomatik-rechner`: the main window's conversion for scripts, without a display.
#include <iostream>

#include "cli/CheckedOutput.h"
#include "cli/Rechner.h"
#include "net/NetworkRateDownload.h"
#include "platform/FileSizeSignal.h"
#include "platform/qt/QtRegionalSettings.h"
#include "settings/FirstRun.h"
#include "settings/Locations.h"

int main(int argc, char** argv) {
    using namespace kursomatik;
    ignoreFileSizeSignal();
    RechnerEnvironment environment;
    environment.regional = systemRegionalSettings();
    // Installed, the program lies out of the PATH and reads the settings WIN.INI names (the first run
    // puts them in the data folder), else those beside itself; in the build tree it lies beside this
    // command.
    const std::filesystem::path bin = binaryFolder();
    const Installation installation = installationOf(bin);
    environment.programDir = installation.present ? installation.programDir : bin;
    environment.systemProfile = systemProfilePath();
    environment.dataDir = dataFolder();
    environment.keptAnswer = keptAnswerFile();
    environment.download = downloadNow;
    // A script may run before the desktop program was ever started: the same first-run set-up as
    // the launcher's gives it the shipped table and the settings the program will use.
    if (installation.present && !environment.dataDir.empty()) {
        const FirstRunPaths paths{installation.shipped, installation.programDir, environment.dataDir,
                                  environment.systemProfile};
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
