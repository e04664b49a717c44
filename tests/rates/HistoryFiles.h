// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
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
    using namespace std::chrono;
    std::vector<CivilDate> working;
    for (sys_days day = 2025y / December / 31; day >= sys_days(1999y / January / 4); day -= days(1)) {
        const year_month_day date(day);
        if (weekday(day).iso_encoding() <= 5)
            working.push_back({int(date.year()), int(unsigned(date.month())), int(unsigned(date.day()))});
    }
    return working;
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
