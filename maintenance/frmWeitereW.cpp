#include "frmWeitereW.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "Collation.h"
#include "CurrencyLists.h"
#include "LineList.h"
#include "WindowSystem.h"

namespace kursomatik {

frmWeitereW::frmWeitereW(MaintenanceContext& context, QWidget* parent) : CurrencyListWindow(context, parent) {
    setObjectName(QStringLiteral("frmWeitereW"));
    setWindowTitle(QStringLiteral("Wechselkurse"));
    setFixedSize(twipsToPixels(6375), twipsToPixels(5025));

    Label3 = new QLabel(QStringLiteral("Weitere Währungen"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setFont(arialBold(12));
    placeTwips(Label3, 120, 120, 2535, 375);
    cmdhelp = new QPushButton(QStringLiteral("&?"), this);
    cmdhelp->setObjectName(QStringLiteral("cmdhelp"));
    cmdhelp->setAccessibleName(QStringLiteral("Hilfe"));
    cmdhelp->setAutoDefault(false);
    QFont bold = cmdhelp->font();
    bold.setBold(true);
    cmdhelp->setFont(bold);
    placeTwips(cmdhelp, 5880, 120, 375, 375);
    for (const auto& [name, top] : {std::pair{"Line1", 960}, std::pair{"Line2", 4440}}) {
        auto* line = new QFrame(this);
        line->setObjectName(QString::fromUtf8(name));
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Sunken);
        placeTwips(line, 0, top - 15, 6375, 30);
    }
    Label1 = new QLabel(QStringLiteral(" Ein Euro sind..."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(arialBold(9.75));
    placeTwips(Label1, 120, 600, 3255, 255);

    createGrid("grdTable2", QStringLiteral("Weitere Währungen"));
    grdTable2 = grid_;
    cmdneu2 = new QPushButton(QStringLiteral("&Neuer Eintrag..."), this);
    cmdneu2->setObjectName(QStringLiteral("cmdneu2"));
    cmdneu2->setAutoDefault(false);
    placeTwips(cmdneu2, 120, 4560, 1695, 375);
    Command1 = new QPushButton(QStringLiteral("&Zurück"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setAutoDefault(false);
    Command1->setToolTip(QStringLiteral("Zurück zu den Wechselkursen der EWWU"));
    Command1->setAccessibleDescription(Command1->toolTip());
    placeTwips(Command1, 4920, 4560, 1335, 375);

    // Outside the visible client area, as designed: the selector is reachable by the Tab key only.
    createList("lstweitere",
               QStringLiteral("Liste der übrigen Währungen.  Durch Doppelklick auf eine Währung können "
                              "Einstellungen verändert werden."));
    lstweitere = list_;
    lstweitere->setAccessibleName(QStringLiteral("Liste der weiteren Währungen"));
    placeTwips(lstweitere, 6960, 1080, 6495, 5520);
    Label2 = new QLabel(QStringLiteral(" Einstellungen ändern..."), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    placeTwips(Label2, 6960, 360, 2265, 255);
    createSelector("txtauswahl2");
    txtauswahl2 = selector_;
    Label2->setBuddy(txtauswahl2);
    placeTwips(txtauswahl2, 6960, 600, 2265, 315);

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
    grdTable2->sortRows([&regional](const FlexGrid::Row& a, const FlexGrid::Row& b) {
        const int byName = compareNamesGeneric(a.cells[1].toStdString(), b.cells[1].toStdString(), regional);
        if (byName != 0) return byName < 0;
        return collate(a.key.toStdString(), b.key.toStdString()) < 0;
    });
}

void frmWeitereW::grdTable2_DblClick(int row) {
    openRow(row);
}
void frmWeitereW::lstweitere_DblClick() {
    openSelectedEntry();
}
void frmWeitereW::txtauswahl2_Click() {
    selectorChosen();
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
