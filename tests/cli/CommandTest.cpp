// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>

#include "tests/support/ProgramHarness.h"

namespace kursomatik::testsupport {
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
    for (const std::string args :
         {"--euro-stellen 3 --stellen 2 100 DEM EUR", "--json --euro-stellen 3 --stellen 2 100 DEM EUR",
          "--liste", "--liste --tabelle viele.dat", "--help", "--import k.csv"}) {
        for (const std::string sink : {"/dev/full", "/dev/null"}) {
            const std::string command = "cd " + dir.path().string() +
                                        " && env -i HOME=" + dir.path().string() +
                                        " LC_ALL=C " KURSOMATIK_RECHNER " " + args + " >" + sink + " 2>err";
            const int status = std::system(command.c_str());
            EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, sink == "/dev/full" ? 2 : 0)
                << args << sink;
            EXPECT_EQ(readFile(dir / "err"), sink == "/dev/full"
                                                 ? "kursomatik-rechner: Die Ausgabe kann nicht "
                                                   "geschrieben werden: Auf dem Datenträger ist "
                                                   "kein Platz mehr frei.\n"
                                                 : "")
                << args << sink;
        }
    }
}

// The command run as from a shell after `ulimit -f`, with SIGXFSZ as at a fresh login: -signal when one
// ended it.
struct Limited {
    int status;
    std::string out;
    std::string err;
};
Limited runUnderLimit(const std::vector<std::string>& args, rlim_t bytes, const std::string& home) {
    std::vector<std::string> words{KURSOMATIK_RECHNER};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv, envp;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    std::string variables[] = {"HOME=" + home, "LC_ALL=C"};
    for (std::string& variable : variables) envp.push_back(variable.data());
    envp.push_back(nullptr);
    int out[2], err[2];
    if (::pipe(out) != 0 || ::pipe(err) != 0) return {-1, {}, "no pipe"};
    const pid_t child = ::fork();
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_DFL);
        const rlimit limit{bytes, bytes};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::dup2(out[1], 1);
        ::dup2(err[1], 2);
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    ::close(out[1]);
    ::close(err[1]);
    Limited run{-1, {}, {}};
    char bytesRead[4096];
    for (const auto& [fd, text] : {std::pair{out[0], &run.out}, std::pair{err[0], &run.err}}) {
        for (ssize_t n; (n = ::read(fd, bytesRead, sizeof bytesRead)) > 0;) text->append(bytesRead, n);
        ::close(fd);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : WIFSIGNALED(status) ? -WTERMSIG(status) : -1;
    return run;
}

// A nightly import under a file-size limit that the new table would pass: the old table stays whole and
// the temporary file goes, wherever the limit lies below the new size; at the new size it is imported.
TEST(Command, AnImportOverTheFileSizeLimitLeavesTheTableAsItWas) {
    TempDir dir;
    const std::string table = tableBytes({kDeutscheMark, kEuro, kDollar});
    writeFile(dir / "k.csv",
              "Date, USD, JPY, GBP, CHF, SEK, NOK, DKK, \n"
              "28 June 2024, 1.0705, 171.94, 0.8457, 0.9603, 11.3675, 11.4005, 7.4575, \n");
    const rlim_t imported = table.size() + 6 * kRecordLength;
    for (const rlim_t limit : {rlim_t{1}, rlim_t{table.size()}, imported - 1, imported}) {
        writeFile(dir / "KURSOMATIK.DAT", table);
        const Limited run = runUnderLimit(
            {"--tabelle", (dir / "KURSOMATIK.DAT").string(), "--import", (dir / "k.csv").string()}, limit,
            dir.path().string());
        const bool fits = limit == imported;
        EXPECT_EQ(run.status, fits ? 0 : 2) << limit << ": " << run.err;
        EXPECT_EQ(run.err.find("Die Datei würde zu groß") != std::string::npos, !fits) << limit << run.err;
        EXPECT_EQ(run.out.starts_with("Referenzkurse vom 28.06.2024: 0 Kurse aktualisiert, 6 Währungen neu"),
                  fits)
            << run.out;
        const std::string after = readFile(dir / "KURSOMATIK.DAT");
        EXPECT_TRUE(fits ? after.size() == imported : after == table) << limit;
        EXPECT_FALSE(fs::exists(dir / "KURSOMATIK.TMP")) << limit;
    }
}

}  // namespace
}  // namespace kursomatik::testsupport
