// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/RateChartView.h"

#include <QDateTime>
#include <QDateTimeAxis>
#include <QKeyEvent>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>

namespace kursomatik {

double chartX(const CivilDate& day) {
    return static_cast<double>(
        QDateTime(QDate(day.year, day.month, day.day), QTime(0, 0), Qt::UTC).toMSecsSinceEpoch());
}

RateChartView::RateChartView(QWidget* parent, bool decimalComma) : QChartView(parent) {
    auto* chart = new QChart;
    chart->setLocale(decimalComma ? QLocale(QLocale::German) : QLocale(QLocale::English));
    chart->setLocalizeNumbers(true);
    chart->legend()->hide();
    chart->setMargins(QMargins(4, 4, 4, 4));
    // A dark desktop gets the dark drawing, so the chart does not glare beside the other windows.
    if (palette().color(QPalette::Window).lightness() < 128) chart->setTheme(QChart::ChartThemeDark);
    floating_ = new QLineSeries(chart);
    fixed_ = new QLineSeries(chart);
    marker_ = new QScatterSeries(chart);
    QPen dashed = fixed_->pen();
    dashed.setStyle(Qt::DashLine);
    fixed_->setPen(dashed);
    marker_->setMarkerSize(9);
    days_ = new QDateTimeAxis(chart);
    days_->setFormat(QStringLiteral("MM.yyyy"));
    rates_ = new QValueAxis(chart);
    chart->addAxis(days_, Qt::AlignBottom);
    chart->addAxis(rates_, Qt::AlignLeft);
    for (QXYSeries* series : std::initializer_list<QXYSeries*>{floating_, fixed_, marker_}) {
        chart->addSeries(series);
        series->attachAxis(days_);
        series->attachAxis(rates_);
    }
    setChart(chart);
    unfocusedFrame_ = chart->backgroundPen();
    setRenderHint(QPainter::Antialiasing);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    // The plot's width decides how many points are drawn: a new width, a new thinning.
    connect(chart, &QChart::plotAreaChanged, this, [this](const QRectF& area) {
        if (static_cast<int>(area.width()) != drawnWidth_) draw();
    });
}

void RateChartView::showRates(std::span<const CrossRate> points, std::optional<CivilDate> fixedSince) {
    points_ = points;
    fixedSince_ = fixedSince;
    cursor_ = points.empty() ? 0 : points.size() - 1;
    if (points.empty()) return;
    const auto [low, high] = std::minmax_element(
        points.begin(), points.end(), [](const auto& a, const auto& b) { return a.rate < b.rate; });
    // A flat line gets a margin, so it is not drawn on the frame.
    const double margin = std::max((high->rate - low->rate) * 0.05, high->rate * 0.001);
    rates_->setRange(low->rate - margin, high->rate + margin);
    // A single day would give the time axis no length: it gets a day on either side.
    const auto first = static_cast<qint64>(chartX(points.front().day));
    const auto last = static_cast<qint64>(chartX(points.back().day));
    const qint64 pad = first == last ? 24 * 3600 * 1000 : 0;
    days_->setRange(QDateTime::fromMSecsSinceEpoch(first - pad, Qt::UTC),
                    QDateTime::fromMSecsSinceEpoch(last + pad, Qt::UTC));
    days_->setTickCount(pad > 0 ? 3 : 5);  // Qt's 5 otherwise; three days have three labels
    days_->setFormat(points.back().day.year - points.front().day.year >= 2 ? QStringLiteral("yyyy")
                                                                           : QStringLiteral("dd.MM.yy"));
    draw();
    moveCursorTo(cursor_);
}

void RateChartView::draw() {
    drawnWidth_ = static_cast<int>(chart()->plotArea().width());
    // Before the first layout the plot has no width yet: the window's width stands in.
    const int columns = drawnWidth_ > 0 ? drawnWidth_ : width();
    const auto split = std::find_if(points_.begin(), points_.end(), [this](const CrossRate& p) {
        return fixedSince_ && p.day >= *fixedSince_;
    });
    QList<QPointF> floating, fixed;
    const std::span<const CrossRate> before(points_.begin(), split);
    for (const CrossRate& p : thinOut(before, columns)) floating.append({chartX(p.day), p.rate});
    if (split != points_.end()) {
        // The fixed line starts where the floating one ends, so the two join.
        if (!floating.isEmpty()) fixed.append(floating.back());
        fixed.append({chartX(split->day), split->rate});
        fixed.append({chartX(points_.back().day), points_.back().rate});
    }
    floating_->replace(floating);
    floating_->setPointsVisible(floating.size() == 1);  // a line of one point draws nothing
    fixed_->replace(fixed);
}

int RateChartView::drawnPoints() const {
    return static_cast<int>(floating_->count() + fixed_->count());
}

void RateChartView::moveCursorTo(std::size_t index) {
    if (points_.empty()) return;
    cursor_ = std::min(index, points_.size() - 1);
    const CrossRate& p = points_[cursor_];
    marker_->replace(QList<QPointF>{{chartX(p.day), p.rate}});
    if (moved) moved(cursor_);
}

void RateChartView::focusInEvent(QFocusEvent* event) {
    chart()->setBackgroundPen(QPen(palette().color(QPalette::Highlight), 2));
    QChartView::focusInEvent(event);
}

void RateChartView::focusOutEvent(QFocusEvent* event) {
    chart()->setBackgroundPen(unfocusedFrame_);
    QChartView::focusOutEvent(event);
}

void RateChartView::keyPressEvent(QKeyEvent* event) {
    if (points_.empty()) return QChartView::keyPressEvent(event);
    switch (event->key()) {
        case Qt::Key_Left:
            return moveCursorTo(cursor_ == 0 ? 0 : cursor_ - 1);
        case Qt::Key_Right:
            return moveCursorTo(cursor_ + 1);
        case Qt::Key_Home:
            return moveCursorTo(0);
        case Qt::Key_End:
            return moveCursorTo(points_.size() - 1);
        default:
            QChartView::keyPressEvent(event);
    }
}

void RateChartView::mouseMoveEvent(QMouseEvent* event) {
    QChartView::mouseMoveEvent(event);
    if (points_.empty() || !chart()->plotArea().contains(event->position())) return;
    const double x = chart()->mapToValue(event->position(), floating_).x();
    // The day nearest to the mouse.
    const auto after = std::lower_bound(points_.begin(), points_.end(), x,
                                        [](const CrossRate& p, double at) { return chartX(p.day) < at; });
    std::size_t index = static_cast<std::size_t>(after - points_.begin());
    if (after == points_.end() ||
        (after != points_.begin() && x - chartX(std::prev(after)->day) < chartX(after->day) - x))
        --index;
    moveCursorTo(index);
}

}  // namespace kursomatik
