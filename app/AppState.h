// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "app/SelectionState.h"
#include "platform/RegionalSettings.h"
#include "settings/Einstellungen.h"
#include "store/RecordFile.h"
#include "store/RecordFileState.h"

namespace kursomatik {

// Everything the program keeps while it runs, owned by main() (or by a test) and lent to the windows.
struct AppState {
    RegionalSettings regional;
    SettingsState settings;
    SettingsEnvironment environment;
    // False when this process must end at once: another instance runs (the user has been told).
    std::function<bool()> instanceGuard;
    RecordFileState file;
    SelectionState selection;
    std::string helpFile;
    std::filesystem::path currencyFile = kCurrencyFileName;  // in the current directory
};

}  // namespace kursomatik
