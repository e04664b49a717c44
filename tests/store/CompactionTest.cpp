#include "Compaction.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "RecordBuilder.h"
#include "RegionalSettings.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

namespace kursomatik {
namespace {

using testing::makeRecord;
using testing::readFile;
using testing::writeFile;

std::string recordOf(int n) {
    return encodeRecord(makeRecord("Satz " + std::to_string(n), "S" + std::to_string(n), std::to_string(n)));
}

// The records with these numbers, in this order: what a file should hold.
std::string tableOf(const std::vector<int>& numbers) {
    std::string bytes;
    for (const int n : numbers) bytes += recordOf(n);
    return bytes;
}

std::vector<int> oneTo(int count) {
    std::vector<int> numbers;
    for (int n = 1; n <= count; ++n) numbers.push_back(n);
    return numbers;
}

// Fails one chosen step with a chosen errno; every other step is the real one. The write of the
// temporary file can fail part-way, after some bytes really reached it, as a full disk does.
class FaultyOperations : public FileOperations {
  public:
    std::string failing;
    int error = EIO;
    std::size_t bytesBeforeFailure = 0;
    std::vector<std::string> calls;
    std::function<void()> meanwhile;  // what another program does while the new file is written

    int removeFile(const std::filesystem::path& file) override {
        return step("removeFile", [&] { return FileOperations::removeFile(file); });
    }
    int createFile(const std::filesystem::path& file, int& descriptor) override {
        return step("createFile", [&] { return FileOperations::createFile(file, descriptor); });
    }
    int writeAll(int descriptor, std::string_view bytes) override {
        calls.push_back("writeAll");
        if (failing != "writeAll") return FileOperations::writeAll(descriptor, bytes);
        (void)FileOperations::writeAll(descriptor, bytes.substr(0, bytesBeforeFailure));
        return error;
    }
    int syncFile(int descriptor) override {
        return step("syncFile", [&] { return FileOperations::syncFile(descriptor); });
    }
    int closeFile(int descriptor) override {
        // The descriptor is closed even when closing reports an error, as close(2) does.
        const int real = FileOperations::closeFile(descriptor);
        if (meanwhile) meanwhile();
        return step("closeFile", [&] { return real; });
    }
    int renameFile(const std::filesystem::path& from, const std::filesystem::path& to) override {
        return step("renameFile", [&] { return FileOperations::renameFile(from, to); });
    }
    int truncateFile(int descriptor, off_t length) override {
        return step("truncateFile", [&] { return FileOperations::truncateFile(descriptor, length); });
    }
    int syncFolder(const std::filesystem::path& folder) override {
        return step("syncFolder", [&] { return FileOperations::syncFolder(folder); });
    }

  private:
    template <class Real>
    int step(const char* name, Real real) {
        calls.push_back(name);
        return failing == name ? error : real();
    }
};

class Compaction : public ::testing::Test {
  protected:
    // The editor's situation: the currency file open, counted, and one record chosen.
    void openTable(const std::string& bytes, long current) {
        writeFile(dat(), bytes);
        state_.lSatzAnzahl = recordsOfLength(static_cast<long long>(bytes.size()));
        state_.lAktuellerSatz = current;
        ASSERT_TRUE(state_.iDateiNr.open(kCurrencyFileName));
    }
    std::filesystem::path dat() const { return dir_ / kCurrencyFileName; }
    std::filesystem::path tmp() const { return dir_ / kTemporaryFileName; }

