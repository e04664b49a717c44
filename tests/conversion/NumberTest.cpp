// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <limits>
#include <random>
#include <regex>

#include "conversion/Berechnen.h"
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
const char* const kCell = "######,##0.000000######";
const char* const kResult2 = "###,####0.00#####";

TEST(PatternFormatting, RatesGridCellsAndResultsShowTheirDecimals) {
    using C = std::tuple<const char*, double, const char*, const RegionalSettings*>;
    for (const auto& [pattern, value, shown, regional] :
         {C("###.######", 1955830.1234567, "1955830,123457", &de),
          C(kCell, 1234567.12345678, "1.234.567,12345678", &de),
          // The double nearest 1.23456785 lies just below it; the reader sees ...85 and rounds up.
          C(kResult2, 1.23456785, "1,2345679", &de), C(kResult2, 999.99999995, "1.000,00", &de),
          // What rounds to zero has no sign.
          C(kResult2, -0.00000004, "0,00", &de), C(kResult2, 1234567.5, "1,234,567.50", &en),
          // Beyond 2^53 the shortest form has fewer digits than the exact binary value.
          C(kResult2, 1234567890123456789.0, "1.234.567.890.123.456.800,00", &de)})
        EXPECT_EQ(formatNumber(value, pattern, *regional), shown) << value << " " << pattern;
    EXPECT_EQ(formatNumber(Money::fromTicks(kMinTicks), kResult2, de), "-922.337.203.685.477,5808");
}

// The editor's rate field: 15 significant digits, an exponent of two digits or more outside 1E-4 to 1E15.
TEST(PlainNumbers, ShowFifteenDigitsAndSmallOrLargeOnesWithAnExponent) {
    using C = std::tuple<double, const char*, const RegionalSettings*>;
    for (const auto& [value, shown, regional] :
         {C(1955.83, "1955,83", &de), C(0.1 + 0.2, "0,3", &de), C(0.0001, "0,0001", &de),
          C(0.00001, "1E-05", &de), C(-2.5e-7, "-2,5E-07", &de), C(999999999999999.0, "999999999999999", &de),
          C(1.5e15, "1.5E+15", &en), C(1e100, "1E+100", &de), C(-0.0, "0", &de)})
        EXPECT_EQ(formatPlainDouble(value, *regional), shown) << value;
}

TEST(RegionalNumbers, ReadAsTheUserTypedThemAndTypingErrorsAreNoNumber) {
    // A misplaced group separator is no number, never a hundred times the amount ("1234.56"); a leading
    // zero group is no thousands group ("0.500" would be a thousand times "0,500"). Every short text is
    // checked against the grammar below; these are the longer ones.
    using C = std::tuple<const char*, std::optional<double>, const RegionalSettings*>;
    for (const auto& [text, value, regional] :
         {C("1e99999999999999999999", kInf, &de), C("-123.456,7", -123456.7, &de),
          C("1.234.567,", 1234567, &de), C("1,234,567.5", 1234567.5, &en)}) {
        const auto number = parseRegionalNumber(text, *regional);
        EXPECT_EQ(number ? std::optional(number->toDouble()) : std::nullopt, value) << '"' << text << '"';
    }
    // What the program writes reads back under both conventions.
    for (const RegionalSettings& regional : {de, en}) {
        for (const Money value :
             {Money::fromTicks(1), Money::fromTicks(-12345000), Money::fromTicks(kMaxTicks)}) {
            const auto number = parseRegionalNumber(formatNumber(value, kCell, regional), regional);
            EXPECT_EQ(number ? number->toMoney() : std::nullopt, value) << value.ticks();
        }
    }
}

// The amount grammar, written down once more independently of the reader: blanks, a sign, plain
// digits or groups of three after a first group of one to three digits that does not begin with 0,
// a decimal part, an exponent, blanks. At least one digit before the exponent.
std::regex amountGrammar(const RegionalSettings& r) {
    return std::regex("[ \\t\\r\\n]*([+-]?)(\\d*|[1-9]\\d{0,2}(?:\\" + r.groupSeparator + "\\d{3})+)(?:\\" +
                      r.decimalSeparator + "(\\d*))?(?:[eE]([+-]?\\d+))?[ \\t\\r\\n]*");
}

std::optional<double> valueByGrammar(const std::string& text, const RegionalSettings& r,
                                     const std::regex& grammar) {
    std::smatch m;
    if (!std::regex_match(text, m, grammar) || m[2].length() + m[3].length() == 0) return std::nullopt;
    std::string integer = m[2].length() ? m[2].str() : "0";
    integer.erase(std::remove(integer.begin(), integer.end(), r.groupSeparator[0]), integer.end());
    std::string plain = integer + "." + m[3].str() + "0";
    if (m[4].length()) plain += "e" + m[4].str();
    double value = 0;
    if (std::from_chars(plain.data(), plain.data() + plain.size(), value).ec ==
        std::errc::result_out_of_range)
        value = m[4].str().starts_with('-') ? 0.0 : kInf;
    return m[1] == "-" ? -value : value;
}

