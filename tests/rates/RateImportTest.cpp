// SPDX-License-Identifier: GPL-3.0-or-later
#include "rates/RateImport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <chrono>

#include "store/Compaction.h"
#include "tests/rates/RateFiles.h"
#include "tests/store/RecordBuilder.h"
#include "tests/support/FailingStep.h"
#include "tests/support/TempDir.h"

namespace kursomatik {
namespace {

using testsupport::makeRecord;
using testsupport::readFile;
using testsupport::writeFile;

std::string record(const std::string& name, const std::string& iso, const std::string& kurs,
                   const std::string& ewwu, const std::string& datum) {
    return encodeRecord(makeRecord(name, iso, kurs, ewwu, datum));
}

class RateImportTest : public ::testing::Test {
  protected:
    RateImportTest() { writeFile(csv(), testsupport::kDailyCsv); }
    // A table with the file's codes as member, newer and unreadably dated records, and others. A
    // German date is read whatever the regional pattern.
    std::string writeTable(const RegionalSettings& regional) {
        newer_ = formatShortDate({2024, 7, 2}, regional.shortDatePattern);
        const std::string table = record("Deutsche Mark", "DEM", "1955830", "1", "01.01.1999") +
                                  record("US-Dollar", "usd", "1100000", "0", "irgendwann") +
                                  record("Japanischer Yen", "JPY", "170000000", "0", newer_) +
                                  record("Kroatische Kuna", "HRK", "7534500", "1", "01.01.2023") +
                                  record("Pfund", "GBP", "850000", "0", "01.06.2024") +
                                  record("Gold", "XAU", "400000", "0", "03.07.2024");
        writeFile(dat(), table);
        return table;
    }
    std::filesystem::path dat() const { return dir_ / kCurrencyFileName; }
    std::filesystem::path csv() const { return dir_ / "eurofxref.csv"; }

