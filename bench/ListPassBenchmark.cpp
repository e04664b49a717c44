// SPDX-License-Identifier: GPL-3.0-or-later
// The list pass over files of 10, 100 and 999 records, the conversion routine, and the core part of
// the pass alone. Run: build/bench/bin/bench_listpass (configure with -DKURSOMATIK_BENCHMARKS=ON).
#include <benchmark/benchmark.h>

#include "app/TableWatcher.h"
#include "bench/BenchProgram.h"
#include "conversion/Berechnen.h"
#include "conversion/Decimals.h"
#include "store/CurrencyLists.h"

namespace kursomatik {
namespace {

void RefreshtheLists(benchmark::State& s) {
    bench::BenchProgram program(static_cast<int>(s.range(0)));
    program.state.selection.sStartauswahl = "0";
    for (auto _ : s) program.main->RefreshtheLists();
}
BENCHMARK(RefreshtheLists)->Arg(10)->Arg(100)->Arg(999)->Unit(benchmark::kMillisecond);

// The main window's refresh after another program rewrote its table (the watcher's settling delay
// left out): the start currencies read afresh, the list pass, the chosen currencies found again by
// code and name, and the result computed again.
void RefreshAfterAChangeOnDisk(benchmark::State& s) {
    bench::BenchProgram program(static_cast<int>(s.range(0)));
    program.memberWindow().close();  // an open maintenance window would put the refresh off
    auto* watcher = program.main->findChild<TableWatcher*>();
    for (auto _ : s) emit watcher->changed();
}
BENCHMARK(RefreshAfterAChangeOnDisk)->Arg(999)->Unit(benchmark::kMillisecond);

void FillRecordsOnly(benchmark::State& s) {
    testsupport::TempDir dir;
    testsupport::writeFile(dir / kCurrencyFileName,
                           testsupport::tableBytes(bench::largeTable(static_cast<int>(s.range(0)))));
    const RegionalSettings regional = RegionalSettings::german();
    RecordFileState file;
    for (auto _ : s) {
        CurrencyLists lists;
        file.iDateiNr.open(kCurrencyFileName, false);
        for (long n = 1; n <= s.range(0); ++n) fillRecordInLists(lists, file, n, regional);
        file.iDateiNr.close();
        benchmark::DoNotOptimize(lists);
    }
}
BENCHMARK(FillRecordsOnly)->Arg(999)->Unit(benchmark::kMillisecond);

void Conversion(benchmark::State& s) {
    const RegionalSettings regional = RegionalSettings::german();
    BerechnenInput input;
    input.betragText = "1.234,56";
    input.cyEingabeKurs = Money::fromWhole(1955830);
    input.cyAusgabeKurs = Money::fromWhole(1936270000);
    input.dStellen1 = kEuroDecimals[0].factor;
    input.dStellen2 = kResultDecimals[0].factor;
    for (auto _ : s) benchmark::DoNotOptimize(Berechnen(input, regional));
}
BENCHMARK(Conversion);

}  // namespace
}  // namespace kursomatik

int main(int argc, char** argv) {
    return kursomatik::bench::runBenchmarks(argc, argv);
}
