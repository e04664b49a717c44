// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

namespace kursomatik {

struct CivilDate {
    int year = 1999;
    int month = 1;
    int day = 1;
};

// The user's regional conventions for numbers and dates. Every parser and formatter takes them
// explicitly, so there is no global separator state and tests can switch conventions freely.
struct RegionalSettings {
    std::string decimalSeparator = ",";
    std::string groupSeparator = ".";
    std::string shortDatePattern = "dd.MM.yyyy";  // d, dd, M, MM, yy, yyyy; anything else literal
    std::function<CivilDate()> today;

    static RegionalSettings german();
    static RegionalSettings english();

    CivilDate currentDate() const;
};

// The short-date text of a date (German: 04.01.1999).
std::string formatShortDate(const CivilDate& date, const std::string& pattern);

}  // namespace kursomatik
