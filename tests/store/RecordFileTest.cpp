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
#include "tests/support/FileSizeLimit.h"
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
        ASSERT_TRUE(state_.iDateiNr.open(kCurrencyFileName));
        ASSERT_TRUE(readCurrentRecord(state_));  // as the editor shows it
    }
    std::filesystem::path dat() const { return dir_ / kCurrencyFileName; }
    std::filesystem::path tmp() const { return dir_ / kTemporaryFileName; }
    std::string record(long n) const {
        const auto r = state_.iDateiNr.read(n);
        return r ? encodeRecord(*r) : r.error();
    }

    testsupport::TempDir dir_;
    RecordFileState state_;
};

TEST_F(CurrencyFile, KeepsEveryOtherWholeRecordInOrderAndReopensTheNewFile) {
    // 100 bytes count as a record and come over padded; 50 bytes are no record and are dropped.
    const std::string fragment = records("4").substr(0, 100);
    for (const auto& [table, dropped, kept] :
         std::initializer_list<std::tuple<std::string, long, std::string>>{
             {records("12345"), 3, records("1245")},
             {records("12345"), 5, records("1234")},
             {records("12345"), 1, records("2345")},
             {records("1"), 1, ""},
             {records("123") + fragment, 2, records("13") + fragment + spaces(47)},
             {records("123") + records("4").substr(0, 50), 3, records("12")}}) {
        SCOPED_TRACE(dropped);
        writeFile(tmp(), records("789"));  // an old temporary file adds nothing
        openTable(table, dropped);
        testsupport::FailingStep files;
        const CompactionOutcome outcome = dropCurrentRecord(state_, kCurrencyFileName, files);
        ASSERT_TRUE(outcome.status) << outcome.status.error();
        EXPECT_TRUE(outcome.replaced && !std::filesystem::exists(tmp()));
        EXPECT_EQ(readFile(dat()), kept);
        EXPECT_EQ(state_.lSatzAnzahl * kRecordLength, kept.size());  // one record fewer
        // The handle now reads the new file: its record 1 is the first kept record.
        EXPECT_EQ(record(1), kept.empty() ? spaces(147) : kept.substr(0, 147));
    }
}

// A failed step, a missing record or a table another program replaced or changed while the editor
// had it open: the file stays as it is (the other program's records are never cut or padded to the
// old count), no temporary file is left, and the editor goes on with its file open and counted.
TEST_F(CurrencyFile, AFailedStepAMissingRecordOrAChangedTableLeaveTheFileAsItIs) {
    const auto replace = [this] {
        writeFile(dir_ / "neu.dat", records("0123456789"));
        std::filesystem::rename(dir_ / "neu.dat", dat());
    };
    const auto shrink = [this] { std::filesystem::resize_file(dat(), 5 * kRecordLength); };
    // A backup restored in place: as many records, in another order.
    const auto reorder = [this] { writeFile(dat(), records("9876543210")); };
    const std::string replaced = "„KURSOMATIK.DAT“ wurde gelöscht oder ersetzt, während sie geöffnet war.";
    for (const auto& [failing, error, current, before, after, says] : std::initializer_list<
             std::tuple<std::string, int, long, std::function<void()>, std::function<void()>, std::string>>{
             {"removeFile", EACCES, 3, {}, {}, "TMP“ kann nicht gelöscht werden: Zugriff verweigert."},
             {"writeAll", ENOSPC, 3, {}, {}, "TMP“ kann nicht geschrieben werden: Auf dem Datenträger ist"},
             {"renameFile", EBUSY, 3, {}, {}, "TMP“ kann nicht in „KURSOMATIK.DAT“ umbenannt werden: Die"},
             {"", 0, 3, replace, {}, replaced},
             {"", 0, 3, shrink, {}, "„KURSOMATIK.DAT“ wurde von einem anderen Programm geändert"},
             {"", 0, 3, reorder, {}, "„KURSOMATIK.DAT“ wurde von einem anderen Programm geändert"},
             {"", 0, 3, {}, replace, replaced}}) {
        SCOPED_TRACE(says);
        openTable(records("0123456789"), current);
        // An old temporary file is there for the removal to fail on.
        if (failing == "removeFile") writeFile(tmp(), "alt");
        const std::string theirs = before ? (before(), readFile(dat())) : records("0123456789");
        testsupport::FailingStep files(failing, error);
        files.meanwhile = after;
        const CompactionOutcome outcome = dropCurrentRecord(state_, kCurrencyFileName, files);
        EXPECT_FALSE(outcome.replaced);
        EXPECT_NE(outcome.status.error().find(says), std::string::npos) << outcome.status.error();
        EXPECT_TRUE(outcome.status.error().ends_with(" Der Datensatz wurde nicht gelöscht."));
        EXPECT_EQ(readFile(dat()), after ? records("0123456789") : theirs);
        EXPECT_EQ(std::filesystem::exists(tmp()), failing == "removeFile");
        EXPECT_EQ(state_.lSatzAnzahl, 10);
        if (!before && !after) {
            EXPECT_EQ(record(1), records("0"));
        }
        std::filesystem::remove(tmp());
    }
}

