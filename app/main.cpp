// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QTranslator>

#include "app/DesktopIntegration.h"
#include "app/Program.h"
#include "platform/FileSizeSignal.h"
#include "platform/ProgramUsage.h"
#include "platform/qt/ApplicationStart.h"

int main(int argc, char** argv) {
    kursomatik::ignoreFileSizeSignal();
    if (kursomatik::asksForUsage(argc, argv)) return kursomatik::printProgramUsage();
    const auto application = kursomatik::startApplication(argc, argv);
    QTranslator qtTexts;
    kursomatik::installQtTranslation(qtTexts, QLocale::system());
    kursomatik::setDesktopIdentity();
    kursomatik::Program program;
    if (!program.start()) return 0;
    return QApplication::exec();
}
