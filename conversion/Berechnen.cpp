// SPDX-License-Identifier: GPL-3.0-or-later
#include "conversion/Berechnen.h"

#include <cmath>

#include "conversion/DecimalNumber.h"
#include "conversion/Decimals.h"
#include "conversion/NumberFormat.h"
#include "platform/RegionalSettings.h"

namespace kursomatik {
namespace {

// Floating operations fail where the original arithmetic raises an error: division by zero and
// results that are not finite.
std::optional<double> checked(double value) {
    return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}
std::optional<double> divide(double a, double b) {
    return b == 0.0 ? std::nullopt : checked(a / b);
}

// Fix((0.5 / factor + value) × factor) / factor, in exactly this order of double operations.
std::optional<double> roundToFactor(double value, double factor) {
    const auto half = divide(0.5, factor);
    if (!half) return std::nullopt;
    const auto scaled = checked((*half + value) * factor);
    if (!scaled) return std::nullopt;
    return divide(std::trunc(*scaled), factor);
}

// The typed amount; empty when it is no number. Too large for the fixed-point type, or for a double
// at all: silently 0.
std::optional<Money> amountOf(std::string_view text, const RegionalSettings& regional) {
    const auto number = parseRegionalNumber(text, regional);
    if (!number) return std::nullopt;
    return Money::fromDouble(number->toDouble() * kRateScale).value_or(Money{});
}

// The amount in the output currency and the Euro value it went through (at the Euro decimals; from
// the Euro, the amount), exactly: the amount itself for equal rates, else a double through the Euro.
// A rounding that fails leaves 0.
struct ThroughTheEuro {
    DecimalNumber result;
    DecimalNumber euro;
};

ThroughTheEuro throughTheEuro(Money cyBetrag, Money cyEingabeKurs, Money cyAusgabeKurs,
                              const BerechnenInput& input) {
    const double dEingabeEuroKurs = cyEingabeKurs.toDouble() / kRateScale;
    const double euro = divide(cyBetrag.toDouble(), dEingabeEuroKurs).value_or(0.0);
    const auto rounded = [](std::optional<double> value) {
        return DecimalNumber::fromDouble(value.value_or(0.0));
    };
    ThroughTheEuro through;
    through.euro = cyEingabeKurs == Money::fromWhole(static_cast<std::int64_t>(kRateScale))
                       ? DecimalNumber::fromMoney(cyBetrag)
                       : rounded(roundToFactor(euro, input.dStellen1));
    if (cyEingabeKurs == cyAusgabeKurs) {
        through.result = DecimalNumber::fromMoney(cyBetrag);
    } else if (cyAusgabeKurs.toDouble() / kRateScale == 1.0) {
        through.result = rounded(roundToFactor(euro, input.dStellen2));
    } else {
        const double e = roundToFactor(euro, input.dStellen1).value_or(0.0);
        const double p = e * (cyAusgabeKurs.toDouble() / kRateScale);
        through.result = rounded(roundToFactor(p, input.dStellen2));
    }
    return through;
}

}  // namespace

BerechnenOutcome Berechnen(const BerechnenInput& input, const RegionalSettings& regional) {
    BerechnenOutcome outcome;
    const std::optional<Money> amount = amountOf(input.betragText, regional);
    outcome.formatMessage = !amount;
    Money cyBetrag = amount.value_or(Money{});
    if (input.iGeloeschteWaehrung == 1) cyBetrag = Money{};
    cyBetrag = Money::fromDouble(cyBetrag.toDouble() / kRateScale).value_or(cyBetrag);

    // Without a usable rate on either side there is nothing to convert with: the result is 0,
    // as for an input rate of 0, and never the amount itself (both sides "equal").
    ThroughTheEuro through;
    if (input.cyEingabeKurs && input.cyAusgabeKurs)
        through = throughTheEuro(cyBetrag, *input.cyEingabeKurs, *input.cyAusgabeKurs, input);

    outcome.clearEingabe = input.iGeloeschteWaehrung == 1;
    outcome.clearAusgabe = input.iGeloeschteWaehrung == 2;
    if (input.eingabeLeer || outcome.clearEingabe || input.ausgabeLeer || outcome.clearAusgabe)
        through.result = {};

    // As the patterns show them: at most 7 decimals.
    outcome.wert = roundToDecimals(through.result, 7);
    outcome.euro = roundToDecimals(through.euro, 7);
    if (const Decimals* decimals = resultDecimals(input.dStellen2))
        outcome.wertText = formatNumber(outcome.wert, parseNumberPattern(decimals->pattern), regional);
    return outcome;
}

std::optional<Money> scaledRateToMoney(double scaledRate, const RegionalSettings& regional) {
    const auto number = parseRegionalNumber(formatNumber(scaledRate, "###.######", regional), regional);
    const auto money = number ? number->toMoney() : std::nullopt;
    if (!money || money->ticks() <= 0) return std::nullopt;
    return money;
}

std::optional<Money> fixedRateOf(const std::optional<double>& scaledRate, const RegionalSettings& regional) {
    return scaledRate ? scaledRateToMoney(*scaledRate, regional) : std::nullopt;
}

}  // namespace kursomatik
