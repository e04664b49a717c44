// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "conversion/DecimalNumber.h"
#include "conversion/Money.h"

namespace kursomatik {

struct RegionalSettings;

// What the main window hands to the conversion: the amount as typed, the scaled rates (units per
// Euro × 1,000,000) of the chosen currencies, the two rounding factors and the deletion flag.
struct BerechnenInput {
    std::string_view betragText;
    // Empty: that currency has no usable rate, and the result is 0.
    std::optional<Money> cyEingabeKurs;
    std::optional<Money> cyAusgabeKurs;
    double dStellen1 = 0.0;
    double dStellen2 = 0.0;
    int iGeloeschteWaehrung = 0;
    bool eingabeLeer = false;  // txtEingabe has no selection
    bool ausgabeLeer = false;  // txtAusgabe has no selection
};

// What the main window must do afterwards, in this order: show the format message, clear the
// selections named, then put wertText into txtWert (no text: leave txtWert as it is). Beside the text,
// the numbers: the result exactly as shown, and the Euro value it went through.
struct BerechnenOutcome {
    bool formatMessage = false;
    bool clearEingabe = false;
    bool clearAusgabe = false;
    std::optional<std::string> wertText;
    DecimalNumber wert;  // the result as txtWert shows it (as its pattern rounds it)
    // The amount in Euro at the Euro decimals; from the Euro, the amount itself.
    DecimalNumber euro;
};

inline constexpr std::string_view kFormatMessage =
    "Das Eingabeformat ist falsch. Bitte eine Zahl eingeben oder das länderspezifische Trennzeichen "
    "benutzen (Punkt oder Komma).";

// The conversion through the Euro. A step that fails (no number, overflow, division by zero) is
// abandoned and the next one runs with what the failed step would have replaced.
BerechnenOutcome Berechnen(const BerechnenInput& input, const RegionalSettings& regional);

// The fixed-point rate of a list line's rate: formatted with "###.######" and read back as money,
// which rounds it to at most six decimals first. Empty when that leaves 0 or less: no usable rate
// (another program may have stored a negative one).
std::optional<Money> scaledRateToMoney(double scaledRate, const RegionalSettings& regional);
// The same for a rate that may be missing (no number): what the conversion works with.
std::optional<Money> fixedRateOf(const std::optional<double>& scaledRate, const RegionalSettings& regional);

}  // namespace kursomatik
