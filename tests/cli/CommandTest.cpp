// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>

#include "tests/support/ProgramHarness.h"

namespace kursomatik::testsupport {
namespace {

namespace fs = std::filesystem;

struct Started {
    std::string args, out;
    std::string err = {};  // a part of stderr; empty: nothing on stderr
    int status = 0;
    std::string folder = ".";      // where it starts, in the test's folder
    std::string environment = {};  // besides HOME, XDG_CONFIG_HOME, XDG_DATA_HOME and LC_ALL=C
};

struct Ran {
    int status;
    std::string out, err;
};
// A shell command line, its stderr going to the file "err" in `dir`.
Ran run(const TempDir& dir, const std::string& command) {
    FILE* pipe = ::popen((command + " 2>" + (dir / "err").string()).c_str(), "r");
    std::string out;
    for (int c; (c = std::fgetc(pipe)) != EOF;) out += static_cast<char>(c);
    const int status = ::pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out, readFile(dir / "err")};
}

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
    writeFile(dir / "job" / kCurrencyFileName, tableBytes({kDeutscheMark, kFranc, kDollar}));
    writeFile(dir / "eurofxref.csv", "Date, GBP, USD, \n28 June 2024, 0.8457, 1.0705, \n");
    writeFile(dir / "zukunft.csv", "Date, GBP, \n01 January 2099, 0.8457, \n");
    const std::string home = "HOME=" + dir.path().string() + " XDG_CONFIG_HOME=" + dir.path().string() +
                             " XDG_DATA_HOME=" + (dir / "daten").string() + " LC_ALL=C ";
    const std::string import = "--import " + (dir / "eurofxref.csv").string();
    const fs::path job = dir / "job" / "KURSOMATIK.DAT";
    const auto named = [](const fs::path& table) { return "\nTabelle: „" + table.string() + "“\n"; };
    const std::string table = named(data / "KURSOMATIK.DAT");
    const std::string added =
        "Referenzkurse vom 28.06.2024: 0 Kurse aktualisiert, 1 Währung neu, 1 neuerer Kurs beibehalten.";
    for (const Started& r : std::initializer_list<Started>{
             // The data folder's table and the settings file WIN.INI names: 4 Euro decimals.
             {"100 DEM FRF", "335,39\n"},
             {"1,000 DEM FRF", "3,353.86\n", "", 0, ".", "LC_ALL=en_US.UTF-8"},
             {"1 DEM FRF", "", (dir / "leer" / "Kursomatik" / "KURSOMATIK.DAT").string(), 2, ".",
              "XDG_DATA_HOME=" + (dir / "leer").string()},
             {"--import " + (dir / "zukunft.csv").string(), "",
              "Ihre Kurse sind vom 01.01.2099, heute ist aber erst der", 1},
             // A nightly job imports the day's reference rates into that table, newer ones only when told;
             // the next call uses them. The summary names the table it changed.
             {"--tabelle " + (data / "KURSOMATIK.DAT").string() + " " + import, added + table},
             {"--ueberschreiben --import=" + (dir / "eurofxref.csv").string(),
              "Referenzkurse vom 28.06.2024: 1 Kurs aktualisiert, 1 Kurs unverändert." + table},
             {"100 USD GBP", "79,00\n"},
             {import, "Keine neuen Kurse: 2 Kurse unverändert." + table, "", 0, "daten/Kursomatik"},
             // Started where a stray copy lies: the import says which table it takes; a conversion is silent.
             {import, added + named(job),
              "Hinweis: Es gilt die Tabelle „" + job.string() + "“ im aktuellen Ordner, nicht „" +
                  (data / "KURSOMATIK.DAT").string() + "“ im Datenordner",
              0, "job"},
             {"100 USD GBP", "71,71\n", "", 0, "job"},
             // Named, it needs no note.
             {"--tabelle KURSOMATIK.DAT " + import,
              "Keine neuen Kurse: 1 Kurs unverändert, 1 neuerer Kurs beibehalten." + named(job), "", 0,
              "job"},
         }) {
        const fs::file_time_type iniBefore = fs::last_write_time(dir / "meine.ini");
        const Ran ran = run(dir, "cd " + (dir / r.folder).string() + " && env -i " + home + r.environment +
                                     " " KURSOMATIK_RECHNER " " + r.args);
        EXPECT_EQ(ran.status, r.status) << r.args;
        EXPECT_EQ(ran.out, r.out) << r.args;
        EXPECT_TRUE(r.err.empty() ? ran.err.empty() : ran.err.find(r.err) != std::string::npos)
            << r.args << ": " << ran.err;
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

// Every output goes to stdout through one check at the end: a result that cannot be written is an
// error, whether the last piece or an earlier one was lost; the same runs into /dev/null succeed.
TEST(Command, AnOutputThatCannotBeWrittenEndsWithAMessageAndStatus2InEveryMode) {
    TempDir dir;
    std::vector<Currency> many{kEuro};
    for (int i = 0; i < 120; ++i)
        many.push_back({"Währung " + std::to_string(i), "W" + std::to_string(i), "2000000"});
    writeFile(dir / "viele.dat", tableBytes(many));  // a list longer than stdio's buffer
    writeFile(dir / "KURSOMATIK.DAT", tableBytes({kDeutscheMark, kEuro, kDollar}));
    writeFile(dir / "k.csv", "Date, USD, \n28 June 2024, 1.0705, \n");
    for (const std::string args : {"--json --euro-stellen 3 --stellen 2 100 DEM EUR",
                                   "--liste --tabelle viele.dat", "--help", "--import k.csv"}) {
        for (const std::string sink : {"/dev/full", "/dev/null"}) {
            const Ran ran = run(dir, "env -i HOME=" + dir.path().string() +
                                         " LC_ALL=C " KURSOMATIK_RECHNER " " + args + " >" + sink);
            EXPECT_EQ(ran.status, sink == "/dev/full" ? 2 : 0) << args << sink;
            EXPECT_EQ(ran.err, sink == "/dev/full" ? "kursomatik-rechner: Die Ausgabe kann nicht geschrieben "
                                                     "werden: Auf dem Datenträger ist kein Platz mehr frei.\n"
                                                   : "")
                << args << sink;
        }
    }
}

}  // namespace
}  // namespace kursomatik::testsupport
