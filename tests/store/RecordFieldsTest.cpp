// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "platform/Collation.h"
#include "platform/RegionalSettings.h"
#include "store/CurrencyLists.h"
#include "store/CurrencyRecord.h"
#include "store/EditorRules.h"
#include "store/ListLine.h"
#include "store/RateAge.h"
#include "tests/store/RecordBuilder.h"

namespace kursomatik {
namespace {

using testsupport::makeRecord;
const RegionalSettings de = RegionalSettings::german();
const RegionalSettings en = RegionalSettings::english();
RegionalSettings on(RegionalSettings regional, CivilDate today) {
    regional.today = [today] { return today; };
    return regional;
}

// What a save did: each replacement as box=placeholder (with "!" where a message followed), then
// the record's name, code, rate, member flag and date as stored.
std::string saved(const EditorFields& typed, const RegionalSettings& regional) {
    const CheckedRecord checked = checkRecord(typed, regional);
    std::string text;
    for (const Replacement& r : checked.replacements) {
        text += (r.box == &EditorFields::kurs  ? "kurs="
                 : r.box == &EditorFields::iso ? "iso="
                                               : "name=") +
                r.placeholder + (r.message != nullptr ? "! " : " ");
    }
    const CurrencyRecord& record = checked.record;
    return text + "| " + fieldValue(record.Bezeichnung) + "|" + fieldValue(record.ISO) + "|" +
           fieldValue(record.Kurs) + "|" + fieldValue(record.EWWU) + "|" + fieldValue(record.Datum);
}

TEST(EditorRules, UnusableEntriesGetTheirPlaceholdersInOrderAndTheRecordIsAlwaysWritten) {
    const RegionalSettings d = on(de, {2026, 12, 5}), e = on(en, {2026, 12, 5});
    using C = std::tuple<EditorFields, const char*, const RegionalSettings*>;
    for (const auto& [typed, result, regional] :
         {C({"Dänische Krone", "7,4575", "dkk", true}, "| Dänische Krone|DKK|7457500|1|05.12.2026", &d),
          // A full stop groups three digits only: 1.95583 is no number, 1.234,5 is 1234,5.
          C({"a", "1.95583", "a"}, "kurs=1! | a|A|1000000|0|05.12.2026", &d),
          C({"a", "0,500", "a"}, "kurs=1! | a|A|1000000|0|12/05/2026", &e),
          // Beyond the fixed-point range once multiplied by 1,000,000, or so small it would be 0.
          C({"a", "922337204", "a"}, "kurs=1! | a|A|1000000|0|05.12.2026", &d),
          C({"a", "922337203", "a"}, "| a|A|922337203000000|0|05.12.2026", &d),
          // A negative rate, then the missing code and name.
          C({"", "-2", ""},
            "kurs=1! iso=??"
            "?! name=?????????????????? | ??????????????????|???|1000000|0|05.12.2026",
            &d)}) {
        EXPECT_EQ(saved(typed, *regional), result) << typed.kurs;
    }
}

TEST(RateAge, NamesTheDateOfEveryChosenRateThatIsNotFixedAndWarnsWhenOld) {
    const RegionalSettings regional = on(de, {2024, 12, 6});
    const auto record = [](const char* iso, const char* ewwu, const char* datum) {
        return makeRecord(std::string("Name ") + iso, iso, "1070500", ewwu, datum);
    };
    const CurrencyRecord usd = record("USD", "0", "28.06.2024"), jpy = record("JPY", "0", "06.11.2024"),
                         dem = record("DEM", "1", "01.01.1999"), undated = record("XAU", "0", "gestern");
    // The whole text, its short form for a narrow line, and "!" where it warns.
    using C = std::tuple<std::vector<const CurrencyRecord*>, int, const char*, const char*>;
    for (const auto& [chosen, warnAfterDays, text, brief] :
         {C({&usd, &dem}, 161, "Kurs USD vom 28.06.2024", "USD vom 28.06.2024"),
          C({&usd, nullptr}, 160, "Kurs USD vom 28.06.2024 – 161 Tage alt", "USD 161 Tage alt !"),
          C({&jpy, &usd}, 30, "Kurs JPY vom 06.11.2024; Kurs USD vom 28.06.2024 – 161 Tage alt",
            "JPY vom 06.11.2024, USD 161 Tage alt !"),
          C({&usd, &jpy}, 29, "Kurs USD vom 28.06.2024 – 161 Tage alt; Kurs JPY vom 06.11.2024 – 30 Tage alt",
            "USD 161 Tage, JPY 30 Tage alt !"),
          C({&usd, &jpy}, 30, "Kurs USD vom 28.06.2024 – 161 Tage alt; Kurs JPY vom 06.11.2024",
            "USD 161 Tage alt, JPY vom 06.11.2024 !"),
          C({&undated, &dem}, 30, "Kurs XAU ohne lesbares Datum", "XAU ohne Datum !"),
          C({&undated, &dem}, 0, "Kurs XAU ohne lesbares Datum", "XAU ohne Datum")}) {
        const RateAgeNotice notice = rateAgeNotice(chosen, regional, warnAfterDays);
        EXPECT_EQ(notice.text, text);
        EXPECT_EQ(notice.shortText + (notice.warns ? " !" : ""), brief);
    }
    // A date the regional pattern does not read is taken by the German one of the shipped table.
    EXPECT_EQ(rateAgeNotice({&usd}, on(en, {2024, 12, 6}), 30).shortText, "USD 161 Tage alt");
}

// Lists are sorted as they are filled, grid rows by keys, sorts by comparisons: all one order.
TEST(ListOrder, SortedListsGridKeysAndComparisonsAgree) {
    std::vector<std::string> lines;
    for (const char* name : {"Zloty", "euro", "Euro", "EURO", "100", "Ärger", "Arger", "20", "", "Euro",
                             "Österreich", "-5", "1.000", "\x01"})
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
    std::ranges::stable_sort(byText, [](auto& a, auto& b) { return compareListLines(a, b) < 0; });
    std::ranges::stable_sort(byGeneric,
                             [](auto& a, auto& b) { return compareListLinesGeneric(a, b, de) < 0; });
    EXPECT_EQ(linesOf(text), byText);
    EXPECT_EQ(linesOf(generic), byGeneric);
    // Numbers in names go by value under the generic order.
    const std::vector<std::string> ordered = {"", "-5", "20", "20,5", "100", "1.000", "Dollar"};
    for (std::size_t i = 1; i < ordered.size(); ++i)
        EXPECT_LT(genericNameKey(ordered[i - 1], de), genericNameKey(ordered[i], de)) << ordered[i];
}

TEST(RateCodec, WritesTheScaledRateWithoutGroupingAndReadsItBack) {
    using R = std::pair<double, const char*>;
    // The product is rounded to ten-thousandths, ties to the even neighbour.
    for (const auto& [rate, kurs] : {R(0.12345678, "123456,78"), R(922337203.6, "922337203600000"),
                                     R(2.5e-10, "0,0002"), R(3.5e-10, "0,0004")}) {
        const auto text = encodeRate(rate, de);
        EXPECT_EQ(text ? *text : text.error(), kurs) << rate;
        EXPECT_NEAR(decodeRate(kurs, de).value_or(-1), rate, 1e-10) << kurs;
    }
    EXPECT_FALSE(encodeRate(922337204.0, de) || encodeRate(-1e13, de) || encodeRate(std::nan(""), de));
    // A decimal comma under English conventions is a misplaced group separator: no rate at all.
    using D = std::tuple<const char*, RegionalSettings, std::optional<double>>;
    for (const auto& [kurs, regional, rate] :
         {D("1955830                                 ", de, 1.95583), D("1.936.270.000", de, 1936.27),
          D("123456,78", en, {}), D("99999999999999999999", de, {})})
        EXPECT_EQ(decodeRate(kurs, regional), rate) << '"' << kurs << '"';
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
             {0, 0}, {1, 2}, {4, 6}, {5, 5}, {7, 8}, {8, std::nullopt}, {-1, std::nullopt}})
        EXPECT_EQ(samePosition(order, moved, position), now) << position;
    // A record that is gone points nowhere.
    EXPECT_EQ(samePosition(order, listOrder(before.substr(0, kRecordLength * 6)), 6), std::nullopt);
}

}  // namespace
}  // namespace kursomatik
