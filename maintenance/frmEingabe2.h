// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <array>

#include "maintenance/MaintenanceContext.h"
#include "platform/Result.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace kursomatik {

// The record editor: one currency record created, changed or deleted. It keeps the currency file
// open while it is shown and works on the file directly; every way out closes the file, reloads
// every list of the program and destroys the window.
class frmEingabe2 : public QDialog {
    Q_OBJECT
  public:
    explicit frmEingabe2(MaintenanceContext& context, QWidget* parent = nullptr);

    // 0 prepares a new record (a placeholder is appended at once), any other number that record.
    void Form_prepare(int iThisRecordNo);

  public slots:
    // Esc presses the visible "Abbrechen".
    void reject() override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    Status Dateneingeben();
    Status ShowCurrentRecord();
    // Checks the entries, puts placeholders in place of unusable ones, and always writes.
    void SaveCurrentRecord();
    // 0 "Speichern": save, then leave; 1 "Abbrechen": leave without writing.
    void cmdEingabeBeenden_Click(int Index);
    void cmdloeschen_Click();  // "cmdlöschen"
    void neuloeschen_Click();  // "neulöschen"
    void build();
    void report(const std::string& message);
    // The deletion by rewrite; with markSelection it also tells the main window which record went.
    void dropCurrentRecord(bool markSelection);

    MaintenanceContext& context_;
    bool newRecord_ = false;
    // The record is read or the placeholder appended: only then may saving or deleting touch the file.
    bool fileReady_ = false;
    bool left_ = false;
    QLineEdit* txtbezeichnung;
    QLineEdit* txttkurs;
    QLineEdit* txtiso;
    QCheckBox* chkewwu;
    QLineEdit* txtdatum;
    std::array<QPushButton*, 2> cmdEingabeBeenden;  // objectNames "cmdEingabeBeenden_0", "_1"
    QPushButton* cmdloeschen;
    QPushButton* neuloeschen;
};

}  // namespace kursomatik
