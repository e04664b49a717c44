// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCheckBox>
#include <QPushButton>
#include <QTest>

#include "maintenance/frmEingabe2.h"
#include "maintenance/frmUmtauschkurse.h"
#include "platform/qt/FlexGrid.h"
#include "platform/qt/LineList.h"
#include "tests/gui/ProgramTest.h"
#include "tests/support/FileSizeLimit.h"

namespace kursomatik::testing {
namespace {

const Currency kPlaceholder{"Neu", "", "0", "0", "05.12.2026"};
const QString kSaving = QStringLiteral("Der Datensatz wird gesichert.");
const QString kRateNoNumber = QString::fromUtf8(
    "Bitte überprüfen Sie ihre Wechselkurseingabe. Der Kurs muß eine Zahl größer und/oder ungleich Null "
    "sein. "
    "Bitte überprüfen Sie auch das länderspezifische Dezimaltrennzeichen (Punkt oder Komma).");
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
        EXPECT_EQ(shown.isEmpty() ? QString() : shown.takeFirst(), kSaving);
        return shown;
    }
    static bool enabled(const frmEingabe2& e, const char* button) {
        return child<QPushButton>(&e, button)->isEnabled();
    }
};

TEST_F(Editor, ShowsTheStoredRecordTrimmedWithItsRateAsUnitsPerEuro) {
    struct Case {
        Currency stored;
        const char* rate;
        bool member;
    };
    for (const Case& c :
         {Case{kDeutscheMark, "1,95583", true}, Case{kEuro, "1", true}, Case{kPlaceholder, "0", false},
          Case{{"Kleinst", "KLS", "123456,78", "0"}, "0,12345678", false},
          Case{{"Zweifelhaft", "ZWF", "5000000", "01"}, "5", false},
          Case{{"Kaputt", "KPT", "viel", "1"}, "", true}}) {
        start({kEuro, c.stored});
        frmEingabe2& e = openRecord(2);
        EXPECT_EQ(child(&e, "txtbezeichnung")->text(), QString::fromStdString(c.stored.name));
        EXPECT_EQ(child(&e, "txttkurs")->text(), QString::fromUtf8(c.rate)) << c.stored.name;
        EXPECT_EQ(child(&e, "txtiso")->text() + child(&e, "txtdatum")->text(),
                  QString::fromStdString(c.stored.iso + c.stored.datum));
        EXPECT_EQ(child<QCheckBox>(&e, "chkewwu")->isChecked(), c.member) << c.stored.name;
        QTest::keyClick(child(&e, "txttkurs"), Qt::Key_Escape);
        EXPECT_TRUE(windows.messages.empty());
    }
}

TEST_F(Editor, SavingAnUntouchedNewRecordStoresItsPlaceholders) {
    start({kDeutscheMark, kEuro});
    frmEingabe2& e = openRecord(0);
    EXPECT_EQ(storedCount(), 3);
    EXPECT_EQ(save(e), QStringList({kRateNoNumber, kIsoMissing}));
    EXPECT_EQ(datBytes(), tableBytes({kDeutscheMark, kEuro, {"Neu", "???", "1000000", "0", "05.12.2026"}}));
    EXPECT_EQ(names(find<LineList>("lstweitere")), QStringList({"Neu"}));
}

