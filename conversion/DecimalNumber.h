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

    // digits × 10^exponent, any zeros around the digits taken off.
    static DecimalNumber normalized(bool negative, std::string digits, long exponent);
    static DecimalNumber fromMoney(Money value);
    // The shortest decimal form that reads back as the same double (finite values only).
    static DecimalNumber fromDouble(double value);
};

// A typed number by the regional conventions: optional blanks around, an optional sign, the integer
// part, optionally the decimal separator and digits, optionally an exponent ("1E3", "1e-2"). The
// integer part is plain digits, or groups: one to three digits not beginning with 0, then groups of
// exactly three after each group separator ("1.234,56"). A text without integer digits (",5") or
// without digits after the separator ("5,") reads as written. Empty when the text is no number.
std::optional<DecimalNumber> parseRegionalNumber(std::string_view text, const RegionalSettings& regional);

}  // namespace kursomatik
