// SPDX-License-Identifier: GPL-3.0-or-later
// Shows each window of the program on the shipped table and saves a picture of it, for the README.
//   kursomatik-screenshots <data folder> <output folder>
// The windows are the program's own; only the window system is the tests' one, which never blocks.
#include <QApplication>
#include <QComboBox>
#include <QStyle>
#include <QTest>
#include <cmath>

#include "chart/frmKursverlauf.h"
#include "info/HelpViewer.h"
#include "tests/support/ProgramHarness.h"

using namespace kursomatik;
namespace fs = std::filesystem;

namespace {

// A made-up dollar that wanders like the real one, every working day from 1999 to 2025: the picture
// shows the window, not the ECB's figures.
void writeHistory(const fs::path& file) {
    std::string csv = "Date,USD,\n";
    double rate = 1.17;
    for (CivilDate day{1999, 1, 4}; day <= CivilDate{2025, 12, 31}; day = addDays(day, 1)) {
        const long n = daysBetween({1999, 1, 4}, day);
        if (n % 7 >= 5) continue;
        rate += 0.004 * std::sin(n * 0.37) * std::cos(n * 0.011) + 0.0009 * std::sin(n * 0.0021);
        csv += formatShortDate(day, "yyyy-MM-dd") + "," + std::to_string(rate) + ",\n";
    }
    auto store = HistoryStore::openForImport(file);
    if (store) (void)(*store).import(*parseReferenceHistory(csv, "kursverlauf.csv"));
}

}  // namespace

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
    // The chart of the main window's pair, Deutsche Mark to US dollar, in the light and a dark palette.
    writeHistory(program.dir / "KURSVERLAUF.DB");
    ChartRequest request{program.dir / "KURSVERLAUF.DB", "DEM", "USD", 1.95583, {}, "100", 1000.0, 100.0,
                         RegionalSettings::german()};
    request.regional.today = [] { return CivilDate{2025, 12, 31}; };
    for (const bool dark : {false, true}) {
        // A dark window makes the palette's texts white.
        if (dark) QApplication::setPalette(QPalette(QColor(0x35, 0x35, 0x35), QColor(0x2a, 0x2a, 0x2a)));
        frmKursverlauf chart(request, program.windows);
        chart.findChild<QWidget*>("dtpDatum")->setProperty("date", QDate(2019, 3, 16));
        if (dark) chart.setObjectName("frmKursverlauf-dunkel");
        save(&chart);
    }
    QApplication::setPalette(QApplication::style()->standardPalette());
    HelpViewer help({data});
    help.showTopic(QString::fromStdString(program.state.helpFile), 11);
    save(&help);
    return ok ? 0 : 1;
}
