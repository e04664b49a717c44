// SPDX-License-Identifier: GPL-3.0-or-later
// The command `kursomatik` on the PATH, which the desktop menu runs as well: it prepares the
// user's data folder, then replaces itself by the program, working in that folder.
#include <unistd.h>

#include <QApplication>
#include <QMessageBox>
#include <cerrno>
#include <cstdlib>
#include <iostream>

#include "platform/FileSizeSignal.h"
#include "platform/SystemError.h"
#include "platform/qt/ApplicationStart.h"
#include "settings/FirstRun.h"
#include "settings/Locations.h"
#include "settings/ProgramUsage.h"

namespace {

using namespace kursomatik;
namespace fs = std::filesystem;

// A start from the desktop menu has no terminal, so a graphical session gets a window as well;
// where that display cannot be reached, startApplication says so and ends the process with status 1.
int fail(int argc, char** argv, const std::string& cause) {
    const std::string message = "Kursomatik kann nicht gestartet werden.\n" + cause;
    std::cerr << message << '\n';
    if (std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr) {
        const auto application = startApplication(argc, argv);
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Kursomatik"), QString::fromStdString(message),
                        QMessageBox::Ok);
        box.exec();
    }
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    ignoreFileSizeSignal();
    if (const auto answer = commandLineAnswer(argc, argv)) return printAnswer(*answer);
    // The installation is found from where this command really lies, also when started through a link.
    const fs::path bin = binaryFolder();
    if (bin.empty()) return fail(argc, argv, "Der Ordner des Befehls kann nicht bestimmt werden.");
    const Installation installation = installationOf(bin);
    FirstRunPaths paths;
    paths.shipped = installation.shipped;
    paths.programDir = installation.programDir;
    paths.dataDir = dataFolder();
    paths.systemProfile = systemProfilePath();
    if (paths.dataDir.empty() || paths.systemProfile.empty()) {
        return fail(argc, argv, "Ihr Datenordner kann nicht bestimmt werden: HOME ist nicht gesetzt.");
    }
    if (Status ready = prepareFirstRun(paths); !ready) return fail(argc, argv, ready.error());

    if (::chdir(paths.dataDir.c_str()) != 0) {
        return fail(argc, argv,
                    "Der Ordner " + inQuotes(paths.dataDir) +
                        " kann nicht geöffnet werden: " + describeErrno(errno) + ".");
    }
    const fs::path& program = installation.program;
    char* const arguments[] = {const_cast<char*>(program.c_str()), nullptr};
    ::execv(program.c_str(), arguments);
    return fail(
        argc, argv,
        "Das Programm " + inQuotes(program) + " kann nicht gestartet werden: " + describeErrno(errno) + ".");
}