    testsupport::TempDir dir_;
    std::string newer_;
};

TEST_F(RateImportTest, UpdatesOtherCurrenciesKeepsMembersAndNewerRatesAsAskedAndAddsTheRest) {
    const std::string counts = "1 Währung neu, 1 Festkurs beibehalten";
    for (const auto& [regional, overwrite, summary] :
         std::initializer_list<std::tuple<RegionalSettings, bool, std::string>>{
             {RegionalSettings::german(), false,
              "vom 28.06.2024: 1 Kurs aktualisiert, " + counts + ", 2 neuere Kurse beibehalten."},
             {RegionalSettings::german(), true, "vom 28.06.2024: 3 Kurse aktualisiert, " + counts + "."},
             {RegionalSettings::english(), false,
              "vom 06/28/2024: 1 Kurs aktualisiert, " + counts + ", 2 neuere Kurse beibehalten."}}) {
        const std::string before = writeTable(regional);
        auto import = RateImport::prepare(csv(), dat(), regional);
        ASSERT_TRUE(import) << import.error();
        const std::string day = formatShortDate({2024, 6, 28}, regional.shortDatePattern);
        EXPECT_EQ(import->newerQuestion(),
                  "Die Tabelle hat 2 Kurse, die neuer sind als die Referenzkurse vom " + day + " (vom " +
                      newer_ + " und 03.07.2024). Sollen sie überschrieben werden?");
        const auto done = import->apply(overwrite);
        ASSERT_TRUE(done) << done.error();
        EXPECT_EQ(summaryText(*done), "Referenzkurse " + summary);
        // Untouched records keep their bytes; the updated ones only get Kurs and Datum.
        const auto old = [&](int n) { return before.substr(n * kRecordLength, kRecordLength); };
        const std::string expected =
            old(0) + record("US-Dollar", "usd", "1070500", "0", day) +
            (overwrite ? record("Japanischer Yen", "JPY", "172430000", "0", day) : old(2)) + old(3) + old(4) +
            (overwrite ? record("Gold", "XAU", "500000", "0", day) : old(5)) +
            record("Türkische Lira", "TRY", "35189300", "0", day);
        EXPECT_EQ(readFile(dat()), expected);
    }
}

// The plural of every count; the singulars show in the imports.
TEST_F(RateImportTest, SummaryCountsInThePlural) {
    EXPECT_EQ(summaryText({"28.06.2024", 0, 19, 2, 3, 4}),
              "Referenzkurse vom 28.06.2024: 0 Kurse aktualisiert, 4 Kurse unverändert, "
              "19 Währungen neu, 2 Festkurse beibehalten, 3 neuere Kurse beibehalten.");
}

// Only a real change rewrites the table: a nightly job importing the same file again changes nothing,
// not even the table's modification time.
TEST_F(RateImportTest, OnlyARealChangeOfKursOrDatumRewritesTheTable) {
    writeFile(csv(), "Date, USD, \n28 June 2024, 1.0705, \n");
    const auto inode = [this] {
        struct stat file {};
        return ::stat(dat().c_str(), &file) == 0 ? file.st_ino : 0;
    };
    const auto tableOf = [](const std::string& kurs, const std::string& datum) {
        return record("Deutsche Mark", "DEM", "1955830", "1", "01.01.1999") +
               record("US-Dollar", "USD", kurs, "0", datum);
    };
    for (const auto& [kurs, datum, summary] :
         std::initializer_list<std::tuple<const char*, const char*, std::string>>{
             {"1070500", "28.06.2024", "Keine neuen Kurse: 1 Kurs unverändert."},
             {"1070500", "27.06.2024", "Referenzkurse vom 28.06.2024: 1 Kurs aktualisiert."},
             {"1070000", "28.06.2024", "Referenzkurse vom 28.06.2024: 1 Kurs aktualisiert."},
             {"1070500", "01.07.2024",
              "Keine neuen Kurse: 0 Kurse unverändert, 1 neuerer Kurs beibehalten."}}) {
        SCOPED_TRACE(std::string(kurs) + " " + datum);
        writeFile(dat(), tableOf(kurs, datum));
        const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24);
        std::filesystem::last_write_time(dat(), old);
        const ino_t before = inode();
        const auto import = RateImport::prepare(csv(), dat(), RegionalSettings::german());
        ASSERT_TRUE(import) << import.error();
        const auto done = import->apply(false);
        ASSERT_TRUE(done) << done.error();
        EXPECT_EQ(summaryText(*done), summary);
        const bool rewritten = summary.starts_with("Referenzkurse");
        EXPECT_EQ(inode() != before, rewritten);
        EXPECT_EQ(std::filesystem::last_write_time(dat()) == old, !rewritten);
        EXPECT_EQ(readFile(dat()), rewritten ? tableOf("1070500", "28.06.2024") : tableOf(kurs, datum));
    }
}

// Rates dated after tomorrow (a wrong clock somewhere; a day of skew is allowed) and more than 999
// currencies are refused before the table is touched.
TEST_F(RateImportTest, RatesFromTheFutureOrBeyond999RecordsAreRefusedAndLeaveTheTable) {
    std::string full;
    for (int n = 0; n < 998; ++n) full += record("Satz", "S" + std::to_string(n), "1", "0", "");
    const std::string table = writeTable(RegionalSettings::german());
    const std::string file = "„" + csv().string() + "“";
    for (const auto& [bytes, day, refused] : std::initializer_list<std::tuple<std::string, int, std::string>>{
             {table, 27, ""},
             {table, 26,
              file + " kann nicht importiert werden: Ihre Kurse sind vom 28.06.2024, heute ist aber erst der "
                     "26.06.2024."},
             {full, 30, "hat 998 Währungen; mit den 5 neuen aus " + file + " wären es mehr als die 999"},
             // 994 records and 5 new ones fill the table to the last record.
             {full.substr(4 * kRecordLength), 30, ""}}) {
        writeFile(dat(), bytes);
        RegionalSettings at = RegionalSettings::german();
        at.today = [day] { return CivilDate{2024, 6, day}; };
        const auto import = RateImport::prepare(csv(), dat(), at);
        const std::string error = import ? "" : import.error();
        EXPECT_EQ(
            error.find(refused) != std::string::npos && error.ends_with(" Die Tabelle wurde nicht geändert."),
            !refused.empty())
            << error;
        EXPECT_EQ(readFile(dat()), bytes);
    }
}

TEST_F(RateImportTest, AFailedRewriteOrAChangeByAnotherProgramLeavesTheOldTable) {
    const std::string other = record("Andere", "AND", "1", "0", "");
    for (const auto& [step, error] : std::initializer_list<std::pair<std::string, int>>{
             {"writeAll", ENOSPC}, {"meanwhile", 0}, {"before", 0}}) {
        const std::string before = writeTable(RegionalSettings::german());
        auto import = RateImport::prepare(csv(), dat(), RegionalSettings::german());
        ASSERT_TRUE(import) << import.error();
        testsupport::FailingStep files(step, error);
        if (step == "meanwhile") files.meanwhile = [&] { writeFile(dat(), other); };
        if (step == "before") writeFile(dat(), other);
        const auto done = import->apply(true, files);
        ASSERT_FALSE(done) << step;
        const std::string cause = error != 0 ? describeErrno(error) : "von einem anderen Programm geändert";
        EXPECT_NE(done.error().find(cause), std::string::npos) << done.error();
        EXPECT_TRUE(done.error().ends_with(" Die Tabelle wurde nicht geändert.")) << done.error();
        EXPECT_EQ(readFile(dat()), error != 0 ? before : other) << step;
        EXPECT_FALSE(std::filesystem::exists(dir_ / kTemporaryFileName)) << step;
    }
}

}  // namespace
}  // namespace kursomatik
