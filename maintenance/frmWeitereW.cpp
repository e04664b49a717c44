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

    make_.label("Label3", QStringLiteral("Weitere Währungen"), {120, 120, 2535, 375})
        ->setFont(designFont(12, true));
    QPushButton* cmdhelp = addHelpButton("cmdhelp");
    make_.line("Line1", {0, 945, 6375, 30});
    make_.label("Label1", QStringLiteral(" Ein Euro sind..."), {120, 600, 3255, 255})
        ->setFont(designFont(9.75, true));
    createGrid("grdTable2", QStringLiteral("Weitere Währungen"));
    make_.line("Line2", {0, 4425, 6375, 30});
    QPushButton* cmdneu2 = addNewRecordButton("cmdneu2", {});
    QPushButton* Command1 = make_.button({"Command1", "Zurück zu den Wechselkursen der EWWU"},
                                         QStringLiteral("&Zurück"), {4920, 4560, 1335, 375});
    createListAndSelector(
        "lstweitere", QStringLiteral("Liste der weiteren Währungen"),
        QStringLiteral("Liste der übrigen Währungen.  Durch Doppelklick auf eine Währung können "
                       "Einstellungen verändert werden."),
        "txtauswahl2", 6960, 6495, 5520);
    finishLayout();

    chainTabs({grid_, cmdneu2, Command1, cmdhelp, selector_, list_});
    connect(Command1, &QPushButton::clicked, this, &QWidget::hide);
}

void frmWeitereW::sortGrid() {
    const RegionalSettings& regional = context_.regional;
    grid_->sortRows([&regional](const std::string& name) { return genericNameKey(name, regional); }, collate);
}

void frmWeitereW::closeEvent(QCloseEvent* event) {
    hide();
    event->accept();
}

}  // namespace kursomatik
