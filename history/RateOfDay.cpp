// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/RateOfDay.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <set>

namespace kursomatik {
namespace {

struct Fixing {
    std::string_view code;
    CivilDate day;
};

// The members of the monetary union and the day each one's rate was fixed by law.
constexpr std::array<Fixing, 21> kFixings = {{
    {"ATS", {1999, 1, 1}}, {"BEF", {1999, 1, 1}}, {"DEM", {1999, 1, 1}}, {"ESP", {1999, 1, 1}},
    {"FIM", {1999, 1, 1}}, {"FRF", {1999, 1, 1}}, {"IEP", {1999, 1, 1}}, {"ITL", {1999, 1, 1}},
    {"LUF", {1999, 1, 1}}, {"NLG", {1999, 1, 1}}, {"PTE", {1999, 1, 1}}, {"GRD", {2001, 1, 1}},
    {"SIT", {2007, 1, 1}}, {"CYP", {2008, 1, 1}}, {"MTL", {2008, 1, 1}}, {"SKK", {2009, 1, 1}},
    {"EEK", {2011, 1, 1}}, {"LVL", {2014, 1, 1}}, {"LTL", {2015, 1, 1}}, {"HRK", {2023, 1, 1}},
    {"BGN", {2026, 1, 1}},
}};

std::chrono::sys_days daysOf(const CivilDate& day) {
    return std::chrono::year_month_day{std::chrono::year{day.year},
                                       std::chrono::month{static_cast<unsigned>(day.month)},
                                       std::chrono::day{static_cast<unsigned>(day.day)}};
}

// The rates of one currency over the days asked for, and the rule on them.
struct Rates {
    std::optional<CivilDate> fixing;
    std::optional<double> fixed;
    std::vector<StoredRate> published;
    bool euro = false;

    std::optional<double> on(const CivilDate& day) const {
        if (euro) return 1.0;
        if (fixing && day >= *fixing) return fixed;
        auto after = std::upper_bound(published.begin(), published.end(), day,
                                      [](const CivilDate& d, const StoredRate& r) { return d < r.day; });
        if (after == published.begin() || std::prev(after)->day < addDays(day, -kDaysBack))
            return std::nullopt;
        return std::prev(after)->rate.toDouble();
    }
};

Result<Rates> ratesOf(const HistoryStore& store, std::string_view code, const CivilDate& first,
                      const CivilDate& last, std::optional<double> fixed) {
    Rates rates{fixingDay(code), fixed, {}, code == "EUR"};
    if (rates.euro) return rates;
    auto published = store.series(code, addDays(first, -kDaysBack), last);
    if (!published) return published.status();
    rates.published = std::move(*published);
    return rates;
}

}  // namespace

std::optional<CivilDate> fixingDay(std::string_view code) {
    for (const Fixing& fixing : kFixings) {
        if (fixing.code == code) return fixing.day;
    }
    return std::nullopt;
}

CivilDate addDays(const CivilDate& day, int days) {
    const std::chrono::year_month_day moved{daysOf(day) + std::chrono::days{days}};
    return {static_cast<int>(moved.year()), static_cast<int>(static_cast<unsigned>(moved.month())),
            static_cast<int>(static_cast<unsigned>(moved.day()))};
}

Result<std::optional<DayRate>> rateOfDay(const HistoryStore& store, std::string_view code,
                                         const CivilDate& day) {
    if (code == "EUR") return std::optional<DayRate>{DayRate{DayRate::Kind::Euro, {}, day}};
    if (const auto fixing = fixingDay(code); fixing && day >= *fixing)
        return std::optional<DayRate>{DayRate{DayRate::Kind::Fixed, {}, day}};
    const auto last = store.lastOnOrBefore(code, day);
    if (!last) return last.status();
    if (!*last || (*last)->day < addDays(day, -kDaysBack)) return std::optional<DayRate>{};
    return std::optional<DayRate>{DayRate{DayRate::Kind::Published, (*last)->rate, (*last)->day}};
}

Result<std::vector<CrossRate>> crossSeries(const HistoryStore& store, std::string_view from,
                                           std::string_view to, const CivilDate& first, const CivilDate& last,
                                           std::optional<double> fixedFrom, std::optional<double> fixedTo) {
    const auto von = ratesOf(store, from, first, last, fixedFrom);
    if (!von) return von.status();
    const auto nach = ratesOf(store, to, first, last, fixedTo);
    if (!nach) return nach.status();
    std::set<CivilDate> days;
    for (const Rates* rates : {&*von, &*nach}) {
        for (const StoredRate& rate : rates->published) {
            if (rate.day >= first) days.insert(rate.day);
        }
    }
    std::vector<CrossRate> series;
    for (const CivilDate& day : days) {
        const auto a = von->on(day);
        const auto b = nach->on(day);
        if (a && b) series.push_back({day, *b / *a});
    }
    return series;
}

}  // namespace kursomatik
