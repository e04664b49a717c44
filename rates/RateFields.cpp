// SPDX-License-Identifier: GPL-3.0-or-later
#include "rates/RateFields.h"

#include <algorithm>
#include <charconv>

#include "platform/SystemError.h"

namespace kursomatik::ratefields {

bool isCurrencyCode(std::string_view text) {
    return text.size() == 3 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

bool isRate(std::string_view text) {
    bool point = false;
    bool nonZero = false;
    for (const char c : text) {
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            nonZero = nonZero || c != '0';
        } else {
            return false;
        }
    }
    return nonZero;
}

std::optional<DecimalNumber> parseRate(std::string_view text) {
    // No group separator can occur in the text, so the English conventions read it exactly.
    if (!isRate(text)) return std::nullopt;
    return parseRegionalNumber(text, RegionalSettings::english());
}

std::optional<CivilDate> makeDate(int year, int month, int day) {
    static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > kDays[month - 1])
        return std::nullopt;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    if (month == 2 && day == 29 && !leap) return std::nullopt;
    return CivilDate{year, month, day};
}

std::optional<CivilDate> parseIsoDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    int parts[3] = {};
    const std::string_view fields[3] = {text.substr(0, 4), text.substr(5, 2), text.substr(8, 2)};
    for (int i = 0; i < 3; ++i) {
        const auto [end, error] = std::from_chars(fields[i].begin(), fields[i].end(), parts[i]);
        if (error != std::errc() || end != fields[i].end() || fields[i].front() == '-') return std::nullopt;
    }
    return makeDate(parts[0], parts[1], parts[2]);
}

Status importError(const std::string& fileName, const std::string& place, const std::string& cause) {
    return Status::fail(fileNamed(fileName) + " kann nicht importiert werden: " + place + ": " + cause + ".");
}

std::string quotedText(std::string_view text) {
    if (text.size() > 20) {
        std::size_t cut = 20;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;  // whole characters
        return "\u201E" + std::string(text.substr(0, cut)) + "…\u201C";
    }
    return "\u201E" + std::string(text) + "\u201C";
}

}  // namespace kursomatik::ratefields
