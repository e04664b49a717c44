// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <random>
#include <regex>

#include "conversion/DecimalNumber.h"
#include "conversion/NumberFormat.h"
#include "conversion/NumberValue.h"
#include "platform/RegionalSettings.h"

namespace kursomatik {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr std::int64_t kMaxTicks = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMinTicks = std::numeric_limits<std::int64_t>::min();
const RegionalSettings de = RegionalSettings::german();
const RegionalSettings en = RegionalSettings::english();
const char* const kRate = "###.######";
const char* const kCell = "######,##0.000000######";
const char* const kResult2 = "###,####0.00#####";
const char* const kResult4 = "###,####0.0000###";

TEST(PatternFormatting, RatesGridCellsAndResultsShowTheirDecimals) {
    struct C {
        const char* pattern;
        double value;
        const char* shown;
        const RegionalSettings& regional = de;
    };
    const C cases[] = {
        C(kRate, 1955830, "1955830,"), C(kRate, 0.0000004, ","), C(kRate, 1955830.1234567, "1955830,123457"),
        C(kCell, 1234567.12345678, "1.234.567,12345678"), C(kCell, 0.1234567891235, "0,123456789124"),
        // The double nearest 1.23456785 lies just below it; the reader sees ...85 and rounds up.
        C(kResult2, 1.23456785, "1,2345679"), C(kResult2, 999.99999995, "1.000,00"),
        // What rounds to zero has no sign.
        C(kResult2, -0.00000004, "0,00"), C(kResult4, -1234.5, "-1.234,5000"),
        C(kResult2, 1234567.5, "1,234,567.50", en), C("#,##0.00", 2.675, "2,68"),
        // Beyond 2^53 the shortest form has fewer digits than the exact binary value.
        C(kResult2, 1234567890123456789.0, "1.234.567.890.123.456.800,00")};
    for (const C& c : cases) {
        EXPECT_EQ(formatNumber(c.value, c.pattern, c.regional), c.shown) << c.value << " " << c.pattern;
    }
    EXPECT_EQ(formatNumber(Money::fromTicks(-5), kResult2, de), "-0,0005");
    EXPECT_EQ(formatNumber(Money::fromTicks(kMinTicks), kResult2, de), "-922.337.203.685.477,5808");
}

TEST(PlainDouble, ShowsUpToFifteenSignificantDigitsWithoutTrailingZeros) {
    using C = std::pair<double, const char*>;
    // Below 1E-04 and from 1E+15 on, the exponent form.
    for (const auto& [value, shown] :
         {C(0.1 + 0.2, "0,3"), C(2.0 / 3, "0,666666666666667"), C(-0.000015, "-1,5E-05"), C(0.0001, "0,0001"),
          C(999999999999999.9, "1E+15")})
        EXPECT_EQ(formatPlainDouble(value, de), shown) << value;
}

TEST(RegionalNumbers, ReadAsTheUserTypedThemAndTypingErrorsAreNoNumber) {
    struct C {
        const char* text;
        std::optional<double> value;  // empty: no number
        const RegionalSettings& regional = de;
    };
    const std::nullopt_t no = std::nullopt;
    // A misplaced group separator is no number, never a hundred times the amount ("1234.56"); a leading
    // zero group is no thousands group ("0.500" would be a thousand times "0,500"). Every short text is
    // checked against the grammar below; these are the longer ones.
    const C cases[] = {C("1e99999999999999999999", kInf),
                       C("-123.456,7", -123456.7),
                       C("1.234.567,", 1234567),
                       C("-0.500,5", no),
                       C("1,234.567", no),
                       C("1,234,567.5", 1234567.5, en)};
    for (const C& c : cases) {
        const auto number = parseRegionalNumber(c.text, c.regional);
        EXPECT_EQ(number ? std::optional(number->toDouble()) : std::nullopt, c.value) << '"' << c.text << '"';
    }
    // What the program writes reads back under both conventions.
    for (const RegionalSettings& regional : {de, en}) {
        for (const Money value : {Money::fromWhole(1955830), Money::fromTicks(1), Money::fromTicks(-12345000),
                                  Money::fromTicks(kMaxTicks)}) {
            for (const char* pattern : {"0.####", kCell}) {
                const std::string text = formatNumber(value, pattern, regional);
                const auto number = parseRegionalNumber(text, regional);
                EXPECT_EQ(number ? number->toMoney() : std::nullopt, value) << text;
            }
        }
    }
}

// The amount grammar, written down once more independently of the reader: blanks, a sign, plain
// digits or groups of three after a first group of one to three digits that does not begin with 0,
// a decimal part, an exponent, blanks. At least one digit before the exponent.
class ReferenceGrammar {
  public:
    explicit ReferenceGrammar(const RegionalSettings& r)
        : group_(r.groupSeparator[0]),
          grammar_("[ \\t\\r\\n]*([+-]?)(\\d*|[1-9]\\d{0,2}(?:\\" + r.groupSeparator + "\\d{3})+)(?:\\" +
                   r.decimalSeparator + "(\\d*))?(?:[eE]([+-]?\\d+))?[ \\t\\r\\n]*") {}

