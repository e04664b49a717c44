// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/Compaction.h"
#include "store/RecordFile.h"
#include "store/RecordFileState.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <functional>
#include <numeric>
#include <string>
#include <vector>

#include "platform/RegionalSettings.h"
#include "platform/SystemError.h"
#include "tests/store/RecordBuilder.h"
#include "tests/support/FailingStep.h"
#include "tests/support/TempDir.h"

namespace kursomatik {
namespace {

using testing::makeRecord;
using testing::readFile;
using testing::writeFile;

std::string recordOf(int n) {
    return encodeRecord(
        testing::makeRecord("Satz " + std::to_string(n), "S" + std::to_string(n), std::to_string(n)));
}

// The records with these numbers, in this order: what a file should hold.
std::string tableOf(const std::vector<int>& numbers) {
    std::string bytes;
    for (const int n : numbers) bytes += recordOf(n);
    return bytes;
}

std::string oneTo(int count) {
    std::vector<int> numbers(static_cast<std::size_t>(count));
    std::iota(numbers.begin(), numbers.end(), 1);
    return tableOf(numbers);
}

using FaultyOperations = testing::FailingStep;

class Compaction : public ::testing::Test {
  protected:
    // The editor's situation: the currency file open, counted, and one record chosen.
    void openTable(const std::string& bytes, long current) {
        state_.iDateiNr.close();
        writeFile(dat(), bytes);
        state_.lSatzAnzahl = recordsOfLength(static_cast<long long>(bytes.size()));
        state_.lAktuellerSatz = current;
        ASSERT_TRUE(state_.iDateiNr.open(kCurrencyFileName));
    }
    std::filesystem::path dat() const { return dir_ / kCurrencyFileName; }
    std::filesystem::path tmp() const { return dir_ / kTemporaryFileName; }
    std::string recordOne() const {
        const auto r = state_.iDateiNr.read(1);
        return r ? encodeRecord(*r) : r.error();
    }

