// SPDX-License-Identifier: GPL-3.0-or-later
// The largest table the program supports, 999 currencies, driven through the windows for a long
// while: conversions of many pairs under both Euro settings against the core's own results, and a
// hundred saves and deletions in a row with file and lists compared after each step. A difference
// ends the run with an error. Run: build/bin/bench_soak (configure with -DKURSOMATIK_BENCHMARKS=ON).
#include <QCheckBox>
#include <QRadioButton>
#include <algorithm>

#include "bench/BenchProgram.h"
#include "conversion/Berechnen.h"
#include "conversion/Decimals.h"
#include "store/ListLine.h"

namespace kursomatik {
namespace {

using testsupport::Currency;

// What the lists must show for a table: its lines in list order.
QStringList expectedLines(const std::vector<Currency>& table) {
    std::vector<std::string> lines;
    for (std::size_t k = 0; k < table.size(); ++k)
        lines.push_back(
            buildListLine(decodeRecord(testsupport::recordBytes(table[k])), static_cast<long>(k + 1)));
    std::sort(lines.begin(), lines.end(),
              [](const auto& a, const auto& b) { return compareListLines(a, b) < 0; });
    QStringList out;
    for (const auto& line : lines) out << QString::fromStdString(line);
    return out;
}

QStringList shownLines(const testsupport::ProgramHarness& program) {
    QStringList shown;
    const auto* list = program.find<LineList>("lstversteckt");
    for (int k = 0; k < list->lineCount(); ++k) shown << list->line(k);
    return shown;
}

void EveryPairOfFiftyCurrenciesUnderBothEuroSettings(benchmark::State& s) {
    const std::vector<Currency> table = bench::largeTable(999);
    const QStringList lines = expectedLines(table);
    for (auto _ : s) {
        testsupport::ProgramHarness program;
        program.start(table);
        program.typeAmount("1.234,5678");
        for (const char* euroOption : {"optzw1", "optzw2"}) {
            program.trigger("Optionen");  // the dialog is made on first use
            program.find<QRadioButton>(euroOption)->click();
            program.find<QPushButton>("cmdOK")->click();
            for (int from = 0; from < 1000; from += 20) {
                program.find<QComboBox>("txtEingabe")->setCurrentIndex(from);
                for (int to = 1; to < 1000; to += 20) {
                    program.find<QComboBox>("txtAusgabe")->setCurrentIndex(to);
                    BerechnenInput input;
                    input.betragText = "1.234,5678";
                    input.cyEingabeKurs = Money::fromWhole(std::stol(lines[from].mid(41, 40).toStdString()));
                    input.cyAusgabeKurs = Money::fromWhole(std::stol(lines[to].mid(41, 40).toStdString()));
                    input.dStellen1 = kEuroDecimals[euroOption[5] - '1'].factor;
                    input.dStellen2 = kResultDecimals[0].factor;
                    if (program.result().toStdString() != *Berechnen(input, program.state.regional).wertText)
                        return s.SkipWithError("a conversion differs from the core's result");
                }
            }
        }
        if (!program.windows.messages.empty()) return s.SkipWithError("a message was shown");
    }
}
BENCHMARK(EveryPairOfFiftyCurrenciesUnderBothEuroSettings)->Unit(benchmark::kMillisecond)->Iterations(1);

void AHundredSavesAndDeletionsInARow(benchmark::State& s) {
    for (auto _ : s) {
        std::vector<Currency> table = bench::largeTable(999);
        testsupport::ProgramHarness program;
        program.windows.answerAlways = MessageResult::Yes;
        program.start(table);
        for (int step = 1; step <= 100; ++step) {
            const long changed = 1 + (step * 37L) % static_cast<long>(table.size());
            frmEingabe2& e = program.openRecord(changed);
            program.child(&e, "txtbezeichnung")
                ->setText(QString::fromUtf8("Geändert Nr. ") + QString::number(step));
            program.child(&e, "txttkurs")->setText(QString::number(step) + ",25");
            program.child(&e, "txtiso")->setText("g" + QString::number(step % 10) + "x");
            program.child<QCheckBox>(&e, "chkewwu")->setChecked(step % 2 == 0);
            program.press(&e, "cmdEingabeBeenden_0");
            program.settle();
            table[changed - 1] = {"Geändert Nr. " + std::to_string(step),
                                  "G" + std::to_string(step % 10) + "X", std::to_string(step) + "250000",
                                  step % 2 == 0 ? "1" : "0", "05.12.2026"};
            if (program.datBytes() != testsupport::tableBytes(table) ||
                shownLines(program) != expectedLines(table))
                return s.SkipWithError(
                    ("file or lists differ after the save of step " + std::to_string(step)).c_str());

            const long dropped = 1 + (step * 53L) % static_cast<long>(table.size());
            program.press(&program.openRecord(dropped), "cmdlöschen");
            program.settle();
            table.erase(table.begin() + (dropped - 1));
            if (program.datBytes() != testsupport::tableBytes(table) ||
                shownLines(program) != expectedLines(table))
                return s.SkipWithError(
                    ("file or lists differ after the deletion of step " + std::to_string(step)).c_str());
        }
        if (program.windows.messages.size() != 200u)
            s.SkipWithError("not one notice per save and one question per deletion");
    }
}
BENCHMARK(AHundredSavesAndDeletionsInARow)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace kursomatik

int main(int argc, char** argv) {
    return kursomatik::bench::runBenchmarks(argc, argv);
}
