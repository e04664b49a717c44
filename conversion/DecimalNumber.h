// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "conversion/Money.h"

namespace kursomatik {

struct RegionalSettings;

// An exact decimal number: digits × 10^exponent. Parsed texts keep their exact value until a
// consumer decides how to round it (to a double, or to the fixed-point money type).
struct DecimalNumber {
    bool negative = false;
    std::string digits;  // without leading zeros; empty for zero
    long exponent = 0;

    bool isZero() const { return digits.empty(); }
    // The nearest double; ±infinity when the number is beyond the double range.
    double toDouble() const;
    // Rounded to ten-thousandths, ties to even; empty when beyond the fixed-point range.
    std::optional<Money> toMoney() const;

    static DecimalNumber fromMoney(Money value);
    // The shortest decimal form that reads back as the same double (finite values only).
    static DecimalNumber fromDouble(double value);
};

// A typed number by the regional conventions: optional blanks around, an optional sign, digits
// with the decimal separator, group separators in the integer part only between groups of three
// ("1.234,56"), an optional exponent ("1E3"). Empty when the text is no number.
std::optional<DecimalNumber> parseRegionalNumber(std::string_view text, const RegionalSettings& regional);

}  // namespace kursomatik
