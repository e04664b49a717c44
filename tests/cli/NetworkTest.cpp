// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>

#include "net/NetworkRateDownload.h"
#include "tests/support/ProgramHarness.h"
#include "tests/support/RateServer.h"

namespace kursomatik::testsupport {
namespace {

namespace fs = std::filesystem;

const std::string kDaily =
    "<?xml version='1.0' encoding='UTF-8'?>\n<Cube><Cube time='2026-12-04'>\n"
    "<Cube currency='USD' rate='1.1000'/><Cube currency='GBP' rate='0.8457'/></Cube></Cube>\n";

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
    if (path == "/404") return httpAnswer(404, "nicht da");
    if (path == "/500") return httpAnswer(500, "kaputt");
    if (path == "/to-http")
        return httpAnswer(302, "",
                          "Location: http://127.0.0.1:" + std::to_string(plainPort) + "/daily.xml\r\n");
    if (path == "/to-https") return httpAnswer(301, "", "Location: " + self + "/daily.xml\r\n");
    if (path == "/big") return {"HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + std::string(3 << 20, 'x')};
    if (path == "/slow") return {"", 0, true};
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
    std::string failure;  // a part of the message; empty: the daily file comes
    bool trusted = true;
    int seconds = 5;
};

// Every way a request can end, through the download the command uses.
TEST_F(Network, EveryFailureIsAGermanMessageNamingItsCause) {
    fs::path closed;
    for (const Fetch& f : std::initializer_list<Fetch>{
             {secure->url("/daily.xml"), ""},
             {secure->url("/to-https"), ""},
             {plain->url("/daily.xml"), ""},  // plain http to this machine only
             {"http://www.ecb.europa.eu/daily.xml", "unverschlüsselt (http)"},
             {"ftp://127.0.0.1/daily.xml", "keine Internetadresse"},
             {secure->url("/to-http"), "eine unverschlüsselte Adresse. Kursomatik folgt nur https"},
             {secure->url("/404"), "HTTP-Status 404"},
             {secure->url("/500"), "HTTP-Status 500"},
             {secure->url("/big"), "größer als 2 MiB"},
             {secure->url("/slow"), "nicht innerhalb von 1 Sekunden", true, 1},
             {secure->url("/cut"), "brach ab, bevor die Datei vollständig war"},
             {secure->url("/daily.xml"), "keiner vertrauenswürdigen Stelle", false},
             {"https://localhost:" + std::to_string(secure->port()) + "/daily.xml", ""},
             {"http://127.0.0.1:1/daily.xml", "hat die Verbindung abgelehnt"},
             {"https://kurse.invalid/daily.xml", "„kurse.invalid“ wurde nicht gefunden"},
         }) {
        DownloadRequest request{f.url, f.seconds, f.trusted ? caFile() : "", {}, {}};
        const auto answer = downloadNow(request);
        if (f.failure.empty()) {
            ASSERT_TRUE(answer) << f.url << ": " << answer.error();
            EXPECT_EQ(answer->body, kDaily);
            EXPECT_EQ(answer->etag, "\"v1\"");
        } else {
            ASSERT_FALSE(answer) << f.url;
            EXPECT_NE(answer.error().find(f.failure), std::string::npos) << f.url << ": " << answer.error();
        }
    }
    // A CA file that holds no certificate is named.
    const auto wrongCa = downloadNow({secure->url("/daily.xml"), 5, "/dev/null", {}, {}});
    EXPECT_TRUE(!wrongCa && wrongCa.error().find("„/dev/null“ (kurszertifikate)") != std::string::npos);
    // The validators go with the request, and an unchanged file is not sent again.
    const auto unchanged = downloadNow({secure->url("/daily.xml"), 5, caFile(), "\"v1\"", "x"});
    EXPECT_TRUE(unchanged && unchanged->notModified && unchanged->body.empty());
    EXPECT_EQ(secure->requests().back().headers["if-modified-since"], "x");
}

// A proxy that wants a password is named as such, whatever the source.
TEST_F(Network, AProxyAskingForAPasswordIsToldInGerman) {
    RateServer proxy([](const ServedRequest&) {
        return httpAnswer(407, "", "Proxy-Authenticate: Basic realm=\"firma\"\r\n");
    });
    qputenv("https_proxy", proxy.url("").c_str());
    const auto answer = downloadNow({"https://kurse.example/daily.xml", 5, caFile(), {}, {}});
    qunsetenv("https_proxy");
    ASSERT_FALSE(answer);
    EXPECT_NE(answer.error().find("Der Proxy verlangt eine Anmeldung (407)"), std::string::npos)
        << answer.error();
    EXPECT_EQ(proxy.requests().at(0).method, "CONNECT");
}

struct Ran {
    int status;
    std::string out, err;
};

// The nightly job: the real command, its settings naming the source and the extra CA.
TEST_F(Network, TheCommandUpdatesOnceAndThenSaysNothingIsNew) {
    TempDir dir;
    const fs::path table = dir / "KURSOMATIK.DAT";
    const std::string before = tableBytes({kDeutscheMark, kEuro, kDollar});
    writeFile(table, before);
    const auto run = [&](const std::string& source) {
        writeFile(dir / "WIN.INI", "[Kursomatik]\nIniDatei=" + (dir / "k.ini").string() + "\n");
        std::string ini = readFile(dir / "k.ini");
        if (ini.empty()) ini = kDecimalsIni + "kurszertifikate=" + caFile() + "\nkurszeit=2\n";
        const std::size_t at = ini.find("kursquelle=");
        if (at != std::string::npos) ini.erase(at, ini.find('\n', at) - at + 1);
        writeFile(dir / "k.ini", ini + "kursquelle=" + secure->url(source) + "\n");
        const std::string command =
            "HOME=" + dir.path().string() + " XDG_CONFIG_HOME=" + dir.path().string() +
            " XDG_CACHE_HOME=" + (dir / "cache").string() + " LC_ALL=C " + KURSOMATIK_RECHNER " --tabelle " +
            table.string() + " --aktualisieren 2>" + (dir / "err").string();
        FILE* pipe = ::popen(command.c_str(), "r");
        std::string out;
        for (int c; (c = std::fgetc(pipe)) != EOF;) out += static_cast<char>(c);
        const int status = ::pclose(pipe);
        return Ran{WIFEXITED(status) ? WEXITSTATUS(status) : -1, out, readFile(dir / "err")};
    };
    const auto modified = [&] {
        struct stat info {};
        ::stat(table.c_str(), &info);
        return info.st_mtim.tv_sec * 1000000000L + info.st_mtim.tv_nsec;
    };
    // Failures leave the table as it was: the network's with 3, a file that is no rate file with 1.
    for (const auto& [source, status, message] : {std::tuple{"/500", 3, "HTTP-Status 500"},
                                                  {"/hello", 1, "keine Referenzkursdatei"},
                                                  {"/slow", 3, "nicht innerhalb von 2 Sekunden"}}) {
        const Ran ran = run(source);
        EXPECT_EQ(ran.status, status) << source << ran.err;
        EXPECT_NE(ran.err.find(message), std::string::npos) << ran.err;
        EXPECT_EQ(readFile(table), before);
    }
    const Ran first = run("/daily.xml");
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_TRUE(first.out.starts_with("Referenzkurse vom 04.12.2026: 1 Kurs aktualisiert, 1 Währung neu.\n"))
        << first.out;
    EXPECT_NE(readFile(dir / "k.ini").find("kursquelle_etag=\"v1\"\n"), std::string::npos);
    // Again: a conditional request, "not modified", the table not even rewritten.
    const std::string updated = readFile(table);
    const long stamp = modified();
    const Ran second = run("/daily.xml");
    EXPECT_TRUE(second.status == 0 && second.out.starts_with("Keine neuen Kurse: 2 Kurse unverändert.\n"))
        << second.out;
    EXPECT_EQ(secure->requests().back().headers.count("if-none-match"), 1U);
    EXPECT_TRUE(readFile(table) == updated && modified() == stamp);
    // A table restored from a backup no longer holds that answer: the file is fetched whole again.
    writeFile(table, before);
    const Ran third = run("/daily.xml");
    EXPECT_EQ(secure->requests().back().headers.count("if-none-match"), 0U);
    // The same summary of the table; the history holds that day already.
    const auto tableLines = [](const std::string& out) { return out.substr(0, out.find("Kursverlauf")); };
    EXPECT_EQ(tableLines(third.out), tableLines(first.out));
    EXPECT_TRUE(
        first.out.ends_with("\nKursverlauf: 1 Tag, 2 Kurse neu, 2 Währungen neu; 0 abweichende Kurse "
                            "nicht übernommen.\n"))
        << first.out;
    EXPECT_TRUE(
        third.out.ends_with("\nKursverlauf: 1 Tag, 0 Kurse neu, 0 Währungen neu; 0 abweichende Kurse "
                            "nicht übernommen.\n"))
        << third.out;
}

}  // namespace
}  // namespace kursomatik::testsupport
