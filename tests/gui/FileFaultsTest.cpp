// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/stat.h>
#include <unistd.h>

#include <QRadioButton>
#include <cerrno>

#include "app/Startup.h"
#include "platform/qt/SingleInstanceGuard.h"
#include "tests/gui/ProgramTest.h"
#include "tests/support/FailingStep.h"
#include "tests/support/FileSizeLimit.h"

namespace kursomatik::testing {
namespace {

namespace fs = std::filesystem;

// Every fault of the file layer ends in a German message; the program goes on, and the currency
// file is complete afterwards, with the old or the new table.
class FileFaults : public ProgramTest {
  protected:
    // The program's own reporting, and its lock at the given place.
    void programSettings(const fs::path& lock) {
        guard_.emplace(QString::fromStdString(lock.string()));
        const SettingsEnvironment own = programEnvironment(*guard_, windows);
        state.environment.report = own.report;
        state.environment.instanceGuard = own.instanceGuard;
    }
    std::optional<SingleInstanceGuard> guard_;
};

TEST_F(FileFaults, AFullDiskKeepsTheRecordWholeOnSaveAndTheEditorStillLeaves) {
    start({kDeutscheMark, kEuro});
    QPointer<frmEingabe2> e = &openRecord(0);
    const std::string withPlaceholder = datBytes();
    child(e, "txttkurs")->setText("3,5");
    child(e, "txtiso")->setText("NEU");
    {
        const FileSizeLimit full(withPlaceholder.size() - kRecordLength + 60);
        press(e, "cmdEingabeBeenden_0");
    }
    settle();
    EXPECT_TRUE(windows.shown(QString::fromUtf8("„KURSOMATIK.DAT“ kann nicht geschrieben werden"))) << all();
    EXPECT_EQ(datBytes(), withPlaceholder);
    EXPECT_TRUE(e.isNull() && !state.file.iDateiNr.isOpen());
}

TEST_F(FileFaults, ALockFileOrASettingThatCannotBeWrittenIsReportedOnceAndTheProgramGoesOn) {
    programSettings(dir / "kein-ordner" / "k.lock");
    start({kDeutscheMark, kEuro});
    press(main.get(), "cmdOK");  // a second reading does not repeat the warning
    ASSERT_EQ(windows.messages.size(), 1u) << all();
    EXPECT_TRUE(windows.shown("Die Sperrdatei") && listed() == 2 && windows.processEnded == 0) << all();
    // WIN.INI names a settings file in a folder that does not exist.
    fs::create_directories(state.environment.systemProfile.parent_path());
    writeFile(state.environment.systemProfile,
              "[Kursomatik]\nIniDatei=" + (dir / "fehlt" / "k.ini").string() + "\n");
    press(main.get(), "cmdOK");
    windows.messages.clear();
    find<QRadioButton>("optst3")->click();
    find<QRadioButton>("optzw2")->click();
    ASSERT_EQ(windows.messages.size(), 1u) << all();
    EXPECT_TRUE(windows.shown(QString::fromUtf8("k.ini“ kann nicht geschrieben werden"))) << all();
    EXPECT_EQ(state.settings.sStellen2, "10000");  // it still takes effect
    EXPECT_FALSE(fs::exists(dir / "fehlt"));
}

// "Abbrechen" of a new record gives back the table byte for byte, whatever would stop a rewrite of
// it: the placeholder is cut off through the open file.
TEST_F(FileFaults, AbbrechenOfANewRecordLeavesTheTableByteForByte) {
    for (const std::string fault :
         {"full disk", "read-only folder", "folder KURSOMATIK.TMP", "failing write"}) {
        if (fault == "read-only folder" && ::geteuid() == 0) continue;  // root writes into read-only folders
        start({kDeutscheMark, kEuro});
        const std::string before = datBytes();
        frmEingabe2& e = openRecord(0);
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
        EXPECT_EQ(datBytes(), before) << fault;
        EXPECT_TRUE(windows.messages.empty() && listed() == 2 && !state.file.iDateiNr.isOpen())
            << fault << all();
    }
}

// The table's file and the settings file stay what the user made them: a symbolic link stays a link
// to the rewritten file, with no temporary file beside it; a file only its owner may read stays so.
TEST_F(FileFaults, RewritesKeepLinksAndPermissions) {
    start({kDeutscheMark, kEuro});
    const fs::path table = dir / kCurrencyFileName, real = dir / "daten" / "echt";
    fs::create_directories(real.parent_path());
    fs::rename(table, real);
    fs::create_symlink(fs::relative(real, dir.path()), table);
    fs::permissions(iniPath(), fs::perms::owner_read | fs::perms::owner_write);
    deleteRecord(1);
    find<QRadioButton>("optst3")->click();
    EXPECT_EQ(datBytes(), tableBytes({kEuro}));
    EXPECT_TRUE(fs::is_symlink(table));
    EXPECT_EQ(std::distance(fs::directory_iterator(real.parent_path()), fs::directory_iterator()), 1);
    EXPECT_NE(readFile(iniPath()).find("stellen2=10000"), std::string::npos);
    EXPECT_EQ(fs::status(iniPath()).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(windows.messages.size(), 1u) << all();  // the question
}

// A pipe, a device or a folder where a file is expected ends in one message naming it, never in a
// wait: the table is then empty, a settings file counts as missing.
TEST_F(FileFaults, PipesDevicesAndFoldersEndInAMessageNeverAHang) {
    const fs::path winIni = state.environment.systemProfile;
    fs::create_directories(winIni.parent_path());
    programSettings(dir / "k.lock");
    for (const auto& [file, kind] : {std::pair{dir / kCurrencyFileName, "pipe"},
                                     std::pair{iniPath(), "device"}, std::pair{winIni, "folder"}}) {
        writeTable({kDeutscheMark, kEuro});
        writeIni(kStartIni);
        writeFile(winIni, "[Kursomatik]\n");
        fs::remove(file);
        if (kind == std::string("pipe")) ::mkfifo(file.c_str(), 0600);
        if (kind == std::string("device")) fs::create_symlink("/dev/zero", file);
        if (kind == std::string("folder")) fs::create_directory(file);
        windows.messages.clear();
        state.settings = {};  // as at a first start: no options to write back
        ::alarm(20);          // a read that waits for ever ends the test program
        start();
        press(main.get(), "cmdOK");  // a second reading tells nothing new
        ::alarm(0);
        EXPECT_EQ(windows.messages.size(), 1u) << kind << all();
        EXPECT_TRUE(windows.shown(QString::fromStdString("„" + file.string() + "“"))) << kind << all();
        EXPECT_EQ(listed(), file == dir / kCurrencyFileName ? 0 : 2) << kind;
        main.reset();
        fs::remove(file);
    }
}

}  // namespace
}  // namespace kursomatik::testing
