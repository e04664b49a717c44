// SPDX-License-Identifier: GPL-3.0-or-later
#include "maintenance/frmWeitereW.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>

#include "maintenance/ImportSteps.h"
#include "maintenance/NetworkUpdate.h"
#include "platform/qt/LineList.h"
#include "platform/qt/WindowSystem.h"
#include "rates/RateImport.h"

namespace kursomatik {

frmWeitereW::frmWeitereW(MaintenanceContext& context, QWidget* parent)
    : CurrencyListWindow(context, 5505, parent) {
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
    QPushButton* cmdImport =
        make_.button({"cmdImport", "Referenzkurse der Europäischen Zentralbank aus einer Datei übernehmen"},
                     QStringLiteral("Kurse &importieren..."), {1935, 4560, 2055, 375});
    // Alt+N is the new entry's; a second row, so that no caption is cut.
    QPushButton* cmdNetz =
        make_.button({"cmdNetz", "Die Referenzkurse des Tages aus dem Netz holen und übernehmen"},
                     QStringLiteral("Kurse aus dem Ne&tz"), {1935, 5040, 2055, 375});
    createListAndSelector(
        "lstweitere", QStringLiteral("Liste der weiteren Währungen"),
        QStringLiteral("Liste der übrigen Währungen.  Durch Doppelklick auf eine Währung können "
                       "Einstellungen verändert werden."),
        "txtauswahl2", 6960, 6495, 5520);
    finishLayout();

    chainTabs({grid_, cmdneu2, cmdImport, cmdNetz, Command1, cmdhelp, selector_, list_});
    connect(Command1, &QPushButton::clicked, this, &QWidget::hide);
    connect(cmdImport, &QPushButton::clicked, this, [this] { cmdImport_Click(); });
    if (NetworkUpdate* network = context_.network) {
        cmdNetz->setEnabled(!network->running());
        connect(network, &NetworkUpdate::runningChanged, cmdNetz,
                [cmdNetz](bool running) { cmdNetz->setEnabled(!running); });
        connect(cmdNetz, &QPushButton::clicked, this, [this, network] { network->start(this); });
    }
}

void frmWeitereW::cmdImport_Click() {
    WindowSystem& windows = context_.windows;
    const QString chosen =
        windows.chooseFile(this, QStringLiteral("Kurse importieren"),
                           QStringLiteral("EZB-Referenzkurse (*.xml *.csv *.zip);;Alle Dateien (*)"));
    if (chosen.isEmpty()) return;
    const std::filesystem::path file = QFile::encodeName(chosen).toStdString();
    HistoryDays history;
    const Result<RateImport> import =
        RateImport::prepare(file, context_.currencyFile, context_.regional, &history.days);
    if (import)
        finishImport(context_, this, *import, history);
    else
        windows.message(this, QString::fromStdString(import.error()), MessageButtons::Ok, MessageIcon::Stop);
}

void frmWeitereW::closeEvent(QCloseEvent* event) {
    hide();
    event->accept();
}

}  // namespace kursomatik
