// SPDX-License-Identifier: GPL-3.0-or-later
#include "rates/RateFields.h"

#include <algorithm>

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
