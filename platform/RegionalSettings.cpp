// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/RegionalSettings.h"

#include <ctime>

namespace kursomatik {

RegionalSettings RegionalSettings::german() {
    return RegionalSettings{};
}

RegionalSettings RegionalSettings::english() {
    RegionalSettings english;
    english.decimalSeparator = ".";
    english.groupSeparator = ",";
    english.shortDatePattern = "MM/dd/yyyy";
    return english;
}

CivilDate RegionalSettings::currentDate() const {
    if (today) return today();
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

std::string formatShortDate(const CivilDate& date, const std::string& pattern) {
    auto padded = [](int value, std::size_t width) {
        std::string digits = std::to_string(value);
        return digits.size() < width ? std::string(width - digits.size(), '0') + digits : digits;
    };
    std::string out;
    for (std::size_t i = 0; i < pattern.size();) {
        const char c = pattern[i];
        std::size_t run = 1;
        while (i + run < pattern.size() && pattern[i + run] == c) ++run;
        if (c == 'd') {
            out += padded(date.day, run >= 2 ? 2 : 1);
        } else if (c == 'M') {
            out += padded(date.month, run >= 2 ? 2 : 1);
        } else if (c == 'y') {
            out += run >= 3 ? padded(date.year, 4) : padded(date.year % 100, 2);
        } else {
            out.append(run, c);
        }
        i += run;
    }
    return out;
}

}  // namespace kursomatik
