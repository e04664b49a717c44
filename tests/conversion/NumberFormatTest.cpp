#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>

#include "NumberFormat.h"
#include "RegionalSettings.h"

namespace kursomatik {
namespace {

constexpr const char* kRate = "###.######";
constexpr const char* kGridRate = "######,##0.000000######";
constexpr const char* kTwo = "###,####0.00#####";
constexpr const char* kThree = "###,####0.000####";
constexpr const char* kFour = "###,####0.0000###";

struct FormatCase {
    double value;
    const char* shown;
};

void expectFormatted(const char* pattern, const RegionalSettings& regional,
                     std::initializer_list<FormatCase> cases) {
    for (const auto& c : cases)
        EXPECT_EQ(formatNumber(c.value, pattern, regional), c.shown) << c.value << " " << pattern;
}

TEST(PatternFormatting, ListRateWritesTheSeparatorEvenWithoutDecimals) {
    expectFormatted(kRate, RegionalSettings::german(),
                    {{1955830, "1955830,"},
                     {0, ","},
                     {0.5, ",5"},
                     {1234567.5, "1234567,5"},
                     {-5, "-5,"},
                     {1955830.1234567, "1955830,123457"},
                     {1.0000005, "1,000001"},
                     {0.0000004, ","}});
}

TEST(PatternFormatting, GridRateShowsSixToTwelveDecimals) {
    expectFormatted(kGridRate, RegionalSettings::german(),
                    {{1.95583, "1,955830"},
                     {1936.27, "1.936,270000"},
                     {0.787564, "0,787564"},
                     {0, "0,000000"},
                     {1234567.12345678, "1.234.567,12345678"},
                     {0.1234567891234, "0,123456789123"},
                     {0.1234567891235, "0,123456789124"}});
}

TEST(PatternFormatting, ResultsShowTheMinimumDecimalsAndAtMostSeven) {
    const auto german = RegionalSettings::german();
    expectFormatted(kTwo, german,
                    {{0, "0,00"},
                     {989999.36, "989.999,36"},
                     {1234567.5, "1.234.567,50"},
                     {1000, "1.000,00"},
                     {1.23456789, "1,2345679"},
                     // The double nearest 1.23456785 lies just below it; the reader sees ...85 and rounds up.
                     {1.23456785, "1,2345679"},
                     {999.99999995, "1.000,00"},
                     // What rounds to zero has no sign.
                     {-0.00000004, "0,00"},
                     {-0.0, "0,00"}});
    expectFormatted(kThree, german,
                    {{1.5, "1,500"}, {1.9558, "1,9558"}, {1000, "1.000,000"}, {335.385, "335,385"}});
    expectFormatted(
        kFour, german,
        {{1, "1,0000"}, {51.1292, "51,1292"}, {-1234.5, "-1.234,5000"}, {0.00000005, "0,0000001"}});
    expectFormatted(kTwo, RegionalSettings::english(), {{1234567.5, "1,234,567.50"}});
}

TEST(PatternFormatting, LastDecimalRoundsHalfAwayFromZeroOnTheShortestForm) {
    expectFormatted("#,##0.00", RegionalSettings::german(),
                    {{2.675, "2,68"}, {-2.675, "-2,68"}, {1.005, "1,01"}, {1.004999, "1,00"}});
}

// Beyond 2^53 the shortest form has fewer digits than the exact binary value.
TEST(PatternFormatting, LargeValuesUseTheirShortestForm) {
    expectFormatted(kTwo, RegionalSettings::german(),
                    {{1234567890123456789.0, "1.234.567.890.123.456.800,00"}});
}

TEST(PatternFormatting, MoneyValuesShowTheirFourDecimals) {
    const auto german = RegionalSettings::german();
    EXPECT_EQ(formatNumber(Money::fromTicks(123456), kTwo, german), "12,3456");
    EXPECT_EQ(formatNumber(Money::fromTicks(-5), kTwo, german), "-0,0005");
    EXPECT_EQ(formatNumber(Money::fromTicks(INT64_MIN), kTwo, german), "-922.337.203.685.477,5808");
}

void expectPlain(std::initializer_list<FormatCase> cases) {
    for (const auto& c : cases)
        EXPECT_EQ(formatPlainDouble(c.value, RegionalSettings::german()), c.shown) << c.value;
}

TEST(PlainDouble, ShowsUpToFifteenSignificantDigitsWithoutTrailingZeros) {
    expectPlain({{1.95583, "1,95583"},
                 {1, "1"},
                 {0, "0"},
                 {-0.0, "0"},
                 {-2.5, "-2,5"},
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
                 {12345678901234567.0, "1,23456789012346E+16"}});
    EXPECT_EQ(formatPlainDouble(1.95583, RegionalSettings::english()), "1.95583");
}

TEST(PlainDouble, LargeValuesKeepFifteenSignificantDigits) {
    expectPlain(
        // The double nearest to -9876543210987654321 is -9876543210987655168, hence ...766.
        {{1234567890123456789.0, "1,23456789012346E+18"}, {-9876543210987654321.0, "-9,87654321098766E+18"}});
}

}  // namespace
}  // namespace kursomatik
