// SPDX-License-Identifier: GPL-3.0-or-later
// The program's start as main() runs it, ended at once when its main window is on the screen:
// bench/startup.sh times it from process start to that moment.
#include <QApplication>
#include <QTranslator>
#include <QWindow>
#include <cstdlib>

#include "app/DesktopIntegration.h"
#include "app/Program.h"
#include "platform/FileSizeSignal.h"
#include "platform/qt/ApplicationStart.h"

int main(int argc, char** argv) {
    kursomatik::ignoreFileSizeSignal();
    const auto application = kursomatik::startApplication(argc, argv);
    QTranslator qtTexts;
    kursomatik::installQtTranslation(qtTexts, QLocale::system());
    kursomatik::setDesktopIdentity();
    kursomatik::Program program;
    if (!program.start()) return 1;
    QWindow* window = program.window().windowHandle();
    while (window == nullptr || !window->isExposed()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
        window = program.window().windowHandle();
    }
    std::_Exit(0);
}
