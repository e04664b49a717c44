// Shows each window of the program on the shipped table and saves a picture of it, for the README.
//   kursomatik-screenshots <data folder> <output folder>
// The windows are the program's own; only the window system is replaced by one that never blocks.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPixmap>
#include <QTemporaryDir>
#include <cstdio>

#include "AppState.h"
#include "HelpViewer.h"
#include "WexlorEingabe.h"
#include "WindowSystem.h"
#include "frmAbout.h"
#include "frmUmtauschkurse.h"

namespace {

using namespace kursomatik;

// Shows every window without waiting and answers every message with OK.
class ShowingWindowSystem : public WindowSystem {
  public:
    MessageResult message(QWidget*, const QString& text, MessageButtons, MessageIcon) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return MessageResult::Ok;
    }
    void showModal(QDialog* window) override { window->show(); }
    void showModeless(QWidget* window) override { window->show(); }
    void postF1() override {}
    void openHelp(int) override {}
    int openUrl(const QString&) override { return 42; }
    void endProcess() override {}
};

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

void choose(QComboBox* box, const QString& name) {
    const int index = box->findText(name, Qt::MatchStartsWith);
    if (index >= 0) box->setCurrentIndex(index);
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
    QTemporaryDir work;
    QDir(work.path()).mkdir(QStringLiteral("programm"));
    if (!QFile::copy(data.filePath(QStringLiteral("KURSOMATIK.DAT")),
                     work.filePath(QStringLiteral("KURSOMATIK.DAT"))) ||
        !QFile::copy(data.filePath(QStringLiteral("Kursomatik.ini")),
                     work.filePath(QStringLiteral("programm/Kursomatik.ini")))) {
        std::fprintf(stderr, "the shipped table or settings are missing in %s\n", argv[1]);
        return 1;
    }
    QDir::setCurrent(work.path());

    ShowingWindowSystem windows;
    AppState state;
    state.regional = RegionalSettings::german();
    state.environment.programDir = work.filePath(QStringLiteral("programm")).toStdString();
    state.environment.systemProfile = work.filePath(QStringLiteral("WIN.INI")).toStdString();
    WexlorEingabe main(state, windows);
    main.aboutWindow = [&windows](QWidget* owner) { showAboutWindow(windows, owner); };
    if (!main.Form_Load()) return 1;
    main.txtWertEingabe->setText(QStringLiteral("100"));
    choose(main.txtEingabe, QStringLiteral("Deutsche Mark"));
    choose(main.txtAusgabe, QStringLiteral("Französischer Franc"));

    bool ok = save(&main, output);
    main.Optionen_Click();
    ok = save(topLevel("frmOptionen"), output) && ok;
    main.Umtauschkurse_Click();
    ok = save(topLevel("frmUmtauschkurse"), output) && ok;
    main.memberWindow()->cmdSpringeFormwW_Click();
    ok = save(topLevel("frmWeitereW"), output) && ok;
    main.memberWindow()->grdTable_DblClick(3);
    ok = save(topLevel("frmEingabe2"), output) && ok;
    main.InfoMorvalent_Click();
    ok = save(topLevel("frmAbout"), output) && ok;

    HelpViewer help({std::filesystem::path(data.absolutePath().toStdString())});
    help.showTopic(QString::fromStdString(state.helpFile), 11);
    ok = save(&help, output) && ok;
    return ok ? 0 : 1;
}
