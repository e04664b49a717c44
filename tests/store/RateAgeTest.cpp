// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/RateAge.h"

#include <gtest/gtest.h>

#include "platform/RegionalSettings.h"
#include "store/CurrencyRecord.h"
#include "tests/store/RecordBuilder.h"

namespace kursomatik {
namespace {

using testsupport::makeRecord;

TEST(ShortDate, ReadsWhatThePatternWritesAndNothingElse) {
    struct Case {
        const char* text;
        const char* pattern;
        std::optional<CivilDate> date;
    };
    const Case cases[] = {{"  1.2.1999 ", "d.M.yyyy", CivilDate{1999, 2, 1}},
                          {"06/28/2024", "MM/dd/yyyy", CivilDate{2024, 6, 28}},
                          {"31.12.49", "dd.MM.yy", CivilDate{2049, 12, 31}},
                          {"01.01.50", "dd.MM.yy", CivilDate{1950, 1, 1}}};
    for (const Case& c : cases) EXPECT_EQ(parseShortDate(c.text, c.pattern), c.date) << c.text;
    // No such day, one digit where two are asked for, the wrong separator, a missing or extra part.
    for (const char* text : {"29.02.2023", "1.6.2024", "28-06-2024", "28.06.2024x", "28.06."})
        EXPECT_EQ(parseShortDate(text, "dd.MM.yyyy"), std::nullopt) << text;
}

TEST(RateAge, NamesTheDateOfEveryChosenRateThatIsNotFixedAndWarnsWhenOld) {
    RegionalSettings regional = RegionalSettings::german();
    regional.today = [] { return CivilDate{2024, 12, 6}; };
    const auto record = [](const char* iso, const char* ewwu, const char* datum) {
        return makeRecord(std::string("Name ") + iso, iso, "1070500", ewwu, datum);
    };
    const CurrencyRecord usd = record("USD", "0", "28.06.2024");
    const CurrencyRecord jpy = record("JPY", "0", "06.11.2024");  // 30 days old: not yet old
    const CurrencyRecord dem = record("DEM", "1", "01.01.1999");
    const CurrencyRecord nameless = record("", "0", "06.12.2024");
    const CurrencyRecord undated = record("XAU", "0", "gestern");
    struct Case {
        std::vector<const CurrencyRecord*> chosen;
        int warnAfterDays;
        const char* text;
        const char* shortText;
        bool warns;
    };
    const Case cases[] = {
        {{&usd, &dem}, 161, "Kurs USD vom 28.06.2024", "USD vom 28.06.2024", false},
        {{&usd, nullptr}, 160, "Kurs USD vom 28.06.2024 – 161 Tage alt", "USD 161 Tage alt", true},
        {{&jpy, &usd},
         30,
         "Kurs JPY vom 06.11.2024; Kurs USD vom 28.06.2024 – 161 Tage alt",
         "JPY vom 06.11.2024, USD 161 Tage alt",
         true},
        {{&usd, &jpy},
         29,
         "Kurs USD vom 28.06.2024 – 161 Tage alt; Kurs JPY vom 06.11.2024 – 30 Tage alt",
         "USD 161 Tage, JPY 30 Tage alt",
         true},
        {{&usd, &jpy},
         30,
         "Kurs USD vom 28.06.2024 – 161 Tage alt; Kurs JPY vom 06.11.2024",
         "USD 161 Tage alt, JPY vom 06.11.2024",
         true},
        {{&jpy, &jpy}, 29, "Kurs JPY vom 06.11.2024 – 30 Tage alt", "JPY 30 Tage alt", true},
        {{&nameless, &dem}, 30, "Kurs Name vom 06.12.2024", "Name vom 06.12.2024", false},
        {{&undated, &dem}, 30, "Kurs XAU ohne lesbares Datum", "XAU ohne Datum", true},
        {{&undated, &dem}, 0, "Kurs XAU ohne lesbares Datum", "XAU ohne Datum", false},
        {{&dem, &dem}, 30, "", "", false},
    };
    for (const Case& c : cases) {
        const RateAgeNotice notice = rateAgeNotice(c.chosen, regional, c.warnAfterDays);
        EXPECT_EQ(notice.text, c.text) << c.text;
        EXPECT_EQ(notice.shortText, c.shortText) << c.text;
        EXPECT_EQ(notice.warns, c.warns) << c.text;
    }
    // A date the regional pattern does not read is taken by the German one of the shipped table.
    RegionalSettings english = RegionalSettings::english();
    english.today = regional.today;
    EXPECT_EQ(rateAgeNotice({&usd}, english, 30).shortText, "USD 161 Tage alt");
}

}  // namespace
}  // namespace kursomatik
