// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

namespace kursomatik {

class WindowSystem;

// "Info": the program, its version and purpose, and whom to ask. Three of the contacts open the
// desktop's browser or mail program. The window is made for one showing and destroyed on closing.
class frmAbout : public QDialog {
    Q_OBJECT
  public:
    explicit frmAbout(WindowSystem& windows, QWidget* parent = nullptr);

  public slots:
    // Esc and the title bar's close press "OK".
    void reject() override;

  private:
    void cmdOK_Click();
    void build();
    void handOver(const QString& target);

    WindowSystem& windows_;
    bool closing_ = false;
};

// Creates the about window over owner and shows it modally; it destroys itself when closed.
void showAboutWindow(WindowSystem& windows, QWidget* owner);

}  // namespace kursomatik
