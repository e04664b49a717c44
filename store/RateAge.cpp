// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/RateAge.h"

#include <algorithm>

#include "store/CurrencyRecord.h"

namespace kursomatik {

std::optional<CivilDate> rateDate(const CurrencyRecord& record, const RegionalSettings& regional) {
    const std::string datum = fieldValue(record.Datum);
    if (auto date = parseShortDate(datum, regional.shortDatePattern)) return date;
    return parseShortDate(datum, "dd.MM.yyyy");
}

RateAgeNotice rateAgeNotice(const std::vector<const CurrencyRecord*>& chosen,
                            const RegionalSettings& regional, int warnAfterDays) {
    RateAgeNotice notice;
    std::vector<std::string> named;
    bool ageOpen = false;  // "USD 303 Tage": its " alt" goes after the last of a row of ages
    for (const CurrencyRecord* record : chosen) {
        if (record == nullptr || fieldValue(record->EWWU) == "1") continue;
        std::string code = fieldValue(record->ISO);
        if (code.empty()) code = fieldValue(record->Bezeichnung);
        if (std::ranges::find(named, code) != named.end()) continue;
        named.push_back(code);

        const auto date = rateDate(*record, regional);
        const long age = date ? daysBetween(*date, regional.currentDate()) : 0;
        const bool old = date && warnAfterDays > 0 && age > warnAfterDays;
        std::string part = "Kurs " + code;
        std::string brief = code;
        if (!date) {
            part += " ohne lesbares Datum";
            brief += " ohne Datum";
            notice.warns = notice.warns || warnAfterDays > 0;
        } else {
            part += " vom " + fieldValue(record->Datum);
            brief += old ? " " + std::to_string(age) + " Tage" : " vom " + fieldValue(record->Datum);
            if (old) {
                part += " – " + std::to_string(age) + " Tage alt";
                notice.warns = true;
            }
        }
        notice.text += (notice.text.empty() ? "" : "; ") + part;
        if (ageOpen && !old) notice.shortText += " alt";
        notice.shortText += (notice.shortText.empty() ? "" : ", ") + brief;
        ageOpen = old;
    }
    if (ageOpen) notice.shortText += " alt";
    return notice;
}

}  // namespace kursomatik
