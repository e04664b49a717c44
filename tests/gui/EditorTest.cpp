#include <sys/resource.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <csignal>

#include "MaintenanceFixture.h"
#include "support/FileSizeLimit.h"
#include "frmOptionen.h"

namespace kursomatik::testing {
namespace {

const Currency kPlaceholder{"Neu", "", "0", "0", "05.12.2026"};

class Editor : public MaintenanceTest {
  protected:
    // Saves and returns the messages the save showed after its own notice.
    QStringList save(frmEingabe2& e) {
        windows_.messages.clear();
        e.cmdEingabeBeenden_Click(0);
        QStringList shown = windows_.messageTexts();
        EXPECT_FALSE(shown.isEmpty());
        if (!shown.isEmpty()) {
            EXPECT_EQ(shown.takeFirst(), kSaving);
        }
        return shown;
    }
};

TEST_F(Editor, ShowsTheStoredRecordTrimmedWithItsRateAsUnitsPerEuro) {
    struct Case {
        Currency stored;
        const char* rate;
        bool member;
    };
    startOn({kEuro});
    for (const Case& c :
         {Case{kDeutscheMark, "1,95583", true}, Case{kEuro, "1", true}, Case{kPlaceholder, "0", false},
          Case{{"Kleinst", "KLS", "123456,78", "0"}, "0,12345678", false},
          Case{{"Zweifelhaft", "ZWF", "5000000", "01"}, "5", false},
          Case{{"Kaputt", "KPT", "viel", "1"}, "", true}}) {
        writeTable({kEuro, c.stored});
        main_->RefreshtheLists();
        frmEingabe2& e = openRecord(2);
        EXPECT_EQ(e.windowTitle(), QString::fromUtf8("Einstellungen ändern..."));
        EXPECT_EQ(e.txtbezeichnung->text(), QString::fromStdString(c.stored.name));
        EXPECT_EQ(e.txttkurs->text(), QString::fromUtf8(c.rate)) << c.stored.name;
        EXPECT_EQ(e.txtiso->text(), QString::fromStdString(c.stored.iso));
        EXPECT_EQ(e.txtdatum->text(), QString::fromStdString(c.stored.datum));
        EXPECT_EQ(e.chkewwu->isChecked(), c.member) << c.stored.name;
        e.cmdEingabeBeenden_Click(1);
        settle();
    }
    EXPECT_TRUE(windows_.messages.empty());
}

TEST_F(Editor, SavingAnUntouchedNewRecordStoresItsPlaceholders) {
    startOn({kDeutscheMark, kEuro});
    frmEingabe2& e = openNew();
    EXPECT_EQ(storedCount(), 3);
    EXPECT_EQ(e.txttkurs->text(), "0");
    EXPECT_EQ(save(e), QStringList({kRateNoNumber, kIsoMissing}));
    EXPECT_EQ(datBytes(), tableBytes({kDeutscheMark, kEuro, {"Neu", "???", "1000000", "0", "05.12.2026"}}));
    EXPECT_EQ(listNames(main_->otherWindow()->lstweitere), QStringList({"Neu"}));
}

TEST_F(Editor, UnusableRatesAreStoredAsOneAfterTheirMessage) {
    struct Case {
        const char* typed;
        QStringList messages;
        const char* stored;
    };
    startOn({kDeutscheMark, kEuro});
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
        e.txttkurs->setText(QString::fromUtf8(c.typed));
        EXPECT_EQ(save(e), c.messages) << c.typed;
        EXPECT_EQ(fieldValue(storedRecord(1).Kurs), c.stored) << c.typed;
        EXPECT_EQ(storedRecord(2), decodeRecord(recordBytes(kEuro)));
        settle();
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
    startOn({kDeutscheMark, kEuro});
    for (const Case& c :
         {Case{"Deutsche Mark", "dem", true, {"Deutsche Mark", "DEM", "1955830", "1", "05.12.2026"}, {}},
          Case{"Dänische Krone", "dkk", false, {"Dänische Krone", "DKK", "1955830", "0", "05.12.2026"}, {}},
          Case{"", "", true, {"??????????????????", "???", "1955830", "1", "05.12.2026"}, {kIsoMissing}},
          // Blanks are content: stored as they are, shown trimmed afterwards.
          Case{"   ", "  ", false, {"   ", "  ", "1955830", "0", "05.12.2026"}, {}}}) {
        frmEingabe2& e = openRecord(1);
        e.txtbezeichnung->setText(QString::fromUtf8(c.name));
        e.txttkurs->setText("1,95583");
        e.txtiso->setText(QString::fromUtf8(c.iso));
        e.chkewwu->setChecked(c.member);
        // The date box only shows the date: typing changes nothing, saving stores today's date.
        const QString shownDate = e.txtdatum->text();
        e.txtdatum->selectAll();
        QTest::keyClicks(e.txtdatum, "01.01.2000");
        EXPECT_EQ(e.txtdatum->text(), shownDate);
        EXPECT_EQ(save(e), c.messages) << c.name;
        EXPECT_EQ(storedRecord(1), decodeRecord(recordBytes(c.stored))) << c.name;
        settle();
    }
    frmEingabe2& shown = openRecord(1);
    EXPECT_EQ(shown.txtbezeichnung->text(), "");
    EXPECT_EQ(shown.txtiso->text(), "");
}

TEST_F(Editor, AbbrechenWritesNothingAndEveryWayOutClosesTheFileAndReloads) {
    struct Way {
        const char* name;
        void (*leave)(frmEingabe2&);
    };
    for (const Way& way : {Way{"Abbrechen", [](frmEingabe2& e) { e.cmdEingabeBeenden[1]->click(); }},
                           Way{"title bar", [](frmEingabe2& e) { e.close(); }},
                           Way{"Esc", [](frmEingabe2& e) { QTest::keyClick(e.txttkurs, Qt::Key_Escape); }}}) {
        SCOPED_TRACE(way.name);
        startOn({kDeutscheMark, kEuro});
        const std::string before = datBytes();
        frmEingabe2& e = openRecord(1);
        QPointer<frmEingabe2> alive(&e);
        EXPECT_TRUE(state_.file.iDateiNr.isOpen());
        e.txtbezeichnung->setText("Geändert");
        e.txttkurs->setText("abc");
        state_.selection.sStartauswahl = "1";
        way.leave(e);
        EXPECT_EQ(datBytes(), before);
        EXPECT_TRUE(windows_.messages.empty());
        EXPECT_FALSE(state_.file.iDateiNr.isOpen());
        EXPECT_EQ(state_.selection.sStartauswahl, "0");
        settle();
        EXPECT_TRUE(alive.isNull());
    }
}

TEST_F(Editor, SavingReloadsEveryListAtOnce) {
    WexlorEingabe& m = startOn({kDeutscheMark, kEuro});
    frmEingabe2& e = openRecord(1);
    e.txtbezeichnung->setText("Zloty");
    e.txtiso->setText("pln");
    e.chkewwu->setChecked(false);
    save(e);
    EXPECT_FALSE(state_.file.iDateiNr.isOpen());
    EXPECT_EQ(listNames(m.lstversteckt), QStringList({"Euro", "Zloty"}));
    EXPECT_EQ(listNames(m.memberWindow()->lstewwu), QStringList({"Euro"}));
    EXPECT_EQ(gridNames(m.otherWindow()->grdTable2), QStringList({"", "Zloty"}));
    EXPECT_EQ(m.options()->findChild<LineList*>("lstversteckt2")->lineCount(), 2);
}

TEST_F(Editor, ClosingANewRecordByTheTitleBarKeepsThePlaceholderAndEscRemovesIt) {
    startOn({kDeutscheMark, kEuro});
    const std::string before = datBytes();
    openNew().close();
    EXPECT_EQ(datBytes(), before + recordBytes(kPlaceholder));
    EXPECT_EQ(listNames(main_->otherWindow()->lstweitere), QStringList({"Neu"}));
    settle();

    startOn({kDeutscheMark, kEuro});
    frmEingabe2& e = openNew();
    QTest::keyClick(e.txtbezeichnung, Qt::Key_Escape);
    EXPECT_EQ(datBytes(), before);
    EXPECT_TRUE(windows_.messages.empty());
}

TEST_F(Editor, EnterInABoxPressesNoButton) {
    startOn({kDeutscheMark, kEuro});
    const std::string before = datBytes();
    frmEingabe2& e = openRecord(1);
    e.txttkurs->setText("3");
    QTest::keyClick(e.txttkurs, Qt::Key_Return);
    EXPECT_TRUE(e.isVisible());
    EXPECT_TRUE(windows_.messages.empty());
    EXPECT_EQ(datBytes(), before);
}

TEST_F(Editor, BothStatesShowTheirOwnButtons) {
    struct Case {
        int record;
        const char* title;
        std::vector<const char*> shown;
    };
    startOn({kDeutscheMark, kEuro});
    for (const Case& c :
         {Case{1, "Einstellungen ändern...", {"cmdEingabeBeenden_0", "cmdlöschen", "cmdEingabeBeenden_1"}},
          Case{0, "Neuer Eintrag", {"cmdEingabeBeenden_0", "neulöschen"}}}) {
        frmEingabe2& e = c.record == 0 ? openNew() : openRecord(c.record);
        EXPECT_EQ(e.windowTitle(), QString::fromUtf8(c.title));
        QStringList visible;
        for (const QPushButton* b : e.findChildren<QPushButton*>()) {
            if (b->isVisible()) {
                visible << b->objectName();
                EXPECT_TRUE(b->isEnabled()) << b->objectName().toStdString();
            }
        }
        QStringList expected;
        for (const char* name : c.shown) expected << QString::fromUtf8(name);
        visible.sort();
        expected.sort();
        EXPECT_EQ(visible, expected);
        e.close();
        settle();
    }
}

TEST_F(Editor, ControlsCarryNamesCaptionsTooltipsLimitsAndLabels) {
    startOn({kDeutscheMark, kEuro});
    frmEingabe2& e = openRecord(1);
    struct Box {
        const char* name;
        int maxLength;
        const char* label;
        const char* spoken;
        const char* tooltip;
    };
    for (const Box& b : {Box{"txtbezeichnung", 30, "Label1", "Bezeichnung", "Währungsbezeichnung"},
                         Box{"txttkurs", 20, "Label2", "Umrechungskurs", "Umrechnungskurs: 1 Euro sind..."},
                         Box{"txtiso", 3, "Label3", "ISO-Bez", "ISO-Norm Bezeichnung"},
                         Box{"chkewwu", 0, "Label4", "Teilnehmerland der EWWU",
                             "Teilnehmer der europäischen Wirtschafts- und Währungsgemeinschaft."},
                         Box{"txtdatum", 10, "Label5", "Umrechnungskurs vom",
                             "Datum der letzten Änderung des Umrechnungskurses"}}) {
        QWidget* box = e.findChild<QWidget*>(b.name);
        ASSERT_NE(box, nullptr) << b.name;
        if (auto* edit = qobject_cast<QLineEdit*>(box)) {
            EXPECT_EQ(edit->maxLength(), b.maxLength) << b.name;
        }
        EXPECT_EQ(e.findChild<QLabel*>(b.label)->buddy(), box) << b.name;
        EXPECT_EQ(box->accessibleName(), QString::fromUtf8(b.spoken));
        EXPECT_EQ(box->toolTip(), QString::fromUtf8(b.tooltip));
        EXPECT_EQ(box->accessibleDescription(), box->toolTip());
    }
    EXPECT_EQ(e.findChild<QLabel*>("Label2")->text(), "Umrechungskurs:");
    const QString leaving = "Verlassen der Bearbeitung.";
    EXPECT_EQ(e.cmdEingabeBeenden[0]->text(), "&Speichern");
    EXPECT_EQ(e.cmdEingabeBeenden[0]->toolTip(), leaving);
    EXPECT_EQ(e.cmdEingabeBeenden[1]->text(), "&Abbrechen");
    EXPECT_EQ(e.cmdEingabeBeenden[1]->toolTip(), leaving);
    EXPECT_EQ(e.findChild<QPushButton*>(QString::fromUtf8("cmdlöschen"))->toolTip(),
              QString::fromUtf8("Löschen des ausgewählten Datensatzes."));
    EXPECT_EQ(e.findChild<QPushButton*>(QString::fromUtf8("neulöschen"))->text(), "&Abbrechen");
    EXPECT_EQ(e.property("helpTopic").toInt(), 3);

    // Tab goes name, rate, code, member flag, date, then the buttons Löschen, Speichern, Abbrechen.
    QApplication::setActiveWindow(&e);
    e.txtbezeichnung->setFocus();
    for (QWidget* next :
         std::initializer_list<QWidget*>{e.txttkurs, e.txtiso, e.chkewwu, e.txtdatum, e.cmdloeschen,
                                         e.cmdEingabeBeenden[0], e.cmdEingabeBeenden[1]}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
    }
}

TEST_F(Editor, OpensCentredOnItsOwner) {
    startOn({kDeutscheMark, kEuro});
    frmUmtauschkurse& w = openMemberWindow();
    w.move(40, 30);
    w.cmdDBveraendern_Click();
    ASSERT_NE(editor(), nullptr);
    const QPoint offset = editor()->geometry().center() - w.geometry().center();
    EXPECT_LE(offset.manhattanLength(), 4) << offset.x() << "," << offset.y();
}

TEST_F(Editor, AFailedSaveIsReportedByFileNameAndTheWindowStillLeaves) {
    startOn({kDeutscheMark, kEuro});
    frmEingabe2& e = openNew();
    QPointer<frmEingabe2> alive(&e);
    e.txttkurs->setText("4,5");
    e.txtiso->setText("NEU");
    QStringList shown;
    {
        const FileSizeLimit full(0);
        shown = save(e);
    }
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].contains(QString::fromUtf8("„KURSOMATIK.DAT“ kann nicht geschrieben werden")))
        << shown[0].toStdString();
    // The placeholder written on opening stays; the lists show the file as it is.
    EXPECT_EQ(storedRecord(3), decodeRecord(recordBytes(kPlaceholder)));
    EXPECT_FALSE(state_.file.iDateiNr.isOpen());
    EXPECT_EQ(main_->lstversteckt->lineCount(), 3);
    settle();
    EXPECT_TRUE(alive.isNull());
}

