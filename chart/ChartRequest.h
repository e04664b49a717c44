// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "platform/RegionalSettings.h"

namespace kursomatik {

// All the chart window takes from the main window, as plain values: it reads nothing else.
struct ChartRequest {
    std::filesystem::path historyFile;  // KURSVERLAUF.DB beside the currency table in use
    std::string von;                    // ISO code of the input currency
    std::string nach;                   // ISO code of the output currency
    // The table's rate, in units per Euro (1.95583 for DEM): the fixed rate of a member currency from
    // its fixing day on, not used for other currencies; empty where the table has no usable rate.
    std::optional<double> fixedVon;
    std::optional<double> fixedNach;
    std::string betragText;  // the amount as typed in the main window
    double dStellen1 = 0.0;  // the main window's rounding factors, as the settings hold them
    double dStellen2 = 0.0;
    RegionalSettings regional;
};

}  // namespace kursomatik
