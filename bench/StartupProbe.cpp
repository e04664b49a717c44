// SPDX-License-Identifier: GPL-3.0-or-later
// The program's start as main() runs it, ended at once when its main window is on the screen:
// bench/startup.sh times it from process start to that moment.
#include <QCoreApplication>
#include <QWindow>
#include <cstdlib>

#include "app/Program.h"
#include "bench/StartupMeasure.h"

int main(int argc, char** argv) {
    return kursomatik::runKursomatik(argc, argv, [](kursomatik::Program& program) {
        for (QWindow* window = program.window().windowHandle(); window == nullptr || !window->isExposed();
             window = program.window().windowHandle()) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        kursomatik::bench::reportShown();
        std::_Exit(0);
        return 0;
    });
}
