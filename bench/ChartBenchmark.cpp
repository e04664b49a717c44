// SPDX-License-Identifier: GPL-3.0-or-later
// The window "Kursverlauf": from the menu's request to the first paint of the chart on "Alles", on a
// generated history of about 7,000 days of 41 currencies (a cross pair, so both series are read).
#include <QChartView>
#include <QTableView>

#include "bench/BenchProgram.h"
#include "chart/RateChartView.h"
#include "chart/frmKursverlauf.h"
#include "tests/rates/HistoryFiles.h"
#include "tests/support/RecordingWindowSystem.h"

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

void OpenChartOnAllDays(benchmark::State& s) {
    testsupport::TempDir dir;
    {
        auto store = HistoryStore::openForImport(dir / "KURSVERLAUF.DB");
        const auto days = parseReferenceHistory(testsupport::historyCsv(), "eurofxref-hist.csv");
        if (!store || !days || !(*store).import(*days)) return s.SkipWithError("no history");
    }
    ChartRequest request{dir / "KURSVERLAUF.DB",    "USD", "CHF", {}, {}, "100", 1000.0, 100.0,
                         RegionalSettings::german()};
    request.regional.today = [] { return CivilDate{2025, 12, 31}; };
    testsupport::RecordingWindowSystem windows;
    long points = 0, drawn = 0;
    for (auto _ : s) {
        frmKursverlauf window(request, windows);
        auto* view = window.findChild<RateChartView*>(QStringLiteral("chtVerlauf"));
        PaintWatch watch;
        view->viewport()->installEventFilter(&watch);
        window.show();
        while (!watch.painted) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        s.PauseTiming();
        points = window.findChild<QTableView*>(QStringLiteral("grdVerlauf"))->model()->rowCount();
        drawn = view->drawnPoints();
        view->viewport()->removeEventFilter(&watch);
        s.ResumeTiming();
    }
    s.counters["days"] = static_cast<double>(points);
    s.counters["drawn"] = static_cast<double>(drawn);
}
BENCHMARK(OpenChartOnAllDays)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace kursomatik

int main(int argc, char** argv) {
    return kursomatik::bench::runBenchmarks(argc, argv);
}
