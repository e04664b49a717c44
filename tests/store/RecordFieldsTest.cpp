// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cmath>

#include "platform/Collation.h"
#include "platform/RegionalSettings.h"
#include "store/Compaction.h"
#include "store/CurrencyLists.h"
#include "store/CurrencyRecord.h"
#include "store/EditorRules.h"
#include "store/ListLine.h"
#include "store/RateAge.h"
#include "store/RecordFile.h"
#include "store/RecordFileState.h"
#include "tests/store/RecordBuilder.h"
#include "tests/support/FailingStep.h"
#include "tests/support/TempDir.h"

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
          // A missing name gets its placeholder without a message.
          C({"", "1", "x"}, "name=?????????????????? | ??????????????????|X|1000000|0|05.12.2026", &d)}) {
        EXPECT_EQ(saved(typed, *regional), result) << typed.kurs;
    }
}

// A field is cut at its own width, counted in characters: the program holds what the file gets.
TEST(RecordFields, EachFieldIsCutAtItsOwnWidth) {
    CurrencyRecord record;
    storeField(record, &CurrencyRecord::EWWU, "1234567ä");
    storeField(record, &CurrencyRecord::Datum, "Sonnabend, 31.12.1999");
    EXPECT_EQ(record.EWWU + "|" + record.Datum, "1234567|Sonnabend, 31.12.199");
}

TEST(RateAge, NamesTheDateOfEveryChosenRateThatIsNotFixedAndWarnsWhenOld) {
    const RegionalSettings regional = on(de, {2024, 12, 6});
    const auto record = [](const char* iso, const char* ewwu, const char* datum) {
        return makeRecord(std::string("Name ") + iso, iso, "1070500", ewwu, datum);
    };
    const CurrencyRecord usd = record("USD", "0", "28.06.2024"), dem = record("DEM", "1", "01.01.1999"),
                         undated = record("XAU", "0", "gestern");
    // The whole text, its short form for a narrow line, and "!" where it warns.
    using C = std::tuple<std::vector<const CurrencyRecord*>, int, const char*, const char*>;
    for (const auto& [chosen, warnAfterDays, text, brief] :
         {C({&usd, &dem}, 161, "Kurs USD vom 28.06.2024", "USD vom 28.06.2024"),
          C({&usd, nullptr}, 160, "Kurs USD vom 28.06.2024 – 161 Tage alt", "USD 161 Tage alt !"),
          C({&undated, &dem}, 30, "Kurs XAU ohne lesbares Datum", "XAU ohne Datum !")}) {
        const RateAgeNotice notice = rateAgeNotice(chosen, regional, warnAfterDays);
        EXPECT_EQ(notice.text, text);
        EXPECT_EQ(notice.shortText + (notice.warns ? " !" : ""), brief);
    }
}