TEST_F(Editor, UnusableRatesAreStoredAsOneAfterTheirMessage) {
    struct Case {
        const char* typed;
        QStringList messages;
        const char* stored;
    };
    start({kDeutscheMark, kEuro});
    for (const Case& c :
         {Case{"abc", {kRateNoNumber}, "1000000"}, Case{"-2", {kRateNegative}, "1000000"},
          Case{"0", {kRateNoNumber}, "1000000"}, Case{"", {kRateNoNumber}, "1000000"},
          Case{"-0,0", {kRateNoNumber}, "1000000"},
          // Beyond the fixed-point range once multiplied by 1,000,000: never another value.
          Case{"922337204", {kRateNoNumber}, "1000000"}, Case{"1e300", {kRateNoNumber}, "1000000"},
          Case{"-1e300", {kRateNoNumber}, "1000000"},
          // So small that it would be stored as 0.
          Case{"0,00000000001", {kRateNoNumber}, "1000000"}, Case{"922337203", {}, "922337203000000"},
          Case{"1,95583", {}, "1955830"}, Case{" 1,95583 ", {}, "1955830"},
          // A full stop groups three digits only: 1.95583 is no number, 1.234,5 is 1234,5.
          Case{"1.95583", {kRateNoNumber}, "1000000"}, Case{"1.234,5", {}, "1234500000"},
          Case{"0,12345678", {}, "123456,78"}, Case{"1936,27", {}, "1936270000"}}) {
        frmEingabe2& e = openRecord(1);
        child(&e, "txttkurs")->setText(QString::fromUtf8(c.typed));
        EXPECT_EQ(save(e), c.messages) << c.typed;
        EXPECT_EQ(fieldValue(storedRecord(1).Kurs), c.stored) << c.typed;
        EXPECT_EQ(storedRecord(2), decodeRecord(recordBytes(kEuro)));
    }
}

TEST_F(Editor, CodesNamesAndTheMemberFlagAreStoredAsTheBoxesSay) {
    struct Case {
        const char* name;
        const char* iso;
        bool member;
        Currency stored;
        QStringList messages;
    };
    start({kDeutscheMark, kEuro});
    // The code box takes three letters.
    for (const Case& c :
         {Case{"Deutsche Mark", "dem", true, {"Deutsche Mark", "DEM", "1955830", "1", "05.12.2026"}, {}},
          Case{"Dänische Krone", "dkkx", false, {"Dänische Krone", "DKK", "1955830", "0", "05.12.2026"}, {}},
          Case{"", "", true, {"??????????????????", "???", "1955830", "1", "05.12.2026"}, {kIsoMissing}},
          // Blanks are content: stored as they are, shown trimmed afterwards.
          Case{"   ", "  ", false, {"   ", "  ", "1955830", "0", "05.12.2026"}, {}}}) {
        frmEingabe2& e = openRecord(1);
        child(&e, "txtbezeichnung")->setText(QString::fromUtf8(c.name));
        child(&e, "txttkurs")->setText("1,95583");
        child(&e, "txtiso")->setText(QString::fromUtf8(c.iso));
        child<QCheckBox>(&e, "chkewwu")->setChecked(c.member);
        // The date box only shows the date: typing changes nothing, saving stores today's date.
        QLineEdit* date = child(&e, "txtdatum");
        const QString shownDate = date->text();
        date->selectAll();
        QTest::keyClicks(date, "01.01.2000");
        EXPECT_EQ(date->text(), shownDate);
        EXPECT_EQ(save(e), c.messages) << c.name;
        EXPECT_EQ(storedRecord(1), decodeRecord(recordBytes(c.stored))) << c.name;
    }
    frmEingabe2& shown = openRecord(1);
    EXPECT_EQ(child(&shown, "txtbezeichnung")->text() + child(&shown, "txtiso")->text(), "");
}

TEST_F(Editor, EveryWayOutWithoutSavingWritesNothingClosesTheFileAndReloads) {
    struct Way {
        const char* name;
        long record;
        void (*leave)(frmEingabe2&);
        const char* addedOnDisk;  // what stays appended to the table
    };
    for (const Way& way :
         {Way{"Abbrechen", 1, [](frmEingabe2& e) { press(&e, "cmdEingabeBeenden_1"); }, ""},
          Way{"title bar", 1, [](frmEingabe2& e) { e.close(); }, ""},
          Way{"Esc", 1, [](frmEingabe2& e) { QTest::keyClick(child(&e, "txttkurs"), Qt::Key_Escape); }, ""},
          Way{"Enter presses no button", 1,
              [](frmEingabe2& e) { QTest::keyClick(child(&e, "txttkurs"), Qt::Key_Return); }, nullptr},
          Way{"Esc on a new one", 0,
              [](frmEingabe2& e) { QTest::keyClick(child(&e, "txtbezeichnung"), Qt::Key_Escape); }, ""},
          // The close box keeps a new record's placeholder.
          Way{"title bar on a new one", 0, [](frmEingabe2& e) { e.close(); }, "placeholder"}}) {
        SCOPED_TRACE(way.name);
        start({kDeutscheMark, kEuro});
        const std::string before = datBytes();
        frmEingabe2& e = openRecord(way.record);
        QPointer<frmEingabe2> alive(&e);
        EXPECT_TRUE(state.file.iDateiNr.isOpen());
        child(&e, "txtbezeichnung")->setText("Geändert");
        child(&e, "txttkurs")->setText("abc");
        state.selection.sStartauswahl = "1";
        way.leave(e);
        settle();
        EXPECT_TRUE(windows.messages.empty());
        EXPECT_EQ(datBytes(),
                  before + (way.addedOnDisk && *way.addedOnDisk ? recordBytes(kPlaceholder) : ""));
        EXPECT_EQ(alive.isNull(), way.addedOnDisk != nullptr);
        EXPECT_EQ(state.file.iDateiNr.isOpen(), way.addedOnDisk == nullptr);
        EXPECT_EQ(state.selection.sStartauswahl, way.addedOnDisk ? "0" : "1");
    }
}

