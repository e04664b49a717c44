// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/stat.h>
#include <unistd.h>

#include <QRadioButton>
#include <cerrno>

#include "store/Compaction.h"
#include "tests/gui/ProgramTest.h"
#include "tests/support/FailingStep.h"
#include "tests/support/FileSizeLimit.h"

namespace kursomatik::testsupport {
namespace {

namespace fs = std::filesystem;

// Every fault of the file layer ends in a German message; the program goes on, and the currency
// file is complete afterwards, with the old or the new table.
using FileFaults = ProgramTest;

// Saving, deleting and "Abbrechen" of a new record, each under a full disk and a failing step of the
// rewrite (saving writes in place, past that seam): the table is whole afterwards and the editor leaves.
TEST_F(FileFaults, EveryWayOutOfTheEditorKeepsTheTableWholeUnderAFullDiskOrAFailingStep) {
    for (const auto& [way, step, limit, expected] :
         {std::tuple{"Speichern", "", 60, "„KURSOMATIK.DAT“ kann nicht geschrieben werden"},
          std::tuple{"cmdlöschen", "", 100, "„KURSOMATIK.TMP“ kann nicht geschrieben werden"},
          std::tuple{"cmdlöschen", "renameFile", 0, "„KURSOMATIK.TMP“ kann nicht in „KURSOMATIK.DAT“"},
          std::tuple{"neulöschen", "", 100, ""}, std::tuple{"neulöschen", "truncateFile", 0, ""}}) {
        const std::string w = way;
        SCOPED_TRACE(w + " " + step);
        start({kDeutscheMark, kEuro, kFranc});
        const std::string before = datBytes();
        QPointer<frmEingabe2> e = &openRecord(w == "cmdlöschen" ? 1 : 0);
        const std::string opened = datBytes();
        FailingStep failing(step, EXDEV);
        main->maintenance().fileOperations = &failing;
        child(e, "txttkurs")->setText("3,5");
        child(e, "txtiso")->setText("NEU");
        windows.messages.clear();
        windows.answers = {MessageResult::Yes};
        {
            const rlim_t bytes = w == "Speichern" ? opened.size() - kRecordLength + limit : limit;
            const FileSizeLimit full(limit ? bytes : RLIM_INFINITY);
            press(e, w == "Speichern" ? "cmdEingabeBeenden_0" : way);
        }
        settle();
        EXPECT_TRUE(w == "neulöschen"
                        ? windows.messages.empty()
                        : windows.messages.size() == 2u && windows.shown(QString::fromUtf8(expected)))
            << all();
        EXPECT_EQ(datBytes(), w == "Speichern" ? opened : before);
        EXPECT_TRUE(!fs::exists(dir / kTemporaryFileName) && e.isNull() && !state.file.iDateiNr.isOpen() &&
                    listed() == (w == "Speichern" ? 4 : 3) && state.selection.iGeloeschteWaehrung == 0);
    }
}

TEST_F(FileFaults, ALockFileOrASettingThatCannotBeWrittenIsReportedOnceAndTheProgramGoesOn) {
    SingleInstanceGuard guard(QString::fromStdString((dir / "kein-ordner" / "k.lock").string()));
    asProgram(guard);
    start({kDeutscheMark, kEuro});
    trigger("Optionen");
    press(main.get(), "cmdOK");  // a second reading does not repeat the warning
    EXPECT_TRUE(said({"Die Sperrdatei"}) && listed() == 2 && windows.processEnded == 0) << all();
    // WIN.INI names a settings file in a folder that does not exist.
    fs::create_directories(state.environment.systemProfile.parent_path());
    writeFile(state.environment.systemProfile,
              "[Kursomatik]\nIniDatei=" + (dir / "fehlt" / "k.ini").string() + "\n");
    press(main.get(), "cmdOK");
    windows.messages.clear();
    trigger("Optionen");
    find<QRadioButton>("optst3")->click();
    find<QRadioButton>("optzw2")->click();
    EXPECT_TRUE(said({"k.ini“ kann nicht geschrieben werden"})) << all();
    EXPECT_EQ(state.settings.sStellen2, "10000");  // it still takes effect
    EXPECT_FALSE(fs::exists(dir / "fehlt"));
}

// The rewritten table stays what the user made it: a link stays a link, a private file private. A
// pipe where the table is expected ends in one message naming it, never in a wait.
TEST_F(FileFaults, ARewriteKeepsALinkAndTheFilesModeAndAPipeForTheTableIsNamedNotWaitedFor) {
    start({kDeutscheMark, kEuro});
    const fs::path table = dir / kCurrencyFileName, real = dir / "daten" / "echt";
    fs::create_directories(real.parent_path());
    fs::rename(table, real);
    fs::create_symlink(fs::relative(real, dir.path()), table);
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
    deleteRecord(1);
    EXPECT_TRUE(fs::is_symlink(table) && datBytes() == tableBytes({kEuro}));
    EXPECT_EQ(fs::status(real).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    fs::remove(table);
    ::mkfifo(table.c_str(), 0600);
    SingleInstanceGuard guard(QString::fromStdString((dir / "k.lock").string()));
    asProgram(guard);
    windows.messages.clear();
    ::alarm(20);  // a read that waits for ever ends the test program
    start();
    trigger("Optionen");
    press(main.get(), "cmdOK");  // a second reading tells nothing new
    ::alarm(0);
    EXPECT_TRUE(said({QString::fromStdString("„" + table.string() + "“")})) << all();
    EXPECT_EQ(listed(), 0);
}

}  // namespace
}  // namespace kursomatik::testsupport
