// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>

#include "cli/CurrencyTable.h"

namespace kursomatik {

// Every currency in list order: code, rate per Euro as the currency windows show it, date, member
// flag and name, in aligned columns.
void printCurrencyList(const CurrencyTable& table, const RegionalSettings& regional, std::ostream& out);

// The conversion as one JSON object; amounts as JSON numbers, the shown result also as text.
void printJson(const RechnerErgebnis& ergebnis, std::ostream& out);

}  // namespace kursomatik
