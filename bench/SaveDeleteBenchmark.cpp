// SPDX-License-Identifier: GPL-3.0-or-later
// Saving and deleting a currency in the record editor on a file of 999 records, each including the
// list pass that follows, and the file rewrite of the deletion alone. Goal: under 20 ms each.
// Run: build/bin/bench_save_delete (configure with -DKURSOMATIK_BENCHMARKS=ON).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QLineEdit>

#include "bench/BenchProgram.h"
#include "maintenance/frmEingabe2.h"
#include "maintenance/frmUmtauschkurse.h"
#include "store/Compaction.h"

namespace kursomatik {
namespace {

constexpr int kRecords = 999;

// The program on 999 records.
struct Program : bench::BenchProgram {
    Program() : BenchProgram(kRecords) {}
};

// Open record 500, change its rate, "Speichern": the record is written and every list reloaded.
void BM_SaveRecordWithListPass(benchmark::State& s) {
    Program program;
    int round = 0;
    for (auto _ : s) {
        frmEingabe2& editor = program.openRecord(500);
        Program::child(&editor, "txttkurs")
            ->setText(QString::number(1 + (++round % 7)) + QStringLiteral(",5"));
        Program::press(&editor, "cmdEingabeBeenden_0");
        Program::settle();
    }
}
BENCHMARK(BM_SaveRecordWithListPass)->Unit(benchmark::kMillisecond);

// Open record 500, "Löschen", Yes: the file is rewritten without it and every list reloaded.
void BM_DeleteRecordWithListPass(benchmark::State& s) {
    Program program;
    for (auto _ : s) {
        s.PauseTiming();
        program.resetTable();
        program.main->RefreshtheLists();  // the editor takes its record count from the last pass
        ::sync();                         // the restored table must not be flushed by the timed rewrite
        s.ResumeTiming();
        Program::press(&program.openRecord(500), "cmdlöschen");
        Program::settle();
    }
}
BENCHMARK(BM_DeleteRecordWithListPass)->Unit(benchmark::kMillisecond);

// The write of the save alone: one record in place, flushed to the disk.
void BM_SaveRecordFileOnly(benchmark::State& s) {
    testsupport::TempDir dir;
    testsupport::writeFile(dir / kCurrencyFileName, testsupport::tableBytes(bench::largeTable(kRecords)));
    RecordFile file;
    (void)file.open(kCurrencyFileName);
    CurrencyRecord record = *file.read(500);
    int round = 0;
    for (auto _ : s) {
        storeField(record, &CurrencyRecord::Kurs, std::to_string(1000000 + ++round));
        if (Status written = file.write(500, record); !written) s.SkipWithError(written.error().c_str());
    }
}
BENCHMARK(BM_SaveRecordFileOnly)->Unit(benchmark::kMillisecond);

// The rewrite of the deletion alone: 998 records copied, flushed and renamed into place.
void BM_DropRecordFileOnly(benchmark::State& s) {
    testsupport::TempDir dir;
    const std::string table = testsupport::tableBytes(bench::largeTable(kRecords));
    RecordFileState state;
    for (auto _ : s) {
        s.PauseTiming();
        testsupport::writeFile(dir / kCurrencyFileName, table);
        state.lSatzAnzahl = kRecords;
        state.lAktuellerSatz = 500;
        (void)state.iDateiNr.open(kCurrencyFileName);
        (void)readCurrentRecord(state);
        ::sync();
        s.ResumeTiming();
        const CompactionOutcome outcome = dropCurrentRecord(state, kCurrencyFileName);
        if (!outcome.status) s.SkipWithError(outcome.status.error().c_str());
    }
}
BENCHMARK(BM_DropRecordFileOnly)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kursomatik

int main(int argc, char** argv) {
    return kursomatik::bench::runBenchmarks(argc, argv);
}
