#include "CurrencyLists.h"

#include "Collation.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

#include "ListLine.h"
#include "RecordBuilder.h"
#include "RegionalSettings.h"
#include "Utf8.h"

namespace kursomatik {
namespace {

int sign(int value) {
    return (value > 0) - (value < 0);
}

TEST(GridRateCell, ShowsUnitsPerEuroWithSixToTwelveDecimals) {
    const auto german = RegionalSettings::german();
    struct Case {
        const char* kurs;
        const char* shown;
    };
    for (const Case& c : {Case{"1955830", "1,955830"}, Case{"1936270000  ", "1.936,270000"},
                          Case{"123456,78", "0,12345678"}, Case{"1000000", "1,000000"}, Case{"0", "0,000000"},
                          Case{"viel", ""}, Case{"", ""}, Case{"99999999999999999999999", ""}}) {
        EXPECT_EQ(gridRateCell(c.kurs, german), c.shown) << c.kurs;
    }
}

// Grid rows are sorted by keys, lists by comparisons: both must give one and the same order.
TEST(RowKeys, OrderRowsExactlyAsTheListsOrderTheirLines) {
    const auto german = RegionalSettings::german();
    const std::vector<std::string> names = {"Euro",  "euro",  "EURO",  "Österreich", "Ostmark", "100",
                                            "20",    "-5",    "1.000", "20,5",       "",        "Ärger",
                                            "Arger", "Zloty", "zloty", "\x01"};
    std::vector<std::string> lines;
    long number = 1;
    for (const auto& name : names) {
        lines.push_back(buildListLine(testing::makeRecord(name, "ISO", "1"), number++));
        lines.push_back(buildListLine(testing::makeRecord(name, "ISO", "2"), number++));
    }
    lines.emplace_back();  // the empty spare row, whose line is empty
    // A grid compares the keys of its name cells first and the lines only where those are equal.
    auto gridOrder = [](const std::u32string& keyA, const std::u32string& keyB, const std::string& a,
                        const std::string& b) {
        const int byName = sign(keyA.compare(keyB));
        return byName != 0 ? byName : collate(a, b);
    };
    for (const auto& a : lines) {
        for (const auto& b : lines) {
            const std::string nameA(utf8::head(a, 40));
            const std::string nameB(utf8::head(b, 40));
            EXPECT_EQ(gridOrder(collationKey(nameA), collationKey(nameB), a, b), compareListLines(a, b))
                << a << " / " << b;
            EXPECT_EQ(gridOrder(genericNameKey(nameA, german), genericNameKey(nameB, german), a, b),
                      compareListLinesGeneric(a, b, german))
                << a << " / " << b;
        }
    }
}

TEST(RowKeys, GenericOrderPutsTheEmptyRowFirstThenNumbersByValueThenTexts) {
    const auto german = RegionalSettings::german();
    const std::vector<std::string> ordered = {"", "-5", "20", "20,5", "100", "1.000", "Dollar"};
    for (std::size_t i = 1; i < ordered.size(); ++i) {
        EXPECT_LT(genericNameKey(ordered[i - 1], german), genericNameKey(ordered[i], german)) << ordered[i];
        EXPECT_LT(compareNamesGeneric(ordered[i - 1], ordered[i], german), 0) << ordered[i];
    }
}

TEST(SortedLines, KeepTheOrderOfTheListComparisonsWhateverTheOrderOfAdding) {
    const auto german = RegionalSettings::german();
    std::vector<std::string> lines;
    long number = 1;
    for (const char* name :
         {"Zloty", "euro", "Euro", "100", "Ärger", "Arger", "20", "", "Euro", "Österreich"}) {
        lines.push_back(buildListLine(testing::makeRecord(name, "ISO", std::to_string(number)), number));
        ++number;
    }
    SortedLines text;
    SortedLines generic;
    for (const auto& line : lines) {
        const std::string_view name = utf8::head(line, 40);
        text.add(line, collationKey(name));
        generic.add(line, genericNameKey(name, german));
    }
    auto sortedBy = [&](auto compare) {
        std::vector<std::string> sorted = lines;
        std::sort(sorted.begin(), sorted.end(),
                  [&](const auto& a, const auto& b) { return compare(a, b) < 0; });
        return sorted;
    };
    EXPECT_EQ(text.lines(), sortedBy([](const auto& a, const auto& b) { return compareListLines(a, b); }));
    EXPECT_EQ(generic.lines(),
              sortedBy([&](const auto& a, const auto& b) { return compareListLinesGeneric(a, b, german); }));
}

}  // namespace
}  // namespace kursomatik
