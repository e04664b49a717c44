// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDateEdit>
#include <QDateTimeAxis>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

#include "chart/RateChartView.h"
#include "chart/frmKursverlauf.h"
#include "tests/support/RecordingWindowSystem.h"
#include "tests/support/TempDir.h"

namespace kursomatik {
namespace {

using testsupport::TempDir;

// Days chosen so that each range holds one more of them; SIT floats up to its fixing.
const std::string kCsv =
    "Date,USD,SIT,\n"
    "2019-03-18,1.1329,N/A,\n"
    "2019-03-15,1.1317,N/A,\n"
    "2019-02-20,1.1350,N/A,\n"
    "2019-01-02,1.1000,N/A,\n"
    "2016-05-02,1.2000,N/A,\n"
    "2006-12-29,1.3170,239.6400,\n"
    "2006-12-28,1.3178,239.6500,\n"
    "1999-01-04,1.1789,189.0450,\n";

struct Chart {
    // An empty `csv`: no history file at all.
    Chart(const char* von, const char* nach, std::optional<double> fixedVon = {},
          std::optional<double> fixedNach = {}, const std::string& csv = kCsv) {
        if (!csv.empty()) {
            auto store = HistoryStore::openForImport(dir / "KURSVERLAUF.DB");
            EXPECT_TRUE(store && (*store).import(*parseReferenceHistory(csv, "test.csv")));
        }
        ChartRequest request{dir / "KURSVERLAUF.DB",    von, nach, fixedVon, fixedNach, "100", 1000.0, 100.0,
                             RegionalSettings::german()};
        request.regional.today = [] { return CivilDate{2020, 1, 10}; };
        window = std::make_unique<frmKursverlauf>(std::move(request), windows);
        window->show();
    }
    template <class T = QLabel>
    T* find(const char* name) const {
        T* found = window->findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    std::string text(const char* name) const { return find(name)->text().toStdString(); }
    bool chartShown() const {
        return find<QWidget>("chtVerlauf")->isVisible() && find<QLabel>("lblHinweis")->isHidden();
    }
    TempDir dir;
    testsupport::RecordingWindowSystem windows;
    std::unique_ptr<frmKursverlauf> window;
};

TEST(ChartWindow, EachRangeShowsItsDaysAndFiguresAndIsCopiedOrSaved) {
    Chart chart("EUR", "USD");
    using Case = std::tuple<const char*, int, std::string, std::string>;
    for (const auto& [option, rows, lowest, highest] :
         {Case{"optMonat", 3, "1,1317 am 15.03.2019", "1,135 am 20.02.2019"},
          Case{"optJahr", 4, "1,1 am 02.01.2019", "1,135 am 20.02.2019"},
          Case{"optFuenfJahre", 5, "1,1 am 02.01.2019", "1,2 am 02.05.2016"},
          Case{"optAlles", 8, "1,1 am 02.01.2019", "1,3178 am 28.12.2006"}}) {
        SCOPED_TRACE(option);
        chart.find<QRadioButton>(option)->click();
        EXPECT_EQ(chart.find<QTableView>("grdVerlauf")->model()->rowCount(), rows);
        EXPECT_EQ(chart.text("lblTief"), "Tiefster Kurs: " + lowest);
        EXPECT_EQ(chart.text("lblHoch"), "Höchster Kurs: " + highest);
        EXPECT_EQ(chart.text("lblLetzter"), "Letzter Kurs: 1,1329 am 18.03.2019");
        EXPECT_TRUE(chart.chartShown());
    }
    // A range copies as tab-separated text.
    chart.find<QRadioButton>("optMonat")->click();
    chart.find<QPushButton>("cmdKopieren")->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(),
              "Tag\tUSD je 1 EUR\n20.02.2019\t1,135\n15.03.2019\t1,1317\n18.03.2019\t1,1329\n");
    // The picture is saved as PNG, or the message says why not.
    chart.windows.chosenFile = QString::fromStdString((chart.dir / "kurs.png").string());
    chart.find<QPushButton>("cmdSpeichern")->click();
    QImage picture;
    EXPECT_TRUE(picture.load(chart.windows.chosenFile, "PNG"));
    EXPECT_GT(picture.width(), 100);
    EXPECT_TRUE(chart.windows.messages.empty());
    chart.windows.chosenFile = QString::fromStdString((chart.dir / "fehlt" / "kurs.png").string());
    chart.find<QPushButton>("cmdSpeichern")->click();
    ASSERT_EQ(chart.windows.messages.size(), 1u);
    EXPECT_TRUE(chart.windows.messages[0].text.contains("fehlt/kurs.png"));
}

TEST(ChartWindow, CursorKeysWalkTheDaysAndTellDayAndRate) {
    Chart chart("EUR", "USD");
    auto* view = chart.find<RateChartView>("chtVerlauf");
    // The window opens with the keys on the chart, framed in the highlight colour while they are.
    EXPECT_EQ(chart.window->focusWidget(), view);
    QFocusEvent in(QEvent::FocusIn), out(QEvent::FocusOut);
    QApplication::sendEvent(view, &out);
    const QPen unfocused = view->chart()->backgroundPen();
    QApplication::sendEvent(view, &in);
    EXPECT_EQ(view->chart()->backgroundPen().color(), view->palette().color(QPalette::Highlight));
    QApplication::sendEvent(view, &out);
    EXPECT_EQ(view->chart()->backgroundPen(), unfocused);
    // Given "Alles", the cursor starts on the last day.
    using Step = std::pair<Qt::Key, std::string>;
    for (const auto& [key, shown] : {Step{Qt::Key_Left, "15.03.2019: 1 EUR = 1,1317 USD"},
                                     Step{Qt::Key_Home, "04.01.1999: 1 EUR = 1,1789 USD"},
                                     Step{Qt::Key_Left, "04.01.1999: 1 EUR = 1,1789 USD"},
                                     Step{Qt::Key_Right, "28.12.2006: 1 EUR = 1,3178 USD"},
                                     Step{Qt::Key_End, "18.03.2019: 1 EUR = 1,1329 USD"},
                                     Step{Qt::Key_Right, "18.03.2019: 1 EUR = 1,1329 USD"}}) {
        QTest::keyClick(view, key);
        EXPECT_EQ(chart.text("lblCursor"), shown);
    }
    // The table follows the cursor for a screen reader.
    const QModelIndex row = chart.find<QTableView>("grdVerlauf")->currentIndex();
    EXPECT_EQ(row.siblingAtColumn(0).data().toString() + " " + row.siblingAtColumn(1).data().toString(),
              "18.03.2019 1,1329");
    // The mouse over a day tells the same.
    const QPointF at = view->chart()->mapToPosition({chartX({2016, 5, 2}), 1.2});
    QTest::mouseMove(view->viewport(), view->mapFromScene(at));
    EXPECT_EQ(chart.text("lblCursor"), "02.05.2016: 1 EUR = 1,2 USD");
}

TEST(ChartWindow, UmrechnenAmTakesTheLastRateBeforeADayWithoutPublication) {
    Chart chart("USD", "EUR");
    auto* day = chart.find<QDateEdit>("dtpDatum");
    using Case = std::pair<QDate, std::string>;
    for (const auto& [date, shown] :
         {Case{{2019, 3, 16}, "100 USD am 16.03.2019 = 88,36 EUR, Kurs vom 15.03.2019"},
          Case{{2019, 3, 15}, "100 USD am 15.03.2019 = 88,36 EUR"},
          Case{{2019, 3, 30},
               "Für USD gibt es am 30.03.2019 keinen Referenzkurs, auch nicht in den 4 Tagen "
               "davor. Der Kursverlauf hat USD vom 04.01.1999 bis 18.03.2019."}}) {
        day->setDate(date);
        EXPECT_EQ(chart.text("lblUmrechnung"), shown);
    }
}

TEST(ChartWindow, MemberPairDrawsFixedLineAfterFixingAndSaysSoWhereTheRangeIsAllFixed) {
    // 1 SIT = 1.95583 / 239.64 DEM from 1 January 2007; before that through the floating tolar.
    Chart chart("SIT", "DEM", 239.64, 1.95583);
    EXPECT_TRUE(chart.chartShown());
    EXPECT_EQ(chart.text("lblLetzter"), "Letzter Kurs: 0,00816153 am 10.01.2020");
    EXPECT_EQ(chart.text("lblHoch"), "Höchster Kurs: 0,0103458 am 04.01.1999");
    chart.find<QDateEdit>("dtpDatum")->setDate({2008, 5, 3});
    EXPECT_EQ(chart.text("lblUmrechnung"), "100 SIT am 03.05.2008 = 0,82 DEM");
    chart.find<QRadioButton>("optJahr")->click();
    EXPECT_FALSE(chart.chartShown());
    EXPECT_EQ(chart.text("lblHinweis"),
              "Seit dem 01.01.2007 sind SIT und DEM fest an den Euro gebunden: 1 SIT = 0,00816153 DEM. In "
              "diesem Zeitraum ändert sich der Kurs nicht; „Alles“ zeigt den Verlauf davor.");
    EXPECT_FALSE(chart.find<QPushButton>("cmdSpeichern")->isEnabled());
    // Two currencies fixed from the first day: "Alles" has nothing more to show.
    Chart fixed("DEM", "FRF", 1.95583, 6.55957);
    EXPECT_EQ(fixed.text("lblHinweis"),
              "Seit dem 01.01.1999 sind DEM und FRF fest an den Euro gebunden: 1 DEM = 3,35385 FRF. In "
              "diesem Zeitraum ändert sich der Kurs nicht.");
    // A table rate of 0 is no fixed rate: nothing is divided by it.
    Chart unusable("SIT", "DEM", 239.64, 0.0);
    EXPECT_EQ(unusable.text("lblHinweis"), "Der Kursverlauf hat für SIT und DEM keinen gemeinsamen Tag.");
}

TEST(ChartWindow, WithoutHistoryTellsHowToGetOneAndMakesNoFile) {
    Chart chart("USD", "EUR", {}, {}, "");
    EXPECT_FALSE(chart.chartShown());
    const QString hint = chart.find("lblHinweis")->text();
    EXPECT_TRUE(hint.contains("eurofxref-hist.zip") && hint.contains("„Kurse importieren...“"))
        << hint.toStdString();
    EXPECT_FALSE(std::filesystem::exists(chart.dir / "KURSVERLAUF.DB"));
}

TEST(ChartWindow, DrawsAtMostOnePointPerColumnAndKeepsThePeaks) {
    std::vector<CrossRate> points;
    for (int d = 0; d < 7000; ++d) points.push_back({addDays({1999, 1, 4}, d), 1.0 + (d % 97) / 100.0});
    points[4321].rate = 9.0;
    points[77].rate = 0.5;
    const auto kept = thinOut(points, 600);
    EXPECT_LE(kept.size(), 600u);
    const auto figures = figuresOf(kept);
    EXPECT_EQ(figures->highest.day, points[4321].day);
    EXPECT_EQ(figures->lowest.day, points[77].day);
    EXPECT_TRUE(std::is_sorted(kept.begin(), kept.end(),
                               [](const CrossRate& a, const CrossRate& b) { return a.day < b.day; }));
}

// A single day still has an axis to stand on, and its point is drawn.
TEST(ChartWindow, OneDayIsDrawnOnAnAxisOfThreeDays) {
    Chart chart("USD", "EUR", {}, {}, "Date,USD,\n2019-03-15,1.1317,\n");
    auto* view = chart.find<RateChartView>("chtVerlauf");
    const auto* axis = qobject_cast<QDateTimeAxis*>(view->chart()->axes(Qt::Horizontal).value(0));
    ASSERT_NE(axis, nullptr);
    EXPECT_EQ(axis->min().daysTo(axis->max()), 2);
    EXPECT_EQ(view->drawnPoints(), 1);
}

TEST(ChartWindow, EscClosesAndEveryControlIsNamedForScreenReaders) {
    Chart chart("EUR", "USD");
    for (QWidget* control : chart.window->findChildren<QWidget*>()) {
        if (control->focusPolicy() == Qt::NoFocus || control->objectName().isEmpty()) continue;
        EXPECT_FALSE(control->accessibleName().isEmpty() && control->property("text").toString().isEmpty())
            << control->objectName().toStdString();
    }
    QTest::keyClick(chart.find<QDateEdit>("dtpDatum"), Qt::Key_Escape);
    EXPECT_FALSE(chart.window->isVisible());
}

}  // namespace
}  // namespace kursomatik
