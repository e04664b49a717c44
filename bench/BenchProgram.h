#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <memory>
#include <string>

#include "AppState.h"
#include "CurrencyRecord.h"
#include "WexlorEingabe.h"
#include "WindowSystem.h"
#include "support/TempDir.h"

namespace kursomatik::bench {

// Answers every question with Yes and shows nothing, so only the program's own work is measured.
class AnsweringWindowSystem : public WindowSystem {
  public:
    MessageResult message(QWidget*, const QString&, MessageButtons buttons, MessageIcon) override {
        return buttons == MessageButtons::YesNo ? MessageResult::Yes : MessageResult::Ok;
    }
    void showModal(QDialog* window) override { lastModal = window; }
    void showModeless(QWidget*) override {}
    void postF1() override {}
    void openHelp(int) override {}
    int openUrl(const QString&) override { return 42; }
    void endProcess() override {}

    QPointer<QDialog> lastModal;
};

// count records with names of 30 characters, umlauts included, members and others mixed.
inline std::string tableOf(int count) {
    std::string bytes;
    for (int i = 1; i <= count; ++i) {
        CurrencyRecord r;
        storeField(r, &CurrencyRecord::Bezeichnung,
                   "Währung Nr. " + std::to_string(i * 7919 % 1000) + " äöü Österreich");
        storeField(r, &CurrencyRecord::ISO, "W" + std::to_string(i % 100));
        storeField(r, &CurrencyRecord::Kurs, std::to_string(1000000 + i * 12345));
        storeField(r, &CurrencyRecord::EWWU, i % 3 == 0 ? "0" : "1");
        storeField(r, &CurrencyRecord::Datum, "05.12.2026");
        bytes += encodeRecord(r);
    }
    return bytes;
}

// The whole program started on a table of the given size in a fresh working folder.
struct BenchProgram {
    explicit BenchProgram(int records) : table(tableOf(records)) {
        state.regional = RegionalSettings::german();
        state.regional.today = [] { return CivilDate{2026, 12, 5}; };
        state.environment.programDir = dir.path() / "programm";
        state.environment.systemProfile = dir.path() / "config" / "WIN.INI";
        std::filesystem::create_directories(state.environment.programDir);
        testing::writeFile(state.environment.programDir / "Kursomatik.ini",
                           "[Kursomatik]\nstellen1=1000\nstellen2=100\noptionen1=1\noptionen2=1\n"
                           "startwaehrung=5\nausgabewaehrung=7\n");
        resetTable();
        main = std::make_unique<WexlorEingabe>(state, windows);
        main->Form_Load();
        main->memberWindow();  // the currency windows take part in every pass from now on
    }
    void resetTable() const { testing::writeFile(dir / kCurrencyFileName, table); }

    testing::TempDir dir;
    const std::string table;
    AnsweringWindowSystem windows;
    AppState state;
    std::unique_ptr<WexlorEingabe> main;
};

// The main() of a benchmark program with windows: Qt's offscreen platform, then the benchmarks.
inline int runBenchmarks(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace kursomatik::bench
