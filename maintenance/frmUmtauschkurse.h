// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "maintenance/CurrencyListWindow.h"

class QLabel;
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

    void fillFromPass(const std::vector<std::string>& lines, const std::vector<GridRow>& rows) override;

  protected:
    void layOutGrid() override { FormLoad(); }
    void sortGrid() override { ewwuSortieren(); }

  public slots:
    // Esc and the title bar's close do what "Schließen" does.
    void reject() override;

  private:
    // Called by the list pass.
    void FormLoad();
    void ewwuSortieren();

    void Form_Load();
    void cmdDBveraendern_Click();
    void cmdneu_Click();
    void cmdSpringeFormwW_Click();
    void Command1_Click();
    void cmdAbbrechenUmt_Click();

    frmWeitereW* weitere_;
    FlexGrid* grdTable;
    LineList* lstewwu;
    QComboBox* txtauswahl1;
    QPushButton* cmdDBveraendern;  // "cmdDBverändern"
    QLabel* Label1;
    QLabel* Label4;
    QPushButton* Command1;
    QPushButton* cmdneu;
    QPushButton* cmdSpringeFormwW;
    QPushButton* cmdAbbrechenUmt;
};

}  // namespace kursomatik
