// SPDX-License-Identifier: GPL-3.0-or-later
#include "rates/RateImport.h"

#include <gtest/gtest.h>

#include <cerrno>

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

const auto record = [](auto... fields) { return encodeRecord(makeRecord(fields...)); };

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
    const std::string counts = "aktualisiert, 1 Währung neu, 1 Festkurs beibehalten";
    for (const auto& [regional, overwrite, summary] :
         std::initializer_list<std::tuple<RegionalSettings, bool, std::string>>{
             {RegionalSettings::german(), false,
              "vom 28.06.2024: 1 Kurs " + counts + ", 2 neuere Kurse beibehalten."},
             {RegionalSettings::english(), true, "vom 06/28/2024: 3 Kurse " + counts + "."}}) {
        const std::string before = writeTable(regional);
        auto import = RateImport::prepare(csv(), dat(), regional);
        ASSERT_TRUE(import) << import.error();
        const std::string day = formatShortDate({2024, 6, 28}, regional.shortDatePattern);
        EXPECT_TRUE(import->newerQuestion().ends_with(day + " (vom " + newer_ +
                                                      " und 03.07.2024). Sollen sie überschrieben werden?"));
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

// Rates dated after tomorrow (a wrong clock somewhere; a day of skew is allowed) and more than 999
// currencies are refused before the table is touched.
TEST_F(RateImportTest, RatesFromTheFutureOrBeyond999RecordsAreRefusedAndLeaveTheTable) {
    std::string full;
    for (int n = 0; n < 998; ++n) full += record("Satz", "S" + std::to_string(n), "1", "0", "");
    const std::string table = writeTable(RegionalSettings::german());
    for (const auto& [bytes, day, refused] : std::initializer_list<std::tuple<std::string, int, std::string>>{
             {table, 27, ""},
             {table, 26, "Kurse sind vom 28.06.2024, heute ist aber erst der 26.06.2024."},
             {full, 30, "hat 998 Währungen; mit den 5 neuen aus „" + csv().string() + "“ wären es mehr als"},
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
