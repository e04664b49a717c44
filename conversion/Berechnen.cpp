// SPDX-License-Identifier: GPL-3.0-or-later
#include "conversion/Berechnen.h"

#include <cmath>
#include <type_traits>
#include <variant>

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

// The conversion's values as the patterns show them: rounded to at most 7 decimals.
DecimalNumber shown(const std::variant<Money, double>& value) {
    const DecimalNumber exact = std::visit(
        [](auto v) {
            if constexpr (std::is_same_v<decltype(v), Money>)
                return DecimalNumber::fromMoney(v);
            else
                return DecimalNumber::fromDouble(v);
        },
        value);
    return roundToDecimals(exact, 7);
}

struct ThroughTheEuro {
    std::variant<Money, double> result = 0.0;
    std::variant<Money, double> euro = 0.0;  // at the Euro decimals; from the Euro, the amount
};

// The amount in the output currency: the amount itself for equal rates, else a double through the
// Euro. A rounding that fails leaves 0.
ThroughTheEuro throughTheEuro(Money cyBetrag, Money cyEingabeKurs, Money cyAusgabeKurs,
                              const BerechnenInput& input) {
    const double dEingabeEuroKurs = cyEingabeKurs.toDouble() / kRateScale;
    const double euro = divide(cyBetrag.toDouble(), dEingabeEuroKurs).value_or(0.0);
    ThroughTheEuro through;
    if (cyEingabeKurs == Money::fromWhole(static_cast<std::int64_t>(kRateScale))) {
        through.euro = cyBetrag;
    } else {
        through.euro = roundToFactor(euro, input.dStellen1).value_or(0.0);
    }
    if (cyEingabeKurs == cyAusgabeKurs) {
        through.result = cyBetrag;
    } else if (cyAusgabeKurs.toDouble() / kRateScale == 1.0) {
        through.result = roundToFactor(euro, input.dStellen2).value_or(0.0);
    } else {
        const double e = roundToFactor(euro, input.dStellen1).value_or(0.0);
        const double p = e * (cyAusgabeKurs.toDouble() / kRateScale);
        through.result = roundToFactor(p, input.dStellen2).value_or(0.0);
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
    if (input.eingabeLeer || outcome.clearEingabe) through.result = 0.0;
    if (input.ausgabeLeer || outcome.clearAusgabe) through.result = 0.0;

    outcome.wert = shown(through.result);
    outcome.euro = shown(through.euro);
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
