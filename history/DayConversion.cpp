// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/DayConversion.h"

#include "platform/Utf8.h"

namespace kursomatik {
namespace {

std::string shortDate(const CivilDate& day, const RegionalSettings& regional) {
    return formatShortDate(day, regional.shortDatePattern);
}

// Why a currency has no rate on a day: the days the history holds of it.
std::string noRate(const HistoryStore& store, const std::string& code, const CivilDate& day,
                   const DaySources& sources, const RegionalSettings& regional) {
    std::string text = "Für " + code + " gibt es am " + shortDate(day, regional) +
                       " keinen Referenzkurs, auch nicht in den " + std::to_string(kDaysBack) +
                       " Tagen davor.";
    if (store.empty()) return text + sources.emptyHint;
    const auto span = store.span(code);
    if (!span) return span.error();
    if (!*span) return text + " Der Kursverlauf enthält keinen Kurs von " + code + ".";
    return text + " Der Kursverlauf hat " + code + " vom " + shortDate((*span)->first, regional) + " bis " +
           shortDate((*span)->second, regional) + ".";
}

Result<DaySide> sideOf(std::string_view typed, const CivilDate& day, const DaySources& sources,
                       const RegionalSettings& regional) {
    DaySide side{utf8::toUpper(typed), {}, {}};
    if (side.code == "EUR") {
        side.rate = {DayRate::Kind::Euro, {}, day};
        side.cyKurs = Money::fromDouble(kRateScale);
        return side;
    }
    if (const auto fixing = fixingDay(side.code); fixing && day >= *fixing) {
        const auto fixed = sources.fixedRate(side.code);
        if (!fixed) return fixed.status();
        side.rate = {DayRate::Kind::Fixed, {}, day};
        side.cyKurs = *fixed;
        return side;
    }
    const auto store = sources.history();
    if (!store) return store.status();
    const auto found = rateOfDay(**store, side.code, day);
    if (!found) return found.status();
    if (!*found) return Status::fail(noRate(**store, side.code, day, sources, regional));
    side.rate = **found;
    DecimalNumber scaled = side.rate.rate;
    scaled.exponent += 6;  // units per Euro × 1,000,000, as the table stores rates
    side.cyKurs = scaled.toMoney();
    return side;
}

}  // namespace

Result<DayConversion> convertOnDay(std::string_view betrag, std::string_view von, std::string_view nach,
                                   const CivilDate& day, double dStellen1, double dStellen2,
                                   const DaySources& sources, const RegionalSettings& regional) {
    auto from = sideOf(von, day, sources, regional);
    if (!from) return from.status();
    auto to = sideOf(nach, day, sources, regional);
    if (!to) return to.status();
    const BerechnenInput input{betrag, from->cyKurs, to->cyKurs, dStellen1, dStellen2};
    BerechnenOutcome shown = Berechnen(input, regional);
    if (!shown.wertText) return Status::fail("Diese Nachkommastellen gibt es nicht.");
    return DayConversion{std::move(*from), std::move(*to), std::move(shown)};
}

}  // namespace kursomatik
