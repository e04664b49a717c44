// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChartView>
#include <QPen>
#include <functional>
#include <span>

#include "history/PairHistory.h"

class QLineSeries;
class QScatterSeries;
class QDateTimeAxis;
class QValueAxis;

namespace kursomatik {

// The drawing of one range of a pair's rates: the floating rates and, for member pairs, the fixed
// line, thinned to the plot's width; a cursor on one day, moved by the mouse and by Left, Right, Home
// and End. `moved` hears the index of the cursor's day within the range.
class RateChartView : public QChartView {
    Q_OBJECT
    // For the benchmark, which reaches the window through the module only.
    Q_PROPERTY(int drawnPoints READ drawnPoints)
  public:
    // `decimalComma`: the axis shows "0,935" as the regional settings write numbers.
    RateChartView(QWidget* parent, bool decimalComma);

    void showRates(std::span<const CrossRate> points, std::optional<CivilDate> fixedSince);
    void moveCursorTo(std::size_t index);
    std::size_t cursor() const { return cursor_; }
    // How many points the lines hold now, for the check that no column gets more than one.
    int drawnPoints() const;

    std::function<void(std::size_t)> moved;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    // The chart's frame in the highlight colour while the arrow keys move its cursor.
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void draw();

    std::span<const CrossRate> points_;
    QPen unfocusedFrame_;
    std::optional<CivilDate> fixedSince_;
    std::size_t cursor_ = 0;
    QLineSeries* floating_;
    QLineSeries* fixed_;
    QScatterSeries* marker_;
    QDateTimeAxis* days_;
    QValueAxis* rates_;
    int drawnWidth_ = -1;
};

// The chart's x value of a day: milliseconds since 1970 at midnight UTC.
double chartX(const CivilDate& day);

}  // namespace kursomatik
