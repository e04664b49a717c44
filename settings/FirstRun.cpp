// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/FirstRun.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/FileOperations.h"
#include "platform/SystemError.h"
#include "settings/Einstellungen.h"
#include "settings/IniFile.h"
#include "settings/Locations.h"
#include "store/RecordFile.h"

namespace kursomatik {
namespace {

namespace fs = std::filesystem;

// Anything at the path counts, a broken link too: what the user put there stays.
bool standsThere(const fs::path& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

// Copies from to to unless something stands at to already. The copy is written beside to and
// linked into place, so it never replaces a file that appeared meanwhile and is never half there.
Status copyOnce(const fs::path& from, const fs::path& to) {
    if (standsThere(to)) return Status::ok();
    // A missing source reads as empty for settings files, but here it is a broken installation.
    if (!standsThere(from)) return fileError(from.string(), "gelesen werden", systemFailure(ENOENT));
    const Result<std::string> data = readWholeFile(from);
    if (!data) return data.status();
    // Made like every other file of ours (0666 less the umask), through the one file layer.
    FileOperations& files = systemFileOperations();
    const fs::path temporary = to.parent_path() / ("." + to.filename().string() + ".tmp");
    if (Status removed = files.removeFile(temporary); !removed)
        return fileError(to.string(), "angelegt werden", removed);
    const Result<int> fd = files.createFile(temporary);
    if (!fd) return fileError(to.string(), "angelegt werden", fd.status());
    Status written = files.writeAll(*fd, *data);
    if (written) written = files.syncFile(*fd);
    if (Status closed = files.closeFile(*fd); written) written = closed;
    if (written) written = systemCall(::link(temporary.c_str(), to.c_str()) == 0 || errno == EEXIST);
    files.removeFile(temporary);
    if (!written) return fileError(to.string(), "angelegt werden", written);
    return Status::ok();
}

Status makeFolder(const fs::path& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (fs::is_directory(folder)) return Status::ok();
    const std::string cause = standsThere(folder) ? std::string("Unter diesem Namen steht eine Datei")
                                                  : systemFailure(error.value()).error();
    return Status::fail("Der Ordner " + inQuotes(folder) + " kann nicht angelegt werden: " + cause + ".");
}

// Settings in the data folder, named by IniDatei in WIN.INI, unless WIN.INI names a file already.
Status settingsInDataFolder(const FirstRunPaths& paths) {
    if (!getProfileString(paths.systemProfile, kAppTitle, "IniDatei", "").empty()) return Status::ok();
    const fs::path settings = paths.dataDir / kSettingsFileName;
    if (const auto problem = iniDateiProblem(settings.string(), paths.systemProfile)) {
        return Status::fail("Die Einstellungsdatei " + inQuotes(settings) + " kann nicht in " +
                            inQuotes(paths.systemProfile) + " eingetragen werden: " + *problem + ".");
    }
    // Earlier versions kept the settings beside the program where they could: they are the user's own.
    const fs::path earlier = paths.programDir / kSettingsFileName;
    const bool takeEarlier =
        !paths.programDir.empty() && fs::is_regular_file(earlier) && ::access(earlier.c_str(), R_OK) == 0;
    if (Status copied = copyOnce(takeEarlier ? earlier : paths.shipped / kSettingsFileName, settings);
        !copied)
        return copied;
    if (Status folder = makeFolder(paths.systemProfile.parent_path()); !folder) return folder;
    return writeProfileString(paths.systemProfile, kAppTitle, "IniDatei", settings.string());
}

}  // namespace

Status prepareFirstRun(const FirstRunPaths& paths) {
    if (Status folder = makeFolder(paths.dataDir); !folder) return folder;
    if (Status table = copyOnce(paths.shipped / kCurrencyFileName, paths.dataDir / kCurrencyFileName); !table)
        return table;
    return settingsInDataFolder(paths);
}

}  // namespace kursomatik
