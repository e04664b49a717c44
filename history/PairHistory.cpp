// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/PairHistory.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "conversion/NumberFormat.h"

namespace kursomatik {
namespace {

// The day a side is fixed from, with its rate per Euro; the Euro is fixed at 1 for ever.
std::optional<std::pair<CivilDate, double>> fixedSide(const std::string& code, std::optional<double> rate) {
    if (code == "EUR") return std::pair{CivilDate{1, 1, 1}, 1.0};
    const auto fixing = fixingDay(code);
    if (!fixing || !rate) return std::nullopt;
    return std::pair{*fixing, *rate};
}

bool workingDay(const CivilDate& day) {
    const std::chrono::weekday weekday{std::chrono::sys_days{std::chrono::year_month_day{
        std::chrono::year{day.year}, std::chrono::month{static_cast<unsigned>(day.month)},
        std::chrono::day{static_cast<unsigned>(day.day)}}}};
    return weekday != std::chrono::Saturday && weekday != std::chrono::Sunday;
}

CivilDate monthsBefore(const CivilDate& day, int months) {
    const int index = day.year * 12 + day.month - 1 - months;
    const std::chrono::year_month_day_last end{
        std::chrono::year{index / 12},
        std::chrono::month_day_last{std::chrono::month{static_cast<unsigned>(index % 12 + 1)}}};
    // 31 March less a month is 28 or 29 February.
    return {index / 12, index % 12 + 1, std::min(day.day, static_cast<int>(unsigned(end.day())))};
}

}  // namespace

Result<PairHistory> pairHistory(const HistoryStore& store, const std::string& from, const std::string& to,
                                std::optional<double> fixedFrom, std::optional<double> fixedTo,
                                const CivilDate& today) {
    // A rate of 0 or less in the table is none: no division by it, no line at 0.
    const auto usable = [](std::optional<double> rate) { return rate && *rate > 0.0 ? rate : std::nullopt; };
    fixedFrom = usable(fixedFrom);
    fixedTo = usable(fixedTo);
    auto series = crossSeries(store, from, to, {1999, 1, 1}, today, fixedFrom, fixedTo);
    if (!series) return series.status();
    PairHistory pair{std::move(*series), {}, 0.0};
    const auto a = fixedSide(from, fixedFrom);
    const auto b = fixedSide(to, fixedTo);
    if (!a || !b || from == to) return pair;
    pair.fixedSince = std::max(a->first, b->first);
    pair.fixedRate = b->second / a->second;
    CivilDate day = *pair.fixedSince;
    if (!pair.points.empty() && pair.points.back().day >= day) day = addDays(pair.points.back().day, 1);
    for (; day <= today; day = addDays(day, 1)) {
        if (workingDay(day)) pair.points.push_back({day, pair.fixedRate});
    }
    return pair;
}

RangeIndex rangeOf(const std::vector<CrossRate>& points, ChartRange range) {
    if (points.empty() || range == ChartRange::All) return {0, points.size()};
    const int months = range == ChartRange::Month ? 1 : range == ChartRange::Year ? 12 : 60;
    const CivilDate start = monthsBefore(points.back().day, months);
    const auto first = std::lower_bound(points.begin(), points.end(), start,
                                        [](const CrossRate& p, const CivilDate& d) { return p.day < d; });
    return {static_cast<std::size_t>(first - points.begin()), points.size()};
}

std::optional<RangeFigures> figuresOf(std::span<const CrossRate> points) {
    if (points.empty()) return std::nullopt;
    RangeFigures figures{points.front(), points.front(), points.back()};
    for (const CrossRate& p : points) {
        if (p.rate < figures.lowest.rate) figures.lowest = p;
        if (p.rate > figures.highest.rate) figures.highest = p;
    }
    return figures;
}

std::vector<CrossRate> thinOut(std::span<const CrossRate> points, int columns) {
    const std::size_t width = static_cast<std::size_t>(std::max(columns, 2));
    if (points.size() <= width) return {points.begin(), points.end()};
    const std::size_t groups = width / 2;
    std::vector<CrossRate> kept;
    kept.reserve(width);
    for (std::size_t g = 0; g < groups; ++g) {
        const auto first = points.begin() + static_cast<std::ptrdiff_t>(g * points.size() / groups);
        const auto end = points.begin() + static_cast<std::ptrdiff_t>((g + 1) * points.size() / groups);
        const auto [low, high] = std::minmax_element(
            first, end, [](const CrossRate& x, const CrossRate& y) { return x.rate < y.rate; });
        kept.push_back(*std::min(low, high));
        if (low != high) kept.push_back(*std::max(low, high));
    }
    return kept;
}

std::string crossRateText(double rate, const RegionalSettings& regional) {
    const int digits = static_cast<int>(std::floor(std::log10(rate))) + 1;
    const int decimals = std::clamp(6 - digits, 0, 12);
    return formatNumber(
        rate, "0" + (decimals > 0 ? "." + std::string(static_cast<std::size_t>(decimals), '#') : ""),
        regional);
}

}  // namespace kursomatik
