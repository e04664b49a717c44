#pragma once

#include <memory>

#include "AppState.h"
#include "HelpKeyFilter.h"
#include "HelpViewer.h"
#include "QtWindowSystem.h"
#include "SingleInstanceGuard.h"
#include "WexlorEingabe.h"

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

}  // namespace kursomatik
