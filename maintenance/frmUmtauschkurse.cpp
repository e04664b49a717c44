// SPDX-License-Identifier: GPL-3.0-or-later
#include "maintenance/frmUmtauschkurse.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "maintenance/frmWeitereW.h"
#include "platform/Collation.h"
#include "platform/qt/LineList.h"
#include "platform/qt/WindowSystem.h"

namespace kursomatik {
frmUmtauschkurse::frmUmtauschkurse(MaintenanceContext& context, frmWeitereW* weitere, QWidget* parent)
    : CurrencyListWindow(context, 5040, parent), weitere_(weitere) {
    setObjectName(QStringLiteral("frmUmtauschkurse"));
    setWindowTitle(QStringLiteral("Wechselkurse"));

    Label1 = addLabel("Label1", QStringLiteral("Teilnehmerländer der  EWWU"), designFont(12, true), 120, 120,
                      4095, 375);
    Command1 = addHelpButton("Command1");
    addLine("Line2", 960);
    Label4 =
        addLabel("Label4", QStringLiteral(" Ein Euro sind..."), designFont(9.75, true), 120, 600, 1575, 255);
    createGrid("grdTable", QStringLiteral("Teilnehmerländer der EWWU"));
    grdTable = grid_;
    addLine("Line1", 4440);
    cmdneu = addButton("cmdneu", QStringLiteral("&Neuer Eintrag..."),
                       QStringLiteral("Eine neue Währung hinzufügen."), 120, 4560, 1695, 375);
    cmdSpringeFormwW =
        addButton("cmdSpringeFormwW", QStringLiteral("&Weitere Währungen"),
                  QStringLiteral("Anzeige der Nichtmitglieder der EWWU."), 1920, 4560, 1695, 375);
    cmdAbbrechenUmt = addButton("cmdAbbrechenUmt", QStringLiteral("&Schließen"),
                                QStringLiteral("Zurück zur Währungsumrechnung"), 5040, 4560, 1215, 375);
    cmdAbbrechenUmt->setFont(designFont(8.25, true));

    // Below the visible client area, as designed: reachable by Alt+Ä and by the Tab key only.
    cmdDBveraendern =
        addButton("cmdDBverändern", QStringLiteral("Einstellungen &ändern..."),
                  QStringLiteral("Einstellungen der markierten Währung ändern."), 120, 5640, 1815, 375);
    createListAndSelector(
        "lstewwu", QStringLiteral("Liste der EWWU-Währungen"),
        QStringLiteral("Liste mit den Währungseinstellungen der EWWU-Länder. Durch Doppelklick "
                       "auf eine Währung können Einstellungen verändert werden."),
        "txtauswahl1", 6720, 6375, 3210);
    lstewwu = list_;
    txtauswahl1 = selector_;
    finishLayout();

    setTabOrder(grdTable, cmdneu);
    setTabOrder(cmdneu, cmdSpringeFormwW);
    setTabOrder(cmdSpringeFormwW, cmdAbbrechenUmt);
    setTabOrder(cmdAbbrechenUmt, Command1);
    setTabOrder(Command1, cmdDBveraendern);
    setTabOrder(cmdDBveraendern, txtauswahl1);
    setTabOrder(txtauswahl1, lstewwu);

    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(cmdneu, &QPushButton::clicked, this, [this] { cmdneu_Click(); });
    connect(cmdSpringeFormwW, &QPushButton::clicked, this, [this] { cmdSpringeFormwW_Click(); });
    connect(cmdAbbrechenUmt, &QPushButton::clicked, this, [this] { cmdAbbrechenUmt_Click(); });
    connect(cmdDBveraendern, &QPushButton::clicked, this, [this] { cmdDBveraendern_Click(); });
    Form_Load();
}

void frmUmtauschkurse::fillFromPass(const std::vector<std::string>& lines, const std::vector<GridRow>& rows) {
    CurrencyListWindow::fillFromPass(lines, rows);
    cmdDBveraendern->setEnabled(lstewwu->lineCount() > 0);
}

void frmUmtauschkurse::FormLoad() {
    writeGridHeader();
}

void frmUmtauschkurse::ewwuSortieren() {
    grdTable->sortRows([](const std::string& name) { return collationKey(name); }, collate);
}

void frmUmtauschkurse::Form_Load() {
    txtauswahl1->setCurrentIndex(lstewwu->currentRow());
    grdTable->setCurrentGridRow(2);
}

void frmUmtauschkurse::cmdDBveraendern_Click() {
    openSelectedEntry();
}
void frmUmtauschkurse::cmdneu_Click() {
    openNewRecord();
}
void frmUmtauschkurse::cmdSpringeFormwW_Click() {
    context_.windows.showModal(weitere_);
}
void frmUmtauschkurse::Command1_Click() {
    context_.windows.postF1();
}

void frmUmtauschkurse::cmdAbbrechenUmt_Click() {
    hide();
    context_.selection.sStartauswahl = "0";
    context_.RefreshtheLists();
    context_.takeMainRates();
    context_.selection.iGeloeschteWaehrung = 0;
}

void frmUmtauschkurse::reject() {
    cmdAbbrechenUmt_Click();
}

}  // namespace kursomatik
