// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

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

TEST(PatternFormatting, RatesGridCellsAndResultsShowTheirDecimals) {
    struct Case {
        const char* pattern;
        double value;
        const char* shown;
        const RegionalSettings& regional = de;
    };
    for (const Case& c :
         {Case{"###.######", 1955830, "1955830,"},
          {"###.######", 0, ","},
          {"###.######", 0.5, ",5"},
          {"###.######", -5, "-5,"},
          {"###.######", 1955830.1234567, "1955830,123457"},
          {"###.######", 1.0000005, "1,000001"},
          {"###.######", 0.0000004, ","},
          {"######,##0.000000######", 1.95583, "1,955830"},
          {"######,##0.000000######", 1936.27, "1.936,270000"},
          {"######,##0.000000######", 0, "0,000000"},
          {"######,##0.000000######", 1234567.12345678, "1.234.567,12345678"},
          {"######,##0.000000######", 0.1234567891235, "0,123456789124"},
          {"###,####0.00#####", 989999.36, "989.999,36"},
          {"###,####0.00#####", 1000, "1.000,00"},
          {"###,####0.00#####", 1.23456789, "1,2345679"},
          // The double nearest 1.23456785 lies just below it; the reader sees ...85 and rounds up.
          {"###,####0.00#####", 1.23456785, "1,2345679"},
          {"###,####0.00#####", 999.99999995, "1.000,00"},
          // What rounds to zero has no sign.
          {"###,####0.00#####", -0.00000004, "0,00"},
          {"###,####0.00#####", -0.0, "0,00"},
          {"###,####0.000####", 1.5, "1,500"},
          {"###,####0.000####", 335.385, "335,385"},
          {"###,####0.0000###", -1234.5, "-1.234,5000"},
          {"###,####0.0000###", 0.00000005, "0,0000001"},
          {"###,####0.00#####", 1234567.5, "1,234,567.50", en},
          {"#,##0.00", 2.675, "2,68"},
          {"#,##0.00", -2.675, "-2,68"},
          {"#,##0.00", 1.004999, "1,00"},
          // Beyond 2^53 the shortest form has fewer digits than the exact binary value.
          {"###,####0.00#####", 1234567890123456789.0, "1.234.567.890.123.456.800,00"}}) {
        EXPECT_EQ(formatNumber(c.value, c.pattern, c.regional), c.shown) << c.value << " " << c.pattern;
    }
    EXPECT_EQ(formatNumber(Money::fromTicks(-5), "###,####0.00#####", de), "-0,0005");
    EXPECT_EQ(formatNumber(Money::fromTicks(kMinTicks), "###,####0.00#####", de),
              "-922.337.203.685.477,5808");
}

TEST(PlainDouble, ShowsUpToFifteenSignificantDigitsWithoutTrailingZeros) {
    for (const auto& [value, shown] : std::initializer_list<std::pair<double, const char*>>{
             {1.95583, "1,95583"},
             {1, "1"},
             {-0.0, "0"},
             {0.1 + 0.2, "0,3"},
             {2.0 / 3, "0,666666666666667"},
             {123456789012345.0, "123456789012345"},
             {0.0001, "0,0001"},
             {0.00001, "1E-05"},
             {-0.000015, "-1,5E-05"},
             {1e15, "1E+15"},
             {1.5e15, "1,5E+15"},
             {1e-100, "1E-100"},
             {999999999999999.9, "1E+15"},
             {12345678901234567.0, "1,23456789012346E+16"},
             // The double nearest to -9876543210987654321 is -9876543210987655168, hence ...766.
             {-9876543210987654321.0, "-9,87654321098766E+18"}}) {
        EXPECT_EQ(formatPlainDouble(value, de), shown) << value;
    }
    EXPECT_EQ(formatPlainDouble(1.95583, en), "1.95583");
}

