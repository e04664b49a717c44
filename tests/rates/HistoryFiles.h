// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "platform/RegionalSettings.h"

// A generated full history of reference rates, the size of the ECB's (about 7,000 days of 41
// currencies), for the benchmarks and the tests that need a large file.
namespace kursomatik::testsupport {

inline const std::vector<std::string> kCodes = {
    "USD", "JPY", "BGN", "CYP", "CZK", "DKK", "EEK", "GBP", "HUF", "LTL", "LVL", "MTL", "PLN", "ROL",
    "RON", "SEK", "SIT", "SKK", "CHF", "ISK", "NOK", "HRK", "RUB", "TRL", "TRY", "AUD", "BRL", "CAD",
    "CNY", "HKD", "IDR", "ILS", "INR", "KRW", "MXN", "MYR", "NZD", "PHP", "SGD", "THB", "ZAR"};

// Working days from 4 January 1999 to the end of 2025, newest first, as the history file orders them.
inline std::vector<CivilDate> workingDays() {
    std::vector<CivilDate> days;
    static constexpr int kLength[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int weekday = 0;  // 4 January 1999 was a Monday
    for (int year = 1999; year <= 2025; ++year) {
        for (int month = 1; month <= 12; ++month) {
            const int length = kLength[month - 1] + (month == 2 && year % 4 == 0 ? 1 : 0);
            for (int day = (year == 1999 && month == 1) ? 4 : 1; day <= length;
                 ++day, weekday = (weekday + 1) % 7) {
                if (weekday < 5) days.push_back({year, month, day});
            }
        }
    }
    return {days.rbegin(), days.rend()};
}

// A rate that moves from day to day; some currencies have none on some days.
inline std::string rateOf(std::size_t code, std::size_t day) {
    if ((code + day) % 17 == 0) return "N/A";
    return std::to_string(1 + code * 3) + "." + std::to_string(1000 + (day * 7 + code) % 9000);
}

inline std::string historyCsv() {
    std::string text = "Date";
    for (const auto& code : kCodes) text += "," + code;
    text += ",\n";
    const auto days = workingDays();
    for (std::size_t d = 0; d < days.size(); ++d) {
        text += formatShortDate(days[d], "yyyy-MM-dd");
        for (std::size_t c = 0; c < kCodes.size(); ++c) text += "," + rateOf(c, d);
        text += ",\n";
    }
    return text;
}

}  // namespace kursomatik::testsupport
