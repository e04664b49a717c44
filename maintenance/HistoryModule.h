// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "chart/ChartRequest.h"
#include "platform/RegionalSettings.h"
#include "platform/Result.h"
#include "rates/ReferenceRates.h"

class QDialog;
class QWidget;

namespace kursomatik {

class WindowSystem;

// What the program does with the rate history. It lives in the module kursomatik-verlauf.so, which
// carries SQLite and Qt Charts, so that the program's start never maps them; the program loads it at
// the first import or chart. One object per program run, made by the module's entry.
class HistoryModule {
  public:
    virtual ~HistoryModule() = default;

    // Every day of an imported file into the history `file`, after the table: the line for the
    // summary, or the failure's message ending in "Die Tabelle ist übernommen, der Kursverlauf nicht.".
    // `notice` receives the message about a damaged file moved aside, if any.
    virtual Result<std::string> importDays(const ReferenceHistory& days, const std::filesystem::path& file,
                                           const RegionalSettings& regional, std::string& notice) = 0;
    // The newest day the history `file` holds; none for an empty or missing one. `notice` as above.
    virtual Result<std::optional<CivilDate>> newestDay(const std::filesystem::path& file,
                                                       std::string& notice) = 0;
    // The window Kursverlauf of a pair, not yet shown; `parent` owns it.
    virtual QDialog* openChart(const ChartRequest& request, WindowSystem& windows, QWidget* parent) = 0;
};

// The module's one entry.
using CreateHistoryModule = HistoryModule* (*)();
inline constexpr const char* kHistoryModuleFile = "kursomatik-verlauf.so";
inline constexpr const char* kHistoryModuleEntry = "kursomatikCreateHistoryModule";

}  // namespace kursomatik
