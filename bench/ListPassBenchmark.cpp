// The list pass over files of 10, 100 and 999 records, the conversion routine, and the core part of
// the pass alone. Run: build/bench/bin/bench_listpass (configure with -DKURSOMATIK_BENCHMARKS=ON).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <filesystem>
#include <fstream>

#include "AppState.h"
#include "Berechnen.h"
#include "CurrencyLists.h"
#include "WexlorEingabe.h"
#include "WindowSystem.h"

namespace kursomatik {
namespace {

// Answers every request at once, so that only the program's own work is measured.
class SilentWindowSystem : public WindowSystem {
public:
    MessageResult message(QWidget*, const QString&, MessageButtons, MessageIcon) override { return MessageResult::Ok; }
    void showModal(QDialog*) override {}
    void showModeless(QWidget*) override {}
    void postF1() override {}
    void openHelp(int) override {}
    int openUrl(const QString&) override { return 42; }
    void endProcess() override {}
};

// n records with names of 30 characters, umlauts included, members and others mixed.
std::string tableOf(int n) {
    std::string bytes;
    for (int i = 1; i <= n; ++i) {
        CurrencyRecord r;
        const std::string name = "Währung Nr. " + std::to_string(i * 7919 % 1000) + " äöü Österreich";
        storeField(r, &CurrencyRecord::Bezeichnung, name.substr(0, 30));
        storeField(r, &CurrencyRecord::ISO, "W" + std::to_string(i % 100));
        storeField(r, &CurrencyRecord::Kurs, std::to_string(1000000 + i * 12345));
        storeField(r, &CurrencyRecord::EWWU, i % 3 == 0 ? "0" : "1");
        storeField(r, &CurrencyRecord::Datum, "05.12.2026");
        bytes += encodeRecord(r);
    }
    return bytes;
}

class Folder {
public:
    explicit Folder(int records) {
        char pattern[] = "/tmp/kursomatik-bench-XXXXXX";
        path_ = ::mkdtemp(pattern);
        std::ofstream(path_ / "KURSOMATIK.DAT", std::ios::binary) << tableOf(records);
        std::ofstream(path_ / "Kursomatik.ini") << "[Kursomatik]\nstellen1=1000\nstellen2=100\noptionen1=1\n"
                                                   "optionen2=1\nstartwaehrung=5\nausgabewaehrung=7\n";
        std::filesystem::current_path(path_);
    }
    ~Folder() { std::filesystem::remove_all(path_); }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

void RefreshtheLists(benchmark::State& s) {
    Folder folder(static_cast<int>(s.range(0)));
    SilentWindowSystem windows;
    AppState state;
    state.regional = RegionalSettings::german();
    state.environment.programDir = folder.path();
    state.environment.systemProfile = folder.path() / "WIN.INI";
    WexlorEingabe window(state, windows);
    window.Form_Load();
    state.selection.sStartauswahl = "0";
    for (auto _ : s) window.RefreshtheLists();
}
BENCHMARK(RefreshtheLists)->Arg(10)->Arg(100)->Arg(999)->Unit(benchmark::kMillisecond);

void FillRecordsOnly(benchmark::State& s) {
    Folder folder(static_cast<int>(s.range(0)));
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
    input.dStellen1 = 1000;
    input.dStellen2 = 100;
    for (auto _ : s) benchmark::DoNotOptimize(Berechnen(input, regional));
}
BENCHMARK(Conversion);

}  // namespace
}  // namespace kursomatik

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
