// SPDX-License-Identifier: GPL-3.0-or-later
#include "conversion/Berechnen.h"

#include <cmath>
#include <variant>

#include "conversion/DecimalNumber.h"
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

// The amount in the output currency: the amount itself for equal rates, else a double through the
// Euro. A rounding that fails leaves 0.
std::variant<Money, double> throughTheEuro(Money cyBetrag, Money cyEingabeKurs, Money cyAusgabeKurs,
                                           const BerechnenInput& input) {
    const double dEingabeEuroKurs = cyEingabeKurs.toDouble() / kRateScale;
    const double euro = divide(cyBetrag.toDouble(), dEingabeEuroKurs).value_or(0.0);
    if (cyEingabeKurs == cyAusgabeKurs) return cyBetrag;
    if (cyAusgabeKurs.toDouble() / kRateScale == 1.0) {
        if (const auto r = roundToFactor(euro, input.dStellen2)) return *r;
        return 0.0;
    }
    const double e = roundToFactor(euro, input.dStellen1).value_or(0.0);
    const double p = e * (cyAusgabeKurs.toDouble() / kRateScale);
    if (const auto r = roundToFactor(p, input.dStellen2)) return *r;
    return 0.0;
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
    std::variant<Money, double> result = 0.0;
    if (input.cyEingabeKurs && input.cyAusgabeKurs) {
        result = throughTheEuro(cyBetrag, *input.cyEingabeKurs, *input.cyAusgabeKurs, input);
    }

    outcome.clearEingabe = input.iGeloeschteWaehrung == 1;
    outcome.clearAusgabe = input.iGeloeschteWaehrung == 2;
    if (input.eingabeLeer || outcome.clearEingabe) result = 0.0;
    if (input.ausgabeLeer || outcome.clearAusgabe) result = 0.0;

    const char* pattern = input.dStellen2 == 100.0     ? "###,####0.00#####"
                          : input.dStellen2 == 1000.0  ? "###,####0.000####"
                          : input.dStellen2 == 10000.0 ? "###,####0.0000###"
                                                       : nullptr;
    if (pattern != nullptr) {
        outcome.wertText =
            std::visit([&](auto value) { return formatNumber(value, pattern, regional); }, result);
    }
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
