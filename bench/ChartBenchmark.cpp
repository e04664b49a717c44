// SPDX-License-Identifier: GPL-3.0-or-later
// The window "Kursverlauf" from the main window's menu to the first paint of the chart on "Alles", on
// a generated history of about 7,000 days of 41 currencies (a cross pair, so both series are read).
// The first request loads the module kursomatik-verlauf.so with SQLite and Qt Charts, as a user's
// first Strg+K does (only SQLite is mapped before, by the benchmark writing the history); the later
// ones find it loaded. Goal: under 150 ms.
#include <QAbstractScrollArea>
#include <QDialog>
#include <QTableView>

#include "bench/BenchProgram.h"
#include "history/HistoryStore.h"
#include "settings/Locations.h"
#include "tests/rates/HistoryFiles.h"

namespace kursomatik {
namespace {

// Notes the first paint of the chart's drawing area.
class PaintWatch : public QObject {
  public:
    bool painted = false;
    bool eventFilter(QObject*, QEvent* event) override {
        painted = painted || event->type() == QEvent::Paint;
        return false;
    }
};

struct ChartProgram : testsupport::ProgramHarness {
    ChartProgram() {
        start({{"Schweizer Franken", "CHF", "1600000", "0"}, testsupport::kDollar},
              testsupport::kDecimalsIni);
        const auto days = parseReferenceHistory(testsupport::historyCsv(), "eurofxref-hist.csv");
        std::string notice;
        if (days) importIntoHistory(*days, dir / kHistoryFileName, RegionalSettings::german(), notice);
        choose(find<QComboBox>("txtEingabe"), QStringLiteral("US-Dollar"));
        choose(find<QComboBox>("txtAusgabe"), QStringLiteral("Schweizer Franken"));
    }
    // Strg+K up to the chart's first paint: the days in its table and the points drawn.
    std::pair<long, long> openChart() {
        trigger("Kursverlauf");
        auto* window = main->findChild<QDialog*>(QStringLiteral("frmKursverlauf"));
        auto* view = window->findChild<QAbstractScrollArea*>(QStringLiteral("chtVerlauf"));
        PaintWatch watch;
        view->viewport()->installEventFilter(&watch);
        while (!watch.painted) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        view->viewport()->removeEventFilter(&watch);
        return {window->findChild<QTableView*>(QStringLiteral("grdVerlauf"))->model()->rowCount(),
                view->property("drawnPoints").toInt()};
    }
};

// One program for both benchmarks, so that only the first request loads the module; it ends with
// the process (by the time static objects go, Qt has gone).
ChartProgram& program() {
    static auto* made = new ChartProgram;
    return *made;
}

void Chart(benchmark::State& s) {
    ChartProgram& p = program();
    std::pair<long, long> shown;
    for (auto _ : s) shown = p.openChart();
    s.counters["days"] = static_cast<double>(shown.first);
    s.counters["drawn"] = static_cast<double>(shown.second);
}
BENCHMARK(Chart)
    ->Name("FirstRequestLoadingTheModule")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(Chart)->Name("LaterRequests")->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace kursomatik

int main(int argc, char** argv) {
    return kursomatik::bench::runBenchmarks(argc, argv);
}
