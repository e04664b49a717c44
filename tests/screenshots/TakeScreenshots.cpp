// SPDX-License-Identifier: GPL-3.0-or-later
// Shows each window of the program on the shipped table and saves a picture of it, for the README.
//   kursomatik-screenshots <data folder> <output folder>
// The windows are the program's own; only the window system is the tests' one, which never blocks.
#include <QApplication>
#include <QComboBox>
#include <QTest>

#include "info/HelpViewer.h"
#include "tests/support/ProgramHarness.h"

using namespace kursomatik;
namespace fs = std::filesystem;

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 3) return 2;
    // Both folders are taken before the harness makes a working folder of its own the current one.
    const fs::path data = fs::absolute(argv[1]), output = fs::absolute(argv[2]);
    testsupport::ProgramHarness program;
    fs::copy_file(data / "KURSOMATIK.DAT", program.dir / "KURSOMATIK.DAT");  // throws when missing
    fs::copy_file(data / "Kursomatik.ini", program.iniPath());
    bool ok = true;
    const auto save = [&](QWidget* window) {
        if (window == nullptr) return void(ok = false);
        window->show();
        QTest::qWait(300);  // until it is drawn
        ok = window->grab().save(
                 QString::fromStdString((output / window->objectName().toStdString()).string()) + ".png") &&
             ok;
    };
    program.start();
    program.typeAmount(QStringLiteral("100"));
    program.choose(program.find<QComboBox>("txtEingabe"), QStringLiteral("Deutsche Mark"));
    // A rate the user keeps, dated long before the harness's today: the age line warns.
    program.choose(program.find<QComboBox>("txtAusgabe"), QStringLiteral("US-Dollar"));
    save(program.main.get());
    program.trigger("Optionen");
    save(program.find("frmOptionen"));
    save(&program.memberWindow());
    save(&program.otherWindow());
    program.doubleClickRow(program.find<FlexGrid>("grdTable"), 3);
    save(program.editor());
    program.trigger("InfoMorvalent");
    save(program.find("frmAbout"));
    program.trigger("Alle");
    save(program.find("frmAlleWaehrungen"));
    HelpViewer help({data});
    help.showTopic(QString::fromStdString(program.state.helpFile), 11);
    save(&help);
    return ok ? 0 : 1;
}
