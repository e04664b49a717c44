// SPDX-License-Identifier: GPL-3.0-or-later
#include "maintenance/frmUmtauschkurse.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "maintenance/frmWeitereW.h"
#include "platform/qt/LineList.h"
#include "platform/qt/WindowSystem.h"

namespace kursomatik {
frmUmtauschkurse::frmUmtauschkurse(MaintenanceContext& context, frmWeitereW* weitere, QWidget* parent)
    : CurrencyListWindow(context, 5040, parent), weitere_(weitere) {
    setObjectName(QStringLiteral("frmUmtauschkurse"));
    setWindowTitle(QStringLiteral("Wechselkurse"));

    make_.label("Label1", QStringLiteral("Teilnehmerländer der  EWWU"), {120, 120, 4095, 375})
        ->setFont(designFont(12, true));
    QPushButton* Command1 = addHelpButton("Command1");
    make_.line("Line2", {0, 945, 6375, 30});
    make_.label("Label4", QStringLiteral(" Ein Euro sind..."), {120, 600, 1575, 255})
        ->setFont(designFont(9.75, true));
    createGrid("grdTable", QStringLiteral("Teilnehmerländer der EWWU"));
    make_.line("Line1", {0, 4425, 6375, 30});
    QPushButton* cmdneu = addNewRecordButton("cmdneu", QStringLiteral("Eine neue Währung hinzufügen."));
    QPushButton* cmdSpringeFormwW =
        make_.button({"cmdSpringeFormwW", "Anzeige der Nichtmitglieder der EWWU."},
                     QStringLiteral("&Weitere Währungen"), {1920, 4560, 1695, 375});
    QPushButton* cmdAbbrechenUmt = make_.button({"cmdAbbrechenUmt", "Zurück zur Währungsumrechnung"},
                                                QStringLiteral("&Schließen"), {5040, 4560, 1215, 375});
    cmdAbbrechenUmt->setFont(designFont(8.25, true));
    // Below the visible client area, as designed: reachable by Alt+Ä and by the Tab key only.
    cmdDBveraendern = make_.button({"cmdDBverändern", "Einstellungen der markierten Währung ändern."},
                                   QStringLiteral("Einstellungen &ändern..."), {120, 5640, 1815, 375});
    createListAndSelector(
        "lstewwu", QStringLiteral("Liste der EWWU-Währungen"),
        QStringLiteral("Liste mit den Währungseinstellungen der EWWU-Länder. Durch Doppelklick "
                       "auf eine Währung können Einstellungen verändert werden."),
        "txtauswahl1", 6720, 6375, 3210);
    finishLayout();

    chainTabs(
        {grid_, cmdneu, cmdSpringeFormwW, cmdAbbrechenUmt, Command1, cmdDBveraendern, selector_, list_});
    connect(cmdSpringeFormwW, &QPushButton::clicked, this, [this] { context_.windows.showModal(weitere_); });
    connect(cmdAbbrechenUmt, &QPushButton::clicked, this, [this] { cmdAbbrechenUmt_Click(); });
    connect(cmdDBveraendern, &QPushButton::clicked, this, [this] { openSelectedEntry(); });
    // As it loads (Form_Load): the selector on the list's entry, the grid on its first currency.
    selector_->setCurrentIndex(list_->currentRow());
    grid_->setCurrentGridRow(2);
}

void frmUmtauschkurse::fillFromPass(const SortedEntries& entries) {
    CurrencyListWindow::fillFromPass(entries);
    cmdDBveraendern->setEnabled(list_->lineCount() > 0);
}

void frmUmtauschkurse::cmdAbbrechenUmt_Click() {
    hide();
    context_.main.memberWindowClosed();
}

void frmUmtauschkurse::reject() {
    cmdAbbrechenUmt_Click();
}

}  // namespace kursomatik
