// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <vector>

namespace kursomatik {

// Where Kursomatik's files are: one place for the program, the command on the PATH and
// kursomatik-rechner. (The currency file's name is the store's: kCurrencyFileName.)
inline constexpr const char* kSettingsFileName = "Kursomatik.ini";
inline constexpr const char* kSystemProfileName = "WIN.INI";
inline constexpr const char* kHelpFileName = "KURSOMATIK.HLP";
inline constexpr const char* kProgramFileName = "kursomatik";
// The rate history, an SQLite file beside the currency table in use.
inline constexpr const char* kHistoryFileName = "KURSVERLAUF.DB";
// The rate history beside a table: KURSVERLAUF.DB in the table's folder.
std::filesystem::path historyFileOf(const std::filesystem::path& table);

// The folder of the running binary, its links followed; empty where it cannot be found.
std::filesystem::path binaryFolder();

// The user's WIN.INI, $XDG_CONFIG_HOME/WIN.INI (default ~/.config/WIN.INI), and data folder, the
// program's working folder, $XDG_DATA_HOME/Kursomatik (default ~/.local/share/Kursomatik); empty
// where there is no home folder either.
std::filesystem::path systemProfilePath();
std::filesystem::path dataFolder();
// The last file the network update fetched, kept for its next, conditional request:
// $XDG_CACHE_HOME/Kursomatik/kursquelle (default ~/.cache/...); empty without a home folder.
std::filesystem::path keptAnswerFile();

// An installation's parts, found from the folder of one of its commands (bin), wherever the prefix
// was moved: the program out of the PATH, and the shipped table, default settings and help.
struct Installation {
    std::filesystem::path programDir;
    std::filesystem::path program;
    std::filesystem::path shipped;
    bool present = false;  // false in a build tree: the program lies beside the command there
};
Installation installationOf(const std::filesystem::path& bin);

// Where the program looks for its help file: the working folder, its own folder, and the
// installation's shared folder seen from its own folder and at the configured prefix.
std::vector<std::filesystem::path> helpFolders(const std::filesystem::path& programDir);

}  // namespace kursomatik
