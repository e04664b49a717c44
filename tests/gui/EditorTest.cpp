// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCheckBox>
#include <QTest>

#include "tests/gui/ProgramTest.h"
#include "tests/support/FileSizeLimit.h"

namespace kursomatik::testsupport {
namespace {

const Currency kPlaceholder{"Neu", "", "0", "0", "05.12.2026"};
const QString kRateNoNumber = QString::fromUtf8(
    "Bitte überprüfen Sie ihre Wechselkurseingabe. Der Kurs muß eine Zahl größer und/oder ungleich Null "
    "sein. Bitte überprüfen Sie auch das länderspezifische Dezimaltrennzeichen (Punkt oder Komma).");
const QString kRateNegative = QString::fromUtf8(
    "Bitte überprüfen Sie ihre Wechselkurseingabe. Der Kurs muß größer und ungleich Null sein.\n\r"
    "Bitte überprüfen Sie auch das länderspezifische Dezimaltrennzeichen (Punkt oder Komma).");
const QString kIsoMissing = QStringLiteral("Bitte pflegen Sie die ISO-Bezeichnung nach.");

class Editor : public ProgramTest {
  protected:
    // "Speichern"; returns the messages the save showed after its own notice.
    QStringList save(frmEingabe2& e) {
        windows.messages.clear();
        press(&e, "cmdEingabeBeenden_0");
        settle();
        QStringList shown = windows.messageTexts();
        EXPECT_EQ(shown.isEmpty() ? QString() : shown.takeFirst(), "Der Datensatz wird gesichert.");
        return shown;
    }
    // The boxes' texts, and the buttons the user can press.
    static QString shown(const frmEingabe2& e) {
        QStringList texts;
        for (const char* box : {"txtbezeichnung", "txttkurs", "txtiso", "txtdatum"})
            texts << child(&e, box)->text();
        texts << (child<QCheckBox>(&e, "chkewwu")->isChecked() ? "EWWU" : "-");
        for (const QPushButton* b : e.findChildren<QPushButton*>())
            if (b->isVisible() && b->isEnabled()) texts << b->objectName();
        return texts.join('|');
    }
};

TEST_F(Editor, ShowsTheStoredRecordTrimmedWithItsRateAsUnitsPerEuroAndItsButtons) {
    for (const auto& [stored, expected] :
         {std::pair{kDeutscheMark, "Deutsche Mark|1,95583|DEM|01.01.1999|EWWU"},
          std::pair{Currency{"Kleinst", "KLS", "123456,78", "0"}, "Kleinst|0,12345678|KLS|01.01.1999|-"},
          std::pair{Currency{"Zweifelhaft", "ZWF", "5000000", "01"}, "Zweifelhaft|5|ZWF|01.01.1999|-"},
          std::pair{Currency{"Kaputt", "KPT", "viel", "1"}, "Kaputt||KPT|01.01.1999|EWWU"}}) {
        start({kEuro, stored});
        frmEingabe2& e = openRecord(2);
        EXPECT_EQ(e.windowTitle() + "|" + shown(e),
                  QString::fromUtf8("Einstellungen ändern...|") + QString::fromUtf8(expected) +
                      QString::fromUtf8("|cmdEingabeBeenden_0|cmdlöschen|cmdEingabeBeenden_1"));
    }
}

TEST_F(Editor, ANewRecordIsAPlaceholderAtOnceAndSavedUntouchedKeepsItsPlaceholders) {
    start({kDeutscheMark, kEuro});
    frmEingabe2& e = openRecord(0);
    EXPECT_EQ(datBytes(), tableBytes({kDeutscheMark, kEuro, kPlaceholder}));
    EXPECT_EQ(e.windowTitle() + "|" + shown(e),
              "Neuer Eintrag|Neu|0||05.12.2026|-|cmdEingabeBeenden_0|neulöschen");
    EXPECT_EQ(save(e), QStringList({kRateNoNumber, kIsoMissing}));
    EXPECT_EQ(datBytes(), tableBytes({kDeutscheMark, kEuro, {"Neu", "???", "1000000", "0", "05.12.2026"}}));
    EXPECT_EQ(names(find<LineList>("lstweitere")), QStringList({"Neu"}));
}

TEST_F(Editor, EachPlaceholderIsInItsBoxBeforeItsMessageAndTheRecordIsStored) {
    start({kDeutscheMark, kEuro});
    frmEingabe2& e = openRecord(1);
    child(&e, "txttkurs")->setText("-2");
    child(&e, "txtiso")->setText("");
    QTest::keyClicks(child(&e, "txtdatum"), "2000");  // the date box only shows the date
    QStringList seen;
    windows.onMessage = [&] { seen << shown(e).section('|', 0, 2); };
    EXPECT_EQ(save(e), QStringList({kRateNegative, kIsoMissing}));
    EXPECT_EQ(seen, QStringList({"Deutsche Mark|-2|", "Deutsche Mark|1|", "Deutsche Mark|1|???"}));
    EXPECT_EQ(datBytes(), tableBytes({{"Deutsche Mark", "???", "1000000", "1", "05.12.2026"}, kEuro}));
}

TEST_F(Editor, EveryWayOutWithoutSavingWritesNothingClosesTheFileAndReloads) {
    // Enter presses no button; the close box keeps a new record's placeholder.
    for (const auto& [way, record, leaves, keepsPlaceholder] :
         {std::tuple{"Abbrechen", 1L, true, false}, std::tuple{"close", 1L, true, false},
          std::tuple{"Esc", 1L, true, false}, std::tuple{"Enter", 1L, false, false},
          std::tuple{"Esc", 0L, true, false}, std::tuple{"close", 0L, true, true}}) {
        start({kDeutscheMark, kEuro});
        const std::string before = datBytes();
        QPointer<frmEingabe2> e = &openRecord(record);
        child(e, "txtbezeichnung")->setText("Geändert");
        child(e, "txttkurs")->setText("abc");
        state.selection.sStartauswahl = "1";
        const std::string w = way;
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

TEST_F(Editor, AFileFaultIsReportedByFileNameAndLeavesNothingToSaveOrDelete) {
    // A placeholder that fits only in part leaves the file as it was, a fragment at its end too, and
    // "Abbrechen" must not drop the record a stale number points at.
    for (const std::string& fragment : {std::string(), recordBytes(kFranc).substr(0, 50)}) {
        writeTable({kDeutscheMark, kEuro});
        const std::string before = datBytes() + fragment;
        writeFile(dir / kCurrencyFileName, before);
        windows.messages.clear();
        start();
        state.file.lAktuellerSatz = 2;
        {
            const FileSizeLimit full(2 * kRecordLength + 100);
            openRecord(0);
        }
        ASSERT_EQ(windows.messages.size(), 1u) << all();
        EXPECT_TRUE(windows.shown(QString::fromUtf8("„KURSOMATIK.DAT“ kann nicht geschrieben werden")));
        EXPECT_TRUE(shown(*editor()).endsWith("-|neulöschen"));  // no "Speichern"
        press(editor(), "neulöschen");
        settle();
        EXPECT_TRUE(datBytes() == before && windows.messages.size() == 1u && listed() == 2);
    }
}

TEST_F(Editor, AbbrechenOfANewRecordGivesBackATableWithAFragmentAtItsEndByteForByte) {
    writeTable({kDeutscheMark, kEuro});
    const std::string before = datBytes() + recordBytes(kFranc).substr(0, 50);
    writeFile(dir / kCurrencyFileName, before);
    start();
    press(&openRecord(0), "neulöschen");
    settle();
    EXPECT_EQ(datBytes(), before);
}

TEST_F(Editor, ATableDeletedWhileTheEditorIsOpenIsToldOfOnceWhileItStaysAway) {
    start({kDeutscheMark, kEuro});
    frmEingabe2& e = openRecord(2);
    std::filesystem::remove(dir / kCurrencyFileName);
    press(&e, "cmdEingabeBeenden_1");
    settle();
    press(&memberWindow(), "cmdAbbrechenUmt");  // another list pass
    ASSERT_EQ(windows.messages.size(), 1u) << all();
    EXPECT_TRUE(windows.shown(QString::fromUtf8("KURSOMATIK.DAT“ kann nicht gelesen werden")));
    // Back again and then gone again: told again.
    writeTable({kEuro});
    press(&memberWindow(), "cmdAbbrechenUmt");
    std::filesystem::remove(dir / kCurrencyFileName);
    press(&memberWindow(), "cmdAbbrechenUmt");
    EXPECT_EQ(windows.messages.size(), 2u) << all();
}

TEST_F(Editor, DeletingAsksNoKeepsEverythingYesDropsTheRecordAndTheOthersCloseUpInOrder) {
    start({kDeutscheMark, kEuro, kFranc, kLira});
    const std::string before = datBytes();
    windows.answers = {MessageResult::No};
    frmEingabe2& e = openRecord(3);
    press(&e, "cmdlöschen");
    settle();
    ASSERT_EQ(windows.messageTexts(), QStringList{QString::fromUtf8("Diesen Datensatz löschen ?")});
    EXPECT_TRUE(windows.messages[0].buttons == MessageButtons::YesNo);
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
        EXPECT_EQ(state.selection.iGeloeschteWaehrung, flag) << dropped;
        EXPECT_EQ(find<QComboBox>("txtEingabe")->currentIndex(), inputAfter) << dropped;
        EXPECT_EQ(find<QComboBox>("txtAusgabe")->currentIndex(), outputAfter) << dropped;
        EXPECT_TRUE(flag == 0 || result() == "0,00") << dropped;
    }
}

TEST_F(Editor, ATableReplacedOrRewrittenWhileTheEditorIsOpenIsLeftAsTheOtherProgramWroteIt) {
    // Given the editor open on the Euro (record 2), when another program renames a shorter table over
    // the file, or restores a backup in place with the records in another order, then neither
    // "Löschen" nor "Speichern" touches the other program's table.
    const std::string shorter = tableBytes({kDollar, kLira, kFranc});
    const std::string reordered = tableBytes({kLira, kFranc, kEuro, kDeutscheMark});
    for (const auto& [theirs, inPlace, button, says] :
         {std::tuple{shorter, false, "cmdlöschen", "„KURSOMATIK.DAT“ wurde gelöscht oder ersetzt"},
          std::tuple{reordered, true, "cmdlöschen",
                     "„KURSOMATIK.DAT“ wurde von einem anderen Programm geändert"},
          std::tuple{reordered, true, "cmdEingabeBeenden_0",
                     "„KURSOMATIK.DAT“ wurde von einem anderen Programm geändert"}}) {
        start({kDeutscheMark, kEuro, kFranc, kLira});
        windows.messages.clear();
        windows.answers = {MessageResult::Yes};
        frmEingabe2& e = openRecord(2);
        writeFile(dir / (inPlace ? kCurrencyFileName : "neu.dat"), theirs);
        if (!inPlace) std::filesystem::rename(dir / "neu.dat", dir / kCurrencyFileName);
        press(&e, button);
        settle();
        EXPECT_EQ(datBytes(), theirs) << button;
        EXPECT_TRUE(windows.shown(QString::fromUtf8(says))) << all();
        const bool deleting = std::string(button) == "cmdlöschen";
        EXPECT_TRUE(windows.shown(QString::fromUtf8(deleting ? "nicht gelöscht" : "nicht gespeichert")))
            << all();
        EXPECT_TRUE(listed() == (inPlace ? 4 : 3) && !state.file.iDateiNr.isOpen());
    }
}

}  // namespace
}  // namespace kursomatik::testsupport
