// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include "settings/Einstellungen.h"

namespace kursomatik {

class SingleInstanceGuard;
class WindowSystem;

// Where the settings live for the running program: the private INI beside the executable and WIN.INI
// in the user's configuration folder; problems with them are told in a message window.
SettingsEnvironment programEnvironment(WindowSystem& windows);

// The program's single-instance check: false, once the user has been told "Programm läuft schon
// einmal", when this process must end. A lock that cannot be made is told once, and the program runs.
std::function<bool()> instanceCheck(SingleInstanceGuard& guard, WindowSystem& windows);

}  // namespace kursomatik
