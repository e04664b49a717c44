// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "cli/CurrencyTable.h"

namespace kursomatik {

// Every currency in list order: code, rate per Euro as the currency windows show it, date, member
// flag and name, in aligned columns.
void printCurrencyList(const CurrencyTable& table, const RegionalSettings& regional, std::ostream& out);

// The conversion as one JSON object; amounts as JSON numbers, the shown result also as text.
void printJson(const RechnerErgebnis& ergebnis, const RegionalSettings& regional, std::ostream& out);

// A JSON string literal of UTF-8 text.
std::string jsonString(std::string_view text);
// A JSON number of an exact decimal.
std::string jsonNumber(const DecimalNumber& number);

}  // namespace kursomatik
