// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "history/RateOfDay.h"

namespace kursomatik {

// The whole course of a pair's cross rate for the chart window: every published day, and where both
// sides are fixed to the Euro (members with their table rate, or the Euro), from that day on one point
// per working day up to `today` at the fixed cross rate, which the ECB no longer publishes.
struct PairHistory {
    std::vector<CrossRate> points;        // oldest first
    std::optional<CivilDate> fixedSince;  // both sides fixed from this day on
    double fixedRate = 0.0;               // the cross rate from then on
};
Result<PairHistory> pairHistory(const HistoryStore& store, const std::string& from, const std::string& to,
                                std::optional<double> fixedFrom, std::optional<double> fixedTo,
                                const CivilDate& today);

enum class ChartRange { Month, Year, FiveYears, All };

// The points of a range ending with the pair's last day: [first, end) into the points.
struct RangeIndex {
    std::size_t first = 0;
    std::size_t end = 0;
};
RangeIndex rangeOf(const std::vector<CrossRate>& points, ChartRange range);

// Lowest, highest and last rate of a range (the first day of each extreme).
struct RangeFigures {
    CrossRate lowest;
    CrossRate highest;
    CrossRate last;
};
std::optional<RangeFigures> figuresOf(std::span<const CrossRate> points);

// At most `columns` points for a chart `columns` pixels wide: the points are cut into groups of two
// columns each, and each group keeps its lowest and its highest point in their order, so that no peak
// disappears.
std::vector<CrossRate> thinOut(std::span<const CrossRate> points, int columns);

// A cross rate with six significant digits, trailing zeros dropped.
std::string crossRateText(double rate, const RegionalSettings& regional);

}  // namespace kursomatik
