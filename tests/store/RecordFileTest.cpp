// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/Compaction.h"
#include "store/RecordFile.h"
#include "store/RecordFileState.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>

#include "platform/RegionalSettings.h"
#include "tests/store/RecordBuilder.h"
#include "tests/support/FailingStep.h"
#include "tests/support/TempDir.h"

namespace kursomatik {
namespace {

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
             {records("12345"), 3, records("1245")},
             {records("12345"), 5, records("1234")},
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

// A failed step or a table another program replaced or changed while the editor had it open: the file
// stays as it is (the other program's records are never cut or padded to the old count), no temporary
// file is left, and the editor goes on with its file open and counted.
TEST_F(CurrencyFile, AFailedStepOrAChangedTableLeaveTheFileAsItIs) {
    const auto replace = [this] {
        writeFile(dir_ / "neu.dat", records("0123456789"));
        std::filesystem::rename(dir_ / "neu.dat", dat());
    };
    const auto shrink = [this] { std::filesystem::resize_file(dat(), 5 * kRecordLength); };
    // A backup restored in place: as many records, in another order.
    const auto reorder = [this] { writeFile(dat(), records("9876543210")); };
    using F = std::function<void()>;
    for (const auto& [before, after, says] : std::initializer_list<std::tuple<F, F, std::string>>{
             {{}, {}, "TMP“ kann nicht geschrieben werden: Auf dem Datenträger"},
             {replace, {}, "gelöscht oder ersetzt"},
             {shrink, {}, "von einem anderen Programm geändert"},
             {reorder, {}, "von einem anderen Programm geändert"},
             {{}, replace, "gelöscht oder ersetzt"}}) {
        openTable(records("0123456789"), 3);
        const std::string theirs = before ? (before(), readFile(dat())) : records("0123456789");
        FailingStep files(before || after ? "" : "writeAll", ENOSPC);
        files.meanwhile = after;
        const CompactionOutcome outcome = dropCurrentRecord(state_, kCurrencyFileName, files);
        const std::string error = outcome.status.error();
        EXPECT_TRUE(!outcome.replaced && error.find(says) != std::string::npos &&
                    error.ends_with(" Der Datensatz wurde nicht gelöscht."))
            << error;
        EXPECT_EQ(readFile(dat()), after ? records("0123456789") : theirs) << says;
        EXPECT_FALSE(std::filesystem::exists(tmp()));
        EXPECT_EQ(state_.lSatzAnzahl, 10);
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
        RegionalSettings regional = RegionalSettings::german();
        regional.today = [] { return CivilDate{2026, 2, 6}; };
        openTable(table, 2);
        ASSERT_TRUE(appendPlaceholder(state_, regional));
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

// Writing in place leaves the other records byte for byte. Characters without a Windows-1252 byte are
// stored and read back as '?'; names are cut at 40 characters.
TEST_F(CurrencyFile, FieldsAreWindows1252BytesAtFixedOffsetsAndUtf8InMemory) {
    std::string ae45;
    for (int i = 0; i < 45; ++i) ae45 += "Ä";
    for (const auto& [text, bytes, readBack] :
         std::initializer_list<std::tuple<std::string, std::string, std::string>>{
             {"Groß €", "Gro\xDF \x80", "Groß €"},
             {"Polnischer Złoty", "Polnischer Z?oty", "Polnischer Z?oty"},
             {ae45, std::string(40, '\xC4'), ae45.substr(0, 80)}}) {
        openTable(records("123"), 2);
        ASSERT_TRUE(state_.iDateiNr.write(2, makeRecord(text, "DEM", "1955830")));
        EXPECT_EQ(readFile(dat()), records("1") + bytes + spaces(40 - bytes.size()) + "DEM" + spaces(37) +
                                       "1955830" + spaces(33) + "1" + spaces(6) + "04.01.1999" + spaces(10) +
                                       records("3"));
        EXPECT_EQ(fieldValue(state_.iDateiNr.read(2)->Bezeichnung), readBack);
    }
}

// A fragment of a record at the end of the file reads with spaces.
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

TEST_F(CurrencyFile, AFragmentReadsWithSpaces) {
    openTable(records("1") + encodeRecord(makeRecord("Rest", "REST", "42")).substr(0, 74), 2);
    EXPECT_EQ(*state_.iDateiNr.read(2),
              (CurrencyRecord{"Rest" + spaces(36), "REST" + spaces(36), spaces(40), spaces(7), spaces(20)}));
}

}  // namespace
}  // namespace kursomatik
