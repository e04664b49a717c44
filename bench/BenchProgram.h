// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>
#include <string>

#include "platform/Utf8.h"
#include "tests/support/ProgramHarness.h"

namespace kursomatik::bench {

// count currencies with names of 30 characters, umlauts included, members and others mixed.
inline std::vector<testsupport::Currency> largeTable(int count) {
    std::vector<testsupport::Currency> table;
    for (int n = 1; n <= count; ++n) {
        const std::string name = "Währung " + std::to_string(n * 7919 % 1000) + " Österreich äöüß ÄÖÜ";
        const std::string iso{char('A' + n % 26), char('A' + n / 26 % 26), char('A' + n / 676)};
        table.push_back({utf8::mid(name + std::string(30, 'x'), 0, 30), iso,
                         std::to_string(100000 + n * 98765), n % 3 == 0 ? "0" : "1"});
    }
    return table;
}

// The whole program started on a table of the given size, with the currency windows made (they take
// part in every list pass from then on); every question is answered with Yes.
struct BenchProgram : testsupport::ProgramHarness {
    explicit BenchProgram(int records) : table(testsupport::tableBytes(largeTable(records))) {
        windows.answerAlways = MessageResult::Yes;
        writeIni(testsupport::kDecimalsIni + "startwaehrung=5\nausgabewaehrung=7\n");
        resetTable();
        start();
        memberWindow();
    }
    void resetTable() const { testsupport::writeFile(dir / kCurrencyFileName, table); }

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