// A new record begins as a placeholder with today's date in the region's pattern. "Abbrechen" gives back
// the file byte for byte: the placeholder is cut off through the open file, also where no temporary file
// can be written; where it cannot be cut, the rewrite runs.
TEST_F(CurrencyFile, ThePlaceholderIsAppendedAndCutOffAgainWithoutATemporaryFile) {
    for (const auto& [table, failing, folder] :
         std::initializer_list<std::tuple<std::string, std::string, bool>>{
             {records("12345"), "", false},
             // A fragment too short to count: the placeholder covers it, and "Abbrechen" puts it back.
             {records("12345") + records("6").substr(0, 50), "", false},
             {records("12345") + records("6").substr(0, 50), "truncateFile", false},
             {records("12345"), "", true},
             {records("12345"), "truncateFile", false}}) {
        SCOPED_TRACE(failing + std::to_string(table.size()));
        RegionalSettings regional = RegionalSettings::german();
        regional.today = [] { return CivilDate{2026, 2, 6}; };
        openTable(table, 2);
        const long counted = state_.lSatzAnzahl;
        ASSERT_TRUE(appendPlaceholder(state_, regional));
        EXPECT_EQ(std::pair(state_.lSatzAnzahl, state_.lAktuellerSatz), std::pair(counted + 1, counted + 1));
        EXPECT_EQ(record(counted + 1),
                  "Neu" + spaces(77) + "0" + spaces(39) + "0" + spaces(6) + "06.02.2026" + spaces(10));
        if (folder) std::filesystem::create_directory(tmp());
        testsupport::FailingStep files(failing, EIO);
        const CompactionOutcome outcome = dropPlaceholder(state_, kCurrencyFileName, files);
        ASSERT_TRUE(outcome.status) << outcome.status.error();
        EXPECT_EQ(readFile(dat()), table);
        EXPECT_EQ(state_.lSatzAnzahl, counted);
        EXPECT_EQ(std::ranges::count(files.calls, "createFile"), failing == "truncateFile");
        std::filesystem::remove(tmp());
    }
}

// Under a file-size limit a new record that does not fit is refused with the limit's message, and the
// table stays as it was, whatever part of the record would have fitted.
TEST_F(CurrencyFile, ANewRecordOverTheFileSizeLimitIsRefusedAndLeavesNoFragment) {
    const long record = kRecordLength;
    for (const long room : {-1L, 0L, 122L, record - 1, record}) {
        openTable(records("12345"), 1);
        Status appended = Status::ok();
        {
            const testsupport::FileSizeLimit limit(5 * kRecordLength + room);
            appended = appendPlaceholder(state_, RegionalSettings::german());
        }
        const bool fits = room == record;
        EXPECT_EQ(appended.error().find("Die Datei würde zu groß") != std::string::npos, !fits) << room;
        const std::string after = readFile(dat());
        EXPECT_EQ(after.size(), (fits ? 6 : 5) * kRecordLength) << room;
        EXPECT_EQ(after.substr(0, 5 * kRecordLength), records("12345")) << room;
    }
}

// Writing in place leaves the other records byte for byte.
TEST_F(CurrencyFile, FieldsAreWindows1252BytesAtFixedOffsetsAndUtf8InMemory) {
    std::string ae45;
    for (int i = 0; i < 45; ++i) ae45 += "Ä";
    // Characters without a Windows-1252 byte are stored and read back as '?'; names are cut at 40 characters.
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

// The record number of a list line has three digits: a longer table is listed up to record 999, in the
// time and memory of 999 records however long the file is, and the user is told once.
TEST_F(CurrencyFile, CountRoundsTheLengthToTheNearestWholeRecordUpTo999) {
    // Only records 1 to the count can be read, written or deleted.
    for (const long n : {0L, 1L, 10L, 11L})
        EXPECT_EQ(recordInRange(n, 10, "x").error().ends_with(" in der Datei „x“ nicht vorhanden."),
                  n < 1 || n > 10);
    using T = std::tuple<long long, long, bool>;
    for (const auto& [bytes, records, told] :
         {T(2LL << 30, 999, true), T(1000 * 147, 999, false),
          // A table of 999 records or fewer is counted without a word; after it, a longer one is told again:
          T(0, 0, false), T(73, 0, false), T(74, 1, false), T(220, 1, false), T(221, 2, false),
          T(999 * 147, 999, false), T(1000 * 147, 999, true)}) {
        writeFile(dat(), "");
        std::filesystem::resize_file(dat(), static_cast<std::uintmax_t>(bytes));  // sparse
        const std::string said = openForListPass(state_, kCurrencyFileName);
        EXPECT_EQ(said.empty(), !told) << said;
        EXPECT_EQ(said.find(" Datensätze. Angezeigt werden nur die ersten 999") != std::string::npos, told);
        EXPECT_EQ(state_.lSatzAnzahl, records) << bytes << " bytes";
    }
    // A new record would be record 1000, or overwrite it: it is refused.
    ASSERT_TRUE(state_.iDateiNr.open(kCurrencyFileName));
    EXPECT_NE(appendPlaceholder(state_, RegionalSettings::german()).error().find("enthält schon 999"),
              std::string::npos);
    EXPECT_EQ(std::filesystem::file_size(dat()), 1000u * 147);
    // A fragment of a record reads with spaces.
    openTable(records("1") + encodeRecord(makeRecord("Rest", "REST", "42")).substr(0, 74), 2);
    EXPECT_EQ(*state_.iDateiNr.read(2),
              (CurrencyRecord{"Rest" + spaces(36), "REST" + spaces(36), spaces(40), spaces(7), spaces(20)}));
}

}  // namespace
}  // namespace kursomatik
