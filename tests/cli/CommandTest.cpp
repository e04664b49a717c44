// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <chrono>

#include <csignal>
#include <cstdio>

#include "cli/Rechner.h"
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
    fs::create_directories(data), fs::create_directories(dir / "job");
    writeFile(dir / "WIN.INI", "[Kursomatik]\nIniDatei=" + (dir / "meine.ini").string() + "\n");
    // Deutsche Mark -> US-Dollar at the next start.
    const fs::path ini = dir / "meine.ini";
    writeFile(ini, "[Kursomatik]\nstellen1=10000\nstellen2=100\nstartwaehrung=0\nausgabewaehrung=2\n");
    writeFile(data / "KURSOMATIK.DAT", tableBytes({kDeutscheMark, kFranc, kDollar}));
    // A stray copy where a job starts.
    writeFile(dir / "job" / kCurrencyFileName, tableBytes({kDeutscheMark, kFranc, kDollar}));
    writeFile(dir / "eurofxref.csv", "Date, GBP, USD, \n28 June 2024, 0.8457, 1.0705, \n");
    writeFile(dir / "zukunft.csv", "Date, GBP, \n01 January 2099, 0.8457, \n");
    const std::string home = "HOME=" + dir.path().string() + " XDG_CONFIG_HOME=" + dir.path().string() +
                             " XDG_DATA_HOME=" + (dir / "daten").string() + " LC_ALL=C ";
    const std::string import = "--import " + (dir / "eurofxref.csv").string();
    const fs::path job = dir / "job" / "KURSOMATIK.DAT";
    // The summary names the table, and the history beside it gets the file's day.
    const auto named = [](const fs::path& table) {
        return "\nTabelle: „" + table.string() +
               "“\nKursverlauf: 1 Tag, 2 Kurse neu, 2 Währungen neu; 0 abweichende Kurse nicht übernommen.\n";
    };
    const std::string added =
        "Referenzkurse vom 28.06.2024: 0 Kurse aktualisiert, 1 Währung neu, 1 neuerer Kurs beibehalten.";
    for (const Started& r : std::initializer_list<Started>{
             // The data folder's table and the settings file WIN.INI names: 4 Euro decimals.
             {"100 DEM FRF", "335,39\n"},
             {"1 DEM FRF", "", (dir / "leer" / "Kursomatik" / "KURSOMATIK.DAT").string(), 2, ".",
              "XDG_DATA_HOME=" + (dir / "leer").string()},
             {"--import " + (dir / "zukunft.csv").string(), "",
              "Ihre Kurse sind vom 01.01.2099, heute ist aber erst der", 1},
             // A nightly job imports the day's reference rates into that table, newer ones only when told;
             // the summary names the table it changed.
             {"--tabelle " + (data / "KURSOMATIK.DAT").string() + " " + import,
              added + named(data / "KURSOMATIK.DAT")},
             // Started where a stray copy lies: the import says which table it takes; a conversion silently
             // uses that table's new rates.
             {import, added + named(job), "Hinweis: Es gilt die Tabelle „" + job.string() + "“ im aktuellen",
              0, "job"},
             {"100 USD GBP", "71,71\n", "", 0, "job"},
         }) {
        const fs::file_time_type iniBefore = fs::last_write_time(ini);
        const Ran ran = run(dir, "cd " + (dir / r.folder).string() + " && env -i " + home + r.environment +
                                     " " KURSOMATIK_RECHNER " " + r.args);
        EXPECT_EQ(ran.status, r.status) << r.args;
        EXPECT_EQ(ran.out, r.out) << r.args;
        EXPECT_TRUE(r.err.empty() ? ran.err.empty() : ran.err.find(r.err) != std::string::npos)
            << r.args << ": " << ran.err;
        // A new currency that sorts before the start currencies moves them, in the program's table only;
        // otherwise the settings file is not written.
        if (r.out.find("Währung neu") != std::string::npos && r.folder == ".")
            EXPECT_NE(readFile(ini).find("startwaehrung=1\nausgabewaehrung=3\n"), std::string::npos);
        else
            EXPECT_EQ(fs::last_write_time(ini), iniBefore) << r.args;
    }
    // The same file again changes nothing, so a nightly job reports no change: not even rewritten.
    fs::last_write_time(job, fs::last_write_time(job) - std::chrono::hours(1));
    const auto before = fs::last_write_time(job);
    const Ran again =
        run(dir, "cd " + job.parent_path().string() + " && env -i " + home + KURSOMATIK_RECHNER " " + import);
    EXPECT_TRUE(again.out.starts_with("Keine neuen Kurse: 1 Kurs unverändert, 1 neuerer Kurs beibehalten."))
        << again.out;
    EXPECT_EQ(fs::last_write_time(job), before);
}