    testing::TempDir dir_;
    RecordFileState state_;
};

TEST_F(Compaction, KeepsEveryOtherWholeRecordInOrderAndReopensTheNewFile) {
    // 100 bytes count as a record and come over padded; 50 bytes are no record and are dropped.
    const std::string fragment = recordOf(4).substr(0, 100);
    for (const auto& [table, dropped, kept] :
         std::initializer_list<std::tuple<std::string, long, std::string>>{
             {oneTo(5), 3, tableOf({1, 2, 4, 5})},
             {oneTo(5), 5, oneTo(4)},
             {oneTo(5), 1, tableOf({2, 3, 4, 5})},
             {oneTo(1), 1, ""},
             {oneTo(3) + fragment, 2, tableOf({1, 3}) + fragment + std::string(47, ' ')},
             {oneTo(3) + recordOf(4).substr(0, 50), 3, oneTo(2)}}) {
        SCOPED_TRACE(dropped);
        writeFile(tmp(), tableOf({7, 8, 9}));  // an old temporary file adds nothing
        openTable(table, dropped);
        const long counted = state_.lSatzAnzahl;
        FaultyOperations files;
        const CompactionOutcome outcome = dropCurrentRecord(state_, kCurrencyFileName, files);
        ASSERT_TRUE(outcome.status) << outcome.status.error();
        EXPECT_TRUE(outcome.replaced);
        EXPECT_EQ(readFile(dat()), kept);
        EXPECT_FALSE(std::filesystem::exists(tmp()));
        EXPECT_EQ(state_.lSatzAnzahl, counted - 1);
        // The handle now reads the new file: its record 1 is the first kept record.
        EXPECT_EQ(recordOne(), kept.empty() ? std::string(147, ' ') : kept.substr(0, 147));
        EXPECT_EQ(files.calls, (std::vector<std::string>{"removeFile", "createFile", "writeAll", "syncFile",
                                                         "closeFile", "renameFile", "syncFolder"}));
    }
}

TEST_F(Compaction, AFailedStepOrAMissingRecordLeavesTheOldTableCompleteAndNoTemporaryFile) {
    for (const auto& [failing, error, current, says] :
         std::initializer_list<std::tuple<std::string, int, long, std::string>>{
             {"removeFile", EACCES, 3, "„KURSOMATIK.TMP“ kann nicht gelöscht werden: Zugriff verweigert."},
             {"createFile", EROFS, 3,
              "„KURSOMATIK.TMP“ kann nicht angelegt werden: Der Datenträger ist schreibgeschützt."},
             {"writeAll", ENOSPC, 3,
              "„KURSOMATIK.TMP“ kann nicht geschrieben werden: Auf dem Datenträger ist"},
             {"syncFile", EIO, 3, "„KURSOMATIK.TMP“ kann nicht geschrieben werden: Ein- oder Ausgabefehler"},
             {"closeFile", EDQUOT, 3,
              "„KURSOMATIK.TMP“ kann nicht geschrieben werden: Das Speicherkontingent"},
             {"renameFile", EBUSY, 3,
              "„KURSOMATIK.TMP“ kann nicht in „KURSOMATIK.DAT“ umbenannt werden: Die Datei wird"},
             {"", 0, 0, "Der Datensatz 0 ist in der Datei „KURSOMATIK.DAT“ nicht vorhanden."},
             {"", 0, 6, "Der Datensatz 6 ist in der Datei „KURSOMATIK.DAT“ nicht vorhanden."}}) {
        SCOPED_TRACE(failing + std::to_string(current));
        openTable(oneTo(5), current);
        // An old temporary file is there for the removal to fail on.
        if (failing == "removeFile") writeFile(tmp(), "alt");
        FaultyOperations files(failing, error);
        const CompactionOutcome outcome = dropCurrentRecord(state_, kCurrencyFileName, files);
        EXPECT_FALSE(outcome.replaced);
        EXPECT_NE(outcome.status.error().find(
                      says + (says.ends_with(".") ? " Der Datensatz wurde nicht gelöscht." : "")),
                  std::string::npos)
            << outcome.status.error();
        EXPECT_EQ(files.calls.empty(), failing.empty());
        EXPECT_EQ(readFile(dat()), oneTo(5));
        EXPECT_EQ(std::filesystem::exists(tmp()), failing == "removeFile");
        // The editor goes on with the old file still open and counted.
        EXPECT_EQ(state_.lSatzAnzahl, 5);
        EXPECT_EQ(recordOne(), recordOf(1));
        std::filesystem::remove(tmp());
    }
}

// Another program replaced or changed the table while the editor had it open: the records of its
// table are never cut to the old count or padded up to it, and its file stays as it left it.
TEST_F(Compaction, ATableAnotherProgramReplacedOrChangedIsLeftAsItIs) {
    const auto replaceWith = [this](int count) {
        return [this, count] {
            writeFile(dir_ / "neu.dat", oneTo(count));
            std::filesystem::rename(dir_ / "neu.dat", dat());
        };
    };
    const std::string replaced =
        "wurde gelöscht oder ersetzt, während sie geöffnet war. Der Datensatz wurde nicht gelöscht.";
    const std::string changed = "wurde von einem anderen Programm geändert, während sie geöffnet war.";
    for (const auto& [change, meanwhile, theirs, says] :
         std::initializer_list<std::tuple<std::function<void()>, bool, int, std::string>>{
             {replaceWith(5), false, 5, replaced},
             {replaceWith(30), false, 30, replaced},
             {[this] { writeFile(dat(), oneTo(11)); }, false, 11, changed},
             {[this] { std::filesystem::resize_file(dat(), 5 * kRecordLength); }, false, 5, changed},
             {replaceWith(5), true, 5, replaced}}) {
        SCOPED_TRACE(theirs);
        openTable(oneTo(10), 3);
        FaultyOperations files;
        if (meanwhile) files.meanwhile = change;
        if (!meanwhile) change();
        const CompactionOutcome outcome = dropCurrentRecord(state_, kCurrencyFileName, files);
        EXPECT_FALSE(outcome.replaced);
        EXPECT_NE(outcome.status.error().find("„KURSOMATIK.DAT“ " + says), std::string::npos)
            << outcome.status.error();
        EXPECT_EQ(readFile(dat()), oneTo(theirs));
        EXPECT_FALSE(std::filesystem::exists(tmp()));
        EXPECT_EQ(state_.lSatzAnzahl, 10);
    }
}

// "Abbrechen" of a new record gives back the file byte for byte: the placeholder is cut off through
// the open file, also where no temporary file can be written; where it cannot be cut, the rewrite runs.
TEST_F(Compaction, ThePlaceholderIsCutOffWithoutATemporaryFile) {
    for (const auto& [table, failing, folder] :
         std::initializer_list<std::tuple<std::string, std::string, bool>>{
             {oneTo(5), "", false},
             {oneTo(5) + recordOf(6).substr(0, 100), "", false},
             {oneTo(5), "", true},
             {oneTo(5), "writeAll", false},
             {"", "", false},
             {oneTo(5), "truncateFile", false}}) {
        SCOPED_TRACE(failing + std::to_string(table.size()));
        openTable(table, 0);
        const long counted = state_.lSatzAnzahl;
        ASSERT_TRUE(appendPlaceholder(state_, RegionalSettings::german()));
        if (folder) std::filesystem::create_directory(tmp());
        FaultyOperations files(failing, EIO);
        const CompactionOutcome outcome = dropPlaceholder(state_, kCurrencyFileName, files);
        ASSERT_TRUE(outcome.status) << outcome.status.error();
        EXPECT_EQ(readFile(dat()), table);
        EXPECT_EQ(state_.lSatzAnzahl, counted);
        EXPECT_EQ(std::count(files.calls.begin(), files.calls.end(), "createFile"),
                  failing == "truncateFile");
        std::filesystem::remove(tmp());
    }
}

std::string spaces(std::size_t n) {
    return std::string(n, ' ');
}

// Every test runs in a fresh current directory, where the currency file is looked up.
class CurrencyFile : public ::testing::Test {
  protected:
    std::filesystem::path datFile() const { return dir_ / kCurrencyFileName; }
    testing::TempDir dir_;
    RecordFile file_;
};

TEST_F(CurrencyFile, FieldsAreWindows1252BytesAtFixedOffsetsAndUtf8InMemory) {
    std::string ae40;
    for (int i = 0; i < 45; ++i) ae40 += "Ä";
    // Characters without a Windows-1252 byte are stored and read back as '?'; names are cut at 40 characters.
    for (const auto& [text, bytes, readBack] :
         std::initializer_list<std::tuple<std::string, std::string, std::string>>{
             {"DM", "DM", "DM"},
             {"Österreichischer Schilling", "\xD6sterreichischer Schilling", "Österreichischer Schilling"},
             {"Groß €", "Gro\xDF \x80", "Groß €"},
             {"Polnischer Złoty", "Polnischer Z?oty", "Polnischer Z?oty"},
             {ae40, std::string(40, '\xC4'), ae40.substr(0, 80)}}) {
        ASSERT_TRUE(file_.open(kCurrencyFileName));
        ASSERT_TRUE(file_.write(1, makeRecord(text, "DEM", "1955830")));
        EXPECT_EQ(readFile(datFile()), bytes + spaces(40 - bytes.size()) + "DEM" + spaces(37) + "1955830" +
                                           spaces(33) + "1" + spaces(6) + "04.01.1999" + spaces(10));
        EXPECT_EQ(fieldValue(file_.read(1)->Bezeichnung), readBack);
    }
}

TEST_F(CurrencyFile, CountRoundsTheLengthToTheNearestWholeRecordAndAFragmentReadsWithSpaces) {
    for (const auto& [bytes, records] : std::initializer_list<std::pair<std::size_t, long>>{
             {0, 0}, {73, 0}, {74, 1}, {220, 1}, {221, 2}, {147 * 10 + 73, 10}, {147 * 10 + 74, 11}}) {
        writeFile(datFile(), std::string(bytes, 'x'));
        RecordFileState state;
        EXPECT_EQ(openForListPass(state, kCurrencyFileName), "") << bytes << " bytes";
        EXPECT_EQ(state.lSatzAnzahl, records) << bytes << " bytes";
    }
    writeFile(datFile(), oneTo(1) + encodeRecord(makeRecord("Rest", "REST", "42")).substr(0, 74));
    ASSERT_TRUE(file_.open(kCurrencyFileName));
    EXPECT_EQ(*file_.read(2),
              (CurrencyRecord{"Rest" + spaces(36), "REST" + spaces(36), spaces(40), spaces(7), spaces(20)}));
}

TEST_F(CurrencyFile, AMissingTableIsReportedWithItsFolderAndNotCreated) {
    RecordFileState state;
    EXPECT_EQ(openForListPass(state, kCurrencyFileName),
              "Die Datei \u201E" + (std::filesystem::current_path() / kCurrencyFileName).string() +
                  "\u201C kann nicht gelesen werden: Die Datei oder der Ordner ist nicht vorhanden.");
    EXPECT_EQ(state.lSatzAnzahl, 0);
    EXPECT_FALSE(std::filesystem::exists(datFile()));
}

// The record number of a list line has three digits: a longer table is listed up to record 999, in
// the time and memory of 999 records however long the file is, and the user is told once.
TEST_F(CurrencyFile, ATableOfMoreThan999RecordsIsListedUpToRecord999AndReportedOnce) {
    for (const auto& [bytes, reported] : std::initializer_list<std::pair<long long, bool>>{
             {999 * 147, false}, {1000 * 147, true}, {2LL << 30, true}}) {
        SCOPED_TRACE(bytes);
        writeFile(datFile(), oneTo(3));
        std::filesystem::resize_file(datFile(), static_cast<std::uintmax_t>(bytes));  // sparse
        RecordFileState state;
        const std::string message = openForListPass(state, kCurrencyFileName);
        EXPECT_EQ(state.lSatzAnzahl, 999);
        EXPECT_EQ(message.find(" Datensätze. Angezeigt werden nur die ersten 999") != std::string::npos,
                  reported)
            << message;
        EXPECT_EQ(openForListPass(state, kCurrencyFileName), "");
        // A new record would be record 1000, or overwrite it: it is refused.
        ASSERT_TRUE(state.iDateiNr.open(kCurrencyFileName));
        const Status appended = appendPlaceholder(state, RegionalSettings::german());
        EXPECT_NE(appended.error().find("enthält schon 999 Datensätze"), std::string::npos)
            << appended.error();
        EXPECT_EQ(static_cast<long long>(std::filesystem::file_size(datFile())), bytes);
    }
}

TEST_F(CurrencyFile, WritingInPlaceOrAppendingLeavesTheOtherRecordsByteForByte) {
    const CurrencyRecord edited = makeRecord("Französischer Franc", "FRF", "6559570", "1", "06.02.2026");
    writeFile(datFile(), oneTo(5));
    ASSERT_TRUE(file_.open(kCurrencyFileName));
    ASSERT_TRUE(file_.write(2, edited));
    ASSERT_TRUE(file_.write(6, edited));
    EXPECT_EQ(readFile(datFile()),
              oneTo(1) + encodeRecord(edited) + oneTo(5).substr(294) + encodeRecord(edited));
    EXPECT_EQ(*file_.read(6), edited);
}

TEST_F(CurrencyFile, PlaceholderIsAppendedWithTodaysDateAndBecomesTheCurrentRecord) {
    for (auto [regional, datum] : std::initializer_list<std::pair<RegionalSettings, std::string>>{
             {RegionalSettings::german(), "06.02.2026"}, {RegionalSettings::english(), "02/06/2026"}}) {
        writeFile(datFile(), oneTo(5));
        regional.today = [] { return CivilDate{2026, 2, 6}; };
        RecordFileState state;
        state.lSatzAnzahl = 5;
        state.lAktuellerSatz = 2;
        ASSERT_TRUE(state.iDateiNr.open(kCurrencyFileName));
        ASSERT_TRUE(appendPlaceholder(state, regional));
        EXPECT_EQ(state.lSatzAnzahl, 6);
        EXPECT_EQ(state.lAktuellerSatz, 6);
        EXPECT_EQ(readFile(datFile()), oneTo(5) + "Neu" + spaces(77) + "0" + spaces(39) + "0" + spaces(6) +
                                           datum + spaces(20 - datum.size()));
        EXPECT_EQ(state.buffer, *state.iDateiNr.read(6));
    }
}

}  // namespace
}  // namespace kursomatik
