// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/RegionalSettings.h"

namespace kursomatik {

struct CurrencyRecord;

// The day of a record's rate: its Datum by the regional short-date pattern, else by the German one
// of the shipped table (a table saved under other conventions). Empty when neither reads it.
std::optional<CivilDate> rateDate(const CurrencyRecord& record, const RegionalSettings& regional);

// What the main window says below the result about the age of the chosen rates.
struct RateAgeNotice {
    std::string text;       // empty when only fixed rates are chosen
    std::string shortText;  // the same in few words, for a line too narrow for the text
    bool warns = false;     // some rate is older than allowed, or has no date that can be read
};

// For each chosen currency (null: a side without one) that is not a member of the monetary union (fixed rates
// never age), the date of its rate: "Kurs USD vom 28.06.2024", and " – 161 Tage alt" where the rate is more
// than `warnAfterDays` days old (0: never). A currency chosen on both sides is named once. The short form
// names each by its code and its age where it is old, else its date: "USD 303 Tage, CHF 45 Tage alt",
// "USD 303 Tage alt, CHF vom 28.06.2024".
RateAgeNotice rateAgeNotice(const std::vector<const CurrencyRecord*>& chosen,
                            const RegionalSettings& regional, int warnAfterDays);

}  // namespace kursomatik
