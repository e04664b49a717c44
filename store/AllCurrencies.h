// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "conversion/Berechnen.h"
#include "platform/RegionalSettings.h"
#include "store/CurrencyLists.h"

namespace kursomatik {

// One line of an amount converted into every currency of the table.
struct AllCurrenciesRow {
    std::string iso;
    std::string name;
    std::string result;  // in the result pattern; "–" where the currency's rate is unusable
    std::optional<DecimalNumber> value;
    std::string note;  // "Kurs unbrauchbar" where the rate is unusable
    std::string date;  // the rate's date as the table holds it
    std::optional<CivilDate> day;
    bool old = false;  // older than the age limit (never for a member's fixed rate)

    // The age line's sign where the rate is old, and the note: "⚠", "Kurs unbrauchbar".
    std::string mark() const;
};

// The amount from one currency (its usable rate) into every entry of the list, in the list's order,
// through the Euro with the same roundings as the main window. Empty when the amount is no number.
std::optional<std::vector<AllCurrenciesRow>> inAllCurrencies(const SortedEntries& all,
                                                             std::string_view amount, Money fromRate,
                                                             double dStellen1, double dStellen2,
                                                             const RegionalSettings& regional,
                                                             int warnAfterDays);

// The rows as tab-separated lines (code, name, result, date, the age sign), for the clipboard.
std::string tabSeparated(const std::vector<AllCurrenciesRow>& rows);

}  // namespace kursomatik