// Lists are sorted as they are filled, grid rows by keys, sorts by comparisons: all one order.
TEST(ListOrder, SortedListsGridKeysAndComparisonsAgree) {
    std::vector<std::string> lines;
    SortedEntries text, generic;
    for (const char* name : {"Zloty", "euro", "Euro", "EURO", "100", "Ärger", "Arger", "20", "", "Euro",
                             "Österreich", "-5", "1.000", "\x01"}) {
        const auto entry = std::make_shared<const CurrencyEntry>(
            CurrencyEntry{static_cast<long>(lines.size()) + 1, makeRecord(name, "ISO", "1"), {}});
        lines.push_back(entry->line());
        text.add(entry, collationKey(lineName(lines.back())));
        generic.add(entry, genericNameKey(lineName(lines.back()), de));
    }
    const auto linesOf = [](const SortedEntries& sorted) {
        std::vector<std::string> shown;
        for (const CurrencyEntry& entry : sorted) shown.push_back(entry.line());
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

using namespace testsupport;

// The records named by these characters, in this order: what a file should hold.
std::string records(std::string_view names) {
    std::string bytes;
    for (const char c : names) bytes += encodeRecord(makeRecord(std::string("Satz ") + c, {c}, "1"));
    return bytes;
}

const auto spaces = [](std::size_t n) { return std::string(n, ' '); };

// The editor's situation in a fresh current directory, where the currency file is looked up: the file
// open, counted, and one record chosen.
class CurrencyFile : public ::testing::Test {
  protected:
    void openTable(const std::string& bytes, long current) {
        writeFile(dat(), bytes);
        state_.lSatzAnzahl = recordsOfLength(static_cast<long long>(bytes.size()));
        state_.lAktuellerSatz = current;
        ASSERT_TRUE(state_.iDateiNr.open(kCurrencyFileName) && readCurrentRecord(state_));
    }
    std::filesystem::path dat() const { return dir_ / kCurrencyFileName; }
    std::filesystem::path tmp() const { return dir_ / kTemporaryFileName; }
    std::string record(long n) const {
        const auto r = state_.iDateiNr.read(n);
        return r ? encodeRecord(*r) : r.error();
    }
    TempDir dir_;
    RecordFileState state_;
};

TEST_F(CurrencyFile, KeepsEveryOtherWholeRecordInOrderAndReopensTheNewFile) {
    // 100 bytes count as a record and come over padded; 50 bytes are no record and are dropped.
    const std::string fragment = records("4").substr(0, 100);
    for (const auto& [table, dropped, kept] :
         std::initializer_list<std::tuple<std::string, long, std::string>>{
             {records("1"), 1, ""},
             {records("123") + fragment, 2, records("13") + fragment + spaces(47)},
             {records("123") + records("4").substr(0, 50), 3, records("12")}}) {
        writeFile(tmp(), records("789"));  // an old temporary file adds nothing
        openTable(table, dropped);
        FailingStep files;
        const CompactionOutcome outcome = dropCurrentRecord(state_, kCurrencyFileName, files);
        ASSERT_TRUE(outcome.status) << outcome.status.error();
        EXPECT_TRUE(outcome.replaced && !std::filesystem::exists(tmp()));
        EXPECT_EQ(readFile(dat()), kept) << dropped;
        EXPECT_EQ(state_.lSatzAnzahl * kRecordLength, kept.size());
        // The handle now reads the new file: its record 1 is the first kept record.
        EXPECT_EQ(record(1), kept.empty() ? spaces(147) : kept.substr(0, 147));
    }
}

// A failed step or a table another program changed (or replaced, as the editor's test shows) while
// the editor had it open: the file stays as it is (the other program's records are never cut or
// padded to the old count), no temporary file is left, and the editor goes on with its file open and
// counted.
TEST_F(CurrencyFile, AFailedStepOrAChangedTableLeaveTheFileAsItIs) {
    const auto replace = [this] {
        writeFile(dir_ / "neu.dat", records("0123456789"));
        std::filesystem::rename(dir_ / "neu.dat", dat());
    };
    const auto shrink = [this] { std::filesystem::resize_file(dat(), 5 * kRecordLength); };
    // A backup restored in place: as many records, in another order.
    const auto reorder = [this] { writeFile(dat(), records("9876543210")); };
    using F = std::function<void()>;
    for (const auto& [step, before, after, says] :
         std::initializer_list<std::tuple<const char*, F, F, std::string>>{
             {"writeAll", {}, {}, "TMP“ kann nicht geschrieben werden: Auf dem Datenträger"},
             {"renameFile", {}, {}, "TMP“ kann nicht in „KURSOMATIK.DAT“"},
             {"", shrink, {}, "von einem anderen Programm geändert"},
             {"", reorder, {}, "von einem anderen Programm geändert"},
             {"", {}, replace, "gelöscht oder ersetzt"}}) {
        openTable(records("0123456789"), 3);
        const std::string theirs = before ? (before(), readFile(dat())) : records("0123456789");
        FailingStep files(step, *step == 'w' ? ENOSPC : EXDEV);
        files.meanwhile = after;
        const CompactionOutcome outcome = dropCurrentRecord(state_, kCurrencyFileName, files);
        const std::string error = outcome.status.error();
        EXPECT_TRUE(!outcome.replaced && error.find(says) != std::string::npos &&
                    error.ends_with(" Der Datensatz wurde nicht gelöscht."))
            << error;
        EXPECT_EQ(readFile(dat()), after ? records("0123456789") : theirs) << says;
        EXPECT_TRUE(!std::filesystem::exists(tmp()) && state_.lSatzAnzahl == 10) << says;
        if (!before && !after) {
            EXPECT_EQ(record(1), records("0"));
        }
    }
}

// A new record begins as a placeholder with today's date in the region's pattern. "Abbrechen" gives back
// the file byte for byte: the placeholder is cut off through the open file, also where no temporary file
// can be written; where it cannot be cut, the rewrite runs.
TEST_F(CurrencyFile, ThePlaceholderIsAppendedAndCutOffAgainWithoutATemporaryFile) {
    // A fragment too short to count: the placeholder covers it, and "Abbrechen" puts it back.
    const std::string fragment = records("12345") + records("6").substr(0, 50);
    for (const auto& [table, failing, folder] :
         std::initializer_list<std::tuple<std::string, std::string, bool>>{
             {fragment, "", false}, {fragment, "truncateFile", false}, {records("12345"), "", true}}) {
        openTable(table, 2);
        ASSERT_TRUE(appendPlaceholder(state_, on(de, {2026, 2, 6})));
        EXPECT_EQ(std::pair(state_.lSatzAnzahl, state_.lAktuellerSatz), std::pair(6L, 6L));
        EXPECT_EQ(record(6),
                  "Neu" + spaces(77) + "0" + spaces(39) + "0" + spaces(6) + "06.02.2026" + spaces(10));
        if (folder) std::filesystem::create_directory(tmp());
        FailingStep files(failing, EIO);
        const CompactionOutcome outcome = dropPlaceholder(state_, kCurrencyFileName, files);
        ASSERT_TRUE(outcome.status) << outcome.status.error();
        EXPECT_EQ(readFile(dat()), table) << failing;
        EXPECT_EQ(state_.lSatzAnzahl, 5);
        EXPECT_EQ(std::ranges::count(files.calls, "createFile"), failing == "truncateFile");
        std::filesystem::remove(tmp());
    }
}

// The record number of a list line has three digits: a longer table is listed up to record 999 and
// the user is told; a new record, which would be the 1000th, is refused.
TEST_F(CurrencyFile, ATableIsListedUpTo999RecordsAndTakesNoMore) {
    for (const long records : {999L, 1000L}) {
        writeFile(dat(), "");
        std::filesystem::resize_file(dat(), static_cast<std::uintmax_t>(records * kRecordLength));  // sparse
        const std::string said = openForListPass(state_, kCurrencyFileName);
        EXPECT_EQ(said.find("Angezeigt werden nur die ersten 999") != std::string::npos, records > 999);
        EXPECT_EQ(state_.lSatzAnzahl, 999);
    }
    ASSERT_TRUE(state_.iDateiNr.open(kCurrencyFileName));
    EXPECT_NE(appendPlaceholder(state_, RegionalSettings::german()).error().find("enthält schon 999"),
              std::string::npos);
}

}  // namespace
}  // namespace kursomatik
