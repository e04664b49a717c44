// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "maintenance/CurrencyListWindow.h"

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
    // The title bar's close does what "Zurück" does.
    void closeEvent(QCloseEvent* event) override;

  private:
    // "Kurse importieren...": the reference rates of a file the user picks go into the table.
    void cmdImport_Click();
};

}  // namespace kursomatik
