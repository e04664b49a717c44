// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/RateCodec.h"

#include "conversion/DecimalNumber.h"
#include "conversion/NumberFormat.h"
#include "platform/RegionalSettings.h"
#include "platform/Utf8.h"

namespace kursomatik {

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
