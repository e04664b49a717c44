// SPDX-License-Identifier: GPL-3.0-or-later
#include <QTest>

#include "conversion/Berechnen.h"
#include "tests/gui/ProgramTest.h"

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
using OtherWindow = MemberWindow;

// Grid row r and list entry r - 2 are the same currency, in name order: a double-click or Enter on a
// row opens its record, the arrow keys only move, and the empty row opens nothing.
TEST_F(MemberWindow, GridRowRIsListEntryRMinusTwoAndTheEmptyRowOpensNothing) {
    start({kDeutscheMark, {"Belgischer Franc", "BEF", "40339900"}, {"Irisches Pfund", "IEP", "787564"}});
    frmUmtauschkurse& w = memberWindow();
    auto* grid = child<FlexGrid>(&w, "grdTable");
    auto* list = child<LineList>(&w, "lstewwu");
    EXPECT_EQ(names(grid), QStringList({"", "Belgischer Franc", "Deutsche Mark", "Irisches Pfund"}));
    EXPECT_EQ(names(list), names(grid).mid(1));
    EXPECT_EQ(grid->text(3, 2) + grid->text(4, 3).trimmed(), "1,955830IEP");
    EXPECT_EQ(grid->columnWidth(0), 0);  // no blank column before the names
    for (const auto& [row, record] : {std::pair{3, 1L}, std::pair{2, 2L}, std::pair{4, 3L}}) {
        doubleClickRow(grid, row);
        EXPECT_EQ(list->selectedItems().size(), 1);
        EXPECT_EQ((std::pair{list->currentRow(), opened()}), std::pair(row - 2, record)) << row;
    }
    grid->setCurrentCell(1, 1);
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(opened(), 0);
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(opened(), 1);
    // The empty row clears the selection, so that "Einstellungen ändern" has nothing to open either.
    doubleClickRow(grid, 1);
    press(&w, "cmdDBverändern");
    EXPECT_TRUE(list->currentRow() == -1 && list->selectedItems().isEmpty() && opened() == 0);
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
    windows.answers = {MessageResult::Yes};
    press(editor(), "cmdlöschen");
    settle();
    ASSERT_EQ(state.selection.iGeloeschteWaehrung, 2);
    // When the window is closed, then the output has no position any more, the input is taken again
    // and the flag is gone
    QTest::keyClick(&w, Qt::Key_Escape);
    const SelectionState& s = state.selection;
    EXPECT_EQ((w.isVisible() ? "visible" : "") + s.sAusgabeIndex + s.sEingabeIndex +
                  find<QLineEdit>("txtisoein")->text().toStdString(),
              "-10DEM");
    EXPECT_EQ(find<QComboBox>("txtAusgabe")->currentIndex(), -1);
    EXPECT_TRUE(s.dEingabeKurs == 1955830.0 && s.iGeloeschteWaehrung == 0);
    // Opened and closed once more, no list pass touches the output side: its rate stays and its
    // fixed-point rate is worked out again from it.
    const std::optional<double> rate = s.dAusgabeKurs;
    ASSERT_TRUE(rate);
    state.selection.cyAusgabeKurs = Money::fromWhole(7);
    press(&memberWindow(), "cmdAbbrechenUmt");
    EXPECT_TRUE(s.dAusgabeKurs == rate && s.cyAusgabeKurs == scaledRateToMoney(*rate, state.regional));
}

TEST_F(MemberWindow, ClosingTakesNoOtherCurrencysRateForOneWhoseRateBecameUnusable) {
    // Given 100 DEM -> FRF, when the output's rate becomes unusable meanwhile
    start({kDeutscheMark, kEuro, kFranc});
    typeAmount("100");
    choose(find<QComboBox>("txtAusgabe"), QString::fromUtf8("Französischer Franc"));
    ASSERT_EQ(result(), "335,38");
    frmUmtauschkurse& w = memberWindow();
    writeTable({kDeutscheMark, kEuro, {"Französischer Franc", "FRF", "abc"}});
    press(&w, "cmdAbbrechenUmt");
    // Then that side converts to 0, with neither its old rate nor a stand-in of 1
    press(main.get(), "cmdBerechnen");
    EXPECT_TRUE(result() == "0,00" && !state.selection.cyAusgabeKurs) << result().toStdString();
}

// Numbers in names sort by their value, in the grid as in the list; Esc leaves the window open,
// "Zurück" hides it.
TEST_F(OtherWindow, SortsNumbersByValueKeepsRowsAndEntriesTogetherAndOnlyZurueckHidesIt) {
    start({{"Yen", "JPY", "120000000", "0"},
           {"10", "TEN", "10000000", "0"},
           {"2", "TWO", "2000000", "0"},
           kDeutscheMark});
    frmWeitereW& o = otherWindow();
    auto* grid = child<FlexGrid>(&o, "grdTable2");
    EXPECT_EQ(names(child<LineList>(&o, "lstweitere")), QStringList({"2", "10", "Yen"}));
    EXPECT_EQ(names(grid), QStringList({"", "2", "10", "Yen"}));
    for (const auto& [row, record] : {std::pair{3, 2L}, std::pair{2, 3L}, std::pair{4, 1L}}) {
        doubleClickRow(grid, row);
        EXPECT_EQ(opened(), record) << row;
    }
    child<QComboBox>(&o, "txtauswahl2")->setCurrentIndex(0);  // becomes entry 1: "10", record 2
    EXPECT_EQ(opened(), 2);
    QTest::keyClick(&o, Qt::Key_Escape);
    EXPECT_TRUE(o.isVisible());
    press(&o, "Command1");
    EXPECT_FALSE(o.isVisible());
    press(&o, "cmdneu2");
    EXPECT_EQ(editor()->windowTitle(), "Neuer Eintrag");
}

}  // namespace
}  // namespace kursomatik::testsupport
