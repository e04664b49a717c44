// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/RateAge.h"

#include <algorithm>

#include "platform/RegionalSettings.h"
#include "store/CurrencyRecord.h"

namespace kursomatik {

RateAgeNotice rateAgeNotice(const std::vector<const CurrencyRecord*>& chosen,
                            const RegionalSettings& regional, int warnAfterDays) {
    RateAgeNotice notice;
    std::vector<std::string> named;
    for (const CurrencyRecord* record : chosen) {
        if (record == nullptr || fieldValue(record->EWWU) == "1") continue;
        std::string code = fieldValue(record->ISO);
        if (code.empty()) code = fieldValue(record->Bezeichnung);
        if (std::ranges::find(named, code) != named.end()) continue;
        named.push_back(code);

        const std::string datum = fieldValue(record->Datum);
        const auto date = parseShortDate(datum, regional.shortDatePattern);
        std::string part = "Kurs " + code;
        if (!date) {
            part += " ohne lesbares Datum";
            notice.warns = notice.warns || warnAfterDays > 0;
        } else {
            part += " vom " + datum;
            const long age = daysBetween(*date, regional.currentDate());
            if (warnAfterDays > 0 && age > warnAfterDays) {
                part += " – " + std::to_string(age) + " Tage alt";
                notice.warns = true;
            }
        }
        notice.text += (notice.text.empty() ? "" : "; ") + part;
    }
    return notice;
}

}  // namespace kursomatik
