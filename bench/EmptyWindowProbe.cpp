// SPDX-License-Identifier: GPL-3.0-or-later
// An empty Qt main window, started and ended exactly as StartupProbe: the yardstick of start-up.
#include <QApplication>
#include <QMainWindow>
#include <QWindow>
#include <cstdlib>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.show();
    while (window.windowHandle() == nullptr || !window.windowHandle()->isExposed()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    }
    std::_Exit(0);
}
