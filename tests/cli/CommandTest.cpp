// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <sstream>

#include <csignal>

#include "cli/Rechner.h"
#include "net/NetworkRateDownload.h"
#include "settings/IniFile.h"
#include "tests/support/ProgramHarness.h"
#include "tests/support/RateServer.h"

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
        const Ran ran = runShell(dir, "cd " + (dir / r.folder).string() + " && env -i " + home +
                                          r.environment + " " KURSOMATIK_RECHNER " " + r.args);
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
        const Ran ran =
            runShell(dir, "env -i HOME=" + dir.path().string() +
                              " LC_ALL=C " KURSOMATIK_RECHNER " --liste --tabelle viele.dat >" + sink);
        EXPECT_EQ(std::pair(ran.status,
                            ran.err.starts_with("kursomatik-rechner: Die Ausgabe kann nicht geschrieben")),
                  std::pair(sink == "/dev/full" ? 2 : 0, sink == "/dev/full"))
            << ran.err;
    }
}

// Under a login's `ulimit -f` (SIGXFSZ at its default, which the command must ignore) an import that
// would pass the limit fails with a message and the table stays whole. The
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
            runShell(dir, "cd " + dir.path().string() + " && ulimit -f " + std::to_string(blocks) +
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
    }
}

// As large as a download may be, its last byte closing the document: the copy kept for "not
// modified" is read back whole or it is no rate file.
const std::string kDailyStart =
    "<?xml version='1.0' encoding='UTF-8'?>\n<Cube><Cube time='2026-12-04'>\n"
    "<Cube currency='USD' rate='1.1000'/><Cube currency='GBP' rate='0.8457'/></Cube>";
const std::string kDaily = kDailyStart + std::string((2 << 20) - kDailyStart.size() - 7, '\n') + "</Cube>";

// The source's answers: the daily file (with validators, and "not modified" for them), statuses,
// redirects, too much, too slow and cut off.
ServedAnswer serve(const ServedRequest& request, int plainPort, const std::string& self) {
    const std::string validators = "ETag: \"v1\"\r\nLast-Modified: Fri, 04 Dec 2026 15:00:00 GMT\r\n";
    const std::string& path = request.path;
    if (path == "/daily.xml") {
        const auto etag = request.headers.find("if-none-match");
        if (etag != request.headers.end() && etag->second == "\"v1\"") return httpAnswer(304, "", validators);
        return httpAnswer(200, kDaily, validators);
    }
    if (path == "/top/daily.xml") return httpAnswer(200, kDaily);
    if (path == "/top/eurofxref-hist-90d.xml")
        return httpAnswer(200,
                          "<Cube><Cube time='2026-12-04'><Cube currency='USD' rate='1.1000'/></Cube>"
                          "<Cube time='2026-12-03'><Cube currency='USD' rate='1.0900'/></Cube>"
                          "<Cube time='2026-09-10'><Cube currency='USD' rate='1.0500'/></Cube></Cube>");
    if (path == "/404") return httpAnswer(404, "nicht da");
    if (path == "/to-http")
        return httpAnswer(302, "",
                          "Location: http://127.0.0.1:" + std::to_string(plainPort) + "/daily.xml\r\n");
    if (path == "/to-https") return httpAnswer(301, "", "Location: " + self + "/daily.xml\r\n");
    if (path == "/big") return {"HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + std::string(3 << 20, 'x')};
    if (path == "/slow") return {"", true};
    if (path == "/cut") return {"HTTP/1.1 200 OK\r\nContent-Length: 2000\r\n\r\n" + kDaily.substr(0, 90)};
    if (path == "/hello") return httpAnswer(200, "Hallo");
    return httpAnswer(400, "");
}

class Network : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        certificates = new TempDir;
        makeTestCertificates(certificates->path());
        plain = new RateServer([](const ServedRequest& r) { return serve(r, 0, ""); });
        secure =
            new RateServer([](const ServedRequest& r) { return serve(r, plain->port(), secure->url("")); },
                           certificates->path());
    }
    static void TearDownTestSuite() { delete secure, delete plain, delete certificates; }
    static std::string caFile() { return (certificates->path() / "ca.pem").string(); }

    static inline TempDir* certificates = nullptr;
    static inline RateServer* plain = nullptr;
    static inline RateServer* secure = nullptr;
};

