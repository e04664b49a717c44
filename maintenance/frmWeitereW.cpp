// SPDX-License-Identifier: GPL-3.0-or-later
#include "maintenance/frmWeitereW.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>

#include "platform/qt/LineList.h"
#include "platform/qt/WindowSystem.h"
#include "rates/RateImport.h"
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
    QPushButton* cmdImport =
        make_.button({"cmdImport", "Referenzkurse der Europäischen Zentralbank aus einer Datei übernehmen"},
                     QStringLiteral("Kurse &importieren..."), {1935, 4560, 2055, 375});
    createListAndSelector(
        "lstweitere", QStringLiteral("Liste der weiteren Währungen"),
        QStringLiteral("Liste der übrigen Währungen.  Durch Doppelklick auf eine Währung können "
                       "Einstellungen verändert werden."),
        "txtauswahl2", 6960, 6495, 5520);
    finishLayout();

    chainTabs({grid_, cmdneu2, cmdImport, Command1, cmdhelp, selector_, list_});
    connect(Command1, &QPushButton::clicked, this, &QWidget::hide);
    connect(cmdImport, &QPushButton::clicked, this, [this] { cmdImport_Click(); });
}

void frmWeitereW::cmdImport_Click() {
    WindowSystem& windows = context_.windows;
    const QString chosen =
        windows.chooseFile(this, QStringLiteral("Kurse importieren"),
                           QStringLiteral("EZB-Referenzkurse (*.xml *.csv *.zip);;Alle Dateien (*)"));
    if (chosen.isEmpty()) return;
    const auto fail = [&](const std::string& why) {
        windows.message(this, QString::fromStdString(why), MessageButtons::Ok, MessageIcon::Stop);
    };
    const std::filesystem::path file = QFile::encodeName(chosen).toStdString();
    const Result<RateImport> import = RateImport::prepare(file, context_.currencyFile, context_.regional);
    if (!import) return fail(import.error());
    // Rates newer than the file's stay unless the user wants them overwritten; Enter keeps them, and
    // "Abbrechen" leaves the table alone.
    bool overwrite = false;
    if (import->newerCount() > 0) {
        const MessageResult answer = windows.message(this, QString::fromStdString(import->newerQuestion()),
                                                     MessageButtons::YesNoCancel);
        if (answer == MessageResult::Cancel) return;
        overwrite = answer == MessageResult::Yes;
    }
    const Result<ImportSummary> done = import->apply(overwrite, *context_.fileOperations);
    if (!done) return fail(done.error());
    if (done->changedTable()) {
        // New currencies move the list positions the settings keep as start currencies: they follow
        // their currencies before the list pass fills the options dialog from them.
        const std::vector<long> before = listOrder(import->tableBefore());
        const std::vector<long> after = listOrder(import->tableAfter(overwrite));
        const Status followed = context_.main.followStartCurrencies(
            [&](long position) { return samePosition(before, after, position); });
        if (!followed) {
            windows.message(
                this, QString::fromStdString(followed.error() +
                                             "\nBeim nächsten Start sind daher andere Währungen gewählt."));
        }
        // The table is a new file now: every list is read again from it.
        context_.main.refreshKeepingCurrencies();
    }
    windows.message(this, QString::fromStdString(summaryText(*done)));
}

void frmWeitereW::closeEvent(QCloseEvent* event) {
    hide();
    event->accept();
}

}  // namespace kursomatik
