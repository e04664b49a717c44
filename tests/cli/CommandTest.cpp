// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>

#include "tests/support/ProgramHarness.h"

namespace kursomatik::testing {
namespace {

namespace fs = std::filesystem;

struct Started {
    std::string environment;  // besides HOME and XDG_CONFIG_HOME/XDG_DATA_HOME in the test's folder
    std::string args;
    std::string out;
    std::string err;  // a part of stderr; empty: nothing on stderr
    int status;
    std::string folder = ".";  // where it starts, in the test's folder
};

// The installed command as a script starts it: no display, nothing of this environment.
TEST(Command, FindsTheProgramsTableAndSettingsAndEndsWithItsStatus) {
    TempDir dir;
    const fs::path data = dir / "daten" / "Kursomatik";
    fs::create_directories(data);
    writeFile(dir / "WIN.INI", "[Kursomatik]\nIniDatei=" + (dir / "meine.ini").string() + "\n");
    // Deutsche Mark -> US-Dollar at the next start.
    const std::string ini =
        "[Kursomatik]\nstellen1=10000\nstellen2=100\nstartwaehrung=0\nausgabewaehrung=2\n";
    writeFile(dir / "meine.ini", ini);
    writeFile(data / "KURSOMATIK.DAT", tableBytes({kDeutscheMark, kFranc, kDollar}));
    // A stray copy where a job starts.
    fs::create_directories(dir / "job");
    writeFile(dir / "job" / "KURSOMATIK.DAT", tableBytes({kDeutscheMark, kFranc, kDollar}));
    writeFile(dir / "eurofxref.csv", "Date, GBP, USD, \n28 June 2024, 0.8457, 1.0705, \n");
    writeFile(dir / "zukunft.csv", "Date, GBP, \n01 January 2099, 0.8457, \n");
    const std::string home = "HOME=" + dir.path().string() + " XDG_CONFIG_HOME=" + dir.path().string() +
                             " XDG_DATA_HOME=" + (dir / "daten").string() + " ";
    const std::string import = "--import " + (dir / "eurofxref.csv").string();
    const std::string table = "\nTabelle: „" + (data / "KURSOMATIK.DAT").string() + "“\n";
    for (const Started& r : std::initializer_list<Started>{
             // The data folder's table and the settings file WIN.INI names: 4 Euro decimals.
             {"LC_ALL=C", "100 DEM FRF", "335,39\n", "", 0},
             {"LC_ALL=en_US.UTF-8", "1,000 DEM FRF", "3,353.86\n", "", 0},
             {"LC_ALL=C", "1 DEM XYZ", "", "Den Währungscode „XYZ“ gibt es", 1},
             {"LC_ALL=C XDG_DATA_HOME=" + (dir / "leer").string(), "1 DEM FRF", "",
              (dir / "leer" / "Kursomatik" / "KURSOMATIK.DAT").string(), 2},
             {"LC_ALL=C", "--import " + (dir / "zukunft.csv").string(), "",
              "Ihre Kurse sind vom 01.01.2099, heute ist aber erst der", 1},
             // A nightly job imports the day's reference rates into that table, newer ones only when told;
             // the next call uses them. The summary names the table it changed.
             {"LC_ALL=C", "--tabelle " + (data / "KURSOMATIK.DAT").string() + " " + import,
              "Referenzkurse vom 28.06.2024: 0 Kurse aktualisiert, 1 Währung neu, 1 neuerer Kurs "
              "beibehalten." +
                  table,
              "", 0},
             {"LC_ALL=C", "--ueberschreiben --import=" + (dir / "eurofxref.csv").string(),
              "Referenzkurse vom 28.06.2024: 1 Kurs aktualisiert, 1 Kurs unverändert." + table, "", 0},
             {"LC_ALL=C", import, "Keine neuen Kurse: 2 Kurse unverändert." + table, "", 0},
             {"LC_ALL=C", "100 USD GBP", "79,00\n", "", 0},
             {"LC_ALL=C", import, "Keine neuen Kurse: 2 Kurse unverändert." + table, "", 0,
              "daten/Kursomatik"},
             // Started where a stray copy lies: the import says which table it takes; a conversion is silent.
             {"LC_ALL=C", import,
              "Referenzkurse vom 28.06.2024: 0 Kurse aktualisiert, 1 Währung neu, 1 neuerer Kurs "
              "beibehalten.\nTabelle: „" +
                  (dir / "job" / "KURSOMATIK.DAT").string() + "“\n",
              "kursomatik-rechner: Hinweis: Es gilt die Tabelle „" +
                  (dir / "job" / "KURSOMATIK.DAT").string() + "“ im aktuellen Ordner, nicht „" +
                  (data / "KURSOMATIK.DAT").string() +
                  "“ im Datenordner; eine bestimmte nennt --tabelle DATEI.\n",
              0, "job"},
             {"LC_ALL=C", "100 USD GBP", "71,71\n", "", 0, "job"},
             // Named, it needs no note.
             {"LC_ALL=C", "--tabelle KURSOMATIK.DAT " + import,
              "Keine neuen Kurse: 1 Kurs unverändert, 1 neuerer Kurs beibehalten.\nTabelle: „" +
                  (dir / "job" / "KURSOMATIK.DAT").string() + "“\n",
              "", 0, "job"},
         }) {
        const std::string command = "cd " + (dir / r.folder).string() + " && env -i " + home + r.environment +
                                    " " KURSOMATIK_RECHNER " " + r.args + " 2>" + (dir / "err").string();
        const fs::file_time_type iniBefore = fs::last_write_time(dir / "meine.ini");
        FILE* pipe = ::popen(command.c_str(), "r");
        std::string out;
        for (int c; (c = std::fgetc(pipe)) != EOF;) out += static_cast<char>(c);
        const int status = ::pclose(pipe);
        EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, r.status) << r.args;
        EXPECT_EQ(out, r.out) << r.args;
        const std::string err = readFile(dir / "err");
        EXPECT_TRUE(r.err.empty() ? err.empty() : err.find(r.err) != std::string::npos)
            << r.args << ": " << err;
        // A new currency that sorts before the start currencies moves them, in the program's table only;
        // otherwise the settings file is not written.
        if (r.out.find("Währung neu") == std::string::npos || r.folder == "job") {
            EXPECT_EQ(fs::last_write_time(dir / "meine.ini"), iniBefore) << r.args;
        } else {
            EXPECT_EQ(readFile(dir / "meine.ini"),
                      "[Kursomatik]\nstellen1=10000\nstellen2=100\nstartwaehrung=1\nausgabewaehrung=3\n");
        }
    }
}

}  // namespace
}  // namespace kursomatik::testing
