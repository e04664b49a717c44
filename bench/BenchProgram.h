#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>
#include <string>

#include "support/ProgramHarness.h"

namespace kursomatik::bench {

// The whole program started on a table of the given size, with the currency windows made (they take
// part in every list pass from then on); every question is answered with Yes.
struct BenchProgram : testing::ProgramHarness {
    explicit BenchProgram(int records) : table(testing::tableBytes(testing::largeTable(records))) {
        windows.answerAlways = MessageResult::Yes;
        writeIni(testing::kDecimalsIni + "startwaehrung=5\nausgabewaehrung=7\n");
        resetTable();
        start();
        memberWindow();
    }
    void resetTable() const { testing::writeFile(dir / kCurrencyFileName, table); }

    const std::string table;
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
