// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/Collation.h"
#include "platform/RegionalSettings.h"
#include "platform/Utf8.h"
#include "store/CurrencyLists.h"
#include "store/CurrencyRecord.h"
#include "store/ListLine.h"
#include "tests/store/RecordBuilder.h"

namespace kursomatik {
namespace {

using testsupport::makeRecord;
const RegionalSettings de = RegionalSettings::german();
const RegionalSettings en = RegionalSettings::english();

TEST(ListLine, FieldsStandAtTheirColumnsCountedInCharactersAndTheEntryKeepsWhatItWasMadeFrom) {
    const CurrencyRecord record =
        makeRecord("Österreichischer Schilling", "ATS", "13760300", "1", "01.01.1999");
    const CurrencyEntry entry = currencyEntry(record, 1234, de);
    const auto pad = [](std::string text, std::size_t width) {
        return text + std::string(width - utf8::length(text), ' ');
    };
    // A record number from 1000 on still forms a whole line.
    EXPECT_EQ(entry.line, pad("Österreichischer Schilling", 41) + pad("13760300", 41) + pad("ATS", 41) +
                              pad("1", 8) + pad("01.01.1999", 21) + "1234");
    EXPECT_EQ(
        entry.isoShown() + "|" + entry.name() + "|" + entry.spoken() + "|" + std::to_string(*entry.rate),
        pad("ATS", 12) + "|Österreichischer Schilling|Österreichischer Schilling, ATS|13760300.000000");
    const CurrencyEntry nameless = currencyEntry(makeRecord("Euro", "", "viel"), 1, de);
    EXPECT_TRUE(nameless.spoken() == "Euro" && !nameless.rate);
}

// Lists are sorted as they are filled, grid rows by keys, sorts by comparisons: all one order.
TEST(ListOrder, SortedListsGridKeysAndComparisonsAgree) {
    std::vector<std::string> lines;
    for (const char* name :
         {"Zloty", "euro", "Euro", "EURO", "100", "Ärger", "Arger", "20", "", "Euro", "Österreich", "Ostmark",
          "-5", "1.000", "20,5", "Dänische Krone", "Deutsche Mark", "\x01"})
        lines.push_back(buildListLine(makeRecord(name, "ISO", "1"), static_cast<long>(lines.size()) + 1));
    SortedEntries text, generic;
    for (const auto& line : lines) {
        const auto entry = std::make_shared<const CurrencyEntry>(CurrencyEntry{0, {}, {}, line});
        text.add(entry, collationKey(lineName(line)));
        generic.add(entry, genericNameKey(lineName(line), de));
    }
    const auto linesOf = [](const SortedEntries& sorted) {
        std::vector<std::string> shown;
        for (const CurrencyEntry& entry : sorted) shown.push_back(entry.line);
        return shown;
    };
    std::vector<std::string> byText = lines, byGeneric = lines;
    std::stable_sort(byText.begin(), byText.end(),
                     [](auto& a, auto& b) { return compareListLines(a, b) < 0; });
    std::stable_sort(byGeneric.begin(), byGeneric.end(),
                     [](auto& a, auto& b) { return compareListLinesGeneric(a, b, de) < 0; });
    EXPECT_EQ(linesOf(text), byText);
    EXPECT_EQ(linesOf(generic), byGeneric);
    // Numbers in names go by value under the generic order.
    std::vector<std::string> ordered = {"", "-5", "20", "20,5", "100", "1.000", "Dollar"};
    for (std::size_t i = 1; i < ordered.size(); ++i) {
        EXPECT_LT(genericNameKey(ordered[i - 1], de), genericNameKey(ordered[i], de)) << ordered[i];
    }
}

TEST(RateCodec, WritesTheScaledRateWithoutGroupingAndReadsItBack) {
    using R = std::pair<double, const char*>;
    // The product is rounded to ten-thousandths, ties to the even neighbour.
    for (const auto& [rate, kurs] :
         {R(1.95583, "1955830"), R(0.12345678, "123456,78"), R(922337203.6, "922337203600000"),
          R(0.12345678915, "123456,7892"), R(2.5e-10, "0,0002"), R(3.5e-10, "0,0004")}) {
        const auto text = encodeRate(rate, de);
        EXPECT_EQ(text ? *text : text.error(), kurs) << rate;
        EXPECT_NEAR(decodeRate(kurs, de).value_or(-1), rate, 1e-10) << kurs;
    }
    EXPECT_EQ(*encodeRate(0.12345678, en), "123456.78");
    EXPECT_FALSE(encodeRate(922337204.0, de) || encodeRate(-1e13, de) || encodeRate(std::nan(""), de));
    // A decimal comma under English conventions is a misplaced group separator: no rate at all.
    using D = std::tuple<const char*, RegionalSettings, std::optional<double>>;
    for (const auto& [kurs, regional, rate] :
         {D("1955830                                 ", de, 1.95583), D("1.936.270.000", de, 1936.27),
          D("123456.78", en, 0.12345678), D("123456,78", en, {}), D("          ", de, {}),
          D("99999999999999999999", de, {})}) {
        EXPECT_EQ(decodeRate(kurs, regional), rate) << '"' << kurs << '"';
    }
}

std::string record(const std::string& name, const std::string& kurs, const std::string& ewwu = "0") {
    return encodeRecord(makeRecord(name, "ISO", kurs, ewwu));
}

// Namesakes told apart by their rate, letters of other case and accents, a record that is in no
// currency window, and a fragment at the end that counts as a record.
TEST(ListOrder, IsTheOrderOfTheListPassAndFollowsEachRecordToItsNewPlace) {
    const std::string before = record("Euro", "2") + record("Zloty", "1") + record("Euro", "1") +
                               record("ärger", "1", "2") + record("Arger", "1") + record("EURO", "1") +
                               record("", "1") + record("Österreich", "1", "1").substr(0, 80);
    const std::vector<long> order = listOrder(before);
    EXPECT_EQ(order, (std::vector<long>{7, 5, 4, 6, 3, 1, 8, 2}));
    // The import rewrites Kurs and Datum in place and appends: record 3's new rate puts it after its
    // namesake, and a new currency comes second.
    std::string after = before;
    after.replace(2 * kRecordLength, kRecordLength, record("Euro", "3"));
    after += record("Afghani", "1");
    const std::vector<long> moved = listOrder(after);
    EXPECT_EQ(moved, (std::vector<long>{7, 9, 5, 4, 6, 1, 3, 8, 2}));
    for (const auto& [position, now] : std::initializer_list<std::pair<long, std::optional<long>>>{
             {0, 0}, {1, 2}, {4, 6}, {5, 5}, {7, 8}, {8, std::nullopt}, {-1, std::nullopt}}) {
        EXPECT_EQ(samePosition(order, moved, position), now) << position;
    }
    // A record that is gone points nowhere.
    EXPECT_EQ(samePosition(order, listOrder(before.substr(0, kRecordLength * 6)), 6), std::nullopt);
}

}  // namespace
}  // namespace kursomatik
