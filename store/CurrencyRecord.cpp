// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/CurrencyRecord.h"

#include "conversion/DecimalNumber.h"
#include "conversion/NumberFormat.h"
#include "platform/CodePage1252.h"
#include "platform/RegionalSettings.h"
#include "platform/Utf8.h"

namespace kursomatik {
namespace {

std::size_t widthOf(std::string CurrencyRecord::*field) {
    for (const auto& layout : kFieldLayout) {
        if (layout.field == field) return layout.width;
    }
    return 0;
}

}  // namespace

void storeField(CurrencyRecord& record, std::string CurrencyRecord::*field, std::string_view text) {
    record.*field = utf8::fit(text, widthOf(field));
}

std::string fieldValue(std::string_view field) {
    return std::string(utf8::trimSpaces(field));
}

std::string encodeRecord(const CurrencyRecord& record) {
    std::string bytes;
    bytes.reserve(kRecordLength);
    for (const auto& layout : kFieldLayout) {
        // Encode first: one byte per character afterwards, so padding by bytes is exact.
        std::string field = cp1252::fromUtf8(record.*layout.field);
        field.resize(layout.width, ' ');
        bytes += field;
    }
    return bytes;
}

CurrencyRecord decodeRecord(std::string_view bytes) {
    std::string padded(bytes.substr(0, kRecordLength));
    padded.resize(kRecordLength, ' ');
    CurrencyRecord record;
    for (const auto& layout : kFieldLayout) {
        record.*layout.field = cp1252::toUtf8(std::string_view(padded).substr(layout.offset, layout.width));
    }
    return record;
}

Result<std::string> encodeRate(double rate, const RegionalSettings& regional) {
    const auto scaled = Money::fromDouble(rate * kRateScale);
    if (!scaled) return Status::fail("Der Kurs ist zu groß, um gespeichert zu werden.");
    // "0.####" writes the separator even without decimals; a whole number is stored without it.
    std::string text = formatNumber(*scaled, "0.####", regional);
    if (text.ends_with(regional.decimalSeparator))
        text.resize(text.size() - regional.decimalSeparator.size());
    return text;
}

std::optional<double> decodeRate(std::string_view kurs, const RegionalSettings& regional) {
    const auto number = parseRegionalNumber(utf8::trimSpaces(kurs), regional);
    if (!number) return std::nullopt;
    const auto money = number->toMoney();
    if (!money) return std::nullopt;
    return money->toDouble() / kRateScale;
}

}  // namespace kursomatik
