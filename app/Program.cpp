// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Program.h"

#include <QApplication>
#include <QTranslator>

#include "app/DesktopIntegration.h"
#include "app/Startup.h"
#include "info/frmAbout.h"
#include "platform/FileSizeSignal.h"
#include "platform/qt/ApplicationStart.h"
#include "platform/qt/QtRegionalSettings.h"
#include "settings/Locations.h"
#include "settings/ProgramUsage.h"

namespace kursomatik {

Program::Program()
    : help_(windows_),
      state_{systemRegionalSettings(),
             {},
             programEnvironment(windows_),
             instanceCheck(guard_, windows_),
             {},
             {},
             {},
             kCurrencyFileName},
      window_(state_, windows_) {
    QApplication::instance()->installEventFilter(&help_);
    windows_.helpViewer = [this](int topic) {
        if (!helpViewer_) helpViewer_ = std::make_unique<HelpViewer>(helpFolders(binaryFolder()));
        helpViewer_->showTopic(QString::fromStdString(state_.helpFile), topic);
    };
    window_.aboutWindow = [this](QWidget* owner) { showAboutWindow(windows_, owner); };
    windows_.beforeEnd = [this] { guard_.release(); };
}

bool Program::start() {
    if (!window_.Form_Load()) return false;
    setWindowIconAfterFirstPaint(&window_);
    window_.show();
    return true;
}

int runKursomatik(int argc, char** argv, const std::function<int(Program&)>& shown) {
    ignoreFileSizeSignal();
    if (const auto answer = commandLineAnswer(argc, argv)) return printAnswer(*answer);
    const auto application = startApplication(argc, argv);
    QTranslator qtTexts;
    installQtTranslation(qtTexts, QLocale::system());
    setDesktopIdentity();
    Program program;
    if (!program.start()) return 0;
    return shown ? shown(program) : QApplication::exec();
}

}  // namespace kursomatik
