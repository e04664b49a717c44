// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTableWidgetItem>
#include <QTest>

#include "conversion/Berechnen.h"
#include "maintenance/frmEingabe2.h"
#include "maintenance/frmUmtauschkurse.h"
#include "maintenance/frmWeitereW.h"
#include "platform/qt/FlexGrid.h"
#include "platform/qt/LineList.h"
#include "tests/gui/ProgramTest.h"

namespace kursomatik::testing {
namespace {

const Currency kBelgisch{"Belgischer Franc", "BEF", "40339900"};
const Currency kIrisch{"Irisches Pfund", "IEP", "787564"};

class MemberWindow : public ProgramTest {
  protected:
    QComboBox* mainBox(const char* name) const { return find<QComboBox>(name); }
    void leaveEditor() {
        press(editor(), "cmdEingabeBeenden_1");
        settle();
    }
};
using OtherWindow = MemberWindow;

TEST_F(MemberWindow, GridRowRShowsListEntryRMinusTwoAndOpensItsRecord) {
    // Given the three members stored as records 1 (DM), 2 (BEF) and 3 (IEP)
    start({kDeutscheMark, kBelgisch, kIrisch});
    frmUmtauschkurse& w = memberWindow();
    auto* grid = child<FlexGrid>(&w, "grdTable");
    auto* list = child<LineList>(&w, "lstewwu");
    EXPECT_EQ(names(grid), QStringList({"", "Belgischer Franc", "Deutsche Mark", "Irisches Pfund"}));
    EXPECT_EQ(names(list), QStringList({"Belgischer Franc", "Deutsche Mark", "Irisches Pfund"}));
    EXPECT_EQ(grid->text(3, 2) + grid->text(4, 3).trimmed(), "1,955830IEP");
    for (const auto& [row, record, name] :
         {std::tuple{3, 1L, "Deutsche Mark"}, std::tuple{2, 2L, "Belgischer Franc"},
          std::tuple{4, 3L, "Irisches Pfund"}}) {
        // When row r is double-clicked, then the editor shows the record behind list entry r - 2
        doubleClickRow(grid, row);
        ASSERT_NE(editor(), nullptr) << row;
        EXPECT_EQ(state.file.lAktuellerSatz, record);
        EXPECT_EQ(child(editor(), "txtbezeichnung")->text(), QString::fromUtf8(name));
        EXPECT_EQ(list->currentRow(), row - 2);
        leaveEditor();
    }
    EXPECT_EQ(editorsShown(), 3);
    // Enter opens the current row as a double-click does; the arrow keys only move.
    grid->setCurrentCell(1, 1);
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(editorsShown(), 3);
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(state.file.lAktuellerSatz, 1);
}

TEST_F(MemberWindow, TheEmptyRowOpensNothingAndLeavesNothingForAltAe) {
    start({kDeutscheMark, kBelgisch, kIrisch});
    frmUmtauschkurse& w = memberWindow();
    auto* list = child<LineList>(&w, "lstewwu");
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    doubleClickRow(child<FlexGrid>(&w, "grdTable"), 1);
    EXPECT_EQ(editor(), nullptr);
    EXPECT_EQ(list->currentRow(), -1);
    EXPECT_TRUE(list->selectedItems().isEmpty());
    // An access key presses its button a moment later, as a click would.
    QTest::keyClick(&w, Qt::Key_Adiaeresis, Qt::AltModifier);
    QTest::qWait(300);
    EXPECT_EQ(editorsShown(), 0);
    // The same key with an entry selected does open it, so the key itself works.
    list->setCurrentRow(2);
    QTest::keyClick(&w, Qt::Key_Adiaeresis, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([this] { return editor() != nullptr; }, 2000));
    EXPECT_EQ(state.file.lAktuellerSatz, 3);
}

TEST_F(MemberWindow, WithoutMembersThereIsOnlyTheEmptyRowAndNothingOpens) {
    start({kDollar, {"Yen", "JPY", "120000000", "0"}});
    frmUmtauschkurse& w = memberWindow();
    auto* grid = child<FlexGrid>(&w, "grdTable");
    EXPECT_EQ(grid->rows(), 2);
    EXPECT_FALSE(child<QPushButton>(&w, "cmdDBverändern")->isEnabled());
    doubleClickRow(grid, 1);
    QTest::keyClick(child<LineList>(&w, "lstewwu"), Qt::Key_Return);
    child<QComboBox>(&w, "txtauswahl1")->setCurrentIndex(0);
    EXPECT_EQ(editorsShown(), 0);
}

TEST_F(MemberWindow, TheSelectorOpensEntryOneForTheFirstChoiceAndOnlyOnce) {
    start({kDeutscheMark, kBelgisch, kIrisch});
    auto* selector = child<QComboBox>(&memberWindow(), "txtauswahl1");
    for (const auto& [chosen, record] :
         {std::pair{2, 3L}, std::pair{0, 1L}, std::pair{1, 0L} /* no change */}) {
        const int before = editorsShown();
        selector->setCurrentIndex(chosen);
        EXPECT_EQ(editorsShown() - before, record == 0 ? 0 : 1) << chosen;
        if (editor() == nullptr) continue;
        EXPECT_EQ(state.file.lAktuellerSatz, record);
        EXPECT_EQ(selector->currentIndex(), chosen == 2 ? 2 : 1);
        leaveEditor();
    }
    // With one member only, and with a surplus entry that a longer earlier list left, nothing opens.
    start({kDeutscheMark, kDollar});
    child<QComboBox>(&memberWindow(), "txtauswahl1")->setCurrentIndex(0);
    start({kDeutscheMark, kBelgisch, kIrisch});
    frmUmtauschkurse& w = memberWindow();
    writeTable({kDeutscheMark, kBelgisch});
    press(&w, "cmdAbbrechenUmt");
    ASSERT_EQ(child<QComboBox>(&w, "txtauswahl1")->count(), 3);
    child<QComboBox>(&w, "txtauswahl1")->setCurrentIndex(2);
    EXPECT_EQ(editorsShown(), 0);
}

TEST_F(MemberWindow, EveryWayOfClosingRunsTheClosingSteps) {
    for (const char* way : {"Schließen", "Esc", "title bar"}) {
        SCOPED_TRACE(way);
        start({kDeutscheMark, kEuro});
        frmUmtauschkurse& w = memberWindow();
        // Given a pending deleted-currency flag and a changed table on disk
        state.selection.iGeloeschteWaehrung = 2;
        writeTable({kDeutscheMark, {"Euro", "EUX", "1000000"}});
        if (way[0] == 'S') press(&w, "cmdAbbrechenUmt");
        if (way[0] == 'E') QTest::keyClick(&w, Qt::Key_Escape);
        if (way[0] == 't') w.close();
        EXPECT_FALSE(w.isVisible());
        EXPECT_EQ(state.selection.iGeloeschteWaehrung, 0);
        EXPECT_EQ(state.selection.sStartauswahl, "0");
        EXPECT_EQ(find<QLineEdit>("Text2")->text(),
                  "EUX");  // the lists were loaded again and the rates taken
    }
}

TEST_F(MemberWindow, ClosingWithNoOutputCurrencyKeepsItsRateAndStillUpdatesTheInput) {
    // Given DEM as input and EUR as output, and the output currency deleted in the editor
    start({kDeutscheMark, kEuro, kFranc});
    frmUmtauschkurse& w = memberWindow();
    doubleClickRow(child<FlexGrid>(&w, "grdTable"), 3);  // Euro, record 2
    windows.answers = {MessageResult::Yes};
    press(editor(), "cmdlöschen");
    settle();
    ASSERT_EQ(mainBox("txtAusgabe")->currentIndex(), -1);
    ASSERT_EQ(state.selection.iGeloeschteWaehrung, 2);
    // When the member window is closed
    press(&w, "cmdAbbrechenUmt");
    // Then the output has no position any more, the input is taken again and the flag is gone
    const SelectionState& s = state.selection;
    EXPECT_EQ(s.sAusgabeIndex + s.sEingabeIndex, "-10");
    EXPECT_EQ(mainBox("txtAusgabe")->currentIndex(), -1);
    EXPECT_EQ(find<QLineEdit>("txtisoein")->text(), "DEM");
    EXPECT_EQ(s.dEingabeKurs, 1955830.0);
    EXPECT_EQ(s.iGeloeschteWaehrung, 0);
    // When it is opened and closed once more, no list pass touches the output side: its rate stays
    // and its fixed-point rate is worked out again from it.
    const std::optional<double> rate = s.dAusgabeKurs;
    ASSERT_TRUE(rate);
    state.selection.cyAusgabeKurs = Money::fromWhole(7);
    press(&memberWindow(), "cmdAbbrechenUmt");
    EXPECT_EQ(s.sAusgabeIndex, "-1");
    EXPECT_EQ(s.dAusgabeKurs, rate);
    EXPECT_EQ(s.cyAusgabeKurs, scaledRateToMoney(*rate, state.regional));
}

TEST_F(MemberWindow, ClosingTakesNoOtherCurrencysRateForOneWhoseRateBecameUnusable) {
    for (const bool inputSide : {true, false}) {
        for (const char* kurs : {"0", "abc"}) {
            SCOPED_TRACE(std::string(inputSide ? "input " : "output ") + kurs);
            // Given 100 DEM -> FRF
            start({kDeutscheMark, kEuro, kFranc});
            choose(mainBox("txtAusgabe"), QString::fromUtf8("Französischer Franc"));
            typeAmount("100");
            press(main.get(), "cmdBerechnen");
            ASSERT_EQ(result(), "335,38");
            // When the chosen currency's rate becomes unusable while the member window is open
            frmUmtauschkurse& w = memberWindow();
            Currency changed = inputSide ? kDeutscheMark : kFranc;
            changed.kurs = kurs;
            writeTable(inputSide ? std::vector{changed, kEuro, kFranc}
                                 : std::vector{kDeutscheMark, kEuro, changed});
            press(&w, "cmdAbbrechenUmt");
            // Then that side converts to 0, with neither its old rate nor a stand-in of 1
            press(main.get(), "cmdBerechnen");
            EXPECT_EQ(result(), "0,00");
            EXPECT_FALSE(inputSide ? state.selection.cyEingabeKurs : state.selection.cyAusgabeKurs);
        }
    }
}

TEST_F(MemberWindow, ACurrencyTurnedIntoAnOtherOneMovesToTheOtherWindowAndBack) {
    start({kDeutscheMark, kBelgisch, kDollar});
    frmUmtauschkurse& w = memberWindow();
    doubleClickRow(child<FlexGrid>(&w, "grdTable"), 3);  // Deutsche Mark
    ASSERT_TRUE(child<QCheckBox>(editor(), "chkewwu")->isChecked());
    child<QCheckBox>(editor(), "chkewwu")->setChecked(false);
    press(editor(), "cmdEingabeBeenden_0");
    EXPECT_EQ(names(child<LineList>(&w, "lstewwu")), QStringList({"Belgischer Franc"}));
    EXPECT_EQ(names(child<FlexGrid>(&w, "grdTable")), QStringList({"", "Belgischer Franc"}));
    EXPECT_EQ(names(find<LineList>("lstweitere")), QStringList({"Deutsche Mark", "US-Dollar"}));
    EXPECT_EQ(names(find<FlexGrid>("grdTable2")), QStringList({"", "Deutsche Mark", "US-Dollar"}));
    EXPECT_EQ(names(find<LineList>("lstversteckt")).size(), 3);
    frmWeitereW& o = otherWindow();
    doubleClickRow(child<FlexGrid>(&o, "grdTable2"), 2);
    ASSERT_EQ(state.file.lAktuellerSatz, 1);
    child<QCheckBox>(editor(), "chkewwu")->setChecked(true);
    press(editor(), "cmdEingabeBeenden_0");
    EXPECT_EQ(names(child<LineList>(&w, "lstewwu")), QStringList({"Belgischer Franc", "Deutsche Mark"}));
    EXPECT_EQ(names(child<LineList>(&o, "lstweitere")), QStringList({"US-Dollar"}));
}

TEST_F(OtherWindow, GenericOrderKeepsGridRowsAndListEntriesTogether) {
    // Names that are numbers sort by value in this window: 2 before 10, both before letters.
    start({{"Yen", "JPY", "120000000", "0"},
           {"10", "TEN", "10000000", "0"},
           {"2", "TWO", "2000000", "0"},
           kDeutscheMark});
    frmWeitereW& o = otherWindow();
    auto* grid = child<FlexGrid>(&o, "grdTable2");
    EXPECT_EQ(names(grid), QStringList({"", "2", "10", "Yen"}));
    EXPECT_EQ(names(child<LineList>(&o, "lstweitere")), QStringList({"2", "10", "Yen"}));
    for (const auto& [row, record] : {std::pair{3, 2L}, std::pair{2, 3L}, std::pair{4, 1L}}) {
        doubleClickRow(grid, row);
        ASSERT_NE(editor(), nullptr);
        EXPECT_EQ(state.file.lAktuellerSatz, record) << row;
        leaveEditor();
    }
    doubleClickRow(grid, 1);
    child<QComboBox>(&o, "txtauswahl2")->setCurrentIndex(0);  // becomes entry 1: "10", record 2
    EXPECT_EQ(editorsShown(), 4);
    EXPECT_EQ(state.file.lAktuellerSatz, 2);
}

TEST_F(OtherWindow, EscLeavesItOpenZurueckOrTheTitleBarHideItAndTheButtonsWork) {
    start({kDeutscheMark, kDollar});
    frmWeitereW& o = otherWindow();
    QTest::keyClick(&o, Qt::Key_Escape);
    EXPECT_TRUE(o.isVisible());
    press(&o, "Command1");
    EXPECT_FALSE(o.isVisible());
    EXPECT_TRUE(memberWindow().isVisible());
    EXPECT_EQ(&otherWindow(), &o);
    o.close();
    EXPECT_FALSE(o.isVisible());
    press(&o, "cmdhelp");
    press(&memberWindow(), "Command1");
    EXPECT_EQ(windows.f1Posted, 2);
    press(&o, "cmdneu2");
    ASSERT_NE(editor(), nullptr);
    EXPECT_EQ(editor()->windowTitle(), "Neuer Eintrag");
}

TEST_F(MemberWindow, TheDateSitsAtTheHeightOfTheOtherCellsInBothGrids) {
    start({kDeutscheMark, kDollar});
    memberWindow();
    for (const FlexGrid* grid : {find<FlexGrid>("grdTable"), find<FlexGrid>("grdTable2")}) {
        const QTableWidgetItem* name = grid->item(1, 1);  // grid row 2, the currency
        const QTableWidgetItem* date = grid->item(1, 4);
        ASSERT_TRUE(name && date && !date->text().isEmpty()) << grid->objectName().toStdString();
        EXPECT_EQ(date->textAlignment() & Qt::AlignVertical_Mask,
                  name->textAlignment() & Qt::AlignVertical_Mask);
    }
}

}  // namespace
}  // namespace kursomatik::testing
