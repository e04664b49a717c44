#include <sys/stat.h>
#include <unistd.h>

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "MaintenanceFixture.h"
#include "SingleInstanceGuard.h"
#include "Startup.h"
#include "frmOptionen.h"
#include "support/Deadline.h"
#include "support/FailingStep.h"
#include "support/FileSizeLimit.h"

namespace kursomatik::testing {
namespace {

// Every fault of the file layer ends in a German message; the program goes on, and the currency
// file is complete afterwards, with the old or the new table.
class FileFaults : public MaintenanceTest {
  protected:
    bool shown(const char* part) const {
        const QString wanted = QString::fromUtf8(part);
        for (const QString& text : windows_.messageTexts()) {
            if (text.contains(wanted)) return true;
        }
        return false;
    }
    std::string allMessages() const { return windows_.messageTexts().join(" | ").toStdString(); }
};

TEST_F(FileFaults, ATableDeletedWhileTheEditorIsOpenIsNotWrittenIntoTheVoid) {
    startOn({kDeutscheMark, kEuro});
    frmEingabe2& e = openRecord(1);
    std::filesystem::remove(dir_ / kCurrencyFileName);
    e.txttkurs->setText("2");
    e.cmdEingabeBeenden[0]->click();
    settle();
    EXPECT_TRUE(shown("„KURSOMATIK.DAT“ wurde gelöscht oder ersetzt")) << allMessages();
    // The list pass names the folder it looked in.
    EXPECT_TRUE(shown(("„" + (std::filesystem::current_path() / kCurrencyFileName).string() +
                       "“ kann nicht gelesen werden: Die Datei oder der Ordner ist nicht vorhanden")
                          .c_str()))
        << allMessages();
    EXPECT_FALSE(std::filesystem::exists(dir_ / kCurrencyFileName));
    EXPECT_EQ(main_->lstversteckt->lineCount(), 0);
    EXPECT_FALSE(state_.file.iDateiNr.isOpen());
}

TEST_F(FileFaults, ATableReplacedWhileTheEditorIsOpenKeepsTheReplacement) {
    startOn({kDeutscheMark, kEuro});
    frmEingabe2& e = openRecord(1);
    // Another program saves its table beside it and renames it over it.
    writeFile(dir_ / "neu.dat", tableBytes({kLira}));
    std::filesystem::rename(dir_ / "neu.dat", dir_ / kCurrencyFileName);
    const std::string replacement = datBytes();
    e.txttkurs->setText("2");
    e.cmdEingabeBeenden[0]->click();
    EXPECT_TRUE(shown("wurde gelöscht oder ersetzt")) << allMessages();
    EXPECT_EQ(datBytes(), replacement);
    EXPECT_EQ(main_->lstversteckt->lineCount(), 1);
}

TEST_F(FileFaults, AFolderInPlaceOfTheTableIsReportedAndTheProgramGoesOn) {
    startOn({kDeutscheMark, kEuro});
    std::filesystem::remove(dir_ / kCurrencyFileName);
    std::filesystem::create_directory(dir_ / kCurrencyFileName);
    openMemberWindow().cmdAbbrechenUmt_Click();
    EXPECT_TRUE(shown("Unter diesem Namen steht ein Ordner")) << allMessages();
    EXPECT_EQ(main_->txtEingabe->count(), 0);
    windows_.messages.clear();
    frmEingabe2& e = openRecord(1);
    EXPECT_TRUE(shown("kann nicht geöffnet werden")) << allMessages();
    e.cmdEingabeBeenden[1]->click();
    settle();
    EXPECT_TRUE(std::filesystem::is_directory(dir_ / kCurrencyFileName));
}

TEST_F(FileFaults, AFullDiskOnAppendLeavesTheTableAsItWas) {
    startOn({kDeutscheMark, kEuro});
    const std::string before = datBytes();
    {
        const FileSizeLimit full(before.size() + 100);  // room for part of a record only
        openNew();
    }
    EXPECT_TRUE(shown("„KURSOMATIK.DAT“ kann nicht geschrieben werden")) << allMessages();
    EXPECT_EQ(datBytes(), before);  // no fragment of a record behind the table
    editor()->neuloeschen->click();
    settle();
    EXPECT_EQ(datBytes(), before);
    EXPECT_EQ(main_->lstversteckt->lineCount(), 2);
}

TEST_F(FileFaults, AFullDiskOnSaveKeepsTheOldRecordWhole) {
    startOn({kDeutscheMark, kEuro});
    frmEingabe2& e = openNew();
    const std::string withPlaceholder = datBytes();
    e.txttkurs->setText("3,5");
    e.txtiso->setText("NEU");
    {
        const FileSizeLimit full(withPlaceholder.size() - kRecordLength + 60);
        e.cmdEingabeBeenden[0]->click();
    }
    settle();
    EXPECT_TRUE(shown("„KURSOMATIK.DAT“ kann nicht geschrieben werden")) << allMessages();
    EXPECT_EQ(datBytes().size(), withPlaceholder.size());
    EXPECT_EQ(storedCount(), 3);
}

TEST_F(FileFaults, ASettingThatCannotBeWrittenIsReportedOnceAndStillTakesEffect) {
    startOn({kDeutscheMark, kEuro});
    // WIN.INI names a settings file in a folder that does not exist.
    std::filesystem::create_directories(state_.environment.systemProfile.parent_path());
    writeFile(state_.environment.systemProfile,
              "[Kursomatik]\nIniDatei=" + (dir_ / "fehlt" / "k.ini").string() + "\n");
    main_->options()->cmdOK_Click();
    windows_.messages.clear();
    main_->options()->findChild<QRadioButton*>("optst3")->click();
    main_->options()->findChild<QRadioButton*>("optzw2")->click();
    ASSERT_EQ(windows_.messages.size(), 1u) << allMessages();
    EXPECT_TRUE(shown("k.ini“ kann nicht geschrieben werden")) << allMessages();
    EXPECT_EQ(state_.settings.sStellen2, "10000");
    EXPECT_FALSE(std::filesystem::exists(dir_ / "fehlt"));
}

TEST_F(FileFaults, ALockFileThatCannotBeMadeIsReportedAndTheProgramRuns) {
    writeTable({kDeutscheMark, kEuro});
    writeIni(kMaintenanceIni);
    SingleInstanceGuard guard(QString::fromStdString((dir_ / "kein-ordner" / "k.lock").string()));
    const auto programDir = state_.environment.programDir;
    state_.environment = programEnvironment(guard, windows_);
    state_.environment.programDir = programDir;
    start();
    main_->options()->cmdOK_Click();  // a second reading does not repeat the warning
    ASSERT_EQ(windows_.messages.size(), 1u) << allMessages();
    EXPECT_TRUE(shown("Die Sperrdatei")) << allMessages();
    EXPECT_EQ(windows_.processEnded, 0);
    EXPECT_EQ(main_->txtEingabe->count(), 2);
}

// "Abbrechen" of a new record gives back the table byte for byte, whatever would stop a rewrite of
// it: the placeholder is cut off through the open file.
TEST_F(FileFaults, AbbrechenOfANewRecordLeavesTheTableByteForByte) {
    const bool root = ::geteuid() == 0;
    for (const std::string fault :
         {"full disk", "read-only folder", "folder KURSOMATIK.TMP", "failing write"}) {
        if (fault == "read-only folder" && root) continue;  // root writes into read-only folders
        SCOPED_TRACE(fault);
        WexlorEingabe& m = startOn({kDeutscheMark, kEuro});
        const std::string before = datBytes();
        frmEingabe2& e = openNew();
        windows_.messages.clear();
        FailingStep failing("writeAll", ENOSPC);
        if (fault == "failing write") m.maintenance().fileOperations = &failing;
        if (fault == "folder KURSOMATIK.TMP") std::filesystem::create_directory(dir_ / "KURSOMATIK.TMP");
        if (fault == "read-only folder") {
            std::filesystem::permissions(
                dir_.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        }
        {
            const FileSizeLimit full(fault == "full disk" ? 100 : RLIM_INFINITY);
            e.neuloeschen->click();
        }
        settle();
        std::filesystem::permissions(dir_.path(), std::filesystem::perms::owner_all);
        std::filesystem::remove(dir_ / "KURSOMATIK.TMP");
        EXPECT_EQ(datBytes(), before);
        EXPECT_TRUE(windows_.messages.empty()) << allMessages();
        EXPECT_EQ(main_->lstversteckt->lineCount(), 2);
        EXPECT_FALSE(state_.file.iDateiNr.isOpen());
    }
}

// The table's file and the settings file stay what the user made them: a symbolic link stays a link
// (to the rewritten file), a file only its owner may read stays so.
TEST_F(FileFaults, RewritesKeepLinksAndPermissions) {
    namespace fs = std::filesystem;
    for (const bool deletion : {true, false}) {
        for (const bool link : {true, false}) {
            SCOPED_TRACE(std::string(deletion ? "deletion" : "settings") + (link ? ", link" : ", mode 600"));
            WexlorEingabe& m = startOn({kDeutscheMark, kEuro});
            const fs::path file =
                deletion ? dir_ / kCurrencyFileName : state_.environment.programDir / "Kursomatik.ini";
            const fs::path real = dir_ / "daten" / "echt";
            if (link) {
                fs::create_directories(real.parent_path());
                fs::rename(file, real);
                fs::create_symlink(fs::relative(real, file.parent_path()), file);
            } else {
                fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
            }
            if (deletion) {
                windows_.answers = {MessageResult::Yes};
                openRecord(1).cmdloeschen->click();
                settle();
                EXPECT_EQ(datBytes(), tableBytes({kEuro}));
            } else {
                m.options()->findChild<QRadioButton*>("optst3")->click();
                EXPECT_NE(iniText().find("stellen2=10000"), std::string::npos) << iniText();
            }
            if (link) {
                EXPECT_TRUE(fs::is_symlink(file));
                // The rewritten file is the link's target, and no temporary file is left beside it.
                EXPECT_EQ(std::distance(fs::directory_iterator(real.parent_path()), fs::directory_iterator()),
                          1);
            } else {
                EXPECT_FALSE(fs::is_symlink(file));
                EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write);
            }
            EXPECT_EQ(windows_.messages.size(), deletion ? 1u : 0u) << allMessages();  // the question
            main_.reset();
            fs::remove_all(real.parent_path());
            fs::remove(file);
            windows_.messages.clear();
        }
    }
}

// A pipe, a device or a folder where a file is expected ends in one message naming it, never in a
// wait: the table is then empty, a settings file counts as missing.
TEST_F(FileFaults, PipesDevicesAndFoldersEndInAMessageNeverAHang) {
    namespace fs = std::filesystem;
    const fs::path winIni = state_.environment.systemProfile;
    fs::create_directories(winIni.parent_path());
    struct Where {
        const char* what;
        fs::path file;
        bool table;
    };
    for (const Where& where :
         {Where{"table", fs::current_path() / kCurrencyFileName, true},
          Where{"settings file", state_.environment.programDir / "Kursomatik.ini", false},
          Where{"WIN.INI", winIni, false}, Where{"IniDatei", dir_ / "anders.ini", false}}) {
        for (const std::string kind : {"pipe", "device", "folder"}) {
            SCOPED_TRACE(std::string(where.what) + " as " + kind);
            writeTable({kDeutscheMark, kEuro});
            writeIni(kMaintenanceIni);
            writeFile(winIni, "[Kursomatik]\nIniDatei=" +
                                  (where.file == dir_ / "anders.ini" ? where.file.string() : "") + "\n");
            fs::remove(where.file);
            if (kind == "pipe") {
                ASSERT_EQ(::mkfifo(where.file.c_str(), 0600), 0);
            }
            if (kind == "device") fs::create_symlink("/dev/zero", where.file);
            if (kind == "folder") fs::create_directory(where.file);
            SingleInstanceGuard guard(QString::fromStdString((dir_ / "k.lock").string()));
            const auto programDir = state_.environment.programDir;
            state_.environment = programEnvironment(guard, windows_);
            state_.environment.programDir = programDir;
            state_.environment.systemProfile = winIni;
            state_.settings = {};
            windows_.messages.clear();
            {
                const Deadline hang(20);
                start();
                main_->options()->cmdOK_Click();  // a second reading tells nothing new
            }
            ASSERT_EQ(windows_.messages.size(), 1u) << allMessages();
            EXPECT_TRUE(shown(("„" + where.file.string() + "“").c_str())) << allMessages();
            EXPECT_EQ(main_->lstversteckt->lineCount(), where.table ? 0 : 2);
            main_.reset();
            fs::remove(where.file);
        }
    }
}

// Permissions do not stop root: these run as an ordinary user (ctest starts them so when root).
TEST_F(FileFaults, AReadOnlyTableIsListedButNotChanged) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only files";
    startOn({kDeutscheMark, kEuro});
    const std::string before = datBytes();
    std::filesystem::permissions(dir_ / kCurrencyFileName, std::filesystem::perms::owner_read);
    openMemberWindow().cmdAbbrechenUmt_Click();
    EXPECT_EQ(main_->txtEingabe->count(), 2);
    frmEingabe2& e = openRecord(1);
    EXPECT_TRUE(shown("„KURSOMATIK.DAT“ kann nicht geöffnet werden: Zugriff verweigert")) << allMessages();
    EXPECT_FALSE(e.cmdEingabeBeenden[0]->isEnabled());
    e.cmdEingabeBeenden[1]->click();
    settle();
    EXPECT_EQ(datBytes(), before);
}

TEST_F(FileFaults, AReadOnlyFolderStopsADeletionWithTheWholeTableLeft) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    startOn({kDeutscheMark, kEuro, kLira});
    const std::string before = datBytes();
    frmEingabe2& e = openRecord(2);
    std::filesystem::permissions(dir_.path(),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    windows_.answers = {MessageResult::Yes};
    e.cmdloeschen->click();
    settle();
    std::filesystem::permissions(dir_.path(), std::filesystem::perms::owner_all);
    EXPECT_TRUE(shown("„KURSOMATIK.TMP“")) << allMessages();
    EXPECT_EQ(datBytes(), before);
    EXPECT_EQ(main_->lstversteckt->lineCount(), 3);
}

}  // namespace
}  // namespace kursomatik::testing
