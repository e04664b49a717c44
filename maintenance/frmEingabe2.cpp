// SPDX-License-Identifier: GPL-3.0-or-later
#include "maintenance/frmEingabe2.h"

#include <algorithm>

#include <QCheckBox>
#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>

#include "conversion/NumberFormat.h"
#include "platform/qt/Controls.h"
#include "platform/qt/TwipsLayout.h"
#include "platform/qt/WindowSystem.h"
#include "store/Compaction.h"
#include "store/CurrencyRecord.h"
#include "store/EditorRules.h"

namespace kursomatik {
namespace {

const char* const kSaving = "Der Datensatz wird gesichert.";
const char* const kDeleteQuestion = "Diesen Datensatz löschen ?";

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

frmEingabe2::frmEingabe2(MaintenanceContext& context, QWidget* parent) : QDialog(parent), context_(context) {
    build();
}

void frmEingabe2::build() {
    setObjectName(QStringLiteral("frmEingabe2"));
    setWindowTitle(QStringLiteral("Einstellungen"));
    setProperty("helpTopic", 3);
    setFont(designFont());
    TwipsLayout layout(this, 4815, 2460);
    Controls make(this, &layout);

    txtbezeichnung =
        make.textBox({"txtbezeichnung", "Währungsbezeichnung"}, 30, {2280, 90, 2415, 285}, "Text1");
    txttkurs =
        make.textBox({"txttkurs", "Umrechnungskurs: 1 Euro sind..."}, 20, {2280, 450, 1455, 285}, "Text3");
    txtiso = make.textBox({"txtiso", "ISO-Norm Bezeichnung"}, 3, {2280, 810, 495, 285}, "Text2");
    chkewwu = make.add(new QCheckBox(this),
                       {"chkewwu", "Teilnehmer der europäischen Wirtschafts- und Währungsgemeinschaft."},
                       {2280, 1140, 255, 345});
    // Shown for information only: saving always stores today's date.
    txtdatum = make.textBox({"txtdatum", "Datum der letzten Änderung des Umrechnungskurses"}, 10,
                            {2280, 1520, 735, 285}, "00.00.0000");
    txtdatum->setReadOnly(true);
    make.label("Label1", "Bezeichnung:", {120, 120, 1695, 255}, txtbezeichnung);
    make.label("Label2", "Umrechungskurs:", {120, 480, 1575, 255}, txttkurs);
    make.label("Label3", "ISO-Bez.:", {120, 840, 735, 255}, txtiso);
    make.label("Label4", "Teilnehmerland der EWWU:", {120, 1200, 2055, 285}, chkewwu);
    make.label("Label5", "Umrechnungskurs vom...:", {120, 1560, 2055, 255}, txtdatum);
    make.line("Line2", {0, 1905, 6480, 30});

    const char* leaving = "Verlassen der Bearbeitung.";
    cmdEingabeBeenden[0] =
        make.button({"cmdEingabeBeenden_0", leaving}, "&Speichern", {120, 2040, 1095, 375});
    cmdloeschen = make.button({"cmdlöschen", "Löschen des ausgewählten Datensatzes."}, "&Löschen",
                              {1320, 2040, 1095, 375});
    cmdEingabeBeenden[1] =
        make.button({"cmdEingabeBeenden_1", leaving}, "&Abbrechen", {3600, 2040, 1095, 375});
    // Lies on top of "Abbrechen" of an existing record; preparing hides one of the two.
    neuloeschen = make.button({"neulöschen"}, "&Abbrechen", {3600, 2040, 1095, 375});
    layout.apply();
    // A whole date must show in any font; the box has room to its right.
    const int dateWidth = txtdatum->fontMetrics().horizontalAdvance(QStringLiteral("00.00.0000")) + 12;
    txtdatum->resize(std::max(txtdatum->width(), dateWidth), txtdatum->height());

    chainTabs({txtbezeichnung, txttkurs, txtiso, chkewwu, txtdatum, cmdloeschen, cmdEingabeBeenden[0],
               cmdEingabeBeenden[1], neuloeschen});
    connect(cmdEingabeBeenden[0], &QPushButton::clicked, this, [this] { cmdEingabeBeenden_Click(0); });
    connect(cmdEingabeBeenden[1], &QPushButton::clicked, this, [this] { cmdEingabeBeenden_Click(1); });
    connect(cmdloeschen, &QPushButton::clicked, this, [this] { cmdloeschen_Click(); });
    connect(neuloeschen, &QPushButton::clicked, this, [this] { neuloeschen_Click(); });
}

void frmEingabe2::report(const std::string& message) {
    context_.windows.message(this, qt(message));
}

void frmEingabe2::Form_prepare(int iThisRecordNo) {
    RecordFileState& file = context_.file;
    // The handle and record count are those of the last list pass.
    Status ready = file.iDateiNr.open(context_.currencyFile);
    newRecord_ = iThisRecordNo == 0;
    if (newRecord_) {
        setWindowTitle(QStringLiteral("Neuer Eintrag"));
        cmdEingabeBeenden[1]->setEnabled(false);
        cmdEingabeBeenden[1]->hide();
        cmdloeschen->setEnabled(false);
        cmdloeschen->hide();
        if (ready) ready = Dateneingeben();
    } else {
        setWindowTitle(QStringLiteral("Einstellungen ändern..."));
        file.lAktuellerSatz = iThisRecordNo;
        if (ready) ready = ShowCurrentRecord();
        cmdEingabeBeenden[1]->setEnabled(true);
        neuloeschen->setEnabled(false);
        neuloeschen->hide();
    }
    // Without the record on screen, saving would write the design texts over some record.
    fileReady_ = static_cast<bool>(ready);
    cmdEingabeBeenden[0]->setEnabled(fileReady_);
    if (!newRecord_) cmdloeschen->setEnabled(fileReady_);
    if (!ready) report(ready.error());
}

Status frmEingabe2::Dateneingeben() {
    chkewwu->setChecked(false);
    if (Status appended = appendPlaceholder(context_.file, context_.regional); !appended) return appended;
    return ShowCurrentRecord();
}

Status frmEingabe2::ShowCurrentRecord() {
    RecordFileState& file = context_.file;
    if (Status there = recordInRange(file.lAktuellerSatz, file.lSatzAnzahl, context_.currencyFile); !there)
        return there;
    if (Status read = readCurrentRecord(file); !read) return read;
    const CurrencyRecord& record = file.buffer;
    txtbezeichnung->setText(qt(fieldValue(record.Bezeichnung)));
    // A rate that cannot be decoded shows empty; saving then asks for a valid one.
    const auto rate = decodeRate(record.Kurs, context_.regional);
    txttkurs->setText(rate ? qt(formatPlainDouble(*rate, context_.regional)) : QString());
    txtiso->setText(qt(fieldValue(record.ISO)));
    txtdatum->setText(qt(fieldValue(record.Datum)));
    const std::string ewwu = fieldValue(record.EWWU);
    if (ewwu == "1") chkewwu->setChecked(true);
    if (ewwu == "0") chkewwu->setChecked(false);
    return Status::ok();
}

void frmEingabe2::SaveCurrentRecord() {
    const EditorFields typed{txtbezeichnung->text().toStdString(), txttkurs->text().toStdString(),
                             txtiso->text().toStdString(), chkewwu->isChecked()};
    const CheckedRecord checked = checkRecord(typed, context_.regional);
    // Each message comes after its placeholder is in the box, so the user sees what will be stored.
    for (const Replacement& r : checked.replacements) {
        QLineEdit* box = r.box == &EditorFields::kurs  ? txttkurs
                         : r.box == &EditorFields::iso ? txtiso
                                                       : txtbezeichnung;
        box->setText(qt(r.placeholder));
        if (r.message != nullptr) report(r.message);
    }
    context_.file.buffer = checked.record;
    if (Status written = writeCurrentRecord(context_.file); !written) report(written.error());
}

void frmEingabe2::cmdEingabeBeenden_Click(int Index) {
    if (left_) return;
    context_.main.keepSelections();
    if (Index == 0 && fileReady_) {
        report(kSaving);
        SaveCurrentRecord();
    }
    context_.file.iDateiNr.close();
    left_ = true;
    context_.main.RefreshtheLists();
    hide();
    deleteLater();
}

void frmEingabe2::cmdloeschen_Click() {
    context_.main.keepSelections();
    const MessageResult answer = context_.windows.message(this, QString::fromUtf8(kDeleteQuestion),
                                                          MessageButtons::YesNo, MessageIcon::None);
    if (answer != MessageResult::Yes) {
        txtbezeichnung->setFocus();
        return;
    }
    dropCurrentRecord(true);
    cmdEingabeBeenden_Click(1);
}

void frmEingabe2::neuloeschen_Click() {
    context_.main.keepSelections();
    dropCurrentRecord(false);
    cmdEingabeBeenden_Click(1);
}

void frmEingabe2::dropCurrentRecord(bool markSelection) {
    // Without a placeholder appended or a record read, lAktuellerSatz belongs to an earlier use.
    if (!fileReady_) return;
    const long dropped = context_.file.lAktuellerSatz;
    const CompactionOutcome outcome =
        markSelection
            ? kursomatik::dropCurrentRecord(context_.file, context_.currencyFile, *context_.fileOperations)
            : dropPlaceholder(context_.file, context_.currencyFile, *context_.fileOperations);
    if (outcome.replaced && markSelection) context_.main.recordDeleted(dropped);
    if (!outcome.status) report(outcome.status.error());
}

void openRecordEditor(MaintenanceContext& context, int recordNumber, QWidget* owner) {
    auto* editor = new frmEingabe2(context, owner);
    editor->Form_prepare(recordNumber);
    context.windows.showModal(editor);
}

void frmEingabe2::reject() {
    if (left_) return;
    if (newRecord_) {
        neuloeschen_Click();
    } else {
        cmdEingabeBeenden_Click(1);
    }
}

void frmEingabe2::closeEvent(QCloseEvent* event) {
    // The title bar's close leaves like "Abbrechen" of an existing record.
    if (!left_) cmdEingabeBeenden_Click(1);
    event->accept();
}

}  // namespace kursomatik