TEST_F(Editor, BothStatesShowTheirOwnButtonsAndItOpensCentredOnItsOwner) {
    start({kDeutscheMark, kEuro});
    for (const auto& [record, title, buttons] :
         {std::tuple{1L, "Einstellungen ändern...", "cmdEingabeBeenden_0 cmdEingabeBeenden_1 cmdlöschen"},
          std::tuple{0L, "Neuer Eintrag", "cmdEingabeBeenden_0 neulöschen"}}) {
        frmEingabe2& e = openRecord(record);
        EXPECT_EQ(e.windowTitle(), QString::fromUtf8(title));
        QStringList visible;
        for (const QPushButton* b : e.findChildren<QPushButton*>()) {
            if (b->isVisible() && b->isEnabled()) visible << b->objectName();
        }
        visible.sort();
        EXPECT_EQ(visible.join(' '), QString::fromUtf8(buttons));
        e.close();
        settle();
    }
    frmUmtauschkurse& w = memberWindow();
    w.move(40, 30);
    press(&w, "cmdDBverändern");
    const QPoint offset = editor()->geometry().center() - w.geometry().center();
    EXPECT_LE(offset.manhattanLength(), 4) << offset.x() << "," << offset.y();
}

TEST_F(Editor, AFileFaultIsReportedByFileNameAndLeavesNothingToSaveOrDelete) {
    // A placeholder that fits only in part leaves no fragment behind the table, and "Abbrechen" must not
    // drop the record a stale number points at.
    start({kDeutscheMark, kEuro});
    const std::string before = datBytes();
    state.file.lAktuellerSatz = 2;
    windows.messages.clear();
    {
        const FileSizeLimit full(before.size() + 100);
        openRecord(0);
    }
    ASSERT_EQ(windows.messages.size(), 1u);
    EXPECT_TRUE(windows.shown(QString::fromUtf8("„KURSOMATIK.DAT“ kann nicht geschrieben werden")));
    EXPECT_EQ(datBytes(), before);
    EXPECT_FALSE(enabled(*editor(), "cmdEingabeBeenden_0"));
    press(editor(), "neulöschen");
    settle();
    EXPECT_EQ(datBytes(), before);
    EXPECT_EQ(windows.messages.size(), 1u);
    EXPECT_EQ(find<LineList>("lstversteckt")->lineCount(), 2);

    // A file that cannot be opened.
    std::filesystem::remove(dir / kCurrencyFileName);
    std::filesystem::create_directory(dir / kCurrencyFileName);
    frmEingabe2& blocked = openRecord(1);
    EXPECT_TRUE(windows.shown(QString::fromUtf8("„KURSOMATIK.DAT“ kann nicht geöffnet werden")));
    EXPECT_FALSE(enabled(blocked, "cmdEingabeBeenden_0") || enabled(blocked, "cmdlöschen"));
    EXPECT_TRUE(enabled(blocked, "cmdEingabeBeenden_1"));
}

}  // namespace
}  // namespace kursomatik::testing
