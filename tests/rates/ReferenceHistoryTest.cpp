// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdio>

#include "rates/ReferenceRates.h"
#include "tests/rates/HistoryFiles.h"
#include "tests/rates/RateFiles.h"
#include "tests/support/TempDir.h"

namespace kursomatik {
namespace {

using testsupport::writeFile;
using testsupport::writeZip;

// Three days, oldest in the middle; "N/A" where the ECB had no rate of a currency that day.
const std::string kCsv =
    "Date, USD, SIT, CYP, \n"
    "2007-01-02, 1.3270, N/A, 0.5781, \n"
    "2006-12-29, 1.3170, 239.6400, 0.5782, \n"
    "2007-01-03, 1.3231, N/A, N/A, \n";
const std::string kXml =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Envelope><Cube>\n"
    "<Cube time=\"2007-01-02\"><Cube currency=\"USD\" rate=\"1.3270\"/><Cube currency=\"CYP\" "
    "rate=\"0.5781\"/></Cube>\n"
    "<Cube time=\"2006-12-29\"><Cube currency=\"USD\" rate=\"1.3170\"/><Cube currency=\"SIT\" "
    "rate=\"239.6400\"/><Cube currency=\"CYP\" rate=\"0.5782\"/></Cube>\n"
    "<Cube time=\"2007-01-03\"><Cube currency=\"USD\" rate=\"1.3231\"/></Cube>\n"
    "</Cube></Envelope>\n";
const std::string kDays =
    "2007-01-02: USD=1.3270 CYP=0.5781\n"
    "2006-12-29: USD=1.3170 SIT=239.6400 CYP=0.5782\n"
    "2007-01-03: USD=1.3231\n";

std::string shown(const ReferenceHistory& days) {
    std::string text;
    for (const ReferenceRates& day : days) {
        text += formatShortDate(day.date, "yyyy-MM-dd") + ":";
        for (const auto& [code, rate] : day.rates) {
            char digits[32];
            std::snprintf(digits, sizeof digits, "%.4f", rate.toDouble());
            text += " " + code + "=" + digits;
        }
        text += "\n";
    }
    return text;
}

TEST(ReferenceHistory, EveryFormatGivesEveryDayInTheFilesOrderWithoutTheMissingRates) {
    testsupport::TempDir dir;
    writeFile(dir / "hist.csv", kCsv);
    writeFile(dir / "hist.xml", kXml);
    writeZip(dir / "hist.zip", {{"eurofxref-hist.csv", kCsv}});
    for (const char* name : {"hist.csv", "hist.xml", "hist.zip"}) {
        const auto days = readReferenceHistory(dir / name);
        ASSERT_TRUE(days) << name << ": " << days.error();
        EXPECT_EQ(shown(*days), kDays) << name;
        // The newest day's reader takes the latest date, wherever it stands.
        const auto newest = readReferenceRates(dir / name);
        ASSERT_TRUE(newest) << name;
        EXPECT_EQ(shown({*newest}), "2007-01-03: USD=1.3231\n") << name;
    }
}

TEST(ReferenceHistory, AFaultInAnOlderDayRefusesTheWholeFileNamingItsPlace) {
    struct Case {
        std::string bytes;
        std::string message;
    };
    for (const Case& c : std::initializer_list<Case>{
             {kCsv.substr(0, kCsv.size() - 3), "Zeile 4: Die Zeile hört ohne Zeilenende auf"},
             {std::string(kCsv).replace(kCsv.find("239.6400"), 8, "239.64x"),
              "Zeile 3: SIT: „239.64x“ ist kein Kurs größer null"},
             {std::string(kCsv).replace(kCsv.find("2006-12-29"), 10, "2006-13-29"),
              "Zeile 3: „2006-13-29“ ist kein Datum"},
             {std::string(kXml).replace(kXml.find("239.6400"), 8, "-1"), "ist kein Kurs größer null"},
             {"Date, USD, \n", "Zeile 1: Die Datei enthält keinen Tag mit Kursen"},
         }) {
        const auto days = parseReferenceHistory(c.bytes, "kurse");
        ASSERT_FALSE(days) << c.message;
        EXPECT_NE(days.error().find(c.message), std::string::npos) << days.error();
        // The newest day's reader refuses it with the very same message.
        EXPECT_EQ(parseReferenceRates(c.bytes, "kurse").error(), days.error());
    }
}

TEST(ReferenceHistory, TheFullGeneratedHistoryIsReadWhole) {
    const auto days = parseReferenceHistory(testsupport::historyCsv(), "hist.csv");
    ASSERT_TRUE(days) << days.error();
    const auto working = testsupport::workingDays();
    ASSERT_EQ(days->size(), working.size());
    EXPECT_EQ(days->front().date, working.front());
    EXPECT_EQ(days->back().date, (CivilDate{1999, 1, 4}));
    std::size_t rates = 0;
    for (const ReferenceRates& day : *days) rates += day.rates.size();
    // Every 17th rate is "N/A".
    EXPECT_NEAR(static_cast<double>(rates), days->size() * 41.0 * 16 / 17, days->size());
}

}  // namespace
}  // namespace kursomatik
