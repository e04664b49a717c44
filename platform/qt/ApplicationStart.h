// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <memory>

namespace kursomatik {

// The QApplication of a program with windows. Where no window system can be reached (no DISPLAY,
// a display nobody serves, no Wayland socket), Qt ends the process with an English abort; here it
// ends with one German line on stderr, the cause Qt gave below it, and status 1. Qt's other
// messages of the construction are held back and passed on once it has succeeded.
std::unique_ptr<QApplication> startApplication(int& argc, char** argv);

}  // namespace kursomatik
