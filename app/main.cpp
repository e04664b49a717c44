#include <QApplication>

#include "AppState.h"
#include "HelpKeyFilter.h"
#include "HelpViewer.h"
#include "QtRegionalSettings.h"
#include "QtWindowSystem.h"
#include "SingleInstanceGuard.h"
#include "Startup.h"
#include "WexlorEingabe.h"
#include "frmAbout.h"

int main(int argc, char** argv) {
    using namespace kursomatik;
    QApplication application(argc, argv);
    QtWindowSystem windows;
    HelpKeyFilter help(windows);
    application.installEventFilter(&help);
    SingleInstanceGuard guard;
    AppState state;
    state.regional = systemRegionalSettings();
    state.environment = programEnvironment(guard, windows);

    HelpViewer helpViewer(HelpViewer::programFolders());
    windows.helpViewer = [&](int topic) {
        helpViewer.showTopic(QString::fromStdString(state.helpFile), topic);
    };

    WexlorEingabe window(state, windows);
    window.aboutWindow = [&windows](QWidget* owner) { showAboutWindow(windows, owner); };
    if (!window.Form_Load()) return 0;
    window.show();
    return application.exec();
}
