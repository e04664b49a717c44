// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace kursomatik {

class LinkLabel;
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
    void Label10_Click();
    void Label11_Click();
    void Label12_Click();
    void build();
    void handOver(const QString& target);

    WindowSystem& windows_;
    bool closing_ = false;
    QLabel* lblTitle;
    QPushButton* cmdOK;
    QLabel* Label3;
    QLabel* Label1;
    QLabel* lblDescription;
    QLabel* Label4;
    QLabel* Label5;
    LinkLabel* Label12;
    QLabel* Label13;
    QLabel* Label14;
    QFrame* Line1;
    QLabel* Picture1;
    QLabel* Label2;
    QLabel* Label6;
    QLabel* Label7;
    QLabel* Label8;
    QLabel* Label9;
    LinkLabel* Label10;
    LinkLabel* Label11;
};

// Creates the about window over owner and shows it modally; it destroys itself when closed.
void showAboutWindow(WindowSystem& windows, QWidget* owner);

}  // namespace kursomatik
