// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>

#include "app/AppState.h"
#include "app/WexlorEingabe.h"
#include "info/HelpViewer.h"
#include "platform/qt/HelpKeyFilter.h"
#include "platform/qt/QtWindowSystem.h"
#include "platform/qt/SingleInstanceGuard.h"

namespace kursomatik {

// The running program: the window system, the help, the instance guard, the state and the main
// window, wired together. Needs a QApplication.
class Program {
  public:
    Program();

    // The start-up, then the main window shown; false when this process is to end at once.
    bool start();
    WexlorEingabe& window() { return window_; }

  private:
    QtWindowSystem windows_;
    HelpKeyFilter help_;
    SingleInstanceGuard guard_;
    AppState state_;
    std::unique_ptr<HelpViewer> helpViewer_;  // made at the first F1
    WexlorEingabe window_;
};

// Everything main() does: the file-size signal ignored, --help answered, the application started
// (or a German message where no display can be reached), Qt's German texts, the desktop identity,
// the start-up, and then the event loop. `shown`, where given, runs instead of the loop once the
// main window is on the screen (the start-up benchmark ends there).
int runKursomatik(int argc, char** argv, const std::function<int(Program&)>& shown = {});

}  // namespace kursomatik
