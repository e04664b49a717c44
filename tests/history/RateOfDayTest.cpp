// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/RateOfDay.h"

#include <gtest/gtest.h>

#include <sstream>

#include "history/PairHistory.h"
#include "tests/support/TempDir.h"

namespace kursomatik {
namespace {

using testsupport::TempDir;

// Publications around a holiday gap (24 and 27 December 2018), the first and the last day, and SIT up
// to its fixing.
const std::string kCsv =
    "Date,USD,SIT,\n"
    "2020-01-03,1.1200,N/A,\n"
    "2018-12-27,1.1384,N/A,\n"
    "2018-12-24,1.1414,N/A,\n"
    "2007-01-02,1.3270,N/A,\n"
    "2006-12-29,1.3170,239.6400,\n"
    "2006-12-28,1.3178,239.6500,\n"
    "1999-01-04,1.1789,189.0450,\n";

HistoryStore filled(const TempDir& dir) {
    auto store = HistoryStore::openForImport(dir / "KURSVERLAUF.DB");
    EXPECT_TRUE(store) << store.error();
    EXPECT_TRUE((*store).import(*parseReferenceHistory(kCsv, "test.csv")));
    return std::move(*store);
}

// The rule's answer as text: "15.03.2019 1.1317", "fest", "Euro" or "keiner".
std::string answer(const HistoryStore& store, const std::string& code, const CivilDate& day) {
    const auto rate = rateOfDay(store, code, day);
    if (!rate) return rate.error();
    if (!*rate) return "keiner";
    if ((*rate)->kind == DayRate::Kind::Euro) return "Euro";
    if ((*rate)->kind == DayRate::Kind::Fixed) return "fest";
    std::ostringstream text;
    text << formatShortDate((*rate)->published, "dd.MM.yyyy") << ' ' << (*rate)->rate.toDouble();
    return text.str();
}

TEST(RateOfDay, ADayWithoutPublicationTakesTheLastRateAtMostFourDaysBack) {
    TempDir dir;
    const HistoryStore store = filled(dir);
    for (const auto& [code, day, expected] :
         std::initializer_list<std::tuple<const char*, CivilDate, std::string>>{
             {"USD", {2018, 12, 26}, "24.12.2018 1.1414"},  // the Christmas holidays
             {"USD", {1999, 1, 4}, "04.01.1999 1.1789"},    // the first day
             {"USD", {1999, 1, 3}, "keiner"},               // before it
             {"USD", {2020, 1, 7}, "03.01.2020 1.12"},      // four days back
             {"USD", {2020, 1, 8}, "keiner"},               // five
             {"EUR", {1990, 1, 1}, "Euro"},
             // A member is fixed from its fixing day on.
             {"SIT", {2007, 1, 1}, "fest"},
         }) {
        EXPECT_EQ(answer(store, code, day), expected) << code << " " << formatShortDate(day, "yyyy-MM-dd");
    }
}

TEST(RateOfDay, TheCrossSeriesJoinsBothCurrenciesAndTheFixedRateFromItsDay) {
    TempDir dir;
    const HistoryStore store = filled(dir);
    using Case = std::tuple<const char*, const char*, CivilDate, CivilDate, std::string>;
    for (const auto& [from, to, first, last, expected] : std::initializer_list<Case>{
             {"USD", "EUR", {2018, 12, 24}, {2018, 12, 31}, "2018-12-24=0.876117 2018-12-27=0.878426 "},
             // SIT floats up to 29 December 2006 and holds 239.640 from 1 January 2007.
             {"SIT",
              "USD",
              {2006, 12, 28},
              {2007, 1, 2},
              "2006-12-28=0.00549885 2006-12-29=0.00549574 2007-01-02=0.00553747 "},
             {"DEM", "FRF", {2019, 1, 1}, {2020, 12, 31}, ""},  // no day of publication of either
         }) {
        const auto series = crossSeries(store, from, to, first, last, 239.64, std::nullopt);
        ASSERT_TRUE(series) << series.error();
        std::ostringstream text;
        for (const CrossRate& rate : *series)
            text << formatShortDate(rate.day, "yyyy-MM-dd") << '=' << rate.rate << ' ';
        EXPECT_EQ(text.str(), expected) << from << " " << to;
    }
}

// A month back from the last of March ends on the last of February, in a leap year too.
TEST(ChartRanges, AMonthBackEndsOnTheLastDayOfAShorterMonth) {
    for (const int year : {2019, 2020}) {
        const int leap = year == 2020 ? 1 : 0;
        const std::vector<CrossRate> points{
            {{year, 2, 27}, 1.0}, {{year, 2, 28 + leap}, 1.0}, {{year, 3, 1}, 1.0}, {{year, 3, 31}, 1.0}};
        EXPECT_EQ(rangeOf(points, ChartRange::Month).first, 1u) << year;
    }
}

// A pair's rate shows six significant digits, and no decimals from 100000 up (old Turkish lira per Euro).
TEST(CrossRates, ShowSixSignificantDigits) {
    using C = std::pair<double, const char*>;
    for (const auto& [rate, shown] : {C(0.848248, "0,848248"), C(0.000123456789, "0,000123457"),
                                      C(1.1317, "1,1317"), C(123456.7, "123457"), C(1953254.4, "1953254")})
        EXPECT_EQ(crossRateText(rate, RegionalSettings::german()), shown) << rate;
}

}  // namespace
}  // namespace kursomatik
