// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCheckBox>
#include <QTest>

#include "tests/gui/ProgramTest.h"
#include "tests/support/FileSizeLimit.h"

namespace kursomatik::testsupport {
namespace {

const Currency kPlaceholder{"Neu", "", "0", "0", "05.12.2026"};

class Editor : public ProgramTest {
  protected:
    // The title, the boxes' texts, the member flag, and the buttons the user can press.
    static QString shown(const frmEingabe2& e) {
        QStringList texts{e.windowTitle()};
        for (const char* box : {"txtbezeichnung", "txttkurs", "txtiso", "txtdatum"})
            texts << child(&e, box)->text();
        texts << (child<QCheckBox>(&e, "chkewwu")->isChecked() ? "EWWU" : "-");
        for (const QPushButton* b : e.findChildren<QPushButton*>())
            if (b->isVisible() && b->isEnabled()) texts << b->objectName();
        return texts.join('|');
    }
};

// A stored record shows trimmed, with its rate as units per Euro; a new one is a placeholder in the
// table at once.
TEST_F(Editor, ShowsTheStoredRecordOrAppendsANewPlaceholder) {
    for (const auto& [stored, expected] :
         {std::pair{kDeutscheMark, "Deutsche Mark|1,95583|DEM|01.01.1999|EWWU"},
          std::pair{Currency{"Kleinst", "KLS", "123456,78", "0"}, "Kleinst|0,12345678|KLS|01.01.1999|-"},
          std::pair{Currency{"Zweifelhaft", "ZWF", "5000000", "01"}, "Zweifelhaft|5|ZWF|01.01.1999|-"},
          std::pair{Currency{"Kaputt", "KPT", "viel", "1"}, "Kaputt||KPT|01.01.1999|EWWU"},
          std::pair{kPlaceholder, "Neu|0||05.12.2026|-"}}) {
        const bool isNew = stored.name == "Neu";
        start(isNew ? std::vector{kEuro} : std::vector{kEuro, stored});
        EXPECT_EQ(shown(openRecord(isNew ? 0 : 2)),
                  QString::fromUtf8(isNew ? "Neuer Eintrag|" : "Einstellungen ändern...|") + expected +
                      (isNew ? "|cmdEingabeBeenden_0|neulöschen"
                             : "|cmdEingabeBeenden_0|cmdlöschen|cmdEingabeBeenden_1"));
        EXPECT_EQ(datBytes(), tableBytes({kEuro, stored}));
    }
}

// Each placeholder is in its box before its message shows, and the record is stored with them and
// today's date (the date box only shows the date).
TEST_F(Editor, SavingShowsEachPlaceholderBeforeItsMessageAndStoresTheRecord) {
    for (const auto& [record, rate, seen, rateMessage, saved] :
         {std::tuple{0L, "0", "Neu|0||Neu|1||Neu|1|???", "muß eine Zahl größer und/oder ungleich Null",
                     Currency{"Neu", "???", "1000000", "0", "05.12.2026"}},
          std::tuple{1L, "-2", "Deutsche Mark|-2||Deutsche Mark|1||Deutsche Mark|1|???",
                     "muß größer und ungleich",
                     Currency{"Deutsche Mark", "???", "1000000", "1", "05.12.2026"}}}) {
        start({kDeutscheMark, kEuro});
        frmEingabe2& e = openRecord(record);
        child(&e, "txttkurs")->setText(rate);
        child(&e, "txtiso")->setText("");
        QTest::keyClicks(child(&e, "txtdatum"), "2000");
        QStringList boxes;
        windows.messages.clear();
        windows.onMessage = [&] { boxes << shown(e).section('|', 1, 3); };
        press(&e, "cmdEingabeBeenden_0");
        settle();
        windows.onMessage = nullptr;
        EXPECT_TRUE(said(
            {"Der Datensatz wird gesichert.", rateMessage, "Bitte pflegen Sie die ISO-Bezeichnung nach."}))
            << all();
        EXPECT_EQ(boxes.join('|'), seen);
        EXPECT_EQ(datBytes(),
                  tableBytes(record ? std::vector{saved, kEuro} : std::vector{kDeutscheMark, kEuro, saved}));
        EXPECT_EQ(listed(), record ? 2 : 3);
    }
}

TEST_F(Editor, EveryWayOutWithoutSavingWritesNothingClosesTheFileAndReloads) {
    // Enter presses no button; the close box keeps a new record's placeholder.
    for (const auto& [way, record, leaves, keepsPlaceholder] :
         {std::tuple{"Abbrechen", 1L, true, false}, std::tuple{"close", 1L, true, false},
          std::tuple{"Esc", 1L, true, false}, std::tuple{"Enter", 1L, false, false},
          std::tuple{"Esc", 0L, true, false}, std::tuple{"close", 0L, true, true}}) {
        start({kDeutscheMark, kEuro});
        const std::string before = datBytes(), w = way;
        QPointer<frmEingabe2> e = &openRecord(record);
        child(e, "txtbezeichnung")->setText("Geändert");
        child(e, "txttkurs")->setText("abc");
        state.selection.sStartauswahl = "1";
        if (w == "Abbrechen") press(e, "cmdEingabeBeenden_1");
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
    const std::string fragment = recordBytes(kFranc).substr(0, 50);
    for (const auto& [end, full] :
         {std::pair{std::string(), true}, std::pair{fragment, true}, std::pair{fragment, false}}) {
        const std::string before = tableBytes({kDeutscheMark, kEuro}) + end;
        writeFile(dir / kCurrencyFileName, before);
        windows.messages.clear();
        start();
        state.file.lAktuellerSatz = 2;
        {
            const FileSizeLimit limit(full ? 2 * kRecordLength + 100 : RLIM_INFINITY);
            openRecord(0);
        }
        EXPECT_TRUE(full ? said({"„KURSOMATIK.DAT“ kann nicht geschrieben werden"})
                         : windows.messages.empty())
            << all();
        EXPECT_EQ(shown(*editor()).contains("cmdEingabeBeenden_0"), !full);  // "Speichern"
        press(editor(), "neulöschen");
        settle();
        EXPECT_TRUE(datBytes() == before && windows.messages.size() == (full ? 1u : 0u) && listed() == 2)
            << all();
    }
}

TEST_F(Editor, DeletingAsksNoKeepsEverythingYesDropsTheRecordAndTheOthersCloseUpInOrder) {
    start({kDeutscheMark, kEuro, kFranc, kLira});
    const std::string before = datBytes();
    windows.answers = {MessageResult::No};
    frmEingabe2& e = openRecord(3);
    press(&e, "cmdlöschen");
    settle();
    EXPECT_TRUE(said({"Diesen Datensatz löschen ?"}) && windows.messages[0].buttons == MessageButtons::YesNo);
    // The editor stays, usable, with the focus on the name and the file open.
    ASSERT_TRUE(editor() == &e && e.isVisible() && state.file.iDateiNr.isOpen());
    EXPECT_EQ(e.focusWidget(), child(&e, "txtbezeichnung"));
    EXPECT_EQ(state.selection.sStartauswahl + datBytes(), "0" + before);
    windows.answers = {MessageResult::Yes};
    press(&e, "cmdlöschen");
    settle();
    EXPECT_EQ(datBytes(), tableBytes({kDeutscheMark, kEuro, kLira}));
    EXPECT_TRUE(editor() == nullptr && !state.file.iDateiNr.isOpen() && listed() == 3);
    start({kEuro});  // the last record leaves an empty file
    deleteRecord(1);
    EXPECT_EQ(datBytes() + std::to_string(listed()), "0");
}

TEST_F(Editor, ADeletedMainWindowCurrencyLosesItsSelection) {
    // Names in order: Deutsche Mark (record 1), Euro (2), Französischer Franc (3).
    for (const auto& [input, dropped, flag, inputAfter, outputAfter] :
         {std::tuple{"0", 2L, 2, 0, -1}, std::tuple{"0", 1L, 1, -1, 1}, std::tuple{"1", 2L, 2, 1, -1},
          std::tuple{"0", 3L, 0, 0, 1}}) {
        start({kDeutscheMark, kEuro, kFranc},
              kDecimalsIni + "startwaehrung=" + input + "\nausgabewaehrung=1\n");
        typeAmount("100");
        deleteRecord(dropped);
        EXPECT_EQ(
            std::tuple(state.selection.iGeloeschteWaehrung, find<QComboBox>("txtEingabe")->currentIndex(),
                       find<QComboBox>("txtAusgabe")->currentIndex()),
            std::tuple(flag, inputAfter, outputAfter))
            << dropped;
        EXPECT_TRUE(flag == 0 || result() == "0,00") << dropped;
    }
}

// Given the editor open on the Euro (record 2), when another program renames a shorter table over the
// file, or restores a backup in place with the records in another order, then neither "Löschen" nor
// "Speichern" touches the other program's table.
TEST_F(Editor, ATableReplacedOrRewrittenWhileTheEditorIsOpenIsLeftAsTheOtherProgramWroteIt) {
    const std::string shorter = tableBytes({kDollar, kLira, kFranc});
    const std::string reordered = tableBytes({kLira, kFranc, kEuro, kDeutscheMark});
    for (const auto& [theirs, inPlace, button, says] :
         {std::tuple{shorter, false, "cmdlöschen",
                     "„KURSOMATIK.DAT“ wurde gelöscht oder ersetzt|nicht gelöscht"},
          std::tuple{reordered, true, "cmdlöschen",
                     "„KURSOMATIK.DAT“ wurde von einem anderen Programm geändert|nicht gelöscht"},
          std::tuple{reordered, true, "cmdEingabeBeenden_0",
                     "„KURSOMATIK.DAT“ wurde von einem anderen Programm geändert|nicht gespeichert"}}) {
        start({kDeutscheMark, kEuro, kFranc, kLira});
        windows.messages.clear();
        windows.answers = {MessageResult::Yes};
        frmEingabe2& e = openRecord(2);
        writeFile(dir / (inPlace ? kCurrencyFileName : "neu.dat"), theirs);
        if (!inPlace) std::filesystem::rename(dir / "neu.dat", dir / kCurrencyFileName);
        press(&e, button);
        settle();
        EXPECT_EQ(datBytes(), theirs) << button;
        for (const QString& part : QString::fromUtf8(says).split('|'))
            EXPECT_TRUE(windows.shown(part)) << all();
        EXPECT_TRUE(listed() == (inPlace ? 4 : 3) && !state.file.iDateiNr.isOpen());
    }
}

}  // namespace
}  // namespace kursomatik::testsupport
