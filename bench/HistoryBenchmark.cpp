// SPDX-License-Identifier: GPL-3.0-or-later
// The rate history: the import of a full history file (about 7,000 days of 41 currencies) into a
// new KURSVERLAUF.DB and into one that holds it already, and the rate of a day.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "history/RateOfDay.h"
#include "settings/Locations.h"
#include "tests/rates/HistoryFiles.h"
#include "tests/support/TempDir.h"

namespace kursomatik {
namespace {

namespace fs = std::filesystem;

struct Files {
    Files() { testsupport::writeFile(dir / "eurofxref-hist.csv", testsupport::historyCsv()); }
    fs::path history() const { return dir / kHistoryFileName; }
    testsupport::TempDir dir;
};

// Reading the file and writing every day into the history, as --import does after the table.
Status importFile(const Files& files) {
    const auto days = readReferenceHistory(files.dir / "eurofxref-hist.csv");
    if (!days) return days.status();
    auto store = HistoryStore::openForImport(files.history());
    if (!store) return store.status();
    const auto summary = (*store).import(*days);
    return summary ? Status::ok() : summary.status();
}

void ImportNewHistory(benchmark::State& s) {
    Files files;
    for (auto _ : s) {
        s.PauseTiming();
        fs::remove(files.history());
        s.ResumeTiming();
        if (Status done = importFile(files); !done) s.SkipWithError(done.error().c_str());
    }
    s.counters["MB"] = static_cast<double>(fs::file_size(files.history())) / 1e6;
}
BENCHMARK(ImportNewHistory)->Unit(benchmark::kMillisecond)->UseRealTime();

void ImportSameHistoryAgain(benchmark::State& s) {
    Files files;
    importFile(files);
    for (auto _ : s) {
        if (Status done = importFile(files); !done) s.SkipWithError(done.error().c_str());
    }
}
BENCHMARK(ImportSameHistoryAgain)->Unit(benchmark::kMillisecond)->UseRealTime();

// The rate of a day on an open history, for days spread over the years (weekends among them).
void RateOfADay(benchmark::State& s) {
    Files files;
    importFile(files);
    const auto store = HistoryStore::openForReading(files.history());
    int n = 0;
    for (auto _ : s) {
        const CivilDate day = addDays({1999, 1, 10}, (n++ * 367) % 9800);
        const auto rate = rateOfDay(*store, testsupport::kCodes[static_cast<std::size_t>(n) % 41], day);
        if (!rate) s.SkipWithError(rate.error().c_str());
        benchmark::DoNotOptimize(rate);
    }
}
BENCHMARK(RateOfADay)->Unit(benchmark::kMicrosecond);

// The same with opening the file first, as each `--datum` does.
void OpenAndRateOfADay(benchmark::State& s) {
    Files files;
    importFile(files);
    for (auto _ : s) {
        const auto store = HistoryStore::openForReading(files.history());
        const auto rate = rateOfDay(*store, "USD", {2019, 3, 16});
        if (!rate || !*rate) s.SkipWithError("no rate");
    }
}
BENCHMARK(OpenAndRateOfADay)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kursomatik

BENCHMARK_MAIN();
