// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/Collation.h"
#include "platform/RegionalSettings.h"
#include "platform/Utf8.h"
#include "store/CurrencyLists.h"
#include "store/ListLine.h"
#include "store/RateCodec.h"
#include "tests/store/RecordBuilder.h"

namespace kursomatik {
namespace {

using testing::makeRecord;
const RegionalSettings de = RegionalSettings::german();
const RegionalSettings en = RegionalSettings::english();

TEST(ListLine, FieldsStandAtTheirColumnsCountedInCharactersAndReadBack) {
    const std::string line =
        buildListLine(makeRecord("Österreichischer Schilling", "ATS", "13760300", "1", "01.01.1999"), 12);
    const auto pad = [](std::string text, std::size_t width) {
        return text + std::string(width - utf8::length(text), ' ');
    };
    EXPECT_EQ(line, pad("Österreichischer Schilling", 41) + pad("13760300", 41) + pad("ATS", 41) +
                        pad("1", 8) + pad("01.01.1999", 21) + "12");
    EXPECT_EQ(lineKurs(line), pad("13760300", 40));
    EXPECT_EQ(lineIso(line), pad("ATS", 12));
    const ShownLines shown = shownLines({line, buildListLine(makeRecord("Euro", "", "1000000"), 1)});
    EXPECT_EQ(shown.names, (std::vector<std::string>{"Österreichischer Schilling", "Euro"}));
    EXPECT_EQ(shown.spoken, (std::vector<std::string>{"Österreichischer Schilling, ATS", "Euro"}));
    // Only three characters are read, so from 1000 on the number comes back cut.
    for (const auto& [number, length, read] : std::initializer_list<std::tuple<long, std::size_t, long>>{
             {9, 153, 9}, {10, 154, 10}, {999, 155, 999}, {1000, 156, 0}, {1234, 156, 234}}) {
        const std::string numbered = buildListLine(makeRecord("Euro", "EUR", "1000000"), number);
        EXPECT_EQ(utf8::length(numbered), length) << number;
        EXPECT_EQ(lineRecordNumber(numbered), read) << number;
    }
    EXPECT_EQ(lineRecordNumber("Zeile  7"), 7);
    EXPECT_EQ(lineRecordNumber("Zeile x7"), std::nullopt);
    EXPECT_EQ(lineRecordNumber("Zeile   "), std::nullopt);
}

TEST(GridRateCell, ShowsUnitsPerEuroWithSixToTwelveDecimals) {
    for (const auto& [kurs, shown] :
         std::initializer_list<std::pair<const char*, const char*>>{{"1955830", "1,955830"},
                                                                    {"1936270000  ", "1.936,270000"},
                                                                    {"123456,78", "0,12345678"},
                                                                    {"0", "0,000000"},
                                                                    {"viel", ""},
                                                                    {"", ""},
                                                                    {"99999999999999999999999", ""}}) {
        EXPECT_EQ(gridRateCell(kurs, de), shown) << kurs;
    }
}

// Lists are sorted as they are filled, grid rows by keys, sorts by comparisons: all one order.
TEST(ListOrder, SortedListsGridKeysAndComparisonsAgree) {
    std::vector<std::string> lines;
    long number = 1;
    for (const char* name :
         {"Zloty", "euro", "Euro", "EURO", "100", "Ärger", "Arger", "20", "", "Euro", "Österreich", "Ostmark",
          "-5", "1.000", "20,5", "Dänische Krone", "Deutsche Mark", "\x01"}) {
        lines.push_back(buildListLine(makeRecord(name, "ISO", std::to_string(30 - number)), number));
        ++number;
    }
    SortedLines text, generic;
    for (const auto& line : lines) {
        text.add(line, collationKey(lineName(line)));
        generic.add(line, genericNameKey(lineName(line), de));
    }
    auto sortedBy = [&](auto compare) {
        std::vector<std::string> sorted = lines;
        std::stable_sort(sorted.begin(), sorted.end(),
                         [&](const auto& a, const auto& b) { return compare(a, b) < 0; });
        return sorted;
    };
    EXPECT_EQ(text.lines(), sortedBy([](const auto& a, const auto& b) { return compareListLines(a, b); }));
    EXPECT_EQ(generic.lines(),
              sortedBy([](const auto& a, const auto& b) { return compareListLinesGeneric(a, b, de); }));
    std::vector<std::string> names;
    for (const auto& line : text.lines()) names.emplace_back(utf8::trimSpaces(lineName(line)));
    EXPECT_EQ(std::vector<std::string>(names.begin() + 9, names.begin() + 15),
              (std::vector<std::string>{"Dänische Krone", "Deutsche Mark", "EURO", "Euro", "Euro", "euro"}));
    std::vector<std::string> ordered = {"", "-5", "20", "20,5", "100", "1.000", "Dollar"};
    for (std::size_t i = 1; i < ordered.size(); ++i) {
        EXPECT_LT(genericNameKey(ordered[i - 1], de), genericNameKey(ordered[i], de)) << ordered[i];
    }
}

TEST(RateCodec, WritesTheScaledRateWithoutGroupingAndReadsItBack) {
    // The product is rounded to ten-thousandths, ties to the even neighbour.
    for (const auto& [rate, kurs] :
         std::initializer_list<std::pair<double, const char*>>{{1.95583, "1955830"},
                                                               {1, "1000000"},
                                                               {0, "0"},
                                                               {1936.27, "1936270000"},
                                                               {0.12345678, "123456,78"},
                                                               {922337203.6, "922337203600000"},
                                                               {0.12345678915, "123456,7892"},
                                                               {2.5e-10, "0,0002"},
                                                               {3.5e-10, "0,0004"},
                                                               {5e-11, "0"}}) {
        const auto text = encodeRate(rate, de);
        EXPECT_EQ(text ? *text : text.error(), kurs) << rate;
        EXPECT_NEAR(decodeRate(kurs, de).value_or(-1), rate, 1e-10) << kurs;
    }
    EXPECT_EQ(*encodeRate(0.12345678, en), "123456.78");
    for (const double rate : {922337204.0, -1e13, std::numeric_limits<double>::infinity(), std::nan("")})
        EXPECT_EQ(encodeRate(rate, de).error(), "Der Kurs ist zu groß, um gespeichert zu werden.") << rate;
    // A decimal comma under English conventions is a misplaced group separator: no rate at all.
    for (const auto& [kurs, regional, rate] :
         std::initializer_list<std::tuple<const char*, RegionalSettings, std::optional<double>>>{
             {"1955830                                 ", de, 1.95583},
             {"1.936.270.000", de, 1936.27},
             {"123456.78", en, 0.12345678},
             {"123456,78", en, {}},
             {"          ", de, {}},
             {"abc", de, {}},
             {"99999999999999999999", de, {}}}) {
        EXPECT_EQ(decodeRate(kurs, regional), rate) << '"' << kurs << '"';
    }
}

}  // namespace
}  // namespace kursomatik
