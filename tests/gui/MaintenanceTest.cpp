// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/stat.h>
#include <unistd.h>

#include <QRadioButton>
#include <QTest>

#include "tests/gui/ProgramTest.h"
#include "tests/support/FailingStep.h"

namespace kursomatik::testsupport {
namespace {

class MemberWindow : public ProgramTest {
  protected:
    // The record of the editor that the last step opened (0: none), which is then left again.
    long opened() {
        const long record = editor() ? state.file.lAktuellerSatz : 0;
        if (editor()) press(editor(), "cmdEingabeBeenden_1");
        settle();
        return record;
    }
};

// Grid row r and list entry r - 2 are the same currency, in name order: a double-click or Enter on a
// row opens its record, the arrow keys only move, and the empty row opens nothing.
TEST_F(MemberWindow, GridRowRIsListEntryRMinusTwoAndTheEmptyRowOpensNothing) {
    start({kDeutscheMark, {"Belgischer Franc", "BEF", "40339900"}, {"Irisches Pfund", "IEP", "787564"}});
    frmUmtauschkurse& w = memberWindow();
    auto* grid = child<FlexGrid>(&w, "grdTable");
    auto* list = child<LineList>(&w, "lstewwu");
    EXPECT_EQ(grid->currentGridRow(), 2);  // it opens on its first currency
    for (const auto& [row, record] : {std::pair{3, 1L}, std::pair{2, 2L}, std::pair{4, 3L}}) {
        doubleClickRow(grid, row);
        EXPECT_EQ((std::tuple{list->currentRow(), list->selectionModel()->hasSelection(), opened()}),
                  std::tuple(row - 2, true, record))
            << row;
    }
    grid->setCurrentCell(1, 1);
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(opened(), 0);
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(opened(), 1);
    // The empty row clears the selection, so that "Einstellungen ändern" has nothing to open either.
    doubleClickRow(grid, 1);
    press(&w, "cmdDBverändern");
    EXPECT_TRUE(list->currentRow() == -1 && !list->selectionModel()->hasSelection() && opened() == 0);
    // The selector opens its entry, one below the first for the first, and each choice only once.
    auto* selector = child<QComboBox>(&w, "txtauswahl1");
    for (const auto& [chosen, shownAfter, record] :
         {std::tuple{2, 2, 3L}, std::tuple{0, 1, 1L}, std::tuple{1, 1, 0L}}) {
        const std::size_t before = windows.modal.size();
        selector->setCurrentIndex(chosen);
        EXPECT_EQ(windows.modal.size() - before, record ? 1u : 0u) << chosen;
        EXPECT_EQ(std::pair(selector->currentIndex(), opened()), std::pair(shownAfter, record)) << chosen;
    }
}

TEST_F(MemberWindow, ClosingWithNoOutputCurrencyKeepsItsRateAndStillUpdatesTheInput) {
    // Given DEM as input and EUR as output, and the output currency deleted in the editor
    start({kDeutscheMark, kEuro, kFranc});
    frmUmtauschkurse& w = memberWindow();
    doubleClickRow(child<FlexGrid>(&w, "grdTable"), 3);  // Euro, record 2
    // The editor asks first; "Nein" keeps everything, the editor with its file open too.
    frmEingabe2* e = editor();
    const std::string before = datBytes();
    windows.answers = {MessageResult::No, MessageResult::Yes};
    pressAndSettle(e, "cmdlöschen");
    EXPECT_TRUE(said({"löschen ?"}) && windows.messages[0].buttons == MessageButtons::YesNo);
    ASSERT_TRUE(editor() == e && e->isVisible() && state.file.iDateiNr.isOpen());
    EXPECT_EQ(state.selection.sStartauswahl + datBytes(), "0" + before);
    pressAndSettle(e, "cmdlöschen");
    ASSERT_EQ(state.selection.iGeloeschteWaehrung, 2);
    // When the window is closed, then the output has no position any more, the input is taken again
    // and the flag is gone
    QTest::keyClick(&w, Qt::Key_Escape);
    const SelectionState& s = state.selection;
    EXPECT_EQ((w.isVisible() ? "visible" : "") + s.sAusgabeIndex + s.sEingabeIndex +
                  find<QLineEdit>("txtisoein")->text().toStdString(),
              "-10DEM");
    EXPECT_TRUE(find<QComboBox>("txtAusgabe")->currentIndex() == -1 && s.dEingabeKurs == 1955830.0 &&
                s.iGeloeschteWaehrung == 0);
}

const Currency kPlaceholder{"Neu", "", "0", "0", "05.12.2026"};

using Editor = ProgramTest;

// Each unusable box gets its placeholder, with a message, and the record is stored with them and
// today's date (the date box only shows the date).
TEST_F(Editor, SavingPutsAPlaceholderInEachUnusableBoxWithAMessageAndStoresTheRecord) {
    for (const auto& [record, rate, rateMessage, saved] :
         {std::tuple{0L, "0", "ungleich Null", Currency{"Neu", "???", "1000000", "0", "05.12.2026"}},
          std::tuple{1L, "-2", "größer und ungleich",
                     Currency{"Deutsche Mark", "???", "1000000", "1", "05.12.2026"}}}) {
        start({kDeutscheMark, kEuro});
        frmEingabe2& e = openRecord(record);
        child(&e, "txttkurs")->setText(rate);
        child(&e, "txtiso")->setText("");
        child(&e, "txtdatum")->selectAll();
        QTest::keyClicks(child(&e, "txtdatum"), "2000");
        EXPECT_FALSE(child(&e, "txtdatum")->text().contains("2000"));
        windows.messages.clear();
        pressAndSettle(&e, "cmdEingabeBeenden_0");
        EXPECT_TRUE(said({"wird gesichert", rateMessage, "ISO-Bezeichnung"})) << all();
        EXPECT_EQ(datBytes(),
                  tableBytes(record ? std::vector{saved, kEuro} : std::vector{kDeutscheMark, kEuro, saved}));
        EXPECT_EQ(listed(), record ? 2 : 3);
    }
}

TEST_F(Editor, EveryWayOutWithoutSavingWritesNothingClosesTheFileAndReloads) {
    // Enter presses no button; the close box keeps a new record's placeholder.
    for (const auto& [way, record, leaves, keepsPlaceholder] :
         {std::tuple{"Esc", 1L, true, false}, std::tuple{"Enter", 1L, false, false},
          std::tuple{"close", 0L, true, true}}) {
        start({kDeutscheMark, kEuro});
        const std::string before = datBytes(), w = way;
        QPointer<frmEingabe2> e = &openRecord(record);
        child(e, "txtbezeichnung")->setText("Geändert");
        child(e, "txttkurs")->setText("abc");
        state.selection.sStartauswahl = "1";
        if (w == "close") e->close();
        if (w == "Esc" || w == "Enter")
            QTest::keyClick(child(e, "txttkurs"), w == "Esc" ? Qt::Key_Escape : Qt::Key_Return);
        settle();
        EXPECT_EQ(datBytes(), before + (keepsPlaceholder ? recordBytes(kPlaceholder) : "")) << w << record;
        // No message; the editor leaves with the file closed and the selection reloaded, or stays.
        EXPECT_EQ(all() + (e ? "stays " : "") + (state.file.iDateiNr.isOpen() ? "open " : "") +
                      state.selection.sStartauswahl,
                  leaves ? "0" : "stays open 1")
            << w << " on record " << record;
    }
}

// A placeholder that fits only in part leaves the table as it was, a fragment at its end too, and so
// does "Abbrechen" of one that fitted; neither drops the record a stale number points at.
TEST_F(Editor, ANewRecordThatCannotBeWrittenOrIsCancelledGivesBackTheTableByteForByte) {
    const std::string before = tableBytes({kDeutscheMark, kEuro}) + recordBytes(kFranc).substr(0, 50);
    for (const bool full : {true, false}) {
        writeFile(dir / kCurrencyFileName, before);
        windows.messages.clear();
        start();
        state.file.lAktuellerSatz = 2;
        {
            const FileSizeLimit limit(full ? 2 * kRecordLength + 100 : RLIM_INFINITY);
            openRecord(0);
        }
        EXPECT_TRUE(full ? said({"nicht geschrieben werden"}) : windows.messages.empty()) << all();
        EXPECT_EQ(child<QPushButton>(editor(), "cmdEingabeBeenden_0")->isEnabled(), !full);  // "Speichern"
        pressAndSettle(editor(), "neulöschen");
        EXPECT_TRUE(datBytes() == before && windows.messages.size() == (full ? 1u : 0u) && listed() == 2)
            << all();
    }
}

// A table deleted while the editor is open is told of once, whatever list passes follow while it stays
// away; gone again after it was back, it is told again.
TEST_F(Editor, ATableDeletedWhileTheEditorIsOpenIsToldOfOnceWhileItStaysAway) {
    start({kDeutscheMark, kEuro});
    frmEingabe2& e = openRecord(2);
    std::filesystem::remove(dir / kCurrencyFileName);
    pressAndSettle(&e, "cmdEingabeBeenden_1");
    press(&memberWindow(), "cmdAbbrechenUmt");  // another list pass
    EXPECT_TRUE(said({"KURSOMATIK.DAT“ kann nicht gelesen werden"})) << all();
    writeTable({kEuro});
    press(&memberWindow(), "cmdAbbrechenUmt");
    std::filesystem::remove(dir / kCurrencyFileName);
    press(&memberWindow(), "cmdAbbrechenUmt");
    EXPECT_EQ(windows.messages.size(), 2u) << all();
}

// Given the editor open on the Euro (record 2), when another program renames a shorter table over the
// file, or restores a backup in place with the records in another order, then neither "Löschen" nor
// "Speichern" touches the other program's table.
TEST_F(Editor, ATableReplacedOrRewrittenWhileTheEditorIsOpenIsLeftAsTheOtherProgramWroteIt) {
    const std::string shorter = tableBytes({kDollar, kLira, kFranc});
    const std::string reordered = tableBytes({kLira, kFranc, kEuro, kDeutscheMark});
    for (const auto& [theirs, inPlace, button, says] :
         {std::tuple{shorter, false, "cmdlöschen", "gelöscht oder ersetzt|nicht gelöscht"},
          std::tuple{reordered, true, "cmdEingabeBeenden_0",
                     "anderen Programm geändert|nicht gespeichert"}}) {
        start({kDeutscheMark, kEuro, kFranc, kLira});
        windows.messages.clear();
        windows.answers = {MessageResult::Yes};
        frmEingabe2& e = openRecord(2);
        writeFile(dir / (inPlace ? kCurrencyFileName : "neu.dat"), theirs);
        if (!inPlace) std::filesystem::rename(dir / "neu.dat", dir / kCurrencyFileName);
        pressAndSettle(&e, button);
        EXPECT_EQ(datBytes(), theirs) << button;
        for (const QString& part : QString::fromUtf8(says).split('|'))
            EXPECT_TRUE(QString::fromStdString(all()).contains(part)) << all();
        EXPECT_TRUE(listed() == (inPlace ? 4 : 3) && !state.file.iDateiNr.isOpen());
    }
}

namespace fs = std::filesystem;

// Every fault of the file layer ends in a German message; the program goes on, and the currency
// file is complete afterwards, with the old or the new table.
using FileFaults = ProgramTest;

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
    EXPECT_EQ(state.settings.sStellen2, "10000");     // it still takes effect
    find<QComboBox>("txtstart")->setCurrentIndex(0);  // the first of two cannot start either
    EXPECT_EQ(find<QComboBox>("txtstart")->currentIndex(), 1);
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
    windows.answers = {MessageResult::Yes};
    pressAndSettle(&openRecord(1), "cmdlöschen");
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
