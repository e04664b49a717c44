#pragma once

#include <QDialog>

#include "MaintenanceContext.h"

namespace kursomatik {

// The record editor: one currency record created, changed or deleted. It keeps the currency file
// open while it is shown; every way out closes the file and reloads every list of the program.
class frmEingabe2 : public QDialog {
    Q_OBJECT
  public:
    explicit frmEingabe2(MaintenanceContext& context, QWidget* parent = nullptr);

    void Form_prepare(int iThisRecordNo);
    void cmdEingabeBeenden_Click(int Index);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    MaintenanceContext& context_;
    bool left_ = false;
};

}  // namespace kursomatik
