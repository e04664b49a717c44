#include "Compaction.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <functional>
#include <numeric>
#include <string>
#include <vector>

#include "RecordBuilder.h"
#include "RegionalSettings.h"
#include "SystemError.h"
#include "support/TempDir.h"

namespace kursomatik {
namespace {

using testing::readFile;
using testing::writeFile;

std::string recordOf(int n) {
    return encodeRecord(testing::makeRecord("Satz " + std::to_string(n), "S" + std::to_string(n), std::to_string(n)));
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

// Records every step and fails a chosen one with a chosen errno. A failing write puts some bytes
// into the file first, as a full disk does; `meanwhile` is what another program does while the
// new file is written.
class FaultyOperations : public FileOperations {
  public:
    std::string failing;
    int error = EIO;
    std::vector<std::string> calls;
    std::function<void()> meanwhile;

    Status removeFile(const std::filesystem::path& file) override {
        return step("removeFile", failing == "removeFile" ? Status::ok() : FileOperations::removeFile(file));
    }
    Result<int> createFile(const std::filesystem::path& file) override {
        calls.push_back("createFile");
        return failing == "createFile" ? systemFailure(error) : FileOperations::createFile(file);
    }
    Status writeAll(int descriptor, std::string_view bytes) override {
        if (failing == "writeAll") bytes = bytes.substr(0, 300);
        return step("writeAll", FileOperations::writeAll(descriptor, bytes));
    }
    Status syncFile(int descriptor) override { return step("syncFile", FileOperations::syncFile(descriptor)); }
    Status closeFile(int descriptor) override {
        // The descriptor is closed even when closing reports an error, as close(2) does.
        Status real = FileOperations::closeFile(descriptor);
        if (meanwhile) meanwhile();
        return step("closeFile", real);
    }
    Status renameFile(const std::filesystem::path& from, const std::filesystem::path& to) override {
        return step("renameFile", failing == "renameFile" ? Status::ok() : FileOperations::renameFile(from, to));
    }
    Status truncateFile(int descriptor, off_t length) override {
        return step("truncateFile", failing == "truncateFile" ? Status::ok() : FileOperations::truncateFile(descriptor, length));
    }
    Status syncFolder(const std::filesystem::path& folder) override { return step("syncFolder", FileOperations::syncFolder(folder)); }

  private:
    Status step(const char* name, Status real) {
        calls.push_back(name);
        return failing == name ? systemFailure(error) : real;
    }
};

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
    std::string recordOne() const { const auto r = state_.iDateiNr.read(1); return r ? encodeRecord(*r) : r.error(); }

    testing::TempDir dir_;
    RecordFileState state_;
};

TEST_F(Compaction, KeepsEveryOtherWholeRecordInOrderAndReopensTheNewFile) {
    // 100 bytes count as a record and come over padded; 50 bytes are no record and are dropped.
    const std::string fragment = recordOf(4).substr(0, 100);
    for (const auto& [table, dropped, kept] : std::initializer_list<std::tuple<std::string, long, std::string>>{
             {oneTo(5), 3, tableOf({1, 2, 4, 5})}, {oneTo(5), 5, oneTo(4)}, {oneTo(5), 1, tableOf({2, 3, 4, 5})},
             {oneTo(1), 1, ""}, {oneTo(3) + fragment, 2, tableOf({1, 3}) + fragment + std::string(47, ' ')},
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
    for (const auto& [failing, error, current, says] : std::initializer_list<std::tuple<std::string, int, long, std::string>>{
             {"removeFile", EACCES, 3, "„KURSOMATIK.TMP“ kann nicht gelöscht werden: Zugriff verweigert."},
             {"createFile", EROFS, 3, "„KURSOMATIK.TMP“ kann nicht angelegt werden: Der Datenträger ist schreibgeschützt."},
             {"writeAll", ENOSPC, 3, "„KURSOMATIK.TMP“ kann nicht geschrieben werden: Auf dem Datenträger ist"},
             {"syncFile", EIO, 3, "„KURSOMATIK.TMP“ kann nicht geschrieben werden: Ein- oder Ausgabefehler"},
             {"closeFile", EDQUOT, 3, "„KURSOMATIK.TMP“ kann nicht geschrieben werden: Das Speicherkontingent"},
             {"renameFile", EBUSY, 3, "„KURSOMATIK.TMP“ kann nicht in „KURSOMATIK.DAT“ umbenannt werden: Die Datei wird"},
             {"", 0, 0, "Der Datensatz 0 ist in der Datei „KURSOMATIK.DAT“ nicht vorhanden."},
             {"", 0, 6, "Der Datensatz 6 ist in der Datei „KURSOMATIK.DAT“ nicht vorhanden."}}) {
        SCOPED_TRACE(failing + std::to_string(current));
        openTable(oneTo(5), current);
        // An old temporary file is there for the removal to fail on.
        if (failing == "removeFile") writeFile(tmp(), "alt");
        FaultyOperations files;
        files.failing = failing;
        files.error = error;
        const CompactionOutcome outcome = dropCurrentRecord(state_, kCurrencyFileName, files);
        EXPECT_FALSE(outcome.replaced);
        EXPECT_NE(outcome.status.error().find(says + (says.ends_with(".") ? " Der Datensatz wurde nicht gelöscht." : "")), std::string::npos)
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
        return [this, count] { writeFile(dir_ / "neu.dat", oneTo(count)); std::filesystem::rename(dir_ / "neu.dat", dat()); };
    };
    const std::string replaced = "wurde gelöscht oder ersetzt, während sie geöffnet war. Der Datensatz wurde nicht gelöscht.";
    const std::string changed = "wurde von einem anderen Programm geändert, während sie geöffnet war.";
    for (const auto& [change, meanwhile, theirs, says] : std::initializer_list<std::tuple<std::function<void()>, bool, int, std::string>>{
             {replaceWith(5), false, 5, replaced}, {replaceWith(30), false, 30, replaced},
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
        EXPECT_NE(outcome.status.error().find("„KURSOMATIK.DAT“ " + says), std::string::npos) << outcome.status.error();
        EXPECT_EQ(readFile(dat()), oneTo(theirs));
        EXPECT_FALSE(std::filesystem::exists(tmp()));
        EXPECT_EQ(state_.lSatzAnzahl, 10);
    }
}

// "Abbrechen" of a new record gives back the file byte for byte: the placeholder is cut off through
// the open file, also where no temporary file can be written; where it cannot be cut, the rewrite runs.
TEST_F(Compaction, ThePlaceholderIsCutOffWithoutATemporaryFile) {
    for (const auto& [table, failing, folder] : std::initializer_list<std::tuple<std::string, std::string, bool>>{
             {oneTo(5), "", false}, {oneTo(5) + recordOf(6).substr(0, 100), "", false}, {oneTo(5), "", true},
             {oneTo(5), "writeAll", false}, {"", "", false}, {oneTo(5), "truncateFile", false}}) {
        SCOPED_TRACE(failing + std::to_string(table.size()));
        openTable(table, 0);
        const long counted = state_.lSatzAnzahl;
        ASSERT_TRUE(appendPlaceholder(state_, RegionalSettings::german()));
        if (folder) std::filesystem::create_directory(tmp());
        FaultyOperations files;
        files.failing = failing;
        const CompactionOutcome outcome = dropPlaceholder(state_, kCurrencyFileName, files);
        ASSERT_TRUE(outcome.status) << outcome.status.error();
        EXPECT_EQ(readFile(dat()), table);
        EXPECT_EQ(state_.lSatzAnzahl, counted);
        EXPECT_EQ(std::count(files.calls.begin(), files.calls.end(), "createFile"), failing == "truncateFile");
        std::filesystem::remove(tmp());
    }
}

}  // namespace
}  // namespace kursomatik
