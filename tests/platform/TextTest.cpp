#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "CodePage1252.h"
#include "Collation.h"
#include "RegionalSettings.h"
#include "Utf8.h"

namespace kursomatik {
namespace {

TEST(CodePage1252, UmlautsEuroSignAndQuotesAreOneByteEach) {
    struct Case {
        const char* utf8;
        std::string bytes;
    };
    for (const auto& c : {Case{"Österreich", "\xD6sterreich"},
                          Case{"Stra\u00DFe",
                               "Stra\xDF"
                               "e"},
                          Case{"\u20AC \u201Ej\u201C", "\x80 \x84j\x93"},
                          Case{"\u0141\u00F3d\u017A",
                               "?\xF3"
                               "d?"},
                          Case{"\xFF\xFE", "??"}}) {
        EXPECT_EQ(cp1252::fromUtf8(c.utf8), c.bytes) << c.utf8;
    }
}

TEST(CodePage1252, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(cp1252::fromUtf8(cp1252::toUtf8(all)), all);
}

TEST(Utf8, ColumnsCountCharactersNotBytes) {
    EXPECT_EQ(utf8::length("Dänische Krone"), 14u);
    EXPECT_EQ(utf8::fit("Ä", 3), "Ä  ");
    EXPECT_EQ(utf8::fit("Größenwahn", 4), "Größ");
    EXPECT_EQ(utf8::mid("aäbß", 1, 2), "äb");
    EXPECT_EQ(utf8::right("Zeile 12", 3), " 12");
    EXPECT_EQ(utf8::toUpper("dem ä"), "DEM Ä");
}

TEST(Collation, GermanNamesSortAsAUserLooksThemUp) {
    std::vector<std::string> names = {"Zypern-Pfund",  "Österreichischer Schilling", "euro", "Dänische Krone",
                                      "Deutsche Mark", "Niederländischer Gulden",    "Euro", "Ostmark"};
    std::sort(names.begin(), names.end(), [](const auto& a, const auto& b) { return collate(a, b) < 0; });
    const std::vector<std::string> expected = {"Dänische Krone",
                                               "Deutsche Mark",
                                               "Euro",
                                               "euro",
                                               "Niederländischer Gulden",
                                               "Österreichischer Schilling",
                                               "Ostmark",
                                               "Zypern-Pfund"};
    EXPECT_EQ(names, expected);
}

TEST(Collation, IsATotalOrderThatOnlyCallsEqualTextsEqual) {
    const std::vector<std::string> texts = {"a", "A", "ä", "Ä", "ae", "ss", "ß", "", " ", "a ", "ab"};
    for (const auto& a : texts) {
        for (const auto& b : texts) {
            EXPECT_EQ(collate(a, b) == 0, a == b) << a << " / " << b;
            EXPECT_EQ(collate(a, b), -collate(b, a)) << a << " / " << b;
        }
    }
    EXPECT_LT(collate("Euro", "Euroland"), 0);
    EXPECT_LT(collate("Euro      ", "Euroland  "), 0);  // padded names keep the order
}

TEST(ShortDate, FollowsThePatternOfTheRegion) {
    const CivilDate date{1999, 1, 4};
    EXPECT_EQ(formatShortDate(date, "dd.MM.yyyy"), "04.01.1999");
    EXPECT_EQ(formatShortDate(date, "MM/dd/yyyy"), "01/04/1999");
    EXPECT_EQ(formatShortDate(date, "d.M.yy"), "4.1.99");
    EXPECT_EQ(formatShortDate({2026, 12, 5}, "yyyy-MM-dd"), "2026-12-05");
}

}  // namespace
}  // namespace kursomatik