TEST(RegionalNumbers, ReadAsTheUserTypedThemAndTypingErrorsAreNoNumber) {
    struct Case {
        const char* text;
        std::optional<double> value;  // empty: no number
        const RegionalSettings& regional = de;
    };
    // A misplaced group separator is no number, never a hundred times the amount ("1234.56").
    for (const Case& c : {Case{"1,5", 1.5},
                          {"1955830,", 1955830},
                          {",5", 0.5},
                          {"1E3", 1000},
                          {" \t-1,5  ", -1.5},
                          {"1e400", kInf},
                          {"1e99999999999999999999", kInf},
                          {"1.234,56", 1234.56},
                          {"1.234.567", 1234567},
                          {"-123.456,7", -123456.7},
                          {"1.234E3", 1234000},
                          {"1.234,", 1234},
                          {"0E", {}},
                          {"E3", {}},
                          {"", {}},
                          {"-", {}},
                          {",", {}},
                          {"1 000", {}},
                          {"12a", {}},
                          {"1,5 E3", {}},
                          {"1,2,3", {}},
                          {"1234.56", {}},
                          {"1.5", {}},
                          {"1.23", {}},
                          {"1.2345", {}},
                          {"1.234.56", {}},
                          {"1234.567", {}},
                          {"1..234", {}},
                          {".123", {}},
                          {"1.", {}},
                          {"1.234.", {}},
                          {"-.123", {}},
                          {"1,234.567", {}},
                          {"1.5", 1.5, en},
                          {"1,234.56", 1234.56, en},
                          {"1955830.", 1955830, en},
                          {".5", 0.5, en},
                          {"1234,56", {}, en},
                          {"1,23", {}, en},
                          {"1,,234", {}, en},
                          {",123", {}, en}}) {
        const auto number = parseRegionalNumber(c.text, c.regional);
        EXPECT_EQ(number ? std::optional(number->toDouble()) : std::nullopt, c.value) << '"' << c.text << '"';
    }
}

TEST(RegionalNumbers, WhatTheProgramWritesReadsBackUnderBothConventions) {
    for (const RegionalSettings& regional : {de, en}) {
        for (const Money value :
             {Money::fromWhole(1955830), Money::fromTicks(1234567800), Money::fromTicks(1),
              Money::fromTicks(-12345000), Money::fromTicks(kMaxTicks)}) {
            for (const char* pattern : {"0.####", "######,##0.000000######", "###,####0.0000###"}) {
                const std::string text = formatNumber(value, pattern, regional);
                const auto number = parseRegionalNumber(text, regional);
                EXPECT_EQ(number ? number->toMoney() : std::nullopt, value) << text;
            }
        }
    }
}

TEST(Money, TextsAndDoublesRoundHalfToEvenAtTheFourthDecimalWithinRange) {
    for (const auto& [text, ticks] :
         std::initializer_list<std::pair<const char*, std::optional<std::int64_t>>>{
             {"1,23455", 12346},
             {"1,23445", 12344},
             {"1,234451", 12345},
             {"-1,23455", -12346},
             {"0,00005", 0},
             {"0,00015", 2},
             {"0,000051", 1},
             {"99999,99995", 1000000000},
             {"922.337.203.685.477,5807", kMaxTicks},
             {"922337203685477,58075", {}},
             {"922337203685477,5808", {}},
             {"-922337203685477,5808", kMinTicks},
             {"-922337203685477,5809", {}},
             {"1E15", {}}}) {
        const auto money = parseRegionalNumber(text, de)->toMoney();
        EXPECT_EQ(money ? std::optional(money->ticks()) : std::nullopt, ticks) << text;
    }
    // Each product with 10,000 is an exact tie or an exact integer as a double.
    for (const auto& [value, ticks] : std::initializer_list<std::pair<double, std::optional<std::int64_t>>>{
             {0.00005, 0},
             {0.00025, 2},
             {1.23455, 12346},
             {-1.23455, -12346},
             {9.2e14, 9200000000000000000},
             {-9.2e14, -9200000000000000000},
             {1e15, {}},
             {std::nan(""), {}},
             {kInf, {}}}) {
        const auto money = Money::fromDouble(value);
        EXPECT_EQ(money ? std::optional(money->ticks()) : std::nullopt, ticks) << value;
    }
    EXPECT_EQ(Money::fromTicks(123456).toDouble(), 12.3456);
}

TEST(NumberValue, ReadsSettingsTextsWithAFullStopWhateverTheLocale) {
    for (const auto& [text, value] : std::initializer_list<std::pair<const char*, double>>{{"1000abc", 1000},
                                                                                           {"", 0},
                                                                                           {"abc", 0},
                                                                                           {" 1 000 ", 1000},
                                                                                           {"1.5", 1.5},
                                                                                           {"1,5", 1},
                                                                                           {"1.5.3", 1.5},
                                                                                           {"- 2", -2},
                                                                                           {"+7", 7},
                                                                                           {"1e3", 1000},
                                                                                           {"1E-2", 0.01},
                                                                                           {"1e", 1},
                                                                                           {".5", 0.5},
                                                                                           {"\t100\r\n", 100},
                                                                                           {"-", 0},
                                                                                           {".", 0},
                                                                                           {"x100", 0}}) {
        EXPECT_EQ(numberValue(text), value) << '"' << text << '"';
    }
}

}  // namespace
}  // namespace kursomatik
