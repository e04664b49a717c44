// SPDX-License-Identifier: GPL-3.0-or-later
#include "conversion/NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <string>

#include "platform/RegionalSettings.h"

namespace kursomatik {
namespace {

void splitDigits(const DecimalNumber& value, std::string& integer, std::string& fraction) {
    if (value.exponent >= 0) {
        integer = value.digits + std::string(static_cast<std::size_t>(value.exponent), '0');
        return;
    }
    const long point = static_cast<long>(value.digits.size()) + value.exponent;
    if (point > 0) {
        integer = value.digits.substr(0, static_cast<std::size_t>(point));
        fraction = value.digits.substr(static_cast<std::size_t>(point));
    } else {
        fraction = std::string(static_cast<std::size_t>(-point), '0') + value.digits;
    }
}

std::string grouped(const std::string& integer, const std::string& separator) {
    std::string out;
    for (std::size_t i = 0; i < integer.size(); ++i) {
        if (i > 0 && (integer.size() - i) % 3 == 0) out += separator;
        out += integer[i];
    }
    return out;
}

}  // namespace

DecimalNumber roundToDecimals(DecimalNumber value, int decimals) {
    if (value.isZero() || value.exponent >= -decimals) return value;
    const long kept = static_cast<long>(value.digits.size()) + value.exponent + decimals;
    if (kept < 0) return {};
    // A leading 0 takes the carry of a run of nines ("999.5" -> "1000").
    std::string digits = '0' + value.digits.substr(0, static_cast<std::size_t>(kept));
    if (value.digits[static_cast<std::size_t>(kept)] >= '5') {
        const std::size_t last = digits.find_last_not_of('9');
        ++digits[last];
        std::fill(digits.begin() + static_cast<std::ptrdiff_t>(last) + 1, digits.end(), '0');
    }
    return DecimalNumber::normalized(value.negative, std::move(digits), -decimals);
}

NumberPattern parseNumberPattern(std::string_view text) {
    NumberPattern pattern;
    bool afterPoint = false;
    for (const char c : text) {
        if (c == '.') {
            afterPoint = pattern.decimalPoint = true;
        } else if (c == ',' && !afterPoint) {
            pattern.grouping = true;
        } else if (c == '0') {
            ++(afterPoint ? pattern.minDecimals : pattern.minIntegerDigits);
            if (afterPoint) ++pattern.maxDecimals;
        } else if (c == '#' && afterPoint) {
            ++pattern.maxDecimals;
        }
    }
    return pattern;
}

std::string formatNumber(const DecimalNumber& value, const NumberPattern& pattern,
                         const RegionalSettings& regional) {
    const DecimalNumber rounded = roundToDecimals(value, pattern.maxDecimals);
    std::string integer;
    std::string fraction;
    splitDigits(rounded, integer, fraction);
    if (static_cast<int>(integer.size()) < pattern.minIntegerDigits) {
        integer.insert(0, static_cast<std::size_t>(pattern.minIntegerDigits) - integer.size(), '0');
    }
    if (static_cast<int>(fraction.size()) < pattern.minDecimals) {
        fraction.append(static_cast<std::size_t>(pattern.minDecimals) - fraction.size(), '0');
    }
    std::string out = rounded.negative && !rounded.isZero() ? "-" : "";
    out += pattern.grouping ? grouped(integer, regional.groupSeparator) : integer;
    if (pattern.decimalPoint) out += regional.decimalSeparator + fraction;
    return out;
}

std::string formatNumber(double value, std::string_view pattern, const RegionalSettings& regional) {
    return formatNumber(DecimalNumber::fromDouble(value), parseNumberPattern(pattern), regional);
}

std::string formatNumber(Money value, std::string_view pattern, const RegionalSettings& regional) {
    return formatNumber(DecimalNumber::fromMoney(value), parseNumberPattern(pattern), regional);
}

std::string formatPlainDouble(double value, const RegionalSettings& regional) {
    char buffer[64];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14).ptr;
    // "d.ddddddddddddde±xx": 15 significant digits of the binary value, then the exponent.
    double rounded = 0.0;
    std::from_chars(buffer, end, rounded);  // locale-independent, unlike strtod
    const DecimalNumber number = DecimalNumber::fromDouble(rounded);
    if (number.isZero()) return "0";
    const long magnitude = number.exponent + static_cast<long>(number.digits.size()) - 1;
    std::string out = number.negative ? "-" : "";
    if (magnitude < -4 || magnitude >= 15) {
        out += number.digits.substr(0, 1);
        if (number.digits.size() > 1) out += regional.decimalSeparator + number.digits.substr(1);
        const std::string exponent = std::to_string(std::labs(magnitude));
        out += std::string(magnitude < 0 ? "E-" : "E+") + (exponent.size() < 2 ? "0" : "") + exponent;
        return out;
    }
    std::string integer;
    std::string fraction;
    splitDigits(number, integer, fraction);
    out += integer.empty() ? "0" : integer;
    if (!fraction.empty()) out += regional.decimalSeparator + fraction;
    return out;
}

}  // namespace kursomatik