// Every output goes to stdout through one check at the end: a result that cannot be written is an
// error, also where an earlier piece was lost (a list longer than stdio's buffer); into /dev/null it
// succeeds.
TEST(Command, AnOutputThatCannotBeWrittenEndsWithAMessageAndStatus2) {
    TempDir dir;
    std::vector<Currency> many{kEuro};
    for (int i = 0; i < 120; ++i)
        many.push_back({"Währung " + std::to_string(i), "W" + std::to_string(i), "2"});
    writeFile(dir / "viele.dat", tableBytes(many));
    for (const std::string sink : {"/dev/full", "/dev/null"}) {
        const Ran ran = run(dir, "env -i HOME=" + dir.path().string() +
                                     " LC_ALL=C " KURSOMATIK_RECHNER " --liste --tabelle viele.dat >" + sink);
        EXPECT_EQ(std::pair(ran.status,
                            ran.err.starts_with("kursomatik-rechner: Die Ausgabe kann nicht geschrieben")),
                  std::pair(sink == "/dev/full" ? 2 : 0, sink == "/dev/full"))
            << ran.err;
    }
}

// Under a login's `ulimit -f` (SIGXFSZ at its default, which the command must ignore) an import that
// would pass the limit fails with a message, the table stays whole and the temporary file goes. The
// rate history, written after the table, fits into no such limit: status 4, the table imported.
TEST(Command, AnImportOverTheFileSizeLimitLeavesTheTableAsItWas) {
    TempDir dir;
    const std::string table = tableBytes({kDeutscheMark, kEuro, kDollar});
    writeFile(dir / "k.csv",
              "Date, USD, JPY, GBP, CHF, SEK, NOK, DKK, \n"
              "28 June 2024, 1.0705, 171.94, 0.8457, 0.9603, 11.3675, 11.4005, 7.4575, \n");
    ::signal(SIGXFSZ, SIG_DFL);  // whatever the test was started with
    // sh counts 512-byte blocks: the old table fits into one, the imported one (9 records) into three.
    for (const int blocks : {1, 2, 3}) {
        writeFile(dir / "KURSOMATIK.DAT", table);
        const Ran ran =
            run(dir, "cd " + dir.path().string() + " && ulimit -f " + std::to_string(blocks) +
                         " && exec env -i HOME=" + dir.path().string() +
                         " LC_ALL=C " KURSOMATIK_RECHNER " --tabelle KURSOMATIK.DAT --import k.csv");
        const bool fits = blocks == 3;
        EXPECT_EQ(ran.status, fits ? kRechnerNoHistory : 2) << blocks << ": " << ran.err;
        EXPECT_NE(ran.err.find(fits ? "Die Tabelle ist übernommen, der Kursverlauf nicht."
                                    : "Die Datei würde zu groß"),
                  std::string::npos)
            << ran.err;
        EXPECT_EQ(ran.out.starts_with("Referenzkurse vom 28.06.2024: 0 Kurse aktualisiert, 6 Währungen neu"),
                  fits)
            << ran.out;
        const std::string after = readFile(dir / "KURSOMATIK.DAT");
        EXPECT_TRUE(fits ? after.size() == table.size() + 6 * kRecordLength : after == table) << blocks;
        EXPECT_FALSE(fs::exists(dir / "KURSOMATIK.TMP")) << blocks;
    }
}

}  // namespace
}  // namespace kursomatik::testsupport