    testing::TempDir dir_;
    RecordFileState state_;
};

TEST_F(Compaction, KeepsEveryOtherRecordInOrderAndReopensTheNewFile) {
    struct Case {
        int count;
        long dropped;
        std::vector<int> kept;
        std::size_t bytes;
    };
    for (const Case& c : {Case{5, 3, {1, 2, 4, 5}, 588}, Case{5, 5, {1, 2, 3, 4}, 588},
                          Case{5, 1, {2, 3, 4, 5}, 588}, Case{1, 1, {}, 0}, Case{2, 2, {1}, 147}}) {
        SCOPED_TRACE("record " + std::to_string(c.dropped) + " of " + std::to_string(c.count));
        openTable(tableOf(oneTo(c.count)), c.dropped);
        const CompactionOutcome outcome = dropCurrentRecord(state_, kCurrencyFileName);
        ASSERT_TRUE(outcome.status) << outcome.status.error();
        EXPECT_TRUE(outcome.replaced);
        EXPECT_EQ(readFile(dat()), tableOf(c.kept));
        EXPECT_EQ(std::filesystem::file_size(dat()), c.bytes);
        EXPECT_FALSE(std::filesystem::exists(tmp()));
        EXPECT_EQ(state_.lSatzAnzahl, c.count - 1);
        // The handle now reads the new file: its record 1 is the first kept record.
        ASSERT_TRUE(state_.iDateiNr.isOpen());
        if (!c.kept.empty()) {
            const auto first = state_.iDateiNr.read(1);
            ASSERT_TRUE(first);
            EXPECT_EQ(encodeRecord(*first), recordOf(c.kept.front()));
        }
        state_.iDateiNr.close();
    }
}

TEST_F(Compaction, AnOldTemporaryFileAddsNothing) {
    writeFile(tmp(), tableOf({7, 8, 9}));
    openTable(tableOf(oneTo(3)), 2);
    ASSERT_TRUE(dropCurrentRecord(state_, kCurrencyFileName).status);
    EXPECT_EQ(readFile(dat()), tableOf({1, 3}));
    EXPECT_FALSE(std::filesystem::exists(tmp()));
}

TEST_F(Compaction, WritesWholeRecordsOnlyWhateverFragmentTheOldFileHad) {
    // 100 bytes count as a fourth record and come over padded; 50 bytes are no record and are dropped.
    const std::string fragment = recordOf(4).substr(0, 100);
    openTable(tableOf(oneTo(3)) + fragment, 2);
    ASSERT_EQ(state_.lSatzAnzahl, 4);
    ASSERT_TRUE(dropCurrentRecord(state_, kCurrencyFileName).status);
    EXPECT_EQ(readFile(dat()), tableOf({1, 3}) + fragment + std::string(47, ' '));
    state_.iDateiNr.close();

    openTable(tableOf(oneTo(3)) + recordOf(4).substr(0, 50), 1);
    ASSERT_EQ(state_.lSatzAnzahl, 3);
    ASSERT_TRUE(dropCurrentRecord(state_, kCurrencyFileName).status);
    EXPECT_EQ(readFile(dat()), tableOf({2, 3}));
}

TEST_F(Compaction, TheNewFileReachesTheDiskBeforeItReplacesTheOldOne) {
    openTable(tableOf(oneTo(3)), 1);
    FaultyOperations files;
    ASSERT_TRUE(dropCurrentRecord(state_, kCurrencyFileName, files).status);
    EXPECT_EQ(files.calls, (std::vector<std::string>{"removeFile", "createFile", "writeAll", "syncFile",
                                                     "closeFile", "renameFile", "syncFolder"}));
}

TEST_F(Compaction, AFailedStepLeavesTheOldTableCompleteAndNoTemporaryFile) {
    struct Case {
        const char* failing;
        int error;
        const char* file;
        const char* cause;
    };
    for (const Case& c :
         {Case{"removeFile", EACCES, "KURSOMATIK.TMP", "kann nicht gelöscht werden: Zugriff verweigert."},
          Case{"createFile", EACCES, "KURSOMATIK.TMP", "kann nicht angelegt werden: Zugriff verweigert."},
          Case{"createFile", EROFS, "KURSOMATIK.TMP",
               "angelegt werden: Der Datenträger ist schreibgeschützt."},
          Case{"writeAll", ENOSPC, "KURSOMATIK.TMP",
               "kann nicht geschrieben werden: Auf dem Datenträger ist"},
          Case{"syncFile", EIO, "KURSOMATIK.TMP", "kann nicht geschrieben werden: Ein- oder Ausgabefehler"},
          Case{"closeFile", EDQUOT, "KURSOMATIK.TMP",
               "kann nicht geschrieben werden: Das Speicherkontingent"},
          Case{"renameFile", EBUSY, "KURSOMATIK.TMP",
               "in „KURSOMATIK.DAT“ umbenannt werden: Die Datei wird"}}) {
        SCOPED_TRACE(c.failing);
        const std::string before = tableOf(oneTo(5));
        openTable(before, 3);
        // An old temporary file is there for the removal to fail on.
        if (std::string(c.failing) == "removeFile") writeFile(tmp(), "alt");
        FaultyOperations files;
        files.failing = c.failing;
        files.error = c.error;
        files.bytesBeforeFailure = 300;  // two records and a piece of the third
        const CompactionOutcome outcome = dropCurrentRecord(state_, kCurrencyFileName, files);

        EXPECT_FALSE(outcome.status);
        EXPECT_FALSE(outcome.replaced);
        EXPECT_NE(outcome.status.error().find("„" + std::string(c.file) + "“"), std::string::npos)
            << outcome.status.error();
        EXPECT_NE(outcome.status.error().find(c.cause), std::string::npos) << outcome.status.error();
        EXPECT_NE(outcome.status.error().find("nicht gelöscht"), std::string::npos);
        EXPECT_EQ(readFile(dat()), before);
        EXPECT_EQ(std::filesystem::exists(tmp()), std::string(c.failing) == "removeFile");
        // The editor goes on with the old file still open and counted.
        EXPECT_EQ(state_.lSatzAnzahl, 5);
        const auto third = state_.iDateiNr.read(3);
        ASSERT_TRUE(third);
        EXPECT_EQ(encodeRecord(*third), recordOf(3));
        state_.iDateiNr.close();
        std::filesystem::remove(tmp());
    }
}

TEST_F(Compaction, AReallyFullDiskLeavesTheOldTable) {
    // The file size limit stands in for a full disk: the temporary file stops growing at 400 bytes.
    const std::string before = tableOf(oneTo(5));
    openTable(before, 1);
    const CompactionOutcome outcome = [&] {
        const testing::FileSizeLimit full(400);
        return dropCurrentRecord(state_, kCurrencyFileName);
    }();

    EXPECT_FALSE(outcome.status);
    EXPECT_NE(outcome.status.error().find("„KURSOMATIK.TMP“ kann nicht geschrieben werden"),
              std::string::npos)
        << outcome.status.error();
    EXPECT_EQ(readFile(dat()), before);
    EXPECT_FALSE(std::filesystem::exists(tmp()));
}

TEST_F(Compaction, ARecordNumberOutsideTheFileDropsNothing) {
    for (const long current : {0L, 4L, -1L}) {
        openTable(tableOf(oneTo(3)), current);
        FaultyOperations files;
        const CompactionOutcome outcome = dropCurrentRecord(state_, kCurrencyFileName, files);
        EXPECT_FALSE(outcome.status) << current;
        EXPECT_NE(outcome.status.error().find("nicht vorhanden"), std::string::npos);
        EXPECT_TRUE(files.calls.empty()) << current;
        EXPECT_EQ(readFile(dat()), tableOf(oneTo(3)));
        state_.iDateiNr.close();
    }
}

// Another program replaced or changed the table while the editor had it open: the records of its
// table are never cut to the old count or padded up to it, and its file stays as it left it.
TEST_F(Compaction, ATableAnotherProgramReplacedOrChangedIsLeftAsItIs) {
    const auto replaceWith = [this](int count) {
        return [this, count] {
            writeFile(dir_ / "neu.dat", tableOf(oneTo(count)));
            std::filesystem::rename(dir_ / "neu.dat", dat());
        };
    };
    struct Case {
        const char* what;
        std::function<void()> change;
        bool whileTheNewFileIsWritten;
        std::string theirs;
        const char* says;
    };
    const char* const replaced = "wurde gelöscht oder ersetzt, während sie geöffnet war";
    const char* const changed = "wurde von einem anderen Programm geändert";
    for (const Case& c :
         {Case{"replaced by 5 records", replaceWith(5), false, tableOf(oneTo(5)), replaced},
          Case{"replaced by 30 records", replaceWith(30), false, tableOf(oneTo(30)), replaced},
          Case{"a record appended in place", [this] { writeFile(dat(), tableOf(oneTo(11))); }, false,
               tableOf(oneTo(11)), changed},
          Case{"cut in place", [this] { std::filesystem::resize_file(dat(), 5 * kRecordLength); }, false,
               tableOf(oneTo(5)), changed},
          Case{"replaced while the new file is written", replaceWith(5), true, tableOf(oneTo(5)),
               replaced}}) {
        SCOPED_TRACE(c.what);
        openTable(tableOf(oneTo(10)), 3);
        FaultyOperations files;
        if (c.whileTheNewFileIsWritten) {
            files.meanwhile = c.change;
        } else {
            c.change();
        }
        const CompactionOutcome outcome = dropCurrentRecord(state_, kCurrencyFileName, files);
        EXPECT_FALSE(outcome.status);
        EXPECT_FALSE(outcome.replaced);
        EXPECT_NE(outcome.status.error().find(c.says), std::string::npos) << outcome.status.error();
        EXPECT_NE(outcome.status.error().find("nicht gelöscht"), std::string::npos);
        EXPECT_EQ(readFile(dat()), c.theirs);
        EXPECT_FALSE(std::filesystem::exists(tmp()));
        EXPECT_EQ(state_.lSatzAnzahl, 10);
        state_.iDateiNr.close();
    }
}

// "Abbrechen" of a new record gives back the file byte for byte, also where no temporary file can be
// written: the placeholder is cut off through the open file.
TEST_F(Compaction, ThePlaceholderIsCutOffWithoutATemporaryFile) {
    struct Case {
        const char* what;
        std::string table;
        const char* failing;
    };
    const std::string five = tableOf(oneTo(5));
    for (const Case& c :
         {Case{"whole records", five, ""},
          Case{"a fragment that counts as a record", five + recordOf(6).substr(0, 100), ""},
          Case{"a folder named KURSOMATIK.TMP", five, ""},
          Case{"no temporary file can be written", five, "writeAll"}, Case{"the file is empty", "", ""}}) {
        SCOPED_TRACE(c.what);
        openTable(c.table, 0);
        const long counted = state_.lSatzAnzahl;
        ASSERT_TRUE(appendPlaceholder(state_, RegionalSettings::german()));
        if (std::string(c.what).find("folder") != std::string::npos) std::filesystem::create_directory(tmp());
        FaultyOperations files;
        files.failing = c.failing;
        const CompactionOutcome outcome = dropPlaceholder(state_, kCurrencyFileName, files);
        ASSERT_TRUE(outcome.status) << outcome.status.error();
        EXPECT_EQ(readFile(dat()), c.table);
        EXPECT_EQ(state_.lSatzAnzahl, counted);
        EXPECT_EQ(std::count(files.calls.begin(), files.calls.end(), "createFile"), 0);
        state_.iDateiNr.close();
        std::filesystem::remove(tmp());
    }
}

TEST_F(Compaction, APlaceholderThatCannotBeCutGoesByTheRewrite) {
    const std::string five = tableOf(oneTo(5));
    openTable(five, 0);
    ASSERT_TRUE(appendPlaceholder(state_, RegionalSettings::german()));
    FaultyOperations files;
    files.failing = "truncateFile";
    const CompactionOutcome outcome = dropPlaceholder(state_, kCurrencyFileName, files);
    ASSERT_TRUE(outcome.status) << outcome.status.error();
    EXPECT_EQ(readFile(dat()), five);
    EXPECT_EQ(files.calls.back(), "syncFolder");
    EXPECT_EQ(state_.lSatzAnzahl, 5);
}

}  // namespace
}  // namespace kursomatik
