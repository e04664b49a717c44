// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/stat.h>
#include <unistd.h>

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <cerrno>

#include "app/Startup.h"
#include "maintenance/frmEingabe2.h"
#include "platform/qt/LineList.h"
#include "platform/qt/SingleInstanceGuard.h"
#include "tests/gui/ProgramTest.h"
#include "tests/support/Deadline.h"
#include "tests/support/FailingStep.h"
#include "tests/support/FileSizeLimit.h"

namespace kursomatik::testing {
namespace {

namespace fs = std::filesystem;

// Every fault of the file layer ends in a German message; the program goes on, and the currency
// file is complete afterwards, with the old or the new table.
class FileFaults : public ProgramTest {
  protected:
    bool shown(const char* part) const { return windows.shown(QString::fromUtf8(part)); }
    std::string allMessages() const { return windows.messageTexts().join(" | ").toStdString(); }
    int listed() const { return find<LineList>("lstversteckt")->lineCount(); }
    // The program's own settings environment, with its lock at the given place.
    void programSettings(SingleInstanceGuard& guard) {
        const auto programDir = state.environment.programDir, winIni = state.environment.systemProfile;
        state.environment = programEnvironment(guard, windows);
        state.environment.programDir = programDir;
        state.environment.systemProfile = winIni;
    }
    void ok() { find<QPushButton>("cmdOK")->click(); }
};

// A full disk on appending the placeholder is the editor's file fault test.
TEST_F(FileFaults, AFullDiskKeepsTheRecordWholeOnSave) {
    start({kDeutscheMark, kEuro});
    frmEingabe2& e = openRecord(0);
    QPointer<frmEingabe2> alive(&e);
    const std::string withPlaceholder = datBytes();
    child(&e, "txttkurs")->setText("3,5");
    child(&e, "txtiso")->setText("NEU");
    windows.messages.clear();
    {
        const FileSizeLimit full(withPlaceholder.size() - kRecordLength + 60);
        press(&e, "cmdEingabeBeenden_0");
    }
    settle();
    EXPECT_TRUE(shown("„KURSOMATIK.DAT“ kann nicht geschrieben werden")) << allMessages();
    // The record is not torn: the table is as it was; the window still leaves.
    EXPECT_EQ(datBytes(), withPlaceholder);
    EXPECT_TRUE(alive.isNull());
    EXPECT_FALSE(state.file.iDateiNr.isOpen());
}

TEST_F(FileFaults, ASettingThatCannotBeWrittenIsReportedOnceAndStillTakesEffect) {
    start({kDeutscheMark, kEuro});
    // WIN.INI names a settings file in a folder that does not exist.
    fs::create_directories(state.environment.systemProfile.parent_path());
    writeFile(state.environment.systemProfile,
              "[Kursomatik]\nIniDatei=" + (dir / "fehlt" / "k.ini").string() + "\n");
    ok();
    windows.messages.clear();
    find<QRadioButton>("optst3")->click();
    find<QRadioButton>("optzw2")->click();
    ASSERT_EQ(windows.messages.size(), 1u) << allMessages();
    EXPECT_TRUE(shown("k.ini“ kann nicht geschrieben werden")) << allMessages();
    EXPECT_EQ(state.settings.sStellen2, "10000");
    EXPECT_FALSE(fs::exists(dir / "fehlt"));
}

TEST_F(FileFaults, ALockFileThatCannotBeMadeIsReportedOnceAndTheProgramRuns) {
    SingleInstanceGuard guard(QString::fromStdString((dir / "kein-ordner" / "k.lock").string()));
    programSettings(guard);
    start({kDeutscheMark, kEuro});
    ok();  // a second reading does not repeat the warning
    ASSERT_EQ(windows.messages.size(), 1u) << allMessages();
    EXPECT_TRUE(shown("Die Sperrdatei")) << allMessages();
    EXPECT_EQ(windows.processEnded, 0);
    EXPECT_EQ(listed(), 2);
}

// "Abbrechen" of a new record gives back the table byte for byte, whatever would stop a rewrite of
// it: the placeholder is cut off through the open file.
TEST_F(FileFaults, AbbrechenOfANewRecordLeavesTheTableByteForByte) {
    for (const std::string fault :
         {"full disk", "read-only folder", "folder KURSOMATIK.TMP", "failing write"}) {
        if (fault == "read-only folder" && ::geteuid() == 0) continue;  // root writes into read-only folders
        SCOPED_TRACE(fault);
        start({kDeutscheMark, kEuro});
        const std::string before = datBytes();
        frmEingabe2& e = openRecord(0);
        windows.messages.clear();
        FailingStep failing("writeAll", ENOSPC);
        if (fault == "failing write") main->maintenance().fileOperations = &failing;
        if (fault == "folder KURSOMATIK.TMP") fs::create_directory(dir / "KURSOMATIK.TMP");
        if (fault == "read-only folder")
            fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
        {
            const FileSizeLimit full(fault == "full disk" ? 100 : RLIM_INFINITY);
            press(&e, "neulöschen");
        }
        settle();
        fs::permissions(dir.path(), fs::perms::owner_all);
        fs::remove(dir / "KURSOMATIK.TMP");
        EXPECT_EQ(datBytes(), before);
        EXPECT_TRUE(windows.messages.empty()) << allMessages();
        EXPECT_EQ(listed(), 2);
        EXPECT_FALSE(state.file.iDateiNr.isOpen());
    }
}

// The table's file and the settings file stay what the user made them: a symbolic link stays a link
// (to the rewritten file), a file only its owner may read stays so.
TEST_F(FileFaults, RewritesKeepLinksAndPermissions) {
    for (const bool deletion : {true, false}) {
        for (const bool link : {true, false}) {
            SCOPED_TRACE(std::string(deletion ? "deletion" : "settings") + (link ? ", link" : ", mode 600"));
            start({kDeutscheMark, kEuro});
            const fs::path file =
                deletion ? dir / kCurrencyFileName : state.environment.programDir / "Kursomatik.ini";
            const fs::path real = dir / "daten" / "echt";
            if (link) {
                fs::create_directories(real.parent_path());
                fs::rename(file, real);
                fs::create_symlink(fs::relative(real, file.parent_path()), file);
            } else {
                fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
            }
            windows.answers = {MessageResult::Yes};
            if (deletion) press(&openRecord(1), "cmdlöschen");
            if (!deletion) find<QRadioButton>("optst3")->click();
            settle();
            EXPECT_TRUE(deletion ? datBytes() == tableBytes({kEuro})
                                 : iniText().find("stellen2=10000") != std::string::npos);
            EXPECT_EQ(fs::is_symlink(file), link);
            if (link) {
                // The rewritten file is the link's target, and no temporary file is left beside it.
                EXPECT_EQ(std::distance(fs::directory_iterator(real.parent_path()), fs::directory_iterator()),
                          1);
            } else {
                EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write);
            }
            EXPECT_TRUE(windows.messages.size() == (deletion ? 1u : 0u)) << allMessages();  // the question
            main.reset();
            fs::remove_all(real.parent_path());
            fs::remove(file);
            windows.messages.clear();
        }
    }
}

// A pipe, a device or a folder where a file is expected ends in one message naming it, never in a
// wait: the table is then empty, a settings file counts as missing.
TEST_F(FileFaults, PipesDevicesAndFoldersEndInAMessageNeverAHang) {
    const fs::path winIni = state.environment.systemProfile;
    fs::create_directories(winIni.parent_path());
    for (const fs::path& file :
         {fs::current_path() / kCurrencyFileName, state.environment.programDir / "Kursomatik.ini", winIni,
          dir / "anders.ini"}) {
        for (const std::string kind : {"pipe", "device", "folder"}) {
            SCOPED_TRACE(file.string() + " as " + kind);
            writeTable({kDeutscheMark, kEuro});
            writeIni(kStartIni);
            writeFile(winIni,
                      "[Kursomatik]\nIniDatei=" + (file == dir / "anders.ini" ? file.string() : "") + "\n");
            fs::remove(file);
            ASSERT_TRUE(kind != "pipe" || ::mkfifo(file.c_str(), 0600) == 0);
            if (kind == "device") fs::create_symlink("/dev/zero", file);
            if (kind == "folder") fs::create_directory(file);
            SingleInstanceGuard guard(QString::fromStdString((dir / "k.lock").string()));
            programSettings(guard);
            state.settings = {};
            windows.messages.clear();
            {
                const Deadline hang(20);
                start();
                ok();  // a second reading tells nothing new
            }
            ASSERT_EQ(windows.messages.size(), 1u) << allMessages();
            EXPECT_TRUE(shown(("„" + file.string() + "“").c_str())) << allMessages();
            EXPECT_EQ(listed(), file.filename() == kCurrencyFileName ? 0 : 2);
            main.reset();
            fs::remove(file);
        }
    }
}

// Permissions do not stop root: this runs as an ordinary user too (ctest starts it so when root).
TEST_F(FileFaults, AReadOnlyTableOrFolderIsListedButNotChanged) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only files";
    start({kDeutscheMark, kEuro, kLira});
    const std::string before = datBytes();
    fs::permissions(dir / kCurrencyFileName, fs::perms::owner_read);
    press(&memberWindow(), "cmdAbbrechenUmt");
    EXPECT_EQ(listed(), 3);
    frmEingabe2& e = openRecord(1);
    EXPECT_TRUE(shown("„KURSOMATIK.DAT“ kann nicht geöffnet werden: Zugriff verweigert")) << allMessages();
    EXPECT_FALSE(child<QPushButton>(&e, "cmdEingabeBeenden_0")->isEnabled());
    press(&e, "cmdEingabeBeenden_1");
    settle();
    // A read-only folder stops a deletion with the whole table left.
    fs::permissions(dir / kCurrencyFileName, fs::perms::owner_read | fs::perms::owner_write);
    frmEingabe2& d = openRecord(2);
    fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
    windows.answers = {MessageResult::Yes};
    press(&d, "cmdlöschen");
    settle();
    fs::permissions(dir.path(), fs::perms::owner_all);
    EXPECT_TRUE(shown("„KURSOMATIK.TMP“")) << allMessages();
    EXPECT_EQ(datBytes(), before);
    EXPECT_EQ(listed(), 3);
}

}  // namespace
}  // namespace kursomatik::testing
