// SPDX-License-Identifier: GPL-3.0-or-later
// Typed numbers under German and English conventions: the amount, rate and settings readers never
// crash, and what they accept survives formatting and reading back.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "conversion/Berechnen.h"
#include "conversion/DecimalNumber.h"
#include "conversion/NumberFormat.h"
#include "conversion/NumberValue.h"
#include "fuzz/FuzzCheck.h"
#include "platform/RegionalSettings.h"
#include "store/CurrencyRecord.h"

using namespace kursomatik;

namespace {

void checkUnder(std::string_view text, const RegionalSettings& regional) {
    const auto number = parseRegionalNumber(text, regional);
    if (!number) return;
    const double value = number->toDouble();
    if (const auto money = number->toMoney()) {
        // Money read back from its own formatting is the same money.
        const auto again = parseRegionalNumber(formatNumber(*money, "0.0000", regional), regional);
        FUZZ_CHECK(again && again->toMoney() == money);
    }
    if (std::isfinite(value) && std::fabs(value) < 1e15) {
        const std::string shown = formatNumber(value, "###,####0.0000###", regional);
        const auto back = parseRegionalNumber(shown, regional);
        // Seven decimals at most: the text is within half of the seventh decimal, plus rounding noise.
        const double tolerance = (0.5e-7 + 1e-15 * std::fabs(value)) * (1 + 1e-9);
        FUZZ_CHECK(back && std::fabs(back->toDouble() - value) <= tolerance);
        if (const auto kurs = encodeRate(value, regional)) {
            const auto rate = decodeRate(*kurs, regional);
            FUZZ_CHECK(rate && std::fabs(*rate - value) <= 1e-10 * std::max(1.0, std::fabs(value)));
        }
    }
    BerechnenInput input;
    input.betragText = text;
    input.cyEingabeKurs = Money::fromWhole(1955830);
    input.cyAusgabeKurs = Money::fromWhole(6559570);
    input.dStellen1 = 1000;
    input.dStellen2 = 100;
    FUZZ_CHECK(!Berechnen(input, regional).formatMessage);  // a number never asks for the format
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    checkUnder(text, RegionalSettings::german());
    checkUnder(text, RegionalSettings::english());
    const double value = numberValue(text);
    FUZZ_CHECK(std::isfinite(value));
    (void)formatPlainDouble(value, RegionalSettings::german());
    return 0;
}