    std::optional<double> value(const std::string& text) const {
        std::smatch m;
        if (!std::regex_match(text, m, grammar_) || m[2].length() + m[3].length() == 0) return std::nullopt;
        std::string integer = m[2].length() ? m[2].str() : "0";
        integer.erase(std::remove(integer.begin(), integer.end(), group_), integer.end());
        std::string plain = integer + "." + m[3].str() + "0";
        if (m[4].length()) plain += "e" + m[4].str();
        double value = 0;
        if (std::from_chars(plain.data(), plain.data() + plain.size(), value).ec ==
            std::errc::result_out_of_range)
            value = m[4].str().starts_with('-') ? 0.0 : kInf;
        return m[1] == "-" ? -value : value;
    }

  private:
    char group_;
    std::regex grammar_;
};

TEST(RegionalNumbers, EveryShortTextIsReadByTheGrammarOrRefused) {
    std::mt19937 random(15);
    const std::string alphabet = "0123456789001.,,.  +-eE\t";
    int accepted = 0;
    for (const RegionalSettings* r : {&de, &en}) {
        const ReferenceGrammar grammar(*r);
        for (int n = 0; n < 40000; ++n) {
            std::string text(random() % 10, ' ');
            for (char& c : text) c = alphabet[random() % alphabet.size()];
            const auto expected = grammar.value(text);
            const auto number = parseRegionalNumber(text, *r);
            ASSERT_EQ(number.has_value(), expected.has_value()) << '"' << text << '"' << r->decimalSeparator;
            if (!expected) continue;
            ++accepted;
            ASSERT_EQ(number->toDouble(), *expected) << '"' << text << '"' << r->decimalSeparator;
        }
    }
    EXPECT_GT(accepted, 5000);  // the texts reach both sides of the grammar
}

TEST(Money, TextsAndDoublesRoundHalfToEvenAtTheFourthDecimalWithinRange) {
    using T = std::pair<const char*, std::optional<std::int64_t>>;
    const T texts[] = {T("1,23455", 12346), T("1,23445", 12344), T("1,234451", 12345), T("-1,23455", -12346),
                       T("0,00005", 0), T("0,000051", 1), T("99999,99995", 1000000000),
                       T("922.337.203.685.477,5807", kMaxTicks),
                       // Beyond the range of the fixed point:
                       T("922337203685477,58075", std::nullopt), T("-922337203685477,5808", kMinTicks),
                       T("-922337203685477,5809", std::nullopt), T("1E15", std::nullopt)};
    for (const auto& [text, ticks] : texts) {
        const auto money = parseRegionalNumber(text, de)->toMoney();
        EXPECT_EQ(money ? std::optional(money->ticks()) : std::nullopt, ticks) << text;
    }
    // Each product with 10,000 is an exact tie or an exact integer as a double.
    using D = std::pair<double, std::optional<std::int64_t>>;
    const D doubles[] = {D(0.00005, 0),         D(0.00025, 2),
                         D(-1.23455, -12346),   D(-9.2e14, -9200000000000000000),
                         D(1e15, std::nullopt), D(std::nan(""), std::nullopt)};
    for (const auto& [value, ticks] : doubles) {
        const auto money = Money::fromDouble(value);
        EXPECT_EQ(money ? std::optional(money->ticks()) : std::nullopt, ticks) << value;
    }
    EXPECT_EQ(Money::fromTicks(123456).toDouble(), 12.3456);
}

TEST(NumberValue, ReadsSettingsTextsWithAFullStopWhateverTheLocale) {
    using C = std::pair<const char*, double>;
    const C cases[] = {C("1000abc", 1000), C(" \t1 0\r\n0", 100), C("1,5", 1), C("- 2", -2),
                       C("1d2", 100),      C("1e999", 0),         C("x100", 0)};
    for (const auto& [text, value] : cases) EXPECT_EQ(numberValue(text), value) << '"' << text << '"';
}

}  // namespace
}  // namespace kursomatik
