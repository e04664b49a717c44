// SPDX-License-Identifier: GPL-3.0-or-later
// The program's "Kurse importieren..." of a full history file (every working day since 1999, 41
// currencies, CSV) up to its summary: the table's import, then every day into a new KURSVERLAUF.DB
// through the module kursomatik-verlauf.so (its loading included in the first run). Goal: under 2 s.
// Run: build/bench/bin/bench_program_history (configure with -DKURSOMATIK_BENCHMARKS=ON).
#include <filesystem>

#include "bench/BenchProgram.h"
#include "settings/Locations.h"
#include "tests/rates/HistoryFiles.h"

namespace kursomatik {
namespace {

void ProgramImportsFullHistory(benchmark::State& s) {
    bench::BenchProgram program(10);
    const std::filesystem::path file = program.dir / "eurofxref-hist.csv";
    testsupport::writeFile(file, testsupport::historyCsv());
    program.windows.chosenFile = QString::fromStdString(file.string());
    frmWeitereW& window = program.otherWindow();
    for (auto _ : s) {
        s.PauseTiming();
        std::filesystem::remove(program.dir / kHistoryFileName);
        program.resetTable();
        program.windows.messages.clear();
        s.ResumeTiming();
        program.press(&window, "cmdImport");
        if (program.windows.messages.empty() ||
            !program.windows.messages.back().text.contains(QStringLiteral("Kursverlauf: 7.")))
            s.SkipWithError("no history summary");
    }
}
BENCHMARK(ProgramImportsFullHistory)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace kursomatik

int main(int argc, char** argv) {
    return kursomatik::bench::runBenchmarks(argc, argv);
}
