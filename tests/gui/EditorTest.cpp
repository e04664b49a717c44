// SPDX-License-Identifier: GPL-3.0-or-later
#include <QTest>

#include "tests/gui/ProgramTest.h"
#include "tests/support/FileSizeLimit.h"

namespace kursomatik::testsupport {
namespace {

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
        press(&e, "cmdEingabeBeenden_0");
        settle();
        EXPECT_TRUE(said({"wird gesichert", rateMessage, "ISO-Bezeichnung"})) << all();
        EXPECT_EQ(datBytes(),
                  tableBytes(record ? std::vector{saved, kEuro} : std::vector{kDeutscheMark, kEuro, saved}));
        EXPECT_EQ(listed(), record ? 2 : 3);
    }
}

TEST_F(Editor, EveryWayOutWithoutSavingWritesNothingClosesTheFileAndReloads) {
    // Enter presses no button; the close box keeps a new record's placeholder.
    for (const auto& [way, record, leaves, keepsPlaceholder] :
         {std::tuple{"Abbrechen", 1L, true, false}, std::tuple{"Esc", 1L, true, false},
          std::tuple{"Enter", 1L, false, false}, std::tuple{"close", 0L, true, true}}) {
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
    for (const auto& [end, full] : {std::pair{fragment, true}, std::pair{fragment, false}}) {
        const std::string before = tableBytes({kDeutscheMark, kEuro}) + end;
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
        press(editor(), "neulöschen");
        settle();
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
    press(&e, "cmdEingabeBeenden_1");
    settle();
    press(&memberWindow(), "cmdAbbrechenUmt");  // another list pass
    EXPECT_TRUE(said({"KURSOMATIK.DAT“ kann nicht gelesen werden"})) << all();
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
    EXPECT_TRUE(said({"löschen ?"}) && windows.messages[0].buttons == MessageButtons::YesNo);
    // The editor stays, with the file open.
    ASSERT_TRUE(editor() == &e && e.isVisible() && state.file.iDateiNr.isOpen());
    EXPECT_EQ(state.selection.sStartauswahl + datBytes(), "0" + before);
    windows.answers = {MessageResult::Yes};
    press(&e, "cmdlöschen");
    settle();
    EXPECT_EQ(datBytes(), tableBytes({kDeutscheMark, kEuro, kLira}));
    EXPECT_TRUE(editor() == nullptr && !state.file.iDateiNr.isOpen() && listed() == 3);
}

TEST_F(Editor, ADeletedMainWindowCurrencyLosesItsSelection) {
    // Deutsche Mark (record 1) -> Euro (2); Französischer Franc (3) is not chosen.
    for (const auto& [dropped, flag, inputAfter, outputAfter] :
         {std::tuple{2L, 2, 0, -1}, std::tuple{1L, 1, -1, 1}, std::tuple{3L, 0, 0, 1}}) {
        start({kDeutscheMark, kEuro, kFranc});
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
         {std::tuple{shorter, false, "cmdlöschen", "gelöscht oder ersetzt|nicht gelöscht"},
          std::tuple{reordered, true, "cmdEingabeBeenden_0",
                     "anderen Programm geändert|nicht gespeichert"}}) {
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
            EXPECT_TRUE(QString::fromStdString(all()).contains(part)) << all();
        EXPECT_TRUE(listed() == (inPlace ? 4 : 3) && !state.file.iDateiNr.isOpen());
    }
}

}  // namespace
}  // namespace kursomatik::testsupport
