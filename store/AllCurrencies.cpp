// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/AllCurrencies.h"

#include "platform/Utf8.h"
#include "store/RateAge.h"

namespace kursomatik {

std::optional<std::vector<AllCurrenciesRow>> inAllCurrencies(const SortedEntries& all,
                                                             std::string_view amount, Money fromRate,
                                                             double dStellen1, double dStellen2,
                                                             const RegionalSettings& regional,
                                                             int warnAfterDays) {
    std::vector<AllCurrenciesRow> rows;
    for (const CurrencyEntry& entry : all) {
        AllCurrenciesRow row;
        row.iso = utf8::printable(fieldValue(entry.fields.ISO));
        row.name = utf8::printable(entry.name());
        row.date = utf8::printable(fieldValue(entry.fields.Datum));
        if (const std::optional<Money> rate = fixedRateOf(entry.rate, regional)) {
            const BerechnenOutcome outcome =
                Berechnen({amount, fromRate, *rate, dStellen1, dStellen2}, regional);
            if (outcome.formatMessage) return std::nullopt;
            row.result = outcome.wertText.value_or("");
            row.value = outcome.wert;
        } else {
            row.result = "–";
            row.note = "Kurs unbrauchbar";
        }
        row.day = rateDate(entry.fields, regional);
        row.old = fieldValue(entry.fields.EWWU) != "1" && warnAfterDays > 0 && row.day &&
                  daysBetween(*row.day, regional.currentDate()) > warnAfterDays;
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string AllCurrenciesRow::mark() const {
    const std::string sign = old ? "\u26a0" : "";
    return sign + (sign.empty() || note.empty() ? "" : " ") + note;
}

std::string tabSeparated(const std::vector<AllCurrenciesRow>& rows) {
    std::string text;
    for (const AllCurrenciesRow& row : rows) {
        text += row.iso + '\t' + row.name + '\t' + row.result + '\t' + row.date + '\t' + row.mark() + '\n';
    }
    return text;
}

}  // namespace kursomatik
