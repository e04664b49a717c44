// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kursomatik {

struct CivilDate {
    int year = 1999;
    int month = 1;
    int day = 1;
    friend auto operator<=>(const CivilDate&, const CivilDate&) = default;
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

// The date of a short-date text written by that pattern (leading and trailing blanks allowed); empty
// when the text does not follow the pattern or names no day of the calendar. Two-digit years count
// from 1950 to 2049.
std::optional<CivilDate> parseShortDate(std::string_view text, const std::string& pattern);

// Days from one date to another (negative when `to` lies before `from`).
long daysBetween(const CivilDate& from, const CivilDate& to);

}  // namespace kursomatik
