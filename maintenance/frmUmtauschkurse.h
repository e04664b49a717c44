// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "maintenance/CurrencyListWindow.h"

class QPushButton;

namespace kursomatik {

class frmWeitereW;

// "Wechselkurse": the member currencies of the monetary union with their fixed rates, and the
// starting point of all rate maintenance. Closing it brings the main window up to date.
class frmUmtauschkurse : public CurrencyListWindow {
    Q_OBJECT
  public:
    frmUmtauschkurse(MaintenanceContext& context, frmWeitereW* weitere, QWidget* parent = nullptr);

    void setOtherWindow(frmWeitereW* weitere) { weitere_ = weitere; }

    void fillFromPass(const SortedEntries& entries) override;

  public slots:
    // Esc and the title bar's close do what "Schließen" does.
    void reject() override;

  protected:
  private:
    void cmdAbbrechenUmt_Click();

    frmWeitereW* weitere_;
    QPushButton* cmdDBveraendern;  // "cmdDBverändern"
};

}  // namespace kursomatik
