// SPDX-License-Identifier: GPL-3.0-or-later
#include <functional>

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QTest>

#include "platform/qt/PickList.h"
#include "tests/gui/ProgramTest.h"
#include "tests/support/RateServer.h"

namespace kursomatik::testsupport {
namespace {

namespace fs = std::filesystem;

// The program's imports fill the rate history KURSVERLAUF.DB beside its table, through the module that
// carries SQLite, and say so in the one summary after the table's.
class HistoryImport : public ProgramTest {
  protected:
    const fs::path history = dir / "KURSVERLAUF.DB";
};

TEST_F(HistoryImport, AFileFillsTheHistoryAndAHistoryThatFailsKeepsTheTablesImport) {
    const std::string kept = "Die Tabelle ist übernommen, der Kursverlauf nicht.";
    // failed: the days did not get in; shown with the stop sign, and no history file.
    for (const auto& [what, before, said, failed] :
         {std::tuple<const char*, std::function<void()>, std::string, bool>{
              "damaged", [&] { writeFile(history, "kein Kursverlauf"); },
              "„KURSVERLAUF.DB.defekt“; dieser Import beginnt einen neuen.\nKursverlauf: 2 Tage, 3 Kurse neu",
              false},
          {"a folder", [&] { fs::remove(history), fs::create_directory(history); }, kept, true},
          {"no module", [&] { fs::remove(history), main->maintenance().modules = dir / "ohne"; },
           "kursomatik-verlauf.so“), lässt sich nicht laden", true}}) {
        start({kDeutscheMark, kEuro, kDollar});
        before();
        const QString summary =
            importFile("Date,USD,JPY,\n2026-12-04,1.1000,160.50,\n2026-12-03,1.0900,N/A,\n");
        EXPECT_TRUE(
            summary.startsWith("Referenzkurse vom 04.12.2026: 1 Kurs aktualisiert, 1 Währung neu.\n") &&
            summary.contains(QString::fromStdString(said)) && summary.endsWith(kept.c_str()) == failed)
            << what << ": " << all();
        EXPECT_EQ(windows.messages.back().icon == MessageIcon::Stop, failed) << what;
        EXPECT_EQ(fs::is_regular_file(history), !failed) << what;
    }
}

// The daily file is of 4 December 2026; the 90-day file beside it also holds 3 December and
// 10 September.
TEST_F(HistoryImport, TheUpdateFetchesTheNinetyDayFileOnlyBeyondAFourDayGap) {
    const std::string daily = "<Cube><Cube time='2026-12-04'><Cube currency='AUD' rate='1.6'/></Cube></Cube>";
    const std::string ninety =
        "<Cube><Cube time='2026-12-04'><Cube currency='AUD' rate='1.6'/></Cube>"
        "<Cube time='2026-12-03'><Cube currency='AUD' rate='1.59'/></Cube>"
        "<Cube time='2026-09-10'><Cube currency='AUD' rate='1.55'/></Cube></Cube>";
    RateServer source([&](const ServedRequest& r) {
        return httpAnswer(200, r.path == "/eurofxref-hist-90d.xml" ? ninety : daily);
    });
    // newest: the history's newest day before the update; fetched: whether the 90-day file was asked
    // for; what the summary tells of the history's new days and of those still missing.
    for (const auto& [newest, fetched, added, missing] :
         {std::tuple{"2026-11-30", false, "1 Tag, 1 Kurs", ""},
          {"2026-11-29", true, "3 Tage, 3 Kurse", ""},
          {"2026-08-01", true, "3 Tage, 3 Kurse",
           "\nDer Kursverlauf endete am 01.08.2026; die Tage danach, die mehr als 90 Tage zurückliegen, "
           "bringt die Datei eurofxref-hist.zip der EZB (mit „Kurse importieren...“ unter „Weitere "
           "Währungen“)."}}) {
        fs::remove(history);
        start({kDeutscheMark, kEuro, kDollar}, kStartIni + "kursquelle=" + source.url("/daily.xml") + "\n");
        importFile("Date,USD,\n" + std::string(newest) + ",1.0500,\n");
        const std::size_t asked = source.requests().size();
        windows.messages.clear();
        press(&otherWindow(), "cmdNetz");
        ASSERT_TRUE(QTest::qWaitFor([&] { return !windows.messages.empty(); }, 5000)) << newest;
        EXPECT_EQ(source.requests().size() - asked, fetched ? 2U : 1U) << newest;
        EXPECT_EQ(source.requests().back().path == "/eurofxref-hist-90d.xml", fetched) << newest;
        EXPECT_EQ(windows.messages.back().text.toStdString(),
                  "Referenzkurse vom 04.12.2026: 0 Kurse aktualisiert, 1 Währung neu.\nKursverlauf: " +
                      std::string(added) + " neu, 1 Währung neu; 0 abweichende Kurse nicht übernommen." +
                      missing)
            << newest;
    }
}

// Strg+K shows the chosen pair's history with the typed amount, from the same module; a new request
// replaces the window; without the module or a chosen pair, a message says why.
TEST_F(HistoryImport, StrgKShowsTheChosenPairsHistoryFromTheModule) {
    // shown: the conversion line of the window, or the message instead of it.
    for (const auto& [what, module, output, shown] :
         {std::tuple<const char*, const char*, const char*, QString>{"pair", "", "Deutsche Mark",
                                                                     "250 USD am 04.12.2026 = 444,51 DEM"},
          {"none", "", "", "Wählen Sie zuerst die Eingabe- und die Ausgabewährung."},
          {"no module", "ohne", "Deutsche Mark", "kursomatik-verlauf.so“), lässt sich nicht laden"}}) {
        start({kDeutscheMark, kEuro, kDollar});
        importFile("Date,USD,\n2026-12-04,1.1000,\n");
        if (*module) main->maintenance().modules = dir / module;
        main->maintenance().history.reset();
        windows.messages.clear();
        choose(find<QComboBox>("txtEingabe"), "US-Dollar");
        choose(find<QComboBox>("txtAusgabe"), output);
        if (!*output) picklist::clearSelection(find<QComboBox>("txtAusgabe"));  // as a deleted currency does
        typeAmount("250");
        ASSERT_EQ(find<QAction>("Kursverlauf")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_K));
        for (int request = 0; request < 2; ++request) trigger("Kursverlauf");
        const auto charts = main->findChildren<QDialog*>("frmKursverlauf");
        const QLabel* line = charts.size() == 1 ? charts[0]->findChild<QLabel*>("lblUmrechnung") : nullptr;
        EXPECT_TRUE(line != nullptr ? line->text() == shown && charts[0]->isVisible()
                                    : charts.empty() && windows.messages.size() == 2 &&
                                          windows.messages[0].text.contains(shown))
            << what << ": " << (line != nullptr ? line->text().toStdString() : all());
    }
}

}  // namespace
}  // namespace kursomatik::testsupport
