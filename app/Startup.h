// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/Einstellungen.h"

namespace kursomatik {

class SingleInstanceGuard;
class WindowSystem;

// Where the settings live for the running program: the private INI beside the executable, WIN.INI
// in the user's configuration folder, and the single-instance guard that speaks through windows.
SettingsEnvironment programEnvironment(SingleInstanceGuard& guard, WindowSystem& windows);

// The user's configuration folder: $XDG_CONFIG_HOME when absolute, else ~/.config.
std::filesystem::path configurationFolder();

}  // namespace kursomatik
