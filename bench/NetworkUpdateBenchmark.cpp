// SPDX-License-Identifier: GPL-3.0-or-later
// The update from a local https server, from the request to the summary, as the command runs it:
// the TLS connection with its certificate check, the daily file of 30 currencies, the import and
// the atomic rewrite of the shipped table. Goal: under 300 ms.
// Run: build/benchmarks/bin/bench_network_update (configure with -DKURSOMATIK_BENCHMARKS=ON).
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <sstream>

#include "cli/Rechner.h"
#include "net/NetworkRateDownload.h"
#include "settings/Locations.h"
#include "store/RecordFile.h"
#include "tests/support/RateServer.h"
#include "tests/support/TempDir.h"

namespace kursomatik {
namespace {

using namespace testsupport;

std::string dailyFile() {
    const char* codes[] = {"USD", "JPY", "BGN", "CZK", "DKK", "GBP", "HUF", "PLN", "RON", "SEK",
                           "CHF", "ISK", "NOK", "TRY", "AUD", "BRL", "CAD", "CNY", "HKD", "IDR",
                           "ILS", "INR", "KRW", "MXN", "MYR", "NZD", "PHP", "SGD", "THB", "ZAR"};
    std::string xml = "<?xml version='1.0' encoding='UTF-8'?>\n<Cube><Cube time='2026-12-04'>\n";
    int k = 1;
    for (const char* code : codes)
        xml += "<Cube currency='" + std::string(code) + "' rate='" + std::to_string(k++) + ".25'/>\n";
    return xml + "</Cube></Cube>\n";
}

void UpdateFromLocalServer(benchmark::State& s) {
    TempDir dir;
    makeTestCertificates(dir.path());
    const std::string daily = dailyFile();
    RateServer server([&](const ServedRequest&) { return httpAnswer(200, daily); }, dir.path());
    const std::string shipped = readFile(KURSOMATIK_SHIPPED_TABLE);
    writeFile(dir / kSettingsFileName, "[Kursomatik]\nkursquelle=" + server.url("/daily.xml") +
                                           "\nkurszertifikate=" + (dir / "ca.pem").string() + "\n");
    RechnerEnvironment environment{
        RegionalSettings::german(), dir.path(), dir / kSystemProfileName, {}, dir / "kept", downloadNow};
    const std::vector<std::string> args = {"--tabelle", (dir / kCurrencyFileName).string(),
                                           "--aktualisieren"};
    for (auto _ : s) {
        s.PauseTiming();
        writeFile(dir / kCurrencyFileName, shipped);  // every round a real update
        s.ResumeTiming();
        std::ostringstream out, err;
        if (runRechner(args, environment, out, err) != kRechnerOk) s.SkipWithError(err.str().c_str());
    }
}
BENCHMARK(UpdateFromLocalServer)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kursomatik

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);  // the server's thread and the download need one
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
