#include "RateCodec.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

#include "RegionalSettings.h"

namespace kursomatik {
namespace {

TEST(RateEncoding, WritesTheScaledRateWithoutGroupingAndOnlyNeededDecimals) {
    struct Case {
        double rate;
        const char* kurs;
    };
    const auto german = RegionalSettings::german();
    for (const auto& c : {Case{1.95583, "1955830"},
                          {0.787564, "787564"},
                          {1, "1000000"},
                          {0, "0"},
                          {1936.27, "1936270000"},
                          {0.12345678, "123456,78"},
                          {0.1234567891, "123456,7891"},
                          {922337203.6, "922337203600000"},
                          // The product is rounded to ten-thousandths, ties to the even neighbour.
                          {0.12345678915, "123456,7892"},
                          {2.5e-10, "0,0002"},
                          {3.5e-10, "0,0004"},
                          {5e-11, "0"}}) {
        const auto text = encodeRate(c.rate, german);
        ASSERT_TRUE(text) << text.error();
        EXPECT_EQ(*text, c.kurs) << c.rate;
    }
    EXPECT_EQ(*encodeRate(0.12345678, RegionalSettings::english()), "123456.78");
    EXPECT_EQ(*encodeRate(1.95583, RegionalSettings::english()), "1955830");
}

TEST(RateEncoding, RefusesARateTooLargeInsteadOfStoringAnotherValue) {
    for (const double rate :
         {922337204.0, 1e13, -1e13, std::numeric_limits<double>::infinity(), std::nan("")}) {
        const auto text = encodeRate(rate, RegionalSettings::german());
        EXPECT_FALSE(text) << rate << " stored as " << (text ? *text : "");
        EXPECT_FALSE(text.error().empty());
    }
}

TEST(RateDecoding, ReadsTheTrimmedFieldByTheRegionalConventions) {
    struct Case {
        const char* kurs;
        bool english;
        std::optional<double> rate;
    };
    for (const auto& c : {Case{"1955830                                 ", false, 1.95583},
                          {"   787564   ", false, 0.787564},
                          {"0", false, 0.0},
                          {"123456,78", false, 0.12345678},
                          {"1.936.270.000", false, 1936.27},
                          {"123456.78", true, 0.12345678},
                          // A decimal comma under English conventions is a misplaced group separator:
                          // no rate at all, never one a hundred times too large.
                          {"123456,78", true, std::nullopt},
                          {"", false, std::nullopt},
                          {"          ", false, std::nullopt},
                          {"abc", false, std::nullopt},
                          {"99999999999999999999", false, std::nullopt}}) {
        const auto rate =
            decodeRate(c.kurs, c.english ? RegionalSettings::english() : RegionalSettings::german());
        ASSERT_EQ(rate.has_value(), c.rate.has_value()) << '"' << c.kurs << '"';
        if (c.rate) {
            EXPECT_EQ(*rate, *c.rate) << '"' << c.kurs << '"';
        }
    }
}

TEST(RateCodec, StoredRatesReadBackAsTheSameRate) {
    const auto german = RegionalSettings::german();
    for (const double rate : {1.95583, 6.55957, 1936.27, 166.386, 40.3399, 0.787564, 0.585274, 185.27, 1.1794,
                              0.12345678, 0.1234567891, 922337203.6}) {
        const auto text = encodeRate(rate, german);
        ASSERT_TRUE(text) << rate;
        const auto back = decodeRate(*text, german);
        ASSERT_TRUE(back) << *text;
        EXPECT_DOUBLE_EQ(*back, rate) << *text;
    }
}

}  // namespace
}  // namespace kursomatik
