// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "conversion/Berechnen.h"
#include "history/RateOfDay.h"

namespace kursomatik {

// Where the rates of a day come from: a member currency's fixed rate from the currency table (scaled,
// as the table's list pass hands it to the conversion) and the history, opened on first need only, so
// that a pair of fixed currencies converts without it.
struct DaySources {
    std::function<Result<Money>(const std::string& code)> fixedRate;
    std::function<Result<const HistoryStore*>()> history;
    // Appended to the message about a missing rate when the history is still empty: how to fill it.
    std::string emptyHint;
};

// One side of a conversion on a day: the code as the conversion uses it, how its rate was found and
// the scaled rate (units per Euro × 1,000,000).
struct DaySide {
    std::string code;
    DayRate rate;
    std::optional<Money> cyKurs;
};

struct DayConversion {
    DaySide from;
    DaySide to;
    BerechnenOutcome shown;
};

// The amount as typed, from `von` to `nach` with the rates of `day`, through the Euro with the
// main window's roundings. Fails with a German message when a currency has no rate that day (naming
// the days the history holds of it) or the decimal settings are none the window knows.
Result<DayConversion> convertOnDay(std::string_view betrag, std::string_view von, std::string_view nach,
                                   const CivilDate& day, double dStellen1, double dStellen2,
                                   const DaySources& sources, const RegionalSettings& regional);

}  // namespace kursomatik
