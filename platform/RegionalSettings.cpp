// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/RegionalSettings.h"

#include <chrono>
#include <ctime>

#include "platform/Utf8.h"

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
        if (c == 'd' || c == 'M') {
            out += padded(c == 'd' ? date.day : date.month, run >= 2 ? 2 : 1);
        } else if (c == 'y') {
            out += run >= 3 ? padded(date.year, 4) : padded(date.year % 100, 2);
        } else {
            out.append(run, c);
        }
        i += run;
    }
    return out;
}

namespace {

std::chrono::year_month_day calendarDay(const CivilDate& date) {
    return std::chrono::year{date.year} / std::chrono::month{static_cast<unsigned>(date.month)} /
           std::chrono::day{static_cast<unsigned>(date.day)};
}

}  // namespace

std::optional<CivilDate> parseShortDate(std::string_view text, const std::string& pattern) {
    text = utf8::trimSpaces(text);
    CivilDate date;
    std::size_t at = 0;
    // Reads between `least` and `most` digits; a field written with one letter takes one or two.
    const auto digits = [&](std::size_t least, std::size_t most) -> std::optional<int> {
        int value = 0;
        std::size_t count = 0;
        while (count < most && at < text.size() && text[at] >= '0' && text[at] <= '9') {
            value = value * 10 + (text[at++] - '0');
            ++count;
        }
        return count >= least ? std::optional<int>(value) : std::nullopt;
    };
    for (std::size_t i = 0; i < pattern.size();) {
        const char c = pattern[i];
        std::size_t run = 1;
        while (i + run < pattern.size() && pattern[i + run] == c) ++run;
        i += run;
        std::optional<int> value;
        if (c == 'd' || c == 'M') {
            value = digits(run >= 2 ? 2 : 1, 2);
            if (value) (c == 'd' ? date.day : date.month) = *value;
        } else if (c == 'y') {
            value = run >= 3 ? digits(4, 4) : digits(2, 2);
            if (value) date.year = run >= 3 ? *value : (*value < 50 ? 2000 : 1900) + *value;
        } else {
            if (text.substr(at, run) != std::string(run, c)) return std::nullopt;
            at += run;
            value = 0;
        }
        if (!value) return std::nullopt;
    }
    if (at != text.size() || date.month < 1 || date.month > 12 || date.day < 1) return std::nullopt;
    if (!calendarDay(date).ok()) return std::nullopt;
    return date;
}

long daysBetween(const CivilDate& from, const CivilDate& to) {
    const std::chrono::sys_days start{calendarDay(from)};
    const std::chrono::sys_days end{calendarDay(to)};
    return static_cast<long>((end - start).count());
}

}  // namespace kursomatik
