// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include "platform/qt/WindowSystem.h"

namespace kursomatik {

class QtWindowSystem : public WindowSystem {
  public:
    MessageResult message(QWidget* parent, const QString& text, MessageButtons buttons,
                          MessageIcon icon) override;
    void showModal(QDialog* window) override;
    void showModeless(QWidget* window) override;
    void postF1() override;
    void openHelp(int topic) override;
    void openUrl(const QString& address, std::function<void(int code)> done) override;
    QString chooseFile(QWidget* parent, const QString& caption, const QString& filter) override;
    QString chooseSaveFile(QWidget* parent, const QString& caption, const QString& suggested,
                           const QString& filter) override;
    void endProcess() override;

    // The help viewer comes from the info module, which sits above this layer.
    std::function<void(int)> helpViewer;
    // What must still happen when the process ends at once (the instance lock is let go).
    std::function<void()> beforeEnd;
};

}  // namespace kursomatik
