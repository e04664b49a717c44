// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "conversion/DecimalNumber.h"
#include "conversion/Money.h"

namespace kursomatik {

struct RegionalSettings;

// A number pattern such as "###,####0.00#####": ',' asks for digit groups of three, each '0'
// before the '.' is a required integer digit, '0' after it a required decimal, '#' an optional one.
struct NumberPattern {
    bool grouping = false;
    bool decimalPoint = false;  // the separator is written even when no decimal follows
    int minIntegerDigits = 0;
    int minDecimals = 0;
    int maxDecimals = 0;
};
NumberPattern parseNumberPattern(std::string_view pattern);

// Rounds half away from zero on the exact decimal value to at most `decimals` decimals.
DecimalNumber roundToDecimals(DecimalNumber value, int decimals);

// Formats by a pattern with the regional separators. The last shown decimal is rounded half away
// from zero on the exact decimal value (for a double: its shortest decimal form, so 2.675 with
// two decimals shows as 2,68, as a reader of the number expects).
std::string formatNumber(const DecimalNumber& value, const NumberPattern& pattern,
                         const RegionalSettings& regional);
std::string formatNumber(double value, std::string_view pattern, const RegionalSettings& regional);
std::string formatNumber(Money value, std::string_view pattern, const RegionalSettings& regional);

// A double as the editor shows it: no grouping, up to 15 significant digits, no trailing zeros,
// and an exponent ("1E-05", "1,5E+15") for very small and very large values.
std::string formatPlainDouble(double value, const RegionalSettings& regional);

}  // namespace kursomatik
