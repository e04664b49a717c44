#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <optional>

#include "DecimalNumber.h"
#include "NumberFormat.h"
#include "NumberValue.h"
#include "RegionalSettings.h"

namespace kursomatik {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr auto kNoNumber = std::nullopt;

struct ParseCase {
    const char* text;
    std::optional<double> value;  // empty: no number
};

void expectParsed(const RegionalSettings& regional, std::initializer_list<ParseCase> cases) {
    for (const auto& c : cases) {
        const auto number = parseRegionalNumber(c.text, regional);
        ASSERT_EQ(number.has_value(), c.value.has_value()) << '"' << c.text << '"';
        if (c.value) {
            EXPECT_EQ(number->toDouble(), *c.value) << '"' << c.text << '"';
        }
    }
}

TEST(RegionalNumbers, GermanTextsReadAsTheUserTypedThem) {
    expectParsed(RegionalSettings::german(), {{"1,5", 1.5},
                                              {"1955830,", 1955830},
                                              {",5", 0.5},
                                              {"1E3", 1000},
                                              {" \t-1,5  ", -1.5},
                                              {"-0", 0},
                                              {"1e400", kInf},
                                              {"1e99999999999999999999", kInf}});
}

TEST(RegionalNumbers, TypingErrorsAreNoNumber) {
    for (const char* text : {"0E", "E3", "", "   ", "-", ",", "1 000", "12a", "1,5 E3", "1,2,3"}) {
        EXPECT_FALSE(parseRegionalNumber(text, RegionalSettings::german())) << '"' << text << '"';
    }
}

TEST(RegionalNumbers, GroupSeparatorsCountOnlyBetweenGroupsOfThreeDigits) {
    // A misplaced group separator is no number, never a hundred times the amount ("1234.56").
    expectParsed(RegionalSettings::german(), {{"1.234,56", 1234.56},
                                              {"1.234.567", 1234567},
                                              {"12.345", 12345},
                                              {"-123.456,7", -123456.7},
                                              {"1.000.000,25", 1000000.25},
                                              {"1.234E3", 1234000},
                                              {"1.234,", 1234},
                                              {"1234.56", kNoNumber},
                                              {"1.5", kNoNumber},
                                              {"1.23", kNoNumber},
                                              {"1.2345", kNoNumber},
                                              {"1.234.56", kNoNumber},
                                              {"1234.567", kNoNumber},
                                              {"1..2", kNoNumber},
                                              {"1..234", kNoNumber},
                                              {".5", kNoNumber},
                                              {".123", kNoNumber},
                                              {"1.", kNoNumber},
                                              {"1.234.", kNoNumber},
                                              {"-.123", kNoNumber},
                                              {"1,234.567", kNoNumber},
                                              {"1,2.3", kNoNumber}});
    expectParsed(RegionalSettings::english(), {{"1.5", 1.5},
                                               {"1,234.56", 1234.56},
                                               {"1,234,567", 1234567},
                                               {"1955830.", 1955830},
                                               {".5", 0.5},
                                               {"1234,56", kNoNumber},
                                               {"1,5", kNoNumber},
                                               {"1,23", kNoNumber},
                                               {"1,,234", kNoNumber},
                                               {",123", kNoNumber},
                                               {"1.000,25", kNoNumber}});
}

TEST(RegionalNumbers, WhatTheProgramWritesReadsBackUnderBothConventions) {
    // Stored rates are written without grouping, grid cells and results with it.
    for (const RegionalSettings& regional : {RegionalSettings::german(), RegionalSettings::english()}) {
        for (const Money value : {Money::fromWhole(1955830), Money::fromWhole(1936270000),
                                  Money::fromTicks(1234567800), Money::fromTicks(1), Money::fromTicks(-12345000),
                                  Money::fromTicks(std::numeric_limits<std::int64_t>::max())}) {
            for (const char* pattern : {"0.####", "######,##0.000000######", "###,####0.0000###"}) {
                const std::string text = formatNumber(value, pattern, regional);
                const auto number = parseRegionalNumber(text, regional);
                ASSERT_TRUE(number) << text;
                EXPECT_EQ(number->toMoney(), value) << text;
            }
        }
    }
}

constexpr std::int64_t kMaxTicks = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMinTicks = std::numeric_limits<std::int64_t>::min();

struct TicksCase {
    const char* text;  // German conventions
    std::optional<std::int64_t> ticks;
};

TEST(DecimalToMoney, RoundsHalfToEvenAtTheFourthDecimalWithinRange) {
    for (const auto& c : {TicksCase{"1,23455", 12346},
                          {"1,23445", 12344},
                          {"1,234451", 12345},
                          {"-1,23455", -12346},
                          {"0,00005", 0},
                          {"0,00015", 2},
                          {"0,000051", 1},
                          {"0,0000001", 0},
                          {"99999,99995", 1000000000},
                          {"922.337.203.685.477,5807", kMaxTicks},
                          {"922337203685477,58075", std::nullopt},
                          {"922337203685477,5808", std::nullopt},
                          {"-922337203685477,5808", kMinTicks},
                          {"-922337203685477,5809", std::nullopt},
                          {"1E15", std::nullopt},
                          {"99999999999999999999", std::nullopt}}) {
        const auto number = parseRegionalNumber(c.text, RegionalSettings::german());
        ASSERT_TRUE(number) << c.text;
        const auto money = number->toMoney();
        ASSERT_EQ(money.has_value(), c.ticks.has_value()) << c.text;
        if (c.ticks) {
            EXPECT_EQ(money->ticks(), *c.ticks) << c.text;
        }
    }
}

struct DoubleTicksCase {
    double value;
    std::optional<std::int64_t> ticks;
};

TEST(MoneyFromDouble, MultipliesThenRoundsTiesToEvenAndRefusesWhatDoesNotFit) {
    // Each product with 10,000 is an exact tie or an exact integer as a double.
    for (const auto& c : {DoubleTicksCase{0.00005, 0},
                          {0.00025, 2},
                          {1.23455, 12346},
                          {-1.23455, -12346},
                          {9.2e14, 9200000000000000000},
                          {-9.2e14, -9200000000000000000},
                          {1e15, std::nullopt},
                          {std::nan(""), std::nullopt},
                          {kInf, std::nullopt}}) {
        const auto money = Money::fromDouble(c.value);
        ASSERT_EQ(money.has_value(), c.ticks.has_value()) << c.value;
        if (c.ticks) {
            EXPECT_EQ(money->ticks(), *c.ticks) << c.value;
        }
    }
    EXPECT_EQ(Money::fromTicks(123456).toDouble(), 12.3456);
}

TEST(NumberValue, ReadsSettingsTextsWithAFullStopWhateverTheLocale) {
    struct Case {
        const char* text;
        double value;
    };
    for (const auto& c :
         {Case{"1000abc", 1000}, {"250", 250},       {"10000", 10000}, {"", 0},        {"abc", 0},
          {" 1 000 ", 1000},     {"1.5", 1.5},       {"1,5", 1},       {"1.5.3", 1.5}, {"-2", -2},
          {"- 2", -2},           {"+7", 7},          {"1e3", 1000},    {"1E-2", 0.01}, {"1e", 1},
          {".5", 0.5},           {"\t100\r\n", 100}, {"-", 0},         {".", 0},       {"x100", 0}}) {
        EXPECT_EQ(numberValue(c.text), c.value) << '"' << c.text << '"';
    }
}

}  // namespace
}  // namespace kursomatik
