// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/EditorRules.h"

#include <optional>

#include "conversion/DecimalNumber.h"
#include "platform/RegionalSettings.h"
#include "platform/Utf8.h"
#include "store/CurrencyRecord.h"

namespace kursomatik {
namespace {

const char* const kRateNoNumber =
    "Bitte überprüfen Sie ihre Wechselkurseingabe. Der Kurs muß eine Zahl größer und/oder ungleich Null "
    "sein. Bitte überprüfen Sie auch das länderspezifische Dezimaltrennzeichen (Punkt oder Komma).";
const char* const kRateNegative =
    "Bitte überprüfen Sie ihre Wechselkurseingabe. Der Kurs muß größer und ungleich Null sein.\n\r"
    "Bitte überprüfen Sie auch das länderspezifische Dezimaltrennzeichen (Punkt oder Komma).";
const char* const kIsoMissing = "Bitte pflegen Sie die ISO-Bezeichnung nach.";

// The Kurs text of a typed rate; empty when the text is no number or the rate cannot be stored.
std::optional<std::string> storableRate(const std::string& typed, const RegionalSettings& regional) {
    const auto rate = parseRegionalNumber(typed, regional);
    if (!rate) return std::nullopt;
    const auto kurs = encodeRate(rate->toDouble(), regional);
    if (!kurs) return std::nullopt;
    return *kurs;
}

}  // namespace

CheckedRecord checkRecord(EditorFields typed, const RegionalSettings& regional) {
    CheckedRecord checked;
    const auto replace = [&](std::string EditorFields::*box, std::string placeholder, const char* message) {
        typed.*box = placeholder;
        checked.replacements.push_back({box, std::move(placeholder), message});
    };
    // A rate the file cannot hold, or one so small that it would be stored as 0, counts as no rate.
    if (const auto kurs = storableRate(typed.kurs, regional); !kurs || *kurs == "0")
        replace(&EditorFields::kurs, "1", kRateNoNumber);
    if (const auto rate = parseRegionalNumber(typed.kurs, regional); rate && rate->negative)
        replace(&EditorFields::kurs, "1", kRateNegative);
    if (typed.iso.empty()) replace(&EditorFields::iso, "???", kIsoMissing);
    if (typed.bezeichnung.empty()) replace(&EditorFields::bezeichnung, std::string(18, '?'), nullptr);

    CurrencyRecord& record = checked.record;
    storeField(record, &CurrencyRecord::Bezeichnung, typed.bezeichnung);
    // The checks above leave a rate that can be stored.
    storeField(record, &CurrencyRecord::Kurs, storableRate(typed.kurs, regional).value_or(""));
    storeField(record, &CurrencyRecord::ISO, utf8::toUpper(typed.iso));
    storeField(record, &CurrencyRecord::EWWU, typed.ewwu ? "1" : "0");
    storeField(record, &CurrencyRecord::Datum,
               formatShortDate(regional.currentDate(), regional.shortDatePattern));
    return checked;
}

}  // namespace kursomatik
