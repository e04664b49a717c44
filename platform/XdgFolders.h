// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>

namespace kursomatik {

// An XDG base folder: the variable's value when it is an absolute path (a relative value is
// ignored, as the XDG rules say), else belowHome inside the home folder. Empty when there is no
// absolute home folder either.
std::filesystem::path xdgBaseFolder(const char* value, const char* home, const char* belowHome);

// From the process environment; the home folder is $HOME, else the user's entry in the password
// database.
std::filesystem::path xdgDataHome();    // $XDG_DATA_HOME, default ~/.local/share
std::filesystem::path xdgConfigHome();  // $XDG_CONFIG_HOME, default ~/.config
std::filesystem::path xdgCacheHome();   // $XDG_CACHE_HOME, default ~/.cache

}  // namespace kursomatik
