// SPDX-License-Identifier: GPL-3.0-or-later
// Shows each window of the program on the shipped table and saves a picture of it, for the README.
//   kursomatik-screenshots <data folder> <output folder>
// The windows are the program's own; only the window system is the tests' one, which never blocks.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QPixmap>
#include <cstdio>

#include "info/HelpViewer.h"
#include "tests/support/ProgramHarness.h"

namespace {

using namespace kursomatik;

void settle() {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 300) QApplication::processEvents(QEventLoop::AllEvents, 50);
}

bool save(QWidget* window, const QDir& output) {
    if (window == nullptr) return false;
    window->show();
    window->raise();
    settle();
    const QString file = output.filePath(window->objectName() + QStringLiteral(".png"));
    const bool saved = window->grab().save(file);
    std::fprintf(stderr, "%s %s\n", saved ? "saved" : "could not save", qPrintable(file));
    return saved;
}

QWidget* topLevel(const char* name) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String(name) && w->isVisible()) return w;
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: kursomatik-screenshots <data folder> <output folder>\n");
        return 2;
    }
    // Both folders are taken before the working folder changes below.
    const QDir data(QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath());
    const QDir output(QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath());
    // The program in a working folder of its own, on the shipped table and settings.
    testsupport::ProgramHarness program;
    std::error_code copied;
    const std::filesystem::path shipped = data.absolutePath().toStdString();
    std::filesystem::copy_file(shipped / "KURSOMATIK.DAT", program.dir / "KURSOMATIK.DAT", copied);
    if (!copied)
        std::filesystem::copy_file(shipped / "Kursomatik.ini",
                                   program.state.environment.programDir / "Kursomatik.ini", copied);
    if (copied) {
        std::fprintf(stderr, "the shipped table or settings are missing in %s\n", argv[1]);
        return 1;
    }
    WexlorEingabe& main = program.start();
    program.typeAmount(QStringLiteral("100"));
    program.choose(program.find<QComboBox>("txtEingabe"), QStringLiteral("Deutsche Mark"));
    // A rate the user keeps, dated long before the harness's today: the age line warns.
    program.choose(program.find<QComboBox>("txtAusgabe"), QStringLiteral("US-Dollar"));

    bool ok = save(&main, output);
    program.trigger("Optionen");
    ok = save(topLevel("frmOptionen"), output) && ok;
    ok = save(&program.memberWindow(), output) && ok;
    ok = save(&program.otherWindow(), output) && ok;
    program.doubleClickRow(program.find<FlexGrid>("grdTable"), 3);
    ok = save(program.editor(), output) && ok;
    program.trigger("InfoMorvalent");
    ok = save(topLevel("frmAbout"), output) && ok;
    for (const QString& text : program.windows.messageTexts())
        std::fprintf(stderr, "message: %s\n", qPrintable(text));

    HelpViewer help({std::filesystem::path(data.absolutePath().toStdString())});
    help.showTopic(QString::fromStdString(program.state.helpFile), 11);
    ok = save(&help, output) && ok;
    return ok ? 0 : 1;
}
