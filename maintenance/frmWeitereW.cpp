// SPDX-License-Identifier: GPL-3.0-or-later
#include "maintenance/frmWeitereW.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "platform/Collation.h"
#include "platform/qt/LineList.h"
#include "platform/qt/WindowSystem.h"
#include "store/CurrencyLists.h"

namespace kursomatik {

frmWeitereW::frmWeitereW(MaintenanceContext& context, QWidget* parent)
    : CurrencyListWindow(context, 5025, parent) {
    setObjectName(QStringLiteral("frmWeitereW"));
    setWindowTitle(QStringLiteral("Wechselkurse"));

    Label3 =
        addLabel("Label3", QStringLiteral("Weitere Währungen"), designFont(12, true), 120, 120, 2535, 375);
    cmdhelp = addHelpButton("cmdhelp");
    addLine("Line1", 960);
    Label1 =
        addLabel("Label1", QStringLiteral(" Ein Euro sind..."), designFont(9.75, true), 120, 600, 3255, 255);
    createGrid("grdTable2", QStringLiteral("Weitere Währungen"));
    grdTable2 = grid_;
    addLine("Line2", 4440);
    cmdneu2 = addButton("cmdneu2", QStringLiteral("&Neuer Eintrag..."), {}, 120, 4560, 1695, 375);
    Command1 = addButton("Command1", QStringLiteral("&Zurück"),
                         QStringLiteral("Zurück zu den Wechselkursen der EWWU"), 4920, 4560, 1335, 375);

    createListAndSelector(
        "lstweitere", QStringLiteral("Liste der weiteren Währungen"),
        QStringLiteral("Liste der übrigen Währungen.  Durch Doppelklick auf eine Währung können "
                       "Einstellungen verändert werden."),
        "txtauswahl2", 6960, 6495, 5520);
    lstweitere = list_;
    txtauswahl2 = selector_;
    finishLayout();

    setTabOrder(grdTable2, cmdneu2);
    setTabOrder(cmdneu2, Command1);
    setTabOrder(Command1, cmdhelp);
    setTabOrder(cmdhelp, txtauswahl2);
    setTabOrder(txtauswahl2, lstweitere);

    connect(cmdhelp, &QPushButton::clicked, this, [this] { cmdhelp_Click(); });
    connect(cmdneu2, &QPushButton::clicked, this, [this] { cmdneu2_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
}

void frmWeitereW::FormLoad2() {
    writeGridHeader();
}

void frmWeitereW::sortierestv2() {
    const RegionalSettings& regional = context_.regional;
    grdTable2->sortRows([&regional](const std::string& name) { return genericNameKey(name, regional); },
                        collate);
}

void frmWeitereW::cmdneu2_Click() {
    openNewRecord();
}
void frmWeitereW::cmdhelp_Click() {
    context_.windows.postF1();
}
void frmWeitereW::Command1_Click() {
    hide();
}

void frmWeitereW::closeEvent(QCloseEvent* event) {
    Command1_Click();
    event->accept();
}

}  // namespace kursomatik
