// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "maintenance/CurrencyListWindow.h"

class QLabel;
class QPushButton;

namespace kursomatik {

// "Wechselkurse" of the currencies outside the monetary union, whose rates the user keeps.
// Reached from the member currencies window only; "Zurück" leads back there.
class frmWeitereW : public CurrencyListWindow {
    Q_OBJECT
  public:
    explicit frmWeitereW(MaintenanceContext& context, QWidget* parent = nullptr);

  public slots:
    // The window has no cancel button: Esc does nothing.
    void reject() override {}

  protected:
    void layOutGrid() override { FormLoad2(); }
    void sortGrid() override { sortierestv2(); }
    // The title bar's close does what "Zurück" does.
    void closeEvent(QCloseEvent* event) override;

  private:
    // Called by the list pass.
    void FormLoad2();
    void sortierestv2();

    void cmdneu2_Click();
    void cmdhelp_Click();
    void Command1_Click();

    FlexGrid* grdTable2;
    LineList* lstweitere;
    QComboBox* txtauswahl2;
    QLabel* Label1;
    QLabel* Label3;
    QPushButton* cmdhelp;
    QPushButton* cmdneu2;
    QPushButton* Command1;
};

}  // namespace kursomatik
