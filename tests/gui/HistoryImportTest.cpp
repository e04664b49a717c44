// SPDX-License-Identifier: GPL-3.0-or-later
#include <QTest>
#include <functional>

#include "tests/gui/ProgramTest.h"
#include "tests/support/RateServer.h"

namespace kursomatik::testsupport {
namespace {

namespace fs = std::filesystem;

// The program's imports fill the rate history KURSVERLAUF.DB beside its table, through the module that
// carries SQLite, and say so in the one summary.
class HistoryImport : public ProgramTest {
  protected:
    // "Kurse importieren..." with a file of these lines; the summary it shows.
    QString importFile(const std::string& lines) {
        windows.messages.clear();
        writeFile(dir / "hist.csv", lines);
        windows.chosenFile = QString::fromStdString((dir / "hist.csv").string());
        press(&otherWindow(), "cmdImport");
        return windows.messages.empty() ? QString() : windows.messages.back().text;
    }
    static bool holds(const QString& text, const std::vector<std::string>& parts) {
        for (const std::string& part : parts)
            if (!text.contains(QString::fromStdString(part))) return false;
        return true;
    }
    const fs::path history = dir / "KURSVERLAUF.DB";
};

struct FileRow {
    const char* what;
    std::function<void()> before;
    std::vector<std::string> said;
    bool failed;  // the history did not get the days: shown with the stop sign, and no history file
};

TEST_F(HistoryImport, AFileFillsTheHistoryOnceAndAHistoryThatFailsKeepsTheTablesImport) {
    const std::string file = "Date,USD,JPY,\n2026-12-04,1.1000,160.50,\n2026-12-03,1.0900,N/A,\n";
    const std::string table = "Referenzkurse vom 04.12.2026: 1 Kurs aktualisiert, 1 Währung neu.\n";
    const std::string kept = "Die Tabelle ist übernommen, der Kursverlauf nicht.";
    const auto remove = [&] { fs::remove_all(history); };
    for (const FileRow& row : std::initializer_list<FileRow>{
             {"new",
              [] {},
              {table +
               "Kursverlauf: 2 Tage, 3 Kurse neu, 2 Währungen neu; 0 abweichende Kurse nicht übernommen."},
              false},
             {"again", [] {}, {"Kursverlauf: 2 Tage, 0 Kurse neu, 0 Währungen neu;"}, false},
             {"damaged",
              [&] { writeFile(history, "kein Kursverlauf"); },
              {"war beschädigt und heißt jetzt", "KURSVERLAUF.DB.defekt“; dieser Import beginnt einen neuen.",
               "Kursverlauf: 2 Tage, 3 Kurse neu"},
              false},
             {"a folder", [&] { remove(), fs::create_directory(history); }, {table, kept}, true},
             {"no module",
              [&] { remove(), main->maintenance().modules = dir / "ohne"; },
              {table, "kursomatik-verlauf.so", "lässt sich nicht laden", kept},
              true}}) {
        start({kDeutscheMark, kEuro, kDollar});
        row.before();
        const QString summary = importFile(file);
        EXPECT_TRUE(holds(summary, row.said)) << row.what << ": " << all();
        EXPECT_EQ(windows.messages.size(), 1U) << row.what;
        EXPECT_EQ(windows.messages.back().icon == MessageIcon::Stop, row.failed) << row.what;
        EXPECT_EQ(fs::is_regular_file(history), !row.failed) << row.what;
        EXPECT_EQ(find<QComboBox>("txtAusgabe")->findText("Japanischer Yen") >= 0, true) << row.what;
    }
    EXPECT_TRUE(fs::exists(dir / "KURSVERLAUF.DB.defekt"));
}

struct TopUpRow {
    const char* newest;  // the history's newest day before the update; "": an empty history
    bool fetched;        // whether the 90-day file was asked for
    std::vector<std::string> said;
};

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
    qputenv("XDG_CACHE_HOME", dir.path().c_str());
    const std::string one = "Kursverlauf: 1 Tag, 1 Kurs neu, 1 Währung neu;";
    const std::string three = "Kursverlauf: 3 Tage, 3 Kurse neu, 1 Währung neu;";
    const std::string rest = "bringt die Datei eurofxref-hist.zip der EZB (mit „Kurse importieren...“";
    for (const TopUpRow& row : std::initializer_list<TopUpRow>{
             {"2026-12-01", false, {one}},
             {"2026-11-30", false, {one}},
             {"2026-11-29", true, {three}},
             {"2026-08-01",
              true,
              {three,
               "Der Kursverlauf endete am 01.08.2026; die Tage danach, die mehr "
               "als 90 Tage zurückliegen, " +
                   rest}},
             {"",
              true,
              {three,
               "Der Kursverlauf war leer und hat jetzt die Kurse der letzten 90 Tage; die "
               "Kurse seit 1999 " +
                   rest}}}) {
        fs::remove(history);
        start({kDeutscheMark, kEuro, kDollar}, kStartIni + "kursquelle=" + source.url("/daily.xml") + "\n");
        if (*row.newest) importFile("Date,USD,\n" + std::string(row.newest) + ",1.0500,\n");
        const std::size_t asked = source.requests().size();
        windows.messages.clear();
        press(&otherWindow(), "cmdNetz");
        ASSERT_TRUE(QTest::qWaitFor([&] { return !windows.messages.empty(); }, 5000)) << row.newest;
        EXPECT_EQ(source.requests().size() - asked, row.fetched ? 2U : 1U) << row.newest;
        EXPECT_EQ(source.requests().back().path == "/eurofxref-hist-90d.xml", row.fetched) << row.newest;
        EXPECT_TRUE(holds(windows.messages.back().text,
                          {"Referenzkurse vom 04.12.2026: 0 Kurse aktualisiert, 1 Währung neu."}) &&
                    holds(windows.messages.back().text, row.said))
            << row.newest << ": " << all();
    }
    qunsetenv("XDG_CACHE_HOME");
}

}  // namespace
}  // namespace kursomatik::testsupport
