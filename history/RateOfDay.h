// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "history/HistoryStore.h"

namespace kursomatik {

// A day without publication (a weekend, a holiday) takes the last rate before it, this many calendar
// days back at most: the ECB never paused longer, so an older rate means the currency is no longer
// published.
inline constexpr int kDaysBack = 4;

// The legal day from which a member currency's rate to the Euro is fixed; empty for every other code.
// (The record's Datum can be edited, so it does not tell.)
std::optional<CivilDate> fixingDay(std::string_view code);

CivilDate addDays(const CivilDate& day, int days);

// How the rate of a currency on a day was found.
struct DayRate {
    enum class Kind { Euro, Fixed, Published };
    Kind kind = Kind::Euro;
    DecimalNumber rate;   // Published: units per Euro, from the history
    CivilDate published;  // Published: the day of that rate
};

// The rate of `code` on `day`: the Euro is 1; a member currency from its fixing day on has its fixed
// rate, which the caller takes from the currency table; before that, and for every other currency, the
// history's rate of the day or of the last publication at most kDaysBack days before. Empty when the
// history holds none in those days.
Result<std::optional<DayRate>> rateOfDay(const HistoryStore& store, std::string_view code,
                                         const CivilDate& day);

// The cross rate (units of `to` per unit of `from`) of each day from `first` to `last` on which the
// history has a publication of either currency and both have a rate by the rule above. A member's fixed
// rate (units per Euro) comes from the table: `fixedFrom`, `fixedTo`; a member without it has no
// rate from its fixing day on.
struct CrossRate {
    CivilDate day;
    double rate = 0.0;
};
Result<std::vector<CrossRate>> crossSeries(const HistoryStore& store, std::string_view from,
                                           std::string_view to, const CivilDate& first, const CivilDate& last,
                                           std::optional<double> fixedFrom, std::optional<double> fixedTo);

}  // namespace kursomatik
