#pragma once

#include <filesystem>
#include <string>

#include "Einstellungen.h"
#include "RecordFile.h"
#include "RecordFileState.h"
#include "RegionalSettings.h"
#include "SelectionState.h"

namespace kursomatik {

// Everything the program keeps while it runs, owned by main() (or by a test) and lent to the windows.
struct AppState {
    RegionalSettings regional;
    SettingsState settings;
    SettingsEnvironment environment;
    RecordFileState file;
    SelectionState selection;
    std::string helpFile;
    std::filesystem::path currencyFile = kCurrencyFileName;  // in the current directory
};

}  // namespace kursomatik