TEST(RegionalNumbers, EveryShortTextIsReadByTheGrammarOrRefused) {
    std::mt19937 random(15);
    const std::string alphabet = "0123456789001.,,.  +-eE\t";
    int accepted = 0;
    for (const RegionalSettings* r : {&de, &en}) {
        const std::regex grammar = amountGrammar(*r);
        for (int n = 0; n < 40000; ++n) {
            std::string text(random() % 10, ' ');
            for (char& c : text) c = alphabet[random() % alphabet.size()];
            const auto expected = valueByGrammar(text, *r, grammar);
            const auto number = parseRegionalNumber(text, *r);
            ASSERT_EQ(number.has_value(), expected.has_value()) << '"' << text << '"' << r->decimalSeparator;
            if (!expected) continue;
            ++accepted;
            ASSERT_EQ(number->toDouble(), *expected) << '"' << text << '"' << r->decimalSeparator;
        }
    }
    EXPECT_GT(accepted, 5000);  // the texts reach both sides of the grammar
}

TEST(Money, TextsRoundHalfToEvenAtTheFourthDecimalWithinRange) {
    using T = std::pair<const char*, std::optional<std::int64_t>>;
    for (const auto& [text, ticks] :
         {T("1,23455", 12346), T("1,234451", 12345), T("-1,23455", -12346), T("0,00005", 0),
          T("922.337.203.685.477,5807", kMaxTicks), T("922337203685477,58075", {}),
          T("-922337203685477,5808", kMinTicks), T("-922337203685477,5809", {}), T("1E15", {})}) {
        const auto money = parseRegionalNumber(text, de)->toMoney();
        EXPECT_EQ(money ? std::optional(money->ticks()) : std::nullopt, ticks) << text;
    }
}

TEST(NumberValue, ReadsSettingsTextsWithAFullStopWhateverTheLocale) {
    using C = std::pair<const char*, double>;
    for (const auto& [text, value] : {C("1000abc", 1000), C(" \t1 0\r\n0", 100), C("1,5", 1), C("- 2", -2),
                                      C("1d2", 100), C("1e999", 0), C("x100", 0)})
        EXPECT_EQ(numberValue(text), value) << '"' << text << '"';
}

// Scaled rates as the main window derives them from the list lines.
const std::optional<Money> EUR = Money::fromWhole(1000000);
const std::optional<Money> DEM = Money::fromWhole(1955830);
const std::optional<Money> FRF = Money::fromWhole(6559570);
const std::optional<Money> ITL = Money::fromWhole(1936270000);
const std::optional<Money> NONE;

struct Case {
    BerechnenInput input;
    std::optional<std::string> shown;  // empty: txtWert is left as it is
    bool formatMessage = false, english = false;
};

TEST(Berechnen, WorkedExamplesAndEveryWayToZero) {
    for (const Case& c :
         {Case{{"100", DEM, FRF, 1000, 100}, "335,38"}, Case{{"100", DEM, FRF, 10000, 100}, "335,39"},
          Case{{"1", EUR, DEM, 1000, 10000}, "1,9558"}, Case{{"100", DEM, EUR, 1000, 10000}, "51,1292"},
          Case{{"1000", DEM, ITL, 1000, 100}, "989.999,36"},
          Case{{"12,3456", DEM, DEM, 1000, 100}, "12,3456"},
          // Negative amounts are truncated toward zero after adding the half.
          Case{{"-100", DEM, EUR, 1000, 100}, "-51,12"},
          // The Euro input is rounded to the Euro decimals first (1,2344 -> 1,234).
          Case{{"1,2344", EUR, DEM, 1000, 10000}, "2,4135"},
          // Beyond the fixed-point range after scaling: 0 without a message.
          Case{{"1e400", DEM, EUR, 1000, 100}, "0,00"},
          // Without Euro decimals the Euro step fails and the result is 0.
          Case{{"100", DEM, FRF, 0, 100}, "0,00"},
          Case{{"1,000", DEM, ITL, 1000, 100}, "989,999.36", false, true},
          // No number (misplaced group separators included): the format message and 0.
          Case{{"", DEM, FRF, 1000, 1000}, "0,000", true},
          // An unknown result factor leaves txtWert untouched.
          Case{{"100", DEM, EUR, 1000, 250}, std::nullopt},
          // A side without a usable rate gives 0, never the amount itself (both sides "equal").
          Case{{"100", NONE, NONE, 1000, 1000}, "0,000"},
          // A missing or deleted currency gives 0.
          Case{{"100", DEM, FRF, 1000, 100, 1}, "0,00"}, Case{{"100", DEM, FRF, 1000, 100, 2}, "0,00"},
          Case{{"100", DEM, FRF, 1000, 100, 0, false, true}, "0,00"}}) {
        const auto outcome = Berechnen(c.input, c.english ? en : de);
        const int deleted = c.input.iGeloeschteWaehrung;
        EXPECT_EQ(outcome.wertText, c.shown) << c.input.betragText << " " << c.input.dStellen2;
        EXPECT_EQ(std::tuple(outcome.formatMessage, outcome.clearEingabe, outcome.clearAusgabe),
                  std::tuple(c.formatMessage, deleted == 1, deleted == 2))
            << c.input.betragText;
    }
}

TEST(ScaledRateToMoney, RoundsToSixDecimalsThenToTheFixedPoint) {
    // Six decimals first (…0000005 -> …000001), then ten-thousandths, ties to even.
    EXPECT_EQ(scaledRateToMoney(1.00005, de), Money::fromTicks(10000));
    EXPECT_EQ(scaledRateToMoney(1.00015, de), Money::fromTicks(10002));
    // A rate of 0, also one that is 0 only at six decimals, or one below 0 is no usable rate.
    for (const double unusable : {0.0, 0.00004, -1955830.0, -0.0001})
        EXPECT_EQ(scaledRateToMoney(unusable, de), std::nullopt) << unusable;
}

}  // namespace
}  // namespace kursomatik