TEST_F(Editor, APlaceholderThatCannotBeWrittenLeavesNothingToSaveOrDelete) {
    startOn({kDeutscheMark, kEuro});
    const std::string before = datBytes();
    state_.file.lAktuellerSatz = 2;  // left over from an earlier use of the editor
    {
        const FileSizeLimit full(before.size());
        openNew();
    }
    frmEingabe2& e = *editor();
    ASSERT_EQ(windows_.messages.size(), 1u);
    EXPECT_TRUE(windows_.messages[0].text.contains(QString::fromUtf8("„KURSOMATIK.DAT“")));
    EXPECT_FALSE(e.cmdEingabeBeenden[0]->isEnabled());
    // "Abbrechen" must not drop the record the stale number points at.
    e.neuloeschen->click();
    EXPECT_EQ(datBytes(), before);
    EXPECT_EQ(windows_.messages.size(), 1u);
}

TEST_F(Editor, AFileThatCannotBeOpenedIsReported) {
    startOn({kDeutscheMark, kEuro});
    std::filesystem::remove(dir_ / kCurrencyFileName);
    std::filesystem::create_directory(dir_ / kCurrencyFileName);
    frmEingabe2& e = openRecord(1);
    ASSERT_FALSE(windows_.messages.empty());
    EXPECT_TRUE(
        windows_.messages[0].text.contains(QString::fromUtf8("„KURSOMATIK.DAT“ kann nicht geöffnet werden")));
    EXPECT_FALSE(e.cmdEingabeBeenden[0]->isEnabled());
    EXPECT_FALSE(e.cmdloeschen->isEnabled());
    EXPECT_TRUE(e.cmdEingabeBeenden[1]->isEnabled());
}

}  // namespace
}  // namespace kursomatik::testing
