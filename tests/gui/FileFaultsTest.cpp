#include <unistd.h>

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "MaintenanceFixture.h"
#include "SingleInstanceGuard.h"
#include "Startup.h"
#include "frmOptionen.h"
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
    EXPECT_TRUE(shown("„KURSOMATIK.DAT“ kann nicht gelesen werden")) << allMessages();
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
