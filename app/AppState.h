// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "conversion/Money.h"
#include "platform/RegionalSettings.h"
#include "settings/Einstellungen.h"
#include "store/RecordFile.h"
#include "store/RecordFileState.h"

namespace kursomatik {

// The main window's chosen currencies and the flags around them. The selection handlers, the
// member window's closing steps, the list pass, the editor and the deletion all keep it.
struct SelectionState {
    std::string sStartauswahl = "1";  // "1": the next list pass selects the start currencies
    std::string sEingabeIndex;        // position of the input currency in txtEingabe, as text
    std::string sAusgabeIndex;        // the same for the output currency
    // Scaled rate (units per Euro × 1,000,000) as the line carries it; empty when it is no number.
    std::optional<double> dEingabeKurs;
    std::optional<double> dAusgabeKurs;
    // The same, rounded to six decimals and to the fixed-point type; empty when the currency has no
    // usable rate (no number, 0 or below), so that it converts to 0 and never with another one's rate.
    std::optional<Money> cyEingabeKurs;
    std::optional<Money> cyAusgabeKurs;
    int iGeloeschteWaehrung = 0;  // 1: the input currency was deleted, 2: the output currency
};

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
