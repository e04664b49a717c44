#include "frmUmtauschkurse.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "Collation.h"
#include "LineList.h"
#include "WindowSystem.h"
#include "frmWeitereW.h"

namespace kursomatik {
namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QString& tooltip = {}) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromUtf8(name));
    b->setAutoDefault(false);
    if (!tooltip.isEmpty()) {
        b->setToolTip(tooltip);
        b->setAccessibleDescription(tooltip);
    }
    return b;
}

QFrame* horizontalLine(QWidget* parent, int top) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    placeTwips(line, 0, top - 15, 6375, 30);
    return line;
}

}  // namespace

frmUmtauschkurse::frmUmtauschkurse(MaintenanceContext& context, frmWeitereW* weitere, QWidget* parent)
    : CurrencyListWindow(context, parent), weitere_(weitere) {
    setObjectName(QStringLiteral("frmUmtauschkurse"));
    setWindowTitle(QStringLiteral("Wechselkurse"));
    setFixedSize(twipsToPixels(6375), twipsToPixels(5040));

    const QString heading = QStringLiteral("Teilnehmerländer der  EWWU");
    Label1 = new QLabel(heading, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(arialBold(12));
    placeTwips(Label1, 120, 120, 4095, 375);
    Command1 = button(this, "Command1", QStringLiteral("&?"));
    Command1->setAccessibleName(QStringLiteral("Hilfe"));
    QFont bold = Command1->font();
    bold.setBold(true);
    Command1->setFont(bold);
    placeTwips(Command1, 5880, 120, 375, 375);
    horizontalLine(this, 960)->setObjectName(QStringLiteral("Line2"));
    Label4 = new QLabel(QStringLiteral(" Ein Euro sind..."), this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setFont(arialBold(9.75));
    placeTwips(Label4, 120, 600, 1575, 255);

    createGrid("grdTable", QStringLiteral("Teilnehmerländer der EWWU"));
    grdTable = grid_;
    horizontalLine(this, 4440)->setObjectName(QStringLiteral("Line1"));
    cmdneu = button(this, "cmdneu", QStringLiteral("&Neuer Eintrag..."),
                    QStringLiteral("Eine neue Währung hinzufügen."));
    placeTwips(cmdneu, 120, 4560, 1695, 375);
    cmdSpringeFormwW = button(this, "cmdSpringeFormwW", QStringLiteral("&Weitere Währungen"),
                              QStringLiteral("Anzeige der Nichtmitglieder der EWWU."));
    placeTwips(cmdSpringeFormwW, 1920, 4560, 1695, 375);
    cmdAbbrechenUmt = button(this, "cmdAbbrechenUmt", QStringLiteral("&Schließen"),
                             QStringLiteral("Zurück zur Währungsumrechnung"));
    cmdAbbrechenUmt->setFont(bold);
    placeTwips(cmdAbbrechenUmt, 5040, 4560, 1215, 375);

    // Outside the visible client area, as designed: reachable by Alt+Ä and by the Tab key only.
    cmdDBveraendern = button(this, "cmdDBverändern", QStringLiteral("Einstellungen &ändern..."),
                             QStringLiteral("Einstellungen der markierten Währung ändern."));
    placeTwips(cmdDBveraendern, 120, 5640, 1815, 375);
    createList("lstewwu",
               QStringLiteral("Liste mit den Währungseinstellungen der EWWU-Länder. Durch Doppelklick auf "
                              "eine Währung können Einstellungen verändert werden."));
    lstewwu = list_;
    lstewwu->setAccessibleName(QStringLiteral("Liste der EWWU-Währungen"));
    placeTwips(lstewwu, 6720, 1080, 6375, 3210);
    Label2 = new QLabel(QStringLiteral(" Einstellungen ändern..."), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    placeTwips(Label2, 6720, 360, 2265, 255);
    createSelector("txtauswahl1");
    txtauswahl1 = selector_;
    Label2->setBuddy(txtauswahl1);
    placeTwips(txtauswahl1, 6720, 600, 2265, 315);

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

void frmUmtauschkurse::FormLoad() {
    writeGridHeader();
}

void frmUmtauschkurse::ewwuSortieren() {
    grdTable->sortRows([](const FlexGrid::Row& a, const FlexGrid::Row& b) {
        if (const int byName = collate(a.cells[1].toStdString(), b.cells[1].toStdString()); byName != 0) {
            return byName < 0;
        }
        return collate(a.key.toStdString(), b.key.toStdString()) < 0;
    });
}

void frmUmtauschkurse::Form_Load() {
    txtauswahl1->setCurrentIndex(lstewwu->currentRow());
    grdTable->setCurrentGridRow(2);
}

void frmUmtauschkurse::grdTable_DblClick(int row) {
    openRow(row);
}
void frmUmtauschkurse::cmdDBveraendern_Click() {
    openSelectedEntry();
}
void frmUmtauschkurse::lstewwu_DblClick() {
    openSelectedEntry();
}
void frmUmtauschkurse::txtauswahl1_Click() {
    selectorChosen();
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
