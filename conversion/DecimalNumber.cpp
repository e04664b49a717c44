// SPDX-License-Identifier: GPL-3.0-or-later
#include "conversion/DecimalNumber.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <system_error>

#include "platform/RegionalSettings.h"
#include "platform/Utf8.h"

namespace kursomatik {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Exponents beyond this are far outside every range the program uses; saturating keeps them so.
constexpr long kExponentCap = 100'000'000;

bool consume(std::string_view text, std::size_t& pos, std::string_view token) {
    if (token.empty() || text.substr(pos, token.size()) != token) return false;
    pos += token.size();
    return true;
}

// Digits of an exponent, saturated at the cap; false when there is not at least one digit.
bool readExponent(std::string_view text, std::size_t& pos, long& exponent) {
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
    const std::size_t start = pos;
    long value = 0;
    for (; pos < text.size() && isDigit(text[pos]); ++pos) {
        value = std::min(kExponentCap, value * 10 + (text[pos] - '0'));
    }
    exponent = negative ? -value : value;
    return pos > start;
}

// The digits of the integer part. A group separator counts only between groups of exactly three
// digits, after one to three leading ones that do not begin with 0 ("1.234.567"); "1234.56", "1.5",
// "1..2" or "0.500" are typing errors that must not silently read as a thousand times the amount.
bool readIntegerDigits(std::string_view text, std::size_t& pos, std::string_view group, std::string& digits) {
    std::size_t run = 0;  // digits since the start or the last separator
    bool grouped = false;
    while (pos < text.size()) {
        if (isDigit(text[pos])) {
            digits += text[pos++];
            ++run;
            continue;
        }
        if (group.empty() || text.substr(pos, group.size()) != group) break;
        if (grouped ? run != 3 : (run < 1 || run > 3 || digits.front() == '0')) return false;
        grouped = true;
        run = 0;
        pos += group.size();
    }
    return !grouped || run == 3;
}

}  // namespace

DecimalNumber DecimalNumber::normalized(bool negative, std::string digits, long exponent) {
    const auto first = digits.find_first_not_of('0');
    if (first == std::string::npos) return {};
    digits.erase(0, first);
    const auto last = digits.find_last_not_of('0');
    exponent += static_cast<long>(digits.size() - last - 1);
    digits.erase(last + 1);
    return {negative, std::move(digits), exponent};
}

double DecimalNumber::toDouble() const {
    if (isZero()) return 0.0;
    const std::string text = digits + 'e' + std::to_string(exponent);
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range) {
        const long magnitude = exponent + static_cast<long>(digits.size()) - 1;
        value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

std::optional<Money> DecimalNumber::toMoney() const {
    if (isZero()) return Money{};
    const long shift = exponent + 4;  // position of the ten-thousandths
    const long kept = static_cast<long>(digits.size()) + shift;
    if (kept > 19) return std::nullopt;
    std::uint64_t ticks = 0;  // at most 19 digits, so no overflow
    for (long i = 0; i < std::min<long>(kept, static_cast<long>(digits.size())); ++i) {
        ticks = ticks * 10 + static_cast<unsigned>(digits[i] - '0');
    }
    for (long i = static_cast<long>(digits.size()); i < kept; ++i) ticks *= 10;
    if (shift < 0 && kept >= 0) {
        // Digits after the fourth decimal: round half to even. Trailing zeros are stripped, so
        // more than one dropped digit means the part beyond the first one is not zero.
        const std::string_view dropped = std::string_view(digits).substr(static_cast<std::size_t>(kept));
        const char first = dropped.front();
        const bool odd = (ticks % 2) == 1;
        if (first > '5' || (first == '5' && (dropped.size() > 1 || odd))) ++ticks;
    }
    constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    if (!negative) {
        if (ticks > kMax) return std::nullopt;
        return Money::fromTicks(static_cast<std::int64_t>(ticks));
    }
    if (ticks > kMax + 1) return std::nullopt;
    return Money::fromTicks(ticks == kMax + 1 ? std::numeric_limits<std::int64_t>::min()
                                              : -static_cast<std::int64_t>(ticks));
}

DecimalNumber DecimalNumber::fromMoney(Money value) {
    const std::int64_t ticks = value.ticks();
    const auto magnitude =
        ticks < 0 ? 0 - static_cast<std::uint64_t>(ticks) : static_cast<std::uint64_t>(ticks);
    return normalized(ticks < 0, std::to_string(magnitude), -4);
}

DecimalNumber DecimalNumber::fromDouble(double value) {
    char buffer[64];
    // Scientific form: the shortest digits that read back as the value, never a long fixed expansion.
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    static const RegionalSettings written = RegionalSettings::english();
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    return parseRegionalNumber(text, written).value_or(DecimalNumber{});
}

std::optional<DecimalNumber> parseRegionalNumber(std::string_view text, const RegionalSettings& regional) {
    text = utf8::trimBlanks(text);
    std::size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
    std::string digits;
    long fraction = 0;
    const std::string& decimal = regional.decimalSeparator;
    const std::string_view group =
        regional.groupSeparator != decimal ? std::string_view(regional.groupSeparator) : std::string_view();
    if (!readIntegerDigits(text, pos, group, digits)) return std::nullopt;
    if (consume(text, pos, decimal)) {
        for (; pos < text.size() && isDigit(text[pos]); ++pos, ++fraction) digits += text[pos];
    }
    if (digits.empty()) return std::nullopt;
    long exponent = 0;
    if (pos < text.size() && (text[pos] == 'E' || text[pos] == 'e')) {
        ++pos;
        if (!readExponent(text, pos, exponent)) return std::nullopt;
    }
    if (pos != text.size()) return std::nullopt;
    return DecimalNumber::normalized(negative, std::move(digits), exponent - fraction);
}

}  // namespace kursomatik