struct Fetch {
    std::string url;
    std::string failure;       // a part of the message; empty: the daily file comes
    const char* ca = nullptr;  // the extra CA file; none: the test's CA
    int seconds = 5;
    std::string proxy = {};  // https_proxy while it runs
};

// Every way a request can end, through the download the command uses.
TEST_F(Network, EveryFailureIsAGermanMessageNamingItsCause) {
    // A proxy that wants a password is named as such, whatever the source.
    RateServer proxy([](const ServedRequest&) {
        return httpAnswer(407, "", "Proxy-Authenticate: Basic realm=\"firma\"\r\n");
    });
    for (const Fetch& f : std::initializer_list<Fetch>{
             {secure->url("/to-https"), ""},
             {"http://www.ecb.europa.eu/daily.xml", "unverschlüsselt (http)"},
             {secure->url("/to-http"), "eine unverschlüsselte Adresse. Kursomatik folgt nur https"},
             {secure->url("/404"), "HTTP-Status 404"},
             {secure->url("/big"), "größer als 2 MiB"},
             {secure->url("/slow"), "nicht innerhalb von 1 Sekunden", nullptr, 1},
             {secure->url("/cut"), "brach ab, bevor die Datei vollständig war"},
             {secure->url("/daily.xml"), "keiner vertrauenswürdigen Stelle", ""},
             {secure->url("/daily.xml"), "„/dev/null“ (kurszertifikate)", "/dev/null"},
             {"http://127.0.0.1:1/daily.xml", "hat die Verbindung abgelehnt"},
             {"https://kurse.invalid/daily.xml", "„kurse.invalid“ wurde nicht gefunden"},
             {"https://kurse.example/daily.xml", "Der Proxy verlangt eine Anmeldung (407)", nullptr, 5,
              proxy.url("")},
         }) {
        if (!f.proxy.empty()) qputenv("https_proxy", f.proxy.c_str());
        const auto answer = downloadNow({f.url, f.seconds, f.ca ? f.ca : caFile(), {}, {}});
        qunsetenv("https_proxy");
        if (f.failure.empty()) {
            ASSERT_TRUE(answer) << f.url << ": " << answer.error();
            EXPECT_EQ(answer->body + answer->etag, kDaily + "\"v1\"");
        } else {
            ASSERT_FALSE(answer) << f.url;
            EXPECT_NE(answer.error().find(f.failure), std::string::npos) << f.url << ": " << answer.error();
        }
    }
    // The validators go with the request, and an unchanged file is not sent again.
    const auto unchanged = downloadNow({secure->url("/daily.xml"), 5, caFile(), "\"v1\"", "x"});
    EXPECT_TRUE(unchanged && unchanged->notModified && unchanged->body.empty());
    EXPECT_EQ(secure->requests().back().headers["if-modified-since"], "x");
}

