#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "Berechnen.h"
#include "MaintenanceFixture.h"
#include "PickList.h"

namespace kursomatik::testing {
namespace {

const Currency kMark{"Deutsche Mark", "DEM", "1955830"};
const Currency kBelgisch{"Belgischer Franc", "BEF", "40339900"};
const Currency kIrisch{"Irisches Pfund", "IEP", "787564"};

class MemberWindow : public MaintenanceTest {};
class OtherWindow : public MaintenanceTest {};

TEST_F(MemberWindow, GridRowRShowsListEntryRMinusTwoAndOpensItsRecord) {
    // Given the three members stored as records 1 (DM), 2 (BEF) and 3 (IEP)
    startOn({kMark, kBelgisch, kIrisch});
    frmUmtauschkurse& w = openMemberWindow();
    EXPECT_EQ(gridNames(w.grdTable),
              QStringList({"", "Belgischer Franc", "Deutsche Mark", "Irisches Pfund"}));
    EXPECT_EQ(listNames(w.lstewwu), QStringList({"Belgischer Franc", "Deutsche Mark", "Irisches Pfund"}));
    EXPECT_EQ(w.grdTable->text(3, 2), "1,955830");
    EXPECT_EQ(w.grdTable->text(4, 3).trimmed(), "IEP");
    struct Case {
        int row;
        long record;
        const char* name;
    };
    for (const Case& c :
         {Case{3, 1, "Deutsche Mark"}, Case{2, 2, "Belgischer Franc"}, Case{4, 3, "Irisches Pfund"}}) {
        // When row r is double-clicked, then the editor shows the record behind list entry r - 2
        doubleClickRow(w.grdTable, c.row);
        frmEingabe2* e = editor();
        ASSERT_NE(e, nullptr) << c.row;
        EXPECT_EQ(state_.file.lAktuellerSatz, c.record);
        EXPECT_EQ(e->txtbezeichnung->text(), QString::fromUtf8(c.name));
        EXPECT_EQ(w.lstewwu->currentRow(), c.row - 2);
        e->cmdEingabeBeenden_Click(1);
        settle();
    }
    EXPECT_EQ(editorsShown(), 3);
}

TEST_F(MemberWindow, TheEmptyRowOpensNothingAndLeavesNothingForAltAe) {
    startOn({kMark, kBelgisch, kIrisch});
    frmUmtauschkurse& w = openMemberWindow();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    doubleClickRow(w.grdTable, 1);
    EXPECT_EQ(editor(), nullptr);
    EXPECT_EQ(w.lstewwu->currentRow(), -1);
    EXPECT_TRUE(w.lstewwu->selectedItems().isEmpty());
    // An access key presses its button a moment later, as a click would.
    QTest::keyClick(&w, Qt::Key_Adiaeresis, Qt::AltModifier);
    QTest::qWait(300);
    EXPECT_EQ(editorsShown(), 0);
    // The same key with an entry selected does open it, so the key itself works.
    w.lstewwu->setCurrentRow(2);
    QTest::keyClick(&w, Qt::Key_Adiaeresis, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([this] { return editor() != nullptr; }, 2000));
    EXPECT_EQ(state_.file.lAktuellerSatz, 3);
}

TEST_F(MemberWindow, WithoutMembersThereIsOnlyTheEmptyRowAndNothingOpens) {
    startOn({kDollar, {"Yen", "JPY", "120000000", "0"}});
    frmUmtauschkurse& w = openMemberWindow();
    EXPECT_EQ(w.grdTable->rows(), 2);
    EXPECT_EQ(w.grdTable->text(0, 1), "Bezeichnung:");
    EXPECT_EQ(w.lstewwu->lineCount(), 0);
    EXPECT_FALSE(w.cmdDBveraendern->isEnabled());
    doubleClickRow(w.grdTable, 1);
    w.cmdDBveraendern_Click();
    w.lstewwu_DblClick();
    EXPECT_EQ(editorsShown(), 0);
}

TEST_F(MemberWindow, TheSelectorOpensEntryOneForTheFirstChoiceAndOnlyOnce) {
    struct Case {
        int chosen;
        long record;  // 0: nothing opens
    };
    startOn({kMark, kBelgisch, kIrisch});
    frmUmtauschkurse& w = openMemberWindow();
    for (const Case& c : {Case{2, 3}, Case{0, 1}, Case{1, 1} /* already chosen: no change */}) {
        const int before = editorsShown();
        w.txtauswahl1->setCurrentIndex(c.chosen);
        EXPECT_EQ(editorsShown() - before, c.chosen == 1 ? 0 : 1) << c.chosen;
        if (editor() != nullptr) {
            EXPECT_EQ(state_.file.lAktuellerSatz, c.record);
            EXPECT_EQ(w.txtauswahl1->currentIndex(), 1 + (c.chosen == 2));
            editor()->cmdEingabeBeenden_Click(1);
            settle();
        }
    }
}

TEST_F(MemberWindow, WithOneMemberTheSelectorOpensNothing) {
    startOn({kMark, kDollar});
    openMemberWindow().txtauswahl1->setCurrentIndex(0);
    EXPECT_EQ(editorsShown(), 0);
}

TEST_F(MemberWindow, AStaleSelectorEntryOpensNothing) {
    // After a member leaves, the list pass leaves a surplus entry at the end of the selector.
    startOn({kMark, kBelgisch, kIrisch});
    frmUmtauschkurse& w = openMemberWindow();
    writeTable({kMark, kBelgisch});
    state_.selection.sStartauswahl = "0";
    main_->RefreshtheLists();
    ASSERT_EQ(w.txtauswahl1->count(), 3);
    ASSERT_EQ(w.lstewwu->lineCount(), 2);
    w.txtauswahl1->setCurrentIndex(2);
    EXPECT_EQ(editorsShown(), 0);
}

TEST_F(MemberWindow, EveryWayOfClosingRunsTheClosingSteps) {
    struct Way {
        const char* name;
        void (*close)(frmUmtauschkurse&);
    };
    for (const Way& way : {Way{"Schließen", [](frmUmtauschkurse& w) { w.cmdAbbrechenUmt_Click(); }},
                           Way{"Esc", [](frmUmtauschkurse& w) { QTest::keyClick(&w, Qt::Key_Escape); }},
                           Way{"title bar", [](frmUmtauschkurse& w) { w.close(); }}}) {
        SCOPED_TRACE(way.name);
        WexlorEingabe& m = startOn({kMark, kEuro});
        frmUmtauschkurse& w = openMemberWindow();
        // Given a pending deleted-currency flag and a changed table on disk
        state_.selection.iGeloeschteWaehrung = 2;
        writeTable({kMark, {"Euro", "EUX", "1000000"}});
        way.close(w);
        EXPECT_FALSE(w.isVisible());
        EXPECT_EQ(state_.selection.iGeloeschteWaehrung, 0);
        EXPECT_EQ(state_.selection.sStartauswahl, "0");
        EXPECT_EQ(m.Text2->text(), "EUX");  // the lists were loaded again and the rates taken
    }
}

TEST_F(MemberWindow, ClosingWithNoOutputCurrencyKeepsItsRateAndStillUpdatesTheInput) {
    // Given DEM as input and EUR as output, and the output currency deleted in the editor
    WexlorEingabe& m = startOn({kMark, kEuro, kFranc});
    frmUmtauschkurse& w = openMemberWindow();
    doubleClickRow(w.grdTable, 3);  // Euro, record 2
    windows_.answers = {MessageResult::Yes};
    editor()->cmdloeschen_Click();
    settle();
    ASSERT_EQ(m.txtAusgabe->currentIndex(), -1);
    ASSERT_EQ(state_.selection.iGeloeschteWaehrung, 2);
    // When the member window is closed
    w.cmdAbbrechenUmt_Click();
    // Then the output has no position any more, the input is taken again and the flag is gone
    EXPECT_EQ(state_.selection.sAusgabeIndex, "-1");
    EXPECT_EQ(m.txtAusgabe->currentIndex(), -1);
    EXPECT_EQ(state_.selection.sEingabeIndex, "0");
    EXPECT_EQ(m.txtisoein->text(), "DEM");
    EXPECT_EQ(state_.selection.dEingabeKurs, 1955830.0);
    EXPECT_EQ(state_.selection.iGeloeschteWaehrung, 0);

    // When it is opened and closed once more, no list pass touches the output side: its rate stays
    // and its fixed-point rate is worked out again from it.
    const std::optional<double> rate = state_.selection.dAusgabeKurs;
    ASSERT_TRUE(rate);
    state_.selection.cyAusgabeKurs = Money::fromWhole(7);
    openMemberWindow().cmdAbbrechenUmt_Click();
    EXPECT_EQ(state_.selection.sAusgabeIndex, "-1");
    EXPECT_EQ(state_.selection.dAusgabeKurs, rate);
    EXPECT_EQ(state_.selection.cyAusgabeKurs, scaledRateToMoney(*rate, state_.regional));
    EXPECT_EQ(m.txtisoein->text(), "DEM");
}

TEST_F(MemberWindow, ClosingTakesNoOtherCurrencysRateForOneWhoseRateBecameUnusable) {
    struct Case {
        bool input;  // the input currency's record changes, else the output one's
        const char* kurs;
    };
    for (const Case& c : {Case{true, "0"}, Case{true, "abc"}, Case{false, "0"}, Case{false, "abc"}}) {
        SCOPED_TRACE(std::string(c.input ? "input " : "output ") + c.kurs);
        // Given 100 DEM -> FRF
        WexlorEingabe& m = startOn({kMark, kEuro, kFranc});
        choose(m.txtAusgabe, QString::fromUtf8("Französischer Franc"));
        typeAmount("100");
        m.cmdBerechnen->click();
        ASSERT_EQ(m.txtWert->text(), "335,38");
        // When the chosen currency's rate becomes unusable while the member window is open
        frmUmtauschkurse& w = openMemberWindow();
        Currency changed = c.input ? kMark : kFranc;
        changed.kurs = c.kurs;
        writeTable(c.input ? std::vector<Currency>{changed, kEuro, kFranc}
                           : std::vector<Currency>{kMark, kEuro, changed});
        w.cmdAbbrechenUmt_Click();
        // Then that side converts to 0, with neither its old rate nor a stand-in of 1
        m.cmdBerechnen->click();
        EXPECT_EQ(m.txtWert->text(), "0,00");
        EXPECT_FALSE(c.input ? state_.selection.cyEingabeKurs : state_.selection.cyAusgabeKurs);
    }
}

TEST_F(MemberWindow, ACurrencyTurnedIntoAnOtherOneMovesToTheOtherWindow) {
    WexlorEingabe& m = startOn({kMark, kBelgisch, kDollar});
    frmUmtauschkurse& w = openMemberWindow();
    doubleClickRow(w.grdTable, 3);  // Deutsche Mark
    ASSERT_TRUE(editor()->chkewwu->isChecked());
    editor()->chkewwu->setChecked(false);
    editor()->cmdEingabeBeenden_Click(0);
    EXPECT_EQ(listNames(w.lstewwu), QStringList({"Belgischer Franc"}));
    EXPECT_EQ(gridNames(w.grdTable), QStringList({"", "Belgischer Franc"}));
    EXPECT_EQ(listNames(m.otherWindow()->lstweitere), QStringList({"Deutsche Mark", "US-Dollar"}));
    EXPECT_EQ(gridNames(m.otherWindow()->grdTable2), QStringList({"", "Deutsche Mark", "US-Dollar"}));
    EXPECT_EQ(m.lstversteckt->lineCount(), 3);
    // And back again from the other window
    frmWeitereW& o = openOtherWindow();
    doubleClickRow(o.grdTable2, 2);
    ASSERT_EQ(state_.file.lAktuellerSatz, 1);
    editor()->chkewwu->setChecked(true);
    editor()->cmdEingabeBeenden_Click(0);
    EXPECT_EQ(listNames(w.lstewwu), QStringList({"Belgischer Franc", "Deutsche Mark"}));
    EXPECT_EQ(listNames(o.lstweitere), QStringList({"US-Dollar"}));
}

TEST_F(OtherWindow, GenericOrderKeepsGridRowsAndListEntriesTogether) {
    // Names that are numbers sort by value in this window: 2 before 10, both before letters.
    startOn({{"Yen", "JPY", "120000000", "0"},
             {"10", "TEN", "10000000", "0"},
             {"2", "TWO", "2000000", "0"},
             kMark});
    frmWeitereW& o = openOtherWindow();
    EXPECT_EQ(gridNames(o.grdTable2), QStringList({"", "2", "10", "Yen"}));
    EXPECT_EQ(listNames(o.lstweitere), QStringList({"2", "10", "Yen"}));
    for (const auto& [row, record] : {std::pair{3, 2L}, std::pair{2, 3L}, std::pair{4, 1L}}) {
        doubleClickRow(o.grdTable2, row);
        ASSERT_NE(editor(), nullptr);
        EXPECT_EQ(state_.file.lAktuellerSatz, record) << row;
        editor()->cmdEingabeBeenden_Click(1);
        settle();
    }
    doubleClickRow(o.grdTable2, 1);
    o.txtauswahl2->setCurrentIndex(0);  // becomes entry 1: "10", record 2
    EXPECT_EQ(editorsShown(), 4);
    EXPECT_EQ(state_.file.lAktuellerSatz, 2);
}

TEST_F(OtherWindow, EscLeavesItOpenAndZurueckOrTheTitleBarHideIt) {
    startOn({kMark, kDollar});
    frmWeitereW& o = openOtherWindow();
    QTest::keyClick(&o, Qt::Key_Escape);
    EXPECT_TRUE(o.isVisible());
    o.Command1_Click();
    EXPECT_FALSE(o.isVisible());
    EXPECT_TRUE(main_->memberWindow()->isVisible());
    main_->memberWindow()->cmdSpringeFormwW_Click();
    EXPECT_TRUE(o.isVisible());
    EXPECT_EQ(listNames(o.lstweitere), QStringList({"US-Dollar"}));
    o.close();
    EXPECT_FALSE(o.isVisible());
    EXPECT_TRUE(main_->memberWindow()->isVisible());
}

TEST_F(OtherWindow, NewEntryAndHelp) {
    startOn({kMark, kDollar});
    frmWeitereW& o = openOtherWindow();
    o.findChild<QPushButton*>("cmdhelp")->click();
    main_->memberWindow()->findChild<QPushButton*>("Command1")->click();
    EXPECT_EQ(windows_.f1Posted, 2);
    o.findChild<QPushButton*>("cmdneu2")->click();
    ASSERT_NE(editor(), nullptr);
    EXPECT_EQ(editor()->windowTitle(), "Neuer Eintrag");
}

TEST_F(MemberWindow, TheDateSitsAtTheHeightOfTheOtherCellsInBothGrids) {
    startOn({kMark, kDollar});
    for (const FlexGrid* grid : {main_->memberWindow()->grdTable, main_->otherWindow()->grdTable2}) {
        const QTableWidgetItem* name = grid->item(1, 1);  // grid row 2, the currency
        const QTableWidgetItem* date = grid->item(1, 4);
        ASSERT_TRUE(name && date) << grid->objectName().toStdString();
        ASSERT_FALSE(date->text().isEmpty());
        const auto vertical = [](const QTableWidgetItem* cell) {
            return Qt::Alignment(cell->textAlignment()) & Qt::AlignVertical_Mask;
        };
        EXPECT_EQ(vertical(date), vertical(name)) << grid->objectName().toStdString();
    }
}

TEST_F(MemberWindow, BothWindowsCarryTheirCaptionsTooltipsAndAccessKeys) {
    startOn({kMark, kDollar});
    struct Control {
        QWidget* window;
        const char* name;
        const char* text;  // caption, or "" for none checked
        const char* tooltip;
    };
    QWidget* m = main_->memberWindow();
    QWidget* o = main_->otherWindow();
    const char* open = "Hier anklicken zum ändern der Einstellungen.";
    const char* grid =
        "Einstellungen können durch Doppelklick auf die entsprechende Währung verändert werden.";
    for (const Control& c :
         {Control{m, "Label1", "Teilnehmerländer der  EWWU", ""},
          Control{m, "Command1", "&?", ""},
          Control{m, "Label4", " Ein Euro sind...", ""},
          Control{m, "grdTable", "", grid},
          Control{m, "cmdneu", "&Neuer Eintrag...", "Eine neue Währung hinzufügen."},
          Control{m, "cmdSpringeFormwW", "&Weitere Währungen", "Anzeige der Nichtmitglieder der EWWU."},
          Control{m, "cmdAbbrechenUmt", "&Schließen", "Zurück zur Währungsumrechnung"},
          Control{m, "cmdDBverändern", "Einstellungen &ändern...",
                  "Einstellungen der markierten Währung ändern."},
          Control{m, "lstewwu", "",
                  "Liste mit den Währungseinstellungen der EWWU-Länder. Durch Doppelklick auf eine Währung "
                  "können Einstellungen verändert werden."},
          Control{m, "txtauswahl1", "", open},
          Control{m, "Label2", " Einstellungen ändern...", ""},
          Control{o, "Label3", "Weitere Währungen", ""},
          Control{o, "cmdhelp", "&?", ""},
          Control{o, "Label1", " Ein Euro sind...", ""},
          Control{o, "grdTable2", "", grid},
          Control{o, "cmdneu2", "&Neuer Eintrag...", ""},
          Control{o, "Command1", "&Zurück", "Zurück zu den Wechselkursen der EWWU"},
          Control{o, "lstweitere", "",
                  "Liste der übrigen Währungen.  Durch Doppelklick auf eine Währung können Einstellungen "
                  "verändert werden."},
          Control{o, "txtauswahl2", "", open},
          Control{o, "Label2", " Einstellungen ändern...", ""}}) {
        QWidget* widget = c.window->findChild<QWidget*>(QString::fromUtf8(c.name));
        ASSERT_NE(widget, nullptr) << c.name;
        if (*c.text != '\0') {
            const QVariant text = widget->property("text");
            EXPECT_EQ(text.toString(), QString::fromUtf8(c.text)) << c.name;
        }
        EXPECT_EQ(widget->toolTip(), QString::fromUtf8(c.tooltip)) << c.name;
    }
    EXPECT_EQ(m->windowTitle(), "Wechselkurse");
    EXPECT_EQ(o->windowTitle(), "Wechselkurse");
    EXPECT_EQ(m->property("helpTopic").toInt(), 3);
    EXPECT_EQ(o->property("helpTopic").toInt(), 3);
    const auto* grdTable = main_->memberWindow()->grdTable;
    EXPECT_EQ(grdTable->text(0, 4), "Datum:");
    EXPECT_TRUE(grdTable->isColumnHidden(0));
}

}  // namespace
}  // namespace kursomatik::testing
