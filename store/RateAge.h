// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace kursomatik {

struct CurrencyRecord;
struct RegionalSettings;

// What the main window says below the result about the age of the chosen rates.
struct RateAgeNotice {
    std::string text;    // empty when only fixed rates are chosen
    bool warns = false;  // some rate is older than allowed, or has no date that can be read
};

// For each chosen currency (null: a side without one) that is not a member of the monetary union (fixed rates
// never age), the date of its rate: "Kurs USD vom 28.06.2024", and " – 161 Tage alt" where the rate is more
// than `warnAfterDays` days old (0: never). A currency chosen on both sides is named once.
RateAgeNotice rateAgeNotice(const std::vector<const CurrencyRecord*>& chosen,
                            const RegionalSettings& regional, int warnAfterDays);

}  // namespace kursomatik