// The nightly job: the real command, its settings naming the source and the extra CA.
TEST_F(Network, TheCommandUpdatesOnceAndThenSaysNothingIsNew) {
    TempDir dir;
    const fs::path table = dir / "KURSOMATIK.DAT";
    const std::string before = tableBytes({kDeutscheMark, kEuro, kDollar});
    writeFile(table, before);
    writeFile(dir / "WIN.INI", "[Kursomatik]\nIniDatei=" + (dir / "k.ini").string() + "\n");
    writeFile(dir / "k.ini", kDecimalsIni + "kurszertifikate=" + caFile() + "\nkurszeit=2\n");
    const auto run = [&](const std::string& source) {
        EXPECT_TRUE(writeProfileString(dir / "k.ini", "Kursomatik", "kursquelle", secure->url(source)));
        return runShell(dir, "HOME=" + dir.path().string() + " XDG_CONFIG_HOME=" + dir.path().string() +
                                 " XDG_CACHE_HOME=" + (dir / "cache").string() +
                                 " LC_ALL=C " KURSOMATIK_RECHNER " --tabelle " + table.string() +
                                 " --aktualisieren");
    };
    // Failures leave the table as it was: the network's with 3, a file that is no rate file with 1.
    for (const auto& [source, status, message] : {std::tuple{"/hello", 1, "keine Referenzkursdatei"},
                                                  {"/slow", 3, "nicht innerhalb von 2 Sekunden"}}) {
        const Ran ran = run(source);
        EXPECT_EQ(ran.status, status) << source << ran.err;
        EXPECT_NE(ran.err.find(message), std::string::npos) << ran.err;
        EXPECT_EQ(readFile(table), before);
    }
    // The history was empty, and no 90-day file lies beside this source: the day goes in all the same.
    const Ran first = run("/daily.xml");
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_NE(first.err.find("Die Kurse der letzten 90 Tage für den Kursverlauf ließen sich nicht holen: "),
              std::string::npos)
        << first.err;
    EXPECT_TRUE(first.out.starts_with("Referenzkurse vom 04.12.2026: 1 Kurs aktualisiert, 1 Währung neu.\n"))
        << first.out;
    EXPECT_NE(readFile(dir / "k.ini").find("kursquelle_etag=\"\"v1\"\"\n"), std::string::npos);
    // Again: a conditional request, "not modified", the table not even rewritten.
    // A rate imported since then that is newer than the answer's is kept, and still counts as that answer.
    std::string updated = readFile(table);
    writeFile(table, updated.replace(updated.find("04.12.2026"), 10, "05.12.2026"));
    const fs::file_time_type stamp = fs::last_write_time(table);
    const Ran second = run("/daily.xml");
    EXPECT_TRUE(second.status == 0 &&
                second.out.starts_with("Keine neuen Kurse: 1 Kurs unverändert, 1 neuerer "))
        << second.out;
    EXPECT_EQ(secure->requests().back().headers.at("if-none-match"), "\"v1\"");
    EXPECT_TRUE(readFile(table) == updated && fs::last_write_time(table) == stamp);
    // A table restored from a backup no longer holds that answer: the file is fetched whole again.
    writeFile(table, before);
    const Ran third = run("/daily.xml");
    EXPECT_EQ(secure->requests().back().headers.count("if-none-match"), 0U);
    // The same summary of the table; the history holds that day already.
    const std::string added = "1 Tag, 2 Kurse neu, 2 Währungen neu; 0 abweichende Kurse nicht übernommen.\n";
    EXPECT_TRUE(first.out.ends_with("\nKursverlauf: " + added)) << first.out;
    EXPECT_EQ(third.out, first.out.substr(0, first.out.size() - added.size()) +
                             "1 Tag, 0 Kurse neu, 0 Währungen neu; 0 abweichende Kurse nicht übernommen.\n");
}

// --aktualisieren into an empty history: the 90-day file beside the source fills it.
TEST_F(Network, TheCommandTopsUpTheHistoryFromTheNinetyDayFile) {
    TempDir dir;
    writeFile(dir / "KURSOMATIK.DAT", tableBytes({kDeutscheMark, kEuro, kDollar}));
    writeFile(dir / "Kursomatik.ini", kDecimalsIni + "kursquelle=" + plain->url("/top/daily.xml") + "\n");
    RechnerEnvironment environment{
        RegionalSettings::german(), dir.path(), dir / "WIN.INI", {}, dir / "kept", downloadNow};
    environment.regional.today = [] { return CivilDate{2026, 12, 5}; };
    std::ostringstream out, err;
    EXPECT_EQ(runRechner({"--tabelle", (dir / "KURSOMATIK.DAT").string(), "--aktualisieren"}, environment,
                         out, err),
              0);
    EXPECT_TRUE(out.str().ends_with(
        "\nKursverlauf: 3 Tage, 4 Kurse neu, 2 Währungen neu; 0 abweichende Kurse nicht übernommen.\nDer "
        "Kursverlauf war leer und hat jetzt die Kurse der letzten 90 Tage; die Kurse seit 1999 bringt die "
        "Datei eurofxref-hist.zip der EZB (kursomatik-rechner --import eurofxref-hist.zip).\n"))
        << out.str();
    EXPECT_EQ(err.str(), "");
}

}  // namespace
}  // namespace kursomatik::testsupport
