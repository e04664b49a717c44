// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <vector>

#include "store/AllCurrencies.h"

class QLabel;
class QTableWidget;

namespace kursomatik {

class WindowSystem;

// "In allen Währungen": the main window's amount from its input currency in every currency of the
// table, one row each, in the lists' order. Modeless; the main window hands it every new result.
class AllCurrenciesWindow : public QDialog {
    Q_OBJECT
  public:
    AllCurrenciesWindow(WindowSystem& windows, QWidget* parent);

    // The rows for the amount and currency the caption names; none with a caption that says why.
    void fill(const QString& caption, const std::vector<AllCurrenciesRow>& rows);

  private:
    QLabel* lblBetrag;
    QTableWidget* grdAlle;
    std::vector<AllCurrenciesRow> rows_;
};

}  // namespace kursomatik
