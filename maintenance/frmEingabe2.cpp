#include "frmEingabe2.h"

#include <QCloseEvent>

#include "WindowSystem.h"

namespace kursomatik {

frmEingabe2::frmEingabe2(MaintenanceContext& context, QWidget* parent) : QDialog(parent), context_(context) {
    setObjectName(QStringLiteral("frmEingabe2"));
    setWindowTitle(QStringLiteral("Einstellungen"));
    setProperty("helpTopic", 3);
}

void frmEingabe2::Form_prepare(int iThisRecordNo) {
    if (Status opened = context_.file.iDateiNr.open(context_.currencyFile); !opened) {
        context_.windows.message(this, QString::fromStdString(opened.error()));
    }
    if (iThisRecordNo == 0) {
        setWindowTitle(QStringLiteral("Neuer Eintrag"));
    } else {
        setWindowTitle(QStringLiteral("Einstellungen ändern..."));
        context_.file.lAktuellerSatz = iThisRecordNo;
    }
}

void frmEingabe2::cmdEingabeBeenden_Click(int Index) {
    (void)Index;
    context_.selection.sStartauswahl = "0";
    context_.file.iDateiNr.close();
    context_.RefreshtheLists();
    left_ = true;
    hide();
    deleteLater();
}

void frmEingabe2::closeEvent(QCloseEvent* event) {
    if (!left_) cmdEingabeBeenden_Click(1);
    event->accept();
}

}  // namespace kursomatik
