#include "ListLine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "RateCodec.h"
#include "RecordBuilder.h"
#include "RegionalSettings.h"
#include "Utf8.h"

namespace kursomatik {
namespace {

using testing::makeRecord;

std::string padded(const std::string& text, std::size_t width) {
    return text + std::string(width - utf8::length(text), ' ');
}

TEST(ListLine, FieldsStandAtTheirColumnsCountedInCharacters) {
    const std::string line =
        buildListLine(makeRecord("Österreichischer Schilling", "ATS", "13760300", "1", "01.01.1999"), 12);
    struct Column {
        std::size_t first;  // from 1
        std::size_t width;
        std::string text;
    };
    for (const auto& c :
         {Column{1, 40, padded("Österreichischer Schilling", 40)}, Column{41, 1, " "},
          Column{42, 40, padded("13760300", 40)}, Column{82, 1, " "}, Column{83, 40, padded("ATS", 40)},
          Column{123, 1, " "}, Column{124, 7, padded("1", 7)}, Column{131, 1, " "},
          Column{132, 20, padded("01.01.1999", 20)}, Column{152, 1, " "}, Column{153, 2, "12"}}) {
        EXPECT_EQ(utf8::mid(line, c.first - 1, c.width), c.text) << "column " << c.first;
    }
}

TEST(ListLine, ReadersTakeRateAndCodeBackOut) {
    const auto german = RegionalSettings::german();
    for (const auto& record :
         {makeRecord("Deutsche Mark", "DEM", "1955830"),
          makeRecord("Fiktive Währung mit einem sehr langen Nam", "XFW", "123456,78", "0")}) {
        const std::string line = buildListLine(record, 3);
        EXPECT_EQ(lineKurs(line), record.Kurs);
        EXPECT_EQ(lineIso(line), record.ISO.substr(0, 12));
        EXPECT_EQ(decodeRate(lineKurs(line), german), decodeRate(record.Kurs, german));
    }
}

TEST(ListLine, RecordNumberEndsTheLineAndIsReadFromItsLastThreeCharacters) {
    const CurrencyRecord record = makeRecord("Euro", "EUR", "1000000");
    struct Case {
        long number;
        std::size_t length;
        std::optional<long> read;
    };
    // Only three characters are read, so from 1000 on the number comes back cut.
    for (const auto& c : {Case{1, 153, 1},
                          {9, 153, 9},
                          {10, 154, 10},
                          {99, 154, 99},
                          {100, 155, 100},
                          {999, 155, 999},
                          {1000, 156, 0},
                          {1234, 156, 234}}) {
        const std::string line = buildListLine(record, c.number);
        EXPECT_EQ(utf8::length(line), c.length) << c.number;
        EXPECT_EQ(lineRecordNumber(line), c.read) << c.number;
    }
    EXPECT_EQ(lineRecordNumber("Zeile  7"), 7);
    EXPECT_EQ(lineRecordNumber("Zeile x7"), std::nullopt);
    EXPECT_EQ(lineRecordNumber("Zeile   "), std::nullopt);
}

TEST(ListLine, ListsSortByNameWithoutRegardToCase) {
    const std::vector<std::pair<std::string, long>> records = {
        {"Zypern-Pfund", 1},   {"Österreichischer Schilling", 2},
        {"euro", 3},           {"Deutsche Mark", 4},
        {"Dänische Krone", 5}, {"Ostmark", 6},
        {"EWWU-Test", 7}};
    std::vector<std::string> lines;
    for (const auto& [name, number] : records)
        lines.push_back(buildListLine(makeRecord(name, "X", "1"), number));
    std::sort(lines.begin(), lines.end(),
              [](const auto& a, const auto& b) { return compareListLines(a, b) < 0; });
    std::vector<long> order;
    for (const auto& line : lines) order.push_back(*lineRecordNumber(line));
    EXPECT_EQ(order, (std::vector<long>{5, 4, 3, 7, 2, 6, 1}));
}

TEST(ListLine, TheNameDecidesBeforeTheRate) {
    const std::string euroLand = buildListLine(makeRecord("Euroland", "EUL", "1"), 1);
    const std::string euro = buildListLine(makeRecord("Euro", "EUR", "9000000"), 2);
    EXPECT_LT(compareListLines(euro, euroLand), 0);
    EXPECT_GT(compareListLines(euroLand, euro), 0);
    // Same name: the rest of the line still tells two currencies apart.
    const std::string mark1 = buildListLine(makeRecord("Mark", "DEM", "1955830"), 3);
    const std::string mark2 = buildListLine(makeRecord("Mark", "FIM", "5945730"), 4);
    EXPECT_LT(compareListLines(mark1, mark2), 0);
    EXPECT_EQ(compareListLines(mark1, mark1), 0);
}

}  // namespace
}  // namespace kursomatik
